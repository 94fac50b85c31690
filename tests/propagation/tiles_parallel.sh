#!/usr/bin/env bash
# Spreads the tiles of a map over GNU parallel, merges them and checks that the
# result is byte-identical to a single run; also that the fast and the reference
# engines write the same grid. Usage: tiles_parallel.sh SONVALE_CLI SOURCE_DIR
# GNU parallel comes with tools/install-deps.sh; without it the test fails.
set -euo pipefail
cli=${1:?usage: tiles_parallel.sh SONVALE_CLI SOURCE_DIR}
src=${2:?usage: tiles_parallel.sh SONVALE_CLI SOURCE_DIR}
if ! command -v parallel >/dev/null 2>&1; then
  echo "GNU parallel is not installed (Debian package parallel; tools/install-deps.sh)" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
project="$src/examples/town/town.svp"
common=(--mode plane --ndiv 40,30 --period day --yes --quiet)

"$cli" map "$project" --out "$work/single.grd" "${common[@]}" --threads 1
"$cli" map "$project" --out "$work/reference.grd" "${common[@]}" --engine reference --threads 2
cmp "$work/single_D.grd" "$work/reference_D.grd"

# Four tiles, two at a time, as on a workstation; then merged in any order.
parallel --halt now,fail=1 -j2 \
  "$cli" map "$project" --out "$work/tiled.grd" "${common[@]}" --threads 1 --tile {}/4 \
  ::: 1 2 3 4
"$cli" grid-merge "$work/merged_D.grd" "$work"/tiled_D.grd.part{4,2,1,3}of4 --quiet
cmp "$work/single_D.grd" "$work/merged_D.grd"

# A missing tile is refused and writes nothing.
if "$cli" grid-merge "$work/bad_D.grd" "$work"/tiled_D.grd.part{1,2,3}of4 --quiet 2>/dev/null; then
  echo "grid-merge accepted three tiles of four" >&2
  exit 1
fi
test ! -e "$work/bad_D.grd"
echo "tiles through GNU parallel: identical to the single run"
