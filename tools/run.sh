#!/usr/bin/env bash
# Installs what is missing, builds Dirwright and starts it. Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target dirwright
exec build/default/bin/dirwright "$@"
