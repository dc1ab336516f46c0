#!/usr/bin/env bash
# Times the batch mode against its peers on the same folders, in one run:
#   the bare renameat2 loop over the list dirwright gets (bench/bare-rename.c, = 1.00), mmv, perl
#   rename with names on stdin, and dirwright --batch with a prefix script, given the folders as a --list
#   file and as --subfolders DIR.
# Every tool adds the prefix "p_" to every folder; the bare loop takes it off again, untimed.
#
#   bench/batch-vs-peers.sh [COUNT] [flat|nested] [ROUNDS]
#
# COUNT folders (100000) as siblings, or nested 10 a level. The fixture is built once below BENCH_DIR
# (/var/tmp/dirwright-bench) and kept: deleting a million folders slows the file system for minutes.
# BUILD names the build folder with bin/dirwright (build/default); BEFORE, when set, names a second one
# (an earlier version) that is timed the same way in the same run, for before-and-after figures.
set -euo pipefail
count=${1:-100000}
layout=${2:-flat}
rounds=${3:-1}
here=$(cd "$(dirname "$0")/.." && pwd)
root=${BENCH_DIR:-/var/tmp/dirwright-bench}
build=${BUILD:-$here/build/default}
dirwright=$build/bin/dirwright
work=$root/$layout-$count
tree=$work/tree
mkdir -p "$work"

bare=$root/bare-rename
if [ ! -x "$bare" ] || [ "$here/bench/bare-rename.c" -nt "$bare" ]; then
    cc -O2 -o "$bare" "$here/bench/bare-rename.c"
fi
for tool in mmv rename; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (tools/deps.sh installs it)" >&2; exit 1; }
done
[ -x "$dirwright" ] || { echo "$dirwright is missing: build first" >&2; exit 1; }
before=${BEFORE:+$BEFORE/bin/dirwright}
[ -z "$before" ] || [ -x "$before" ] || { echo "$before is missing" >&2; exit 1; }

if [ ! -e "$work/ready" ]; then
    rm -rf "$tree"
    per_level=0
    [ "$layout" = nested ] && per_level=10
    "$bare" make "$tree" "$count" "$per_level"
    touch "$work/ready"
fi
# A run that was stopped half-way leaves prefixed folders: take the prefix off first.
"$bare" strip "$tree" p_ 2>/dev/null || true

# Deepest first, so that each path is still valid when its turn comes.
find "$tree" -mindepth 1 -depth -type d >"$work/list.txt"
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"
printf '[Main]\r\nSteps=1\r\n[1]\r\nType=5\r\ntxtPr=p_\r\n' >"$work/prefix.vls"

results=()
# time_tool NAME COMMAND...: runs it, checks that every folder got its prefix, restores the tree.
time_tool() {
    local name=$1
    shift
    sync
    # The tree was just renamed back. A real archive was not changed in the second before a run, and a
    # folder read in the second of its last change cannot be trusted until it is read again.
    sleep 1
    local start end rss user sys
    start=$(date +%s.%N)
    /usr/bin/time -f '%M %U %S' -o "$work/rss" "$@" >"$work/out.txt" 2>"$work/err.txt" || {
        echo "$name failed:" >&2
        tail -5 "$work/err.txt" >&2
    }
    end=$(date +%s.%N)
    read -r rss user sys < <(tail -1 "$work/rss")
    local renamed
    renamed=$(find "$tree" -mindepth 1 -type d -name 'p_*' | wc -l)
    "$bare" strip "$tree" p_ 2>/dev/null
    results+=("$name $(echo "$end - $start" | bc) $rss $renamed $(echo "$user + $sys" | bc)")
}

for ((round = 1; round <= rounds; ++round)); do
    time_tool bare "$bare" listed "$work/list.txt" p_
    if [ "$layout" = flat ]; then
        time_tool mmv sh -c "cd '$tree' && mmv '*' 'p_#1'"
    fi
    time_tool perl-rename sh -c "rename 's{/([^/]+)\$}{/p_\$1}' <'$work/list.txt'"
    for version in ${before:+before} now; do
        program=$dirwright
        suffix=
        [ "$version" = before ] && program=$before suffix=-before
        time_tool "dirwright-list$suffix" "$program" --batch --script "$work/prefix.vls" --sort none --list "$work/list.txt"
        if [ "$layout" = flat ]; then
            time_tool "dirwright-subfolders$suffix" "$program" --batch --script "$work/prefix.vls" --subfolders "$tree"
        fi
        find "$XDG_DATA_HOME" -name renamed.vlp -delete
    done
    find "$XDG_DATA_HOME" -name renamed.vlp -delete
done

# Wall-clock seconds and their ratio to the bare loop of the same round; CPU seconds (user + system) too,
# since a busy machine stretches the first.
# Every round starts with the bare loop.
printf '%5s %-28s %9s %7s %9s %12s %10s %9s\n' round tool seconds ratio "cpu s" "peak KiB" "B/folder" renamed
round=0
for line in "${results[@]}"; do
    read -r name seconds rss renamed cpu <<<"$line"
    if [ "$name" = bare ]; then
        base=$seconds
        round=$((round + 1))
    fi
    awk -v k="$round" -v n="$name" -v s="$seconds" -v b="$base" -v r="$rss" -v c="$count" -v d="$renamed" -v u="$cpu" \
        'BEGIN { printf "%5d %-28s %9.2f %7.2f %9.2f %12d %10d %9d\n", k, n, s, s / b, u, r, r * 1024 / c, d }'
done
# With several rounds, each tool's median ratio: the renames of a folder vary by a tenth from one run to
# the next, more than most changes a version makes.
if ((rounds > 1)); then
    printf '\n%-28s %7s %7s %7s %12s\n' "median of $rounds" ratio lowest highest "peak KiB"
    printf '%s\n' "${results[@]}" | awk '
        $1 == "bare" { base = $2 }
        { r = $2 / base; n = cnt[$1]++; ratio[$1, n] = r; rss[$1, n] = $3; if (!($1 in seen)) { seen[$1]; order[++k] = $1 } }
        function median(a, name, m,    i, j, t, v) {
            for (i = 0; i < m; ++i) v[i] = a[name, i]
            for (i = 1; i < m; ++i) for (j = i; j > 0 && v[j - 1] > v[j]; --j) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
            lo = v[0]; hi = v[m - 1]
            return m % 2 ? v[(m - 1) / 2] : (v[m / 2 - 1] + v[m / 2]) / 2
        }
        END {
            for (i = 1; i <= k; ++i) {
                name = order[i]; m = cnt[name]
                mr = median(ratio, name, m); l = lo; h = hi
                printf "%-28s %7.2f %7.2f %7.2f %12d\n", name, mr, l, h, median(rss, name, m)
            }
        }'
fi
