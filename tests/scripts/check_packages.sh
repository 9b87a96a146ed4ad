#!/usr/bin/env bash
# Usage: tests/scripts/check_packages.sh
# Every command a script in scripts/ runs must come from the Debian base, or from a
# package of the list that a user has installed when they run that script (or one those
# depend on): the list the script itself installs with scripts/install-deps (the plain
# one when it names no other), plus any packages=(...) array of its own. A script that
# installs two of the lists fails: what only one of them needs belongs in a script of
# its own. Prints each command with its package and the script that runs it; fails
# naming any command that would be missing on a fresh machine.
# The commands are read by commands.awk; builtins, keywords and the project's own
# programs and scripts (run by path) are not looked up.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"

# The words of a script's own packages=(...) array and of what it adds with packages+=(...).
listed() {
    awk '/^[ \t]*packages\+?=\(/ { on = 1 }
         on { l = $0; sub(/#.*/, "", l); sub(/.*packages\+?=\(/, "", l); if (sub(/\).*/, "", l)) on = 0; print l }' "$1" |
        tr -s ' \t' '\n' | grep -v '^$' || true
}
# The install-deps lists a script installs: --web, --windows, --release, or the plain one.
lists_of() {
    grep -v '^[[:space:]]*#' "$1" | grep -o 'scripts/install-deps"\{0,1\}\( --[a-z]*\)\{0,1\}' | sed 's/.* --//; s/.*install-deps"\{0,1\}$/plain/' | sort -u || true
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
# deps[LIST PACKAGE]: the packages a user has after install-deps with that list.
declare -A list_words
for list in plain web windows release; do
    option="--$list"; [ "$list" = plain ] && option=""
    list_words[$list]="$("$root/scripts/install-deps" --print $option | tr '\n' ' ')"
    # shellcheck disable=SC2086
    while read -r p; do deps[$list $p]=1; done < <(closure ${list_words[$list]})
done

# Packages install where a fresh machine's PATH looks; /usr/local is empty there.
system_path=/usr/sbin:/usr/bin:/sbin:/bin
declare -A package
failed=0
for script in "$root"/scripts/*; do
    head -n 1 "$script" | grep -q bash || continue
    name="scripts/${script##*/}"
    mapfile -t lists < <(lists_of "$script")
    if [ "$name" = scripts/install-deps ]; then
        lists=(release)  # it runs what every list needs, npm only for --release
    elif [ ${#lists[@]} -gt 1 ]; then
        echo "FAIL $name installs the lists ${lists[*]}: a command of one would pass for the others"
        failed=1
        continue
    fi
    list="${lists[0]:-plain}"
    declare -A own=()
    mapfile -t mine < <(listed "$script")
    if [ ${#mine[@]} -gt 0 ]; then
        while read -r p; do own[$p]=1; done < <(closure "${mine[@]}")
    fi
    # shellcheck disable=SC2206
    mine+=(${list_words[$list]})
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
                echo "$cmd: not checked, not installed here; $name installs ${missing_own[*]}"
            else
                echo "FAIL $name runs $cmd, which no installed package provides: its package belongs in scripts/install-deps's $list list"
                failed=1
            fi
        elif [ -n "${base[$p]:-}" ] || [ -n "${deps[$list $p]:-}" ] || [ -n "${own[$p]:-}" ]; then
            echo "$cmd: $p ($name, $list list)"
        else
            echo "FAIL $name runs $cmd, from package ${p:-unknown}, which is neither in the base nor installed by scripts/install-deps's $list list or $name"
            failed=1
        fi
    done < <(awk -f "$here/commands.awk" "$script" | sort)
done
exit "$failed"
