#!/usr/bin/env bash
# Times the façade exposure of the full-capacity generated city on this machine:
# 10 x 10 km, 3000 roads, 9000 buildings, 1000 barriers, 500 crossings, both
# diffractions on, people estimated from the footprints, all cores (or THREADS).
# Prints the elapsed time and the peak memory; run by hand, never by the tests.
#   bench/exposure_city.sh BUILD_DIR [THREADS]
set -euo pipefail
build=${1:?usage: bench/exposure_city.sh BUILD_DIR [THREADS]}
threads=${2:-$(nproc)}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/sonvale-make-town" --out "$work" --size 10000,10000 --roads 3000 --buildings 9000 \
  --barriers 1000 --crossings 500 --seed 7 >/dev/null
/usr/bin/time -f "elapsed %e s, user %U s, system %S s, peak memory %M kB" \
  "$build/bin/sonvale-cli" exposure "$work/town.svp" --out "$work/out" --estimate 40 \
  --diffr-barriers on --diffr-buildings on --threads "$threads" --yes --quiet \
  --program-dir "$build/bin"
wc -l "$work/out/facade_points.csv"
