#!/usr/bin/env bash
# Usage: tests/release/check_dist.sh DIST VERSION SCRATCH
# The downloads scripts/release wrote to DIST: each there under VERSION's name and in
# SHA256SUMS, which verifies; the DEB clean under lintian, errors and warnings both;
# the Windows ZIP one top folder with the programs, their DLLs and shaders. Then the
# DEB and the site ZIP are unpacked into SCRATCH/deb/ and SCRATCH/site/ for the tests
# that run them.
set -euo pipefail
dist="$1" version="$2" scratch="$3"
deb="planes_${version}_amd64.deb" win="planes-$version-windows-x64.zip" site="planes-$version-site.zip"
fail() { echo "FAIL $*"; exit 1; }

for f in "$deb" "$win" "$site"; do
    [ -s "$dist/$f" ] || fail "no $dist/$f"
    grep -q "^[0-9a-f]\{64\}  $f\$" "$dist/SHA256SUMS" || fail "$f is not in SHA256SUMS"
done
(cd "$dist" && sha256sum --strict -c SHA256SUMS) || fail "SHA256SUMS does not verify"

lintian --fail-on error,warning "$dist/$deb" || fail "lintian finds errors or warnings in $deb"

top="planes-$version-windows-x64"
listing="$(cmake -E tar tf "$dist/$win")"
for f in shaderplanes.exe transformplanes.exe dragplanes.exe libfreeglut.dll glew32.dll \
         Shaders/simple.vert Shaders/simple.frag licenses/planes.txt; do
    grep -qx "$top/$f" <<<"$listing" || fail "$win has no $top/$f"
done
[ -z "$(grep -v "^$top/" <<<"$listing")" ] || fail "$win has files outside $top/"

rm -rf "$scratch"
mkdir -p "$scratch/site"
dpkg-deb -x "$dist/$deb" "$scratch/deb"
(cd "$scratch/site" && cmake -E tar xf "$dist/$site")
[ "$(ls "$scratch/site")" = "planes-$version-site" ] || fail "$site does not hold the one folder planes-$version-site/"
echo "the downloads of $version check out"
