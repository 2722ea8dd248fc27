#!/usr/bin/env bash
# Generates the benchmark dumps and runs the benchmarks; the figures in
# BENCHMARKS.md come from this script's output.
#   bench/run_benchmarks.sh [BUILD_DIR] [DATA_DIR] [inspect|import|all]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
data=${2:-/tmp/tessel-bench}
what=${3:-all}
mkdir -p "$data"
cmake --build "$build" -j"$(nproc)" --target gen_dump inspect_bench import_bench >/dev/null

gen() { [ -s "$data/$1" ] || "$build/bench/gen_dump" "${@:2}" --out "$data/$1"; }

if [ "$what" != import ]; then
  gen text-1g.sql --size 1.1G --mix text
  gen meta-1g.sql --size 1.1G --mix meta
  gen text-legacy-1g.sql --size 1.1G --mix text --schema legacy
  [ -s "$data/text-1g.sql.gz" ] || gzip -6 -k -c "$data/text-1g.sql" > "$data/text-1g.sql.gz"
  echo "== inspection, beside wc -l over the same file (best of 3, interleaved)"
  "$build/bench/inspect_bench" --runs 3 --baseline wc "$data/text-1g.sql" \
    "$data/meta-1g.sql" "$data/text-legacy-1g.sql"
  echo "== inspection of a gzip-compressed dump, beside zcat over the same file"
  "$build/bench/inspect_bench" --runs 3 --baseline zcat "$data/text-1g.sql.gz"
fi
if [ "$what" != inspect ]; then
  for n in 1000 4000 16000; do gen "rev-$n.sql" --revisions "$n" --mix text; done
  echo "== import, beside as many plain git add + git commit pairs"
  for n in 1000 4000 16000; do
    "$build/bench/import_bench" "$data/rev-$n.sql" "$data/import-$n"
  done
fi
