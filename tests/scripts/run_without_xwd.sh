#!/usr/bin/env bash
# Usage: tests/scripts/run_without_xwd.sh
# scripts/run with no display on a machine without xwd: one line naming it and its
# package, and a non-zero status, before anything is built or started.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
bin="$(mktemp -d)"
trap 'rm -rf "$bin"' EXIT
# Every system command but xwd; cmake is left out too, so a run that went past the
# check fails at once instead of building.
ln -s /usr/bin/* "$bin/"
rm -f "$bin/xwd" "$bin/cmake"
status=0
out="$(env -u DISPLAY PATH="$bin" "$root/scripts/run" shaderplanes 2>&1)" || status=$?
expected="scripts/run: cannot save the screenshot: xwd not found (package x11-apps)"
if [ "$status" -eq 0 ] || [ "$out" != "$expected" ]; then
    printf 'status %s, output:\n%s\nexpected a non-zero status and:\n%s\n' "$status" "$out" "$expected"
    exit 1
fi
echo "$out (status $status)"
