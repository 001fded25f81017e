#!/bin/sh
# Every verb and option tollamar-cli --help names must be described in the manual page,
# and its title line must carry the version tollamar-cli --version prints.
# usage: check_manual.sh TOLLAMAR_CLI MANUAL_PAGE
help=$("$1" --help) || exit 1
# roff writes a dash as \- ; read the page as plain text.
page=$(sed 's/\\-/-/g' "$2")
missing=0
words=$(printf '%s\n' "$help" | sed -n 's/^  \([a-z-]*\) .*/\1/p'
        printf '%s\n' "$help" | grep -o -- '--[a-z-]*' | grep -v '^--$')
for word in $words; do
  case "$page" in
    *"$word"*) ;;
    *) echo "tollamar-cli(1) does not describe $word"; missing=1 ;;
  esac
done
version=$("$1" --version | sed 's/^tollamar-cli //')
grep -q "^\.TH .*\"Tollamar $version\"" "$2" ||
  { echo "tollamar-cli(1) is not marked as version $version"; missing=1; }
exit $missing
