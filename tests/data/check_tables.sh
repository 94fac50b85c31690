#!/usr/bin/env bash
# Regenerates the delivered emission tables into a temporary folder and compares
# them with data/tables: any difference, missing or extra table file fails.
# Usage: check_tables.sh SOURCE_DIR
set -u
src="${1:-$(cd "$(dirname "$0")/../.." && pwd)}"
python="$(command -v python3 || true)"
if [ -z "$python" ]; then
  echo "check_tables: python3 not found" >&2
  exit 2
fi
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
if ! "$python" "$src/tools/make-tables.py" "$tmp/tables" >"$tmp/log" 2>&1; then
  cat "$tmp/log" >&2
  echo "check_tables: make-tables.py failed" >&2
  exit 1
fi
cat "$tmp/log"
# README.md lives beside the tables but is written by hand, not generated.
if ! diff -r -x README.md "$src/data/tables" "$tmp/tables"; then
  echo "check_tables: data/tables differs from what tools/make-tables.py writes" >&2
  exit 1
fi
count="$(ls "$tmp/tables" | wc -l)"
if [ "$count" -ne 104 ]; then
  echo "check_tables: expected 104 table files, got $count" >&2
  exit 1
fi
echo "check_tables: data/tables regenerates byte for byte ($count files)"
