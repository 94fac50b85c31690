#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, in build-fuzz/) and runs each for SECONDS seconds.
#   tools/fuzz.sh SECONDS [TARGET...]     (default: every target)
# Each target starts from its seed corpus (the examples, the tests' fixtures and
# third-party files, fuzz/seeds/) and keeps what it finds in build-fuzz/corpus/NAME,
# so that a later run goes on from there. A crash, leak, time-out or sanitizer
# report stops the script with a non-zero status; the input that caused it is kept
# in build-fuzz/findings/. The executions of each run are listed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

seconds=${1:?usage: tools/fuzz.sh SECONDS [TARGET...]}
shift
build=${SONVALE_FUZZ_BUILD:-$root/build-fuzz}
jobs=${SONVALE_FUZZ_JOBS:-2}

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DSONVALE_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
fi
cmake --build "$build" -j "$jobs" --target fuzz_targets

all=(project_file configuration emission_tables dxf_layers room_dxf materials csv_nodes csv_arcs
     csv_streets csv_traffic csv_points grid_dsaa grid_dsbb ray spk den limits tracer_xml gis_import
     population population_layer facade_points)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all[@]}")

# Seeds: files of the tree, and for the targets whose first byte picks a variant,
# the same files behind a choice byte.
seed() {  # seed TARGET FILE...
  mkdir -p "$build/seeds/$1"
  local t=$1
  shift
  for f in "$@"; do [ -f "$f" ] && cp "$f" "$build/seeds/$t/"; done
  return 0
}
seed_with_choice() {  # seed_with_choice TARGET CHOICES FILE...
  mkdir -p "$build/seeds/$1"
  local t=$1 choices=$2 k=0
  shift 2
  for f in "$@"; do
    [ -f "$f" ] || continue
    { printf "\\$(printf '%03o' $((k % choices)))"; cat "$f"; } >"$build/seeds/$t/$k-$(basename "$f")"
    k=$((k + 1))
  done
}
rm -rf "$build/seeds"
dxf=(examples/town/town.dxf tests/fixtures/dxf/*.dxf tests/data/third_party/dxf/*.dxf tests/data/third_party/dxf/*.DXF)
seed project_file examples/town/town.svp tests/fixtures/svp/*.svp
seed configuration data/sonvale.ini tests/fixtures/config/*.ini
seed_with_choice emission_tables 256 data/tables/dirsc1v1.txt data/tables/selsc1v1.txt \
  data/tables/dirtc1v1.txt data/tables/seltc1v1.txt
seed_with_choice dxf_layers 8 "${dxf[@]}" "${dxf[@]}"
seed room_dxf "${dxf[@]}"
seed materials data/echoray.mat
seed csv_nodes examples/town/nodes.csv
seed_with_choice csv_arcs 8 examples/town/arcs.csv examples/town/arcs.csv examples/town/arcs.csv
seed grid_dsaa examples/town/terrain.grd tests/data/third_party/grd/*.grd
seed grid_dsbb tests/data/third_party/grd/*.grd
# The GIS layers, one for each entity kind in the order of the choice byte, given
# with each of the four ways of joining; then the hostile ones (NaN and infinite
# coordinates, empty rings, values of the wrong type).
gis=(fuzz/seeds/gis_import/[0-5]-*.geojson)
seed_with_choice gis_import 256 "${gis[@]}" "${gis[@]}" "${gis[@]}" "${gis[@]}"
seed_with_choice gis_import 6 fuzz/seeds/gis_import/hostile-*.geojson
# Layers of people, with each choice of the figures mapped; then the hostile layers.
seed_with_choice population_layer 8 fuzz/seeds/population_layer/*.geojson \
  fuzz/seeds/population_layer/*.geojson fuzz/seeds/population_layer/*.geojson \
  fuzz/seeds/population_layer/*.geojson
seed_with_choice population_layer 256 fuzz/seeds/gis_import/hostile-*.geojson
for t in csv_streets csv_traffic csv_points ray spk den limits tracer_xml population \
    facade_points; do
  seed "$t" fuzz/seeds/$t/*
done

mkdir -p "$build/findings" "$build/logs"
summary=()
status=0
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  mkdir -p "$corpus"
  log="$build/logs/$t.log"
  start=$SECONDS
  if ! "$build/bin/fuzz_$t" "$corpus" "$build/seeds/$t" -max_total_time="$seconds" \
      -timeout=10 -rss_limit_mb=2048 -max_len=1048576 -print_final_stats=1 \
      -artifact_prefix="$build/findings/$t-" >"$log" 2>&1; then
    echo "fuzz: $t found a problem; see $log and $build/findings/" >&2
    tail -n 40 "$log" >&2
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  summary+=("$(printf '%-16s %12s executions in %4d s' "$t" "${runs:-?}" $((SECONDS - start)))")
done
printf '%s\n' "${summary[@]}"
exit $status
