#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the normal build, the ASan+UBSan build
# (UI tests on the offscreen platform), the engine tests under ThreadSanitizer (renames and reads run on
# several threads there) and each fuzz target for a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-5}

echo "== format check"
clang-format --dry-run -Werror $(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'fuzz/*.cpp')

echo "== desktop files"
desktop-file-validate data/dirwright.desktop
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net data/io.github.pellacorn.Dirwright.metainfo.xml
fi
bash -n data/shell/dirwright.bash
if command -v zsh >/dev/null; then
    zsh -n data/shell/_dirwright
fi
man_warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l data/dirwright.1 2>&1 >/dev/null)
if [ -n "$man_warnings" ]; then
    echo "$man_warnings"
    exit 1
fi

for preset in default asan; do
    echo "== $preset build"
    cmake --preset "$preset" -DDIRWRIGHT_WERROR=ON >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    echo "== $preset tests"
    ctest --preset "$preset" -j "$jobs"
done

echo "== tsan build (engine tests)"
cmake --preset tsan -DDIRWRIGHT_WERROR=ON >/dev/null
cmake --build --preset tsan -j "$jobs"
echo "== tsan tests"
TSAN_OPTIONS=halt_on_error=1 build/tsan/tests/core_tests --gtest_brief=1

echo "== fuzz targets (${fuzz_seconds}s each)"
cmake --preset fuzz -DDIRWRIGHT_WERROR=ON >/dev/null
cmake --build --preset fuzz -j "$jobs"
for target in build/fuzz/fuzz/*Fuzz; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="build/fuzz/corpus-$name"
    mkdir -p "$corpus"
    seeds="fuzz/seeds/$name"
    [ -d "$seeds" ] || seeds=""
    log="build/fuzz/$name.log"
    if "$target" -max_total_time="$fuzz_seconds" -max_len=4096 -timeout=10 $corpus $seeds >"$log" 2>&1; then
        echo "-- $name: $(grep -E '^Done [0-9]+ runs' "$log" | tail -n 1)"
    else
        echo "-- $name FAILED:"
        tail -n 60 "$log"
        exit 1
    fi
done
echo "== all tests passed"
