#!/usr/bin/env bash
# Builds when needed and runs the viewer on the bundled example with both
# plug-ins loaded: headless, printing what it does, until the desktop front
# end is there. Usage: ./run.sh [viewer arguments]
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build >/dev/null
exec build/bin/korvid-viewer --headless --script examples/example.kvs "$@"
