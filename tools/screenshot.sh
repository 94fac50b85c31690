#!/usr/bin/env bash
# Takes docs/screenshot.png: the main window on a virtual X display (Xvfb) with
# the example town and its day map, as the map test through the menu leaves it;
# docs/do_punti.png, the point window after computing the town's points, and
# docs/beamrunlauncher.png, the tracer launcher of a map run.
# Usage: tools/screenshot.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
command -v xvfb-run >/dev/null || { echo "screenshot: install xvfb (apt-get install xvfb xauth)" >&2; exit 1; }
mkdir -p docs
env -u QT_QPA_PLATFORM SONVALE_HOME="$PWD/$build/bin" SONVALE_SCREENSHOT="$PWD/docs/screenshot.png" \
  xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/bin/test_ui_map_run_test" mapThroughTheMenuEqualsTheCommandLineAndPaintsCells
env -u QT_QPA_PLATFORM SONVALE_HOME="$PWD/$build/bin" SONVALE_SCREENSHOT_DIR="$PWD/docs" \
  xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/bin/test_ui_do_punti_test" pointsThroughTheMenuEqualTheCommandLine theLaunchModeChosenReachesTheTracer
echo "docs/screenshot.png docs/do_punti.png docs/beamrunlauncher.png"
