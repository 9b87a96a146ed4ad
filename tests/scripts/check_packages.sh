#!/usr/bin/env bash
# Usage: tests/scripts/check_packages.sh
# Every command a script in scripts/ runs must come from the Debian base, from a package
# scripts/install-deps installs (or one those depend on), or from a package the script
# lists itself in a packages=(...) array. Prints each command with its package and the
# script that runs it; fails naming any command that would be missing on a fresh machine.
# The commands are read by commands.awk; builtins, keywords and the project's own
# programs and scripts (run by path) are not looked up.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"

# The words of a script's packages=(...) array and of what it adds with packages+=(...)
# (install-deps: what the Windows and browser builds need).
listed() {
    awk '/^[ \t]*packages\+?=\(/ { on = 1 }
         on { l = $0; sub(/#.*/, "", l); sub(/.*packages\+?=\(/, "", l); if (sub(/\).*/, "", l)) on = 0; print l }' "$1" |
        tr -s ' \t' '\n' | grep -v '^$' || true
}
# The installed packages among the arguments and everything they depend on.
closure() {
    apt-cache depends --recurse --installed --no-recommends --no-suggests --no-conflicts \
        --no-breaks --no-replaces --no-enhances "$@" | grep -v '^ ' || true
}

# The base is what the smallest Debian install has (debootstrap --variant=minbase, as
# in Debian's container images): Essential packages and those of priority required.
# Priority important (procps, less, ...) is missing there, so it does not count.
declare -A base deps installed
while read -r p essential priority status; do
    [ "$essential" = yes ] || [ "$priority" = required ] && base[$p]=1
    [ "$status" = ii ] && installed[$p]=1
done < <(dpkg-query -W -f='${Package} ${Essential} ${Priority} ${db:Status-Abbrev}\n')
mapfile -t common < <(listed "$root/scripts/install-deps")
while read -r p; do deps[$p]=1; done < <(closure "${common[@]}")

# Packages install where a fresh machine's PATH looks; /usr/local is empty there.
system_path=/usr/sbin:/usr/bin:/sbin:/bin
declare -A package
failed=0
for script in "$root"/scripts/*; do
    head -n 1 "$script" | grep -q bash || continue
    name="scripts/${script##*/}"
    declare -A own=()
    mapfile -t mine < <(listed "$script")
    if [ ${#mine[@]} -gt 0 ]; then
        while read -r p; do own[$p]=1; done < <(closure "${mine[@]}")
    fi
    while read -r cmd; do
        case "$(type -t "$cmd" || true)" in builtin|keyword) continue ;; esac
        if [ -z "${package[$cmd]:-}" ]; then
            path="$(PATH="$system_path" type -P "$cmd" || true)"
            if [ -z "$path" ]; then
                package[$cmd]="-"
            else
                real="$(readlink -f "$path")"
                # dpkg records /bin/grep where a merged /usr has /usr/bin/grep
                package[$cmd]="$( { dpkg -S "$real" || dpkg -S "${real#/usr}" || true; } 2>/dev/null |
                    grep -v '^diversion' | head -n 1 | sed 's/: .*//; s/,.*//')"
            fi
        fi
        p="${package[$cmd]}"
        if [ "$p" = "-" ]; then
            missing_own=()
            for q in "${mine[@]}"; do [ -n "${installed[$q]:-}" ] || missing_own+=("$q"); done
            if [ ${#missing_own[@]} -gt 0 ]; then
                echo "$cmd: not checked, not installed here; $name installs ${missing_own[*]} itself"
            else
                echo "FAIL $name runs $cmd, which no installed package provides: its package belongs in scripts/install-deps"
                failed=1
            fi
        elif [ -n "${base[$p]:-}" ] || [ -n "${deps[$p]:-}" ] || [ -n "${own[$p]:-}" ]; then
            echo "$cmd: $p ($name)"
        else
            echo "FAIL $name runs $cmd, from package ${p:-unknown}, which is neither in the base nor installed by scripts/install-deps or $name"
            failed=1
        fi
    done < <(awk -f "$here/commands.awk" "$script" | sort)
done
exit "$failed"
