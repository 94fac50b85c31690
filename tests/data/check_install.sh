#!/usr/bin/env bash
# Installs the build under a temporary prefix and checks that the installed
# programs find their configuration, tables and tracer there, and that the
# desktop entry and icon are in place, and that the GIS module loads from its
# library folder.
# Usage: check_install.sh BUILD_DIR SOURCE_DIR
set -eu
build="$1"
src="$2"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/sonvale bin/sonvale-cli share/sonvale/beamrun share/sonvale/sonvale.ini \
         share/sonvale/tables/selsc1v1.txt share/applications/sonvale.desktop \
         share/icons/hicolor/scalable/apps/sonvale.svg; do
  [ -e "$prefix/$f" ] || { echo "check_install: $f was not installed" >&2; exit 1; }
done
env -u SONVALE_HOME "$prefix/bin/sonvale-cli" info "$src/examples/town/town.svp" >"$prefix/info.txt"
grep -q "Strade *30" "$prefix/info.txt" || { cat "$prefix/info.txt" >&2; exit 1; }
ls "$prefix"/lib*/sonvale/libsonvale_gis.so "$prefix"/lib/*/sonvale/libsonvale_gis.so 2>/dev/null | grep -q . ||
  { echo "check_install: the GIS module was not installed" >&2; exit 1; }
env -u SONVALE_HOME "$prefix/bin/sonvale-cli" export-gis "$src/examples/town/town.svp" \
  "$prefix/town.gpkg" >"$prefix/gis.txt"
grep -q "strade 30" "$prefix/gis.txt" || { cat "$prefix/gis.txt" >&2; exit 1; }
echo "installed under $prefix and read the example town"
