#!/usr/bin/env bash
# Installs what the tests need, then builds and runs every test twice: in the normal build and
# under AddressSanitizer and UndefinedBehaviorSanitizer with leak checking. Both runs replay the
# committed fuzz corpus (tst_corpus_replay); the fuzzers themselves run with scripts/fuzz.sh.
# Warnings are errors here (VANDREL_WERROR), not in an operator's own build. The tests and the
# benchmarks are asked for here each time, whatever scripts/run.sh left in build/.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test

for preset in default asan; do
    echo "== $preset build"
    cmake --preset "$preset" -DVANDREL_WERROR=ON -DBUILD_TESTING=ON -DVANDREL_BENCHMARKS=ON \
        >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
