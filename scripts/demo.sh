#!/usr/bin/env bash
# Builds tessel, imports the bundled sample dump into a fresh repository and
# shows its history.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh >/dev/null
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)" --target tessel_cli >/dev/null

out=${1:-/tmp/tessel-sample-wiki}
rm -rf "$out"
build/tools/tessel/tessel inspect samples/smallwiki.sql
build/tools/tessel/tessel import samples/smallwiki.sql "$out"
git -C "$out" log --stat --format='%h %ad %an <%ae>%n    %s' --date=iso-strict
