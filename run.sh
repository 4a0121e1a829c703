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

headless=false
if [ "${1:-}" = "--headless" ]; then
  shift
  headless=true
elif [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No window can open here; the same example runs as a script instead.
  echo "run.sh: no display (DISPLAY and WAYLAND_DISPLAY are not set), so the example runs headless." >&2
  echo "run.sh: for the viewer's window, give it a display, e.g. xvfb-run -a ./run.sh" >&2
  headless=true
fi
if $headless; then
  exec build/bin/korvid-viewer --headless --script examples/example.kvs "$@"
fi
exec build/bin/korvid-viewer examples/example.pdf "$@"
