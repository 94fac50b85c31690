#!/usr/bin/env bash
# Takes docs/screenshot.png: the main window on a virtual X display (Xvfb) with
# the example town and its day map, as the map test through the menu leaves it;
# docs/do_punti.png, the point window after computing the town's points;
# docs/beamrunlauncher.png, the tracer launcher of a map run; the mapping
# dialog (docs/domap.png) and the exchange dialogs (docs/csv_options.png,
# docs/ray_options.png, docs/do_emiss.png); the main window with a map, its
# legend and the coordinate field (docs/main_window_map.png), and in English
# with its mapping dialog and the GIS import (docs/main_window_en.png,
# docs/domap_en.png, docs/importa_gis_en.png); the GIS dialogs
# (docs/importa_gis.png, docs/operazioni_mappe.png, docs/domap_gis.png) and a
# map painted in an isophone colour scheme with its legend
# (docs/main_window_scheme.png); the façade points of an exposure run with the
# legend of their bands (docs/main_window_exposure.png).
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
env -u QT_QPA_PLATFORM SONVALE_HOME="$PWD/$build/bin" SONVALE_SCREENSHOT="$PWD/docs/domap.png" \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/test_ui_do_map_test" picture
env -u QT_QPA_PLATFORM SONVALE_HOME="$PWD/$build/bin" SONVALE_SCREENSHOT_DIR="$PWD/docs" \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/test_ui_exchange_dialogs_test"
env -u QT_QPA_PLATFORM SONVALE_HOME="$PWD/$build/bin" SONVALE_SCREENSHOT_DIR="$PWD/docs" \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/test_ui_map_window_test" \
  typedDivisionsGiveTheTypedGridAndTheFieldTellsTheLevel anEnglishStartShowsEnglishCaptions \
  anExposureRunShowsItsPointsWithTheirLegend
env -u QT_QPA_PLATFORM SONVALE_HOME="$PWD/$build/bin" SONVALE_SCREENSHOT_DIR="$PWD/docs" \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/test_ui_exposure_window_test"
env -u QT_QPA_PLATFORM SONVALE_HOME="$PWD/$build/bin" SONVALE_SCREENSHOT_DIR="$PWD/docs" \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/test_ui_gis_dialogs_test"
echo "docs/exposure_window.png docs/main_window_map.png docs/main_window_en.png docs/domap_en.png" \
  "docs/importa_gis_en.png docs/importa_gis.png docs/operazioni_mappe.png docs/domap_gis.png" \
  "docs/main_window_scheme.png docs/main_window_exposure.png" \
  "docs/screenshot.png docs/do_punti.png docs/beamrunlauncher.png docs/domap.png" \
  "docs/csv_options.png docs/ray_options.png docs/do_emiss.png"
