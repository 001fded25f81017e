#!/usr/bin/env bash
# Unpacks a Tollamar .deb into a scratch root and checks it there: the installed
# programs find libWordseek.so.1 inside that root through their RUNPATH, tollamar-cli
# prints its version and reads the sample album's comments exactly as the build does,
# and the desktop entry, the AppStream metadata (which must list this release) and the
# manual pages pass their checkers.
# usage: check-package.sh PACKAGE.deb
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(realpath "$1")
scripts/install-deps.sh desktop-file-utils appstream man-db
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
unset LD_LIBRARY_PATH
cli=$root/usr/bin/tollamar-cli

for program in "$cli" "$root/usr/bin/Tollamar"; do
  found=$(ldd "$program" | sed -n 's/.*libWordseek\.so\.1 => \([^ ]*\).*/\1/p')
  [[ "$(realpath "$found")" == "$root"/* ]] ||
    { echo "$program: libWordseek.so.1 resolves to '$found', not inside the package" >&2; exit 1; }
done

"$cli" --version
album=$root/album
build/bin/make_samples "$album" >/dev/null
diff <("$cli" comment "$album"/*.jpg) <(build/bin/tollamar-cli comment "$album"/*.jpg)
echo "comments of $(ls "$album"/*.jpg | wc -l) sample photos read by the installed tollamar-cli"

desktop-file-validate "$root"/usr/share/applications/org.tollworks.Tollamar.desktop
metainfo=$root/usr/share/metainfo/org.tollworks.Tollamar.metainfo.xml
appstreamcli validate --no-net "$metainfo"
version=$(dpkg-deb -f "$deb" Version)
grep -q "<release version=\"$version\"" "$metainfo" ||
  { echo "the metadata's releases do not list $version" >&2; exit 1; }
for page in tollamar-cli.1 Tollamar.1; do
  warnings=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.gz" 2>&1 >/dev/null)
  [[ -z "$warnings" ]] || { echo "$page: $warnings" >&2; exit 1; }
done
echo "package checked: $(basename "$deb")"
