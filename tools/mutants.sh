#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Shows what the tests are worth: seeds one small fault at a time into the sources (a check dropped, a comparison
# flipped, a constant changed, a wait or a kill removed), rebuilds the build folder incrementally and runs every
# test. A fault that makes a test fail is killed; one that passes them all survives and shows a gap in the tests.
#
#   tools/mutants.sh [build folder] [mutant list]    defaults: build, tools/mutants.txt
#   tools/mutants.sh --check [mutant list]           only tells which snippets are no longer in the sources
#
# MUTANTS="name other-name" runs only those. The build folder must be configured already (tools/build.sh). Every
# mutant costs a rebuild and a test run, about a minute each; run it by hand, not in CI. The file is restored after
# each mutant, and on Ctrl+C too.
#
# The list holds one block per mutant: "== name: what the fault does", the file, then "--" and the exact snippet,
# then "++" and what replaces it. Lines before the first block are comments. A snippet that is not in the
# file (or is there more than once) makes the mutant stale: reported, not counted.
set -uo pipefail
shopt -u patsub_replacement 2>/dev/null || true

root="$(cd "$(dirname "$0")/.." && pwd)"
check_only=false
if [ "${1:-}" = --check ]; then
    check_only=true
    shift
    list="${1:-$root/tools/mutants.txt}"
else
    build="$(realpath -m "${1:-$root/build}")"
    list="${2:-$root/tools/mutants.txt}"
fi

names=() files=() olds=() news=()
parse() {
    local line part="" i=-1
    while IFS= read -r line || [ -n "$line" ]; do
        if [[ $line == "== "* ]]; then
            i=$((i + 1)) part=file
            names[i]="${line#== }" files[i]="" olds[i]="" news[i]=""
        elif [ "$part" = file ] && [ -n "$line" ]; then
            files[i]="$line" part=""
        elif [ "$i" -ge 0 ] && [ "$line" = -- ]; then
            part=old
        elif [ "$i" -ge 0 ] && [ "$line" = ++ ]; then
            part=new
        elif [ "$part" = old ]; then
            olds[i]+="$line"$'\n'
        elif [ "$part" = new ]; then
            news[i]+="$line"$'\n'
        fi
    done <"$list"
    # Blank lines between blocks belong to no snippet, and the last line break to none either, so that a snippet
    # may be a piece of a line.
    for i in "${!names[@]}"; do
        while [[ ${olds[i]} == *$'\n' ]]; do olds[i]="${olds[i]%$'\n'}"; done
        while [[ ${news[i]} == *$'\n' ]]; do news[i]="${news[i]%$'\n'}"; done
    done
}
parse

# Whether snippet i is in its file exactly once.
found_once() {
    local content rest
    content="$(cat "$root/${files[$1]}" 2>/dev/null)"
    [[ -n ${olds[$1]} && $content == *"${olds[$1]}"* ]] || return 1
    rest="${content/"${olds[$1]}"/}"
    [[ $rest != *"${olds[$1]}"* ]]
}

wanted() {
    [ -z "${MUTANTS:-}" ] && return 0
    [[ " $MUTANTS " == *" ${names[$1]%%:*} "* ]]
}

if $check_only; then
    stale=0
    for i in "${!names[@]}"; do
        wanted "$i" || continue
        found_once "$i" || { echo "stale: ${names[i]} (${files[i]})"; stale=$((stale + 1)); }
    done
    echo "${#names[@]} mutants, $stale stale"
    exit $((stale > 0))
fi

[ -f "$build/CMakeCache.txt" ] || { echo "no configured build in $build (tools/build.sh $build)" >&2; exit 2; }
logs="$build/mutants"
mkdir -p "$logs"

backup="" target=""
restore() {
    if [ -n "$backup" ]; then
        # cat keeps the file but gives it a new time, so the next build compiles the restored file again.
        cat "$backup" >"$target"
        rm -f "$backup"
        backup=""
    fi
}
trap 'restore; exit 130' INT TERM
trap restore EXIT

build_and_test() {
    cmake --build "$build" >"$1" 2>&1 || return 2
    (cd "$build" && ctest -j2 --stop-on-failure --timeout 120 --output-on-failure) >>"$1" 2>&1 || return 1
}

# Every test must pass without a fault, or every fault would count as killed.
echo "baseline: building and testing without a fault ..."
if ! build_and_test "$logs/baseline.log"; then
    echo "the tests fail without any fault; see $logs/baseline.log" >&2
    exit 2
fi

total=0 killed=0 survivors=() stale=() broken=()
for i in "${!names[@]}"; do
    wanted "$i" || continue
    name="${names[i]%%:*}"
    if ! found_once "$i"; then
        stale+=("${names[i]}")
        echo "stale     $name"
        continue
    fi
    target="$root/${files[i]}"
    backup="$(mktemp)"
    cat "$target" >"$backup"
    content="$(cat "$target")"
    printf '%s\n' "${content/"${olds[i]}"/"${news[i]}"}" >"$target"
    start=$SECONDS
    build_and_test "$logs/$name.log"
    outcome=$?
    restore
    took=$((SECONDS - start))
    case $outcome in
    0)
        total=$((total + 1)) survivors+=("${names[i]}")
        echo "SURVIVED  $name (${took} s)"
        ;;
    1)
        total=$((total + 1)) killed=$((killed + 1))
        failed=$(sed -nE 's/^[[:space:]]+[0-9]+ - ([^ ]+) \(.*/\1/p' "$logs/$name.log" | sort -u | tr '\n' ' ')
        echo "killed    $name by ${failed:-?}(${took} s)"
        ;;
    *)
        broken+=("${names[i]}")
        echo "no build  $name (see $logs/$name.log)"
        ;;
    esac
done
# Leave the build as the sources are.
cmake --build "$build" >/dev/null 2>&1

echo
echo "killed $killed/$total"
[ ${#survivors[@]} -eq 0 ] || printf 'survived: %s\n' "${survivors[@]}"
[ ${#stale[@]} -eq 0 ] || printf 'stale (not counted): %s\n' "${stale[@]}"
[ ${#broken[@]} -eq 0 ] || printf 'did not build (not counted): %s\n' "${broken[@]}"
[ ${#survivors[@]} -eq 0 ]
