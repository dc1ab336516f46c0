#!/bin/sh
# The rename history across kill -9: a batch run over FOLDERS folders (20 000) is killed KILLS times (15)
# at a random moment; after each kill the next start (--batch --history) must find every folder old- or
# new-named and exactly one history line for every folder that carries its new name. --undo-last then
# takes the run back, which must leave every folder old-named and the history empty.
# Not part of ctest: it takes a few minutes. Usage: tools/history-kill.sh [build folder]
set -eu
build=${1:-build/default}
program="$build/bin/dirwright"
folders=${FOLDERS:-20000}
kills=${KILLS:-15}
work=${WORK:-/tmp/dirwright-history-kill}
export XDG_DATA_HOME="$work/data"
settings="$XDG_DATA_HOME/Pellacorn/Dirwright"
tree="$work/tree"
mkdir -p "$settings" "$tree"
printf '[Settings]\nprotren=1\nlng=English\n' >"$settings/settings.vlp"
rm -f "$settings/renamed.vlp" "$settings/renaming.vlp"

# The tree is kept between runs (mass deletes slow this file system down for minutes).
count=$(find "$tree" -mindepth 1 -maxdepth 1 -type d | wc -l)
if [ "$count" -ne "$folders" ]; then
    rm -rf "$tree" && mkdir -p "$tree"
    (cd "$tree" && seq -f 'f%05g' 1 "$folders" | xargs mkdir)
fi

check() { # $1: what happened
    old=$(find "$tree" -mindepth 1 -maxdepth 1 -type d -name 'f?????' | wc -l)
    new=$(find "$tree" -mindepth 1 -maxdepth 1 -type d -name 'f?????_x' | wc -l)
    "$program" --batch --history >"$work/history.txt"
    lines=$(wc -l <"$work/history.txt")
    undoable=$(grep -c '	yes$' "$work/history.txt" || true)
    # Every new-named folder has its line, and no line names a folder that was not renamed.
    missing=$(find "$tree" -mindepth 1 -maxdepth 1 -type d -name 'f?????_x' -printf '%f\n' | sort >"$work/new.txt"
        cut -f4 "$work/history.txt" | sort >"$work/lines.txt"
        comm -3 "$work/new.txt" "$work/lines.txt" | wc -l)
    echo "$1: $old old + $new new = $((old + new)) of $folders folders; $lines history lines ($undoable undoable); $missing mismatches"
    [ $((old + new)) -eq "$folders" ] && [ "$lines" -eq "$new" ] && [ "$undoable" -eq "$new" ] && [ "$missing" -eq 0 ]
}

# Folders left renamed by an interrupted try go back first.
"$program" --batch --structure '<NAME_L(6)>' --subfolders "$tree" >/dev/null
rm -f "$settings/renamed.vlp" "$settings/renaming.vlp"

start=$(date +%s.%N)
"$program" --batch --structure '<NAME>_x' --subfolders "$tree" >/dev/null
full=$(echo "$(date +%s.%N) - $start" | bc)
check "uninterrupted run (${full}s)"
"$program" --batch --undo-last >/dev/null
check "undone"

failures=0
i=1
while [ "$i" -le "$kills" ]; do
    "$program" --batch --structure '<NAME>_x' --subfolders "$tree" >/dev/null &
    pid=$!
    # Loading and sorting take most of a run; the kill lands in the renaming, which starts with the first
    # history line: up to RENAME_MS (half a second) after it.
    while [ ! -s "$settings/renamed.vlp" ] && kill -0 "$pid" 2>/dev/null; do sleep 0.01; done
    delay=$(shuf -i 0-"${RENAME_MS:-500}" -n 1)
    sleep "$(awk -v ms="$delay" 'BEGIN { printf "%.3f", ms / 1000 }')"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    check "kill $i ${delay} ms into the renaming" || failures=$((failures + 1))
    "$program" --batch --undo-last >/dev/null || true
    check "kill $i undone" || failures=$((failures + 1))
    i=$((i + 1))
done
echo "$failures failed checks"
[ "$failures" -eq 0 ]
