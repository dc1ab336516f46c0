#!/bin/sh
# Appends and rewrites of the rename history take turns: a batch run of FOLDERS renames (20 000) while
# another process runs the history window's rewrite over and over. Every rename must have its line.
# Not part of ctest. Usage: tools/history-concurrency.sh [build folder]
set -eu
build=${1:-build/default}
program="$build/bin/dirwright"
folders=${FOLDERS:-20000}
work=${WORK:-/tmp/dirwright-history-concurrency}
export XDG_DATA_HOME="$work/data"
settings="$XDG_DATA_HOME/Pellacorn/Dirwright"
tree="$work/tree"
mkdir -p "$settings" "$tree"
printf '[Settings]\nprotren=1\nlng=English\n' >"$settings/settings.vlp"
rm -f "$settings/renamed.vlp" "$settings/renaming.vlp" "$work/stop"

count=$(find "$tree" -mindepth 1 -maxdepth 1 -type d | wc -l)
if [ "$count" -ne "$folders" ]; then
    rm -rf "$tree" && mkdir -p "$tree"
    (cd "$tree" && seq -f 'f%05g' 1 "$folders" | xargs mkdir)
fi
# Folders left renamed by an earlier run go back first.
"$program" --batch --structure '<NAME_L(6)>' --subfolders "$tree" >/dev/null
rm -f "$settings/renamed.vlp" "$settings/renaming.vlp"

"$build/bench/HistoryRewriteLoop" "$settings/" "$work/stop" >"$work/rewrites.txt" &
loop=$!
"$program" --batch --structure '<NAME>_x' --subfolders "$tree" >/dev/null
touch "$work/stop"
wait "$loop"
lines=$(wc -l <"$settings/renamed.vlp")
renamed=$(find "$tree" -mindepth 1 -maxdepth 1 -type d -name 'f?????_x' | wc -l)
echo "$renamed folders renamed, $lines of $folders lines in the history, $(cat "$work/rewrites.txt") rewrites meanwhile"
[ "$lines" -eq "$folders" ] && [ "$renamed" -eq "$folders" ]
