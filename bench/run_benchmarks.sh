#!/usr/bin/env bash
# Generates the benchmark dumps and runs both benchmarks; the figures in
# BENCHMARKS.md come from this script's output.
#   bench/run_benchmarks.sh [BUILD_DIR] [DATA_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
data=${2:-/tmp/tessel-bench}
mkdir -p "$data"
cmake --build "$build" -j"$(nproc)" --target gen_dump inspect_bench import_bench >/dev/null

gen() { [ -s "$data/$1" ] || "$build/bench/gen_dump" "${@:2}" --out "$data/$1"; }
gen text-1g.sql --size 1.1G --mix text
gen meta-1g.sql --size 1.1G --mix meta
gen text-legacy-1g.sql --size 1.1G --mix text --schema legacy
for n in 1000 4000 16000; do gen "rev-$n.sql" --revisions "$n" --mix text; done

echo "== inspection, beside wc -l over the same file (best of 3, interleaved)"
"$build/bench/inspect_bench" --runs 3 "$data/text-1g.sql" "$data/meta-1g.sql" \
  "$data/text-legacy-1g.sql"
echo "== import, beside plain git add + git commit pairs on the imported repository"
for n in 1000 4000 16000; do
  "$build/bench/import_bench" "$data/rev-$n.sql" "$data/import-$n"
done
