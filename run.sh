#!/usr/bin/env bash
# Builds when needed and opens the bundled example in the viewer with both
# plug-ins loaded. Usage: ./run.sh [viewer arguments]
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build >/dev/null
exec build/viewer/app/korvid-viewer --headless --script examples/example.kvs "$@"
