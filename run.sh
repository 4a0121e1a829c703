#!/usr/bin/env bash
# Builds when needed and opens the bundled example in the viewer with both
# plug-ins loaded.
#   ./run.sh [viewer arguments]             the desktop viewer (needs a display)
#   ./run.sh --headless [viewer arguments]  the example script, printed, no windows
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build >/dev/null

if [ "${1:-}" = "--headless" ]; then
  shift
  exec build/bin/korvid-viewer --headless --script examples/example.kvs "$@"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: there is no display to open the viewer's window on (DISPLAY and WAYLAND_DISPLAY are not set)." >&2
  echo "Run the bundled example headless instead: ./run.sh --headless" >&2
  echo "(or give the viewer a virtual display: xvfb-run -a ./run.sh)" >&2
  exit 3
fi
exec build/bin/korvid-viewer examples/example.pdf "$@"
