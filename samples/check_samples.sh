#!/bin/sh
# check_samples.sh MAKE_SAMPLES
# Writes the album and the seeds into a scratch folder and has independent readers
# (exiftool, exiv2, djpeg) look at every file. Exit 77 (skipped) without them.
set -u
make_samples=$1
for tool in exiftool exiv2 djpeg; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$make_samples" "$work/a" || fail "make_samples exited $?"
"$make_samples" "$work/b" 7 >/dev/null || fail "make_samples with COUNT exited $?"
"$make_samples" --seeds "$work/seeds" >/dev/null || fail "make_samples --seeds exited $?"
"$make_samples" >/dev/null 2>&1 && fail "make_samples without arguments succeeded"
"$make_samples" "$work/c" 0 >/dev/null 2>&1 && fail "make_samples with COUNT 0 succeeded"

count=$(ls "$work/a" | grep -c '\.jpg$')
[ "$count" -eq 60 ] || fail "expected 60 photos, found $count"
ls "$work/a" | grep -q ' ' || fail "no file name with a blank"

# Same numbers give the same bytes, whatever the count asked for.
for f in "$work"/b/*.jpg; do
    cmp -s "$f" "$work/a/$(basename "$f")" || fail "$(basename "$f") differs between runs"
done

cd "$work/a" || exit 1
bad=$(exiftool -q -q -validate -p '$FileName: $Validate' -- *.jpg | grep -v ': OK$')
[ -z "$bad" ] || fail "exiftool -validate: $bad"
warnings=$(exiftool -q -q -a -Warning -Error -- *.jpg 2>&1)
[ -z "$warnings" ] || fail "exiftool: $warnings"
for f in *.jpg; do
    err=$(exiv2 -pa "$f" 2>&1 >/dev/null) || fail "exiv2 exited non-zero on $f"
    [ -z "$err" ] || fail "exiv2 on $f: $err"
    err=$(djpeg "$f" 2>&1 >/dev/null) || fail "djpeg failed on $f"
    [ -z "$err" ] || fail "djpeg on $f: $err"
done

# File times follow DateTimeOriginal.
exiftool -q -q -p '$FileName|$DateTimeOriginal|$FileModifyDate' -d '%Y:%m:%d %H:%M:%S' -- *.jpg |
    awk -F'|' '$2 != $3 { print "FAIL: time of " $1 ": " $3 " != " $2; bad = 1 } END { exit bad }' ||
    failures=$((failures + 1))

# The long comment fills one COM segment and spills into a second, before SOS.
coms=$(exiv2 -pS IMG_0006.jpg | awk -F'|' '/COM/ { gsub(/ /, "", $3); printf "%s ", $3 }')
[ "$coms" = "65535 14471 " ] || fail "IMG_0006 COM lengths: $coms"
exiv2 -pS IMG_0006.jpg | awk '/COM/ { com = NR } /SOS/ { exit !(com == NR - 1) }' ||
    fail "IMG_0006 COM not right before SOS"
exiftool -q -q -ExifByteOrder -s3 -- *.jpg | sort -u | grep -c endian | grep -q 2 ||
    fail "not both byte orders"
[ "$(exiftool -q -q -Comment -b IMG_0001.jpg | iconv -f CP932 -t UTF-8)" = "富士山と河口湖" ] ||
    fail "IMG_0001 comment is not the Shift-JIS text"

cd "$work/seeds" || exit 1
[ "$(ls | wc -l)" -ge 5 ] || fail "too few seed files"
for f in seed_exif_ii_thumbnail.jpg seed_exif_mm.jpg seed_jfif_plain.jpg; do
    djpeg "$f" >/dev/null 2>&1 || fail "djpeg failed on seed $f"
done

if [ "$failures" -eq 0 ]; then
    echo "sample album and seeds: all checks ok"
else
    echo "sample album and seeds: $failures check(s) failed"
    exit 1
fi
