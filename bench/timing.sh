# Sourced by the benchmark scripts: timeit NAME COMMAND... runs the command with its
# output discarded and keeps in best[NAME] the fastest wall time seen, in microseconds.
# Other work on the machine only ever adds time, so the fastest round is the truest.
declare -A best
timeit() {
  local name=$1; shift
  local t0 t1
  t0=$(date +%s%N); "$@" >/dev/null 2>&1 || true; t1=$(date +%s%N)
  local us=$(( (t1 - t0) / 1000 ))
  if [[ -z "${best[$name]:-}" || $us -lt ${best[$name]} ]]; then best[$name]=$us; fi
}

# report NAME COUNT BASELINE: the per-file time of NAME and its ratio to BASELINE.
report() {
  local us=${best[$1]} n=$2 base=${best[$3]}
  printf '  %-22s %9.1f us/file  %7.2fx %s\n' "$1" "$(echo "$us / $n" | bc -l)" \
    "$(echo "$us / $base" | bc -l)" "$3"
}
