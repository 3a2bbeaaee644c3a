#!/usr/bin/env bash
# Fuzzes the DTAUS reader and verifier for a bounded time each (default 120 seconds).
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-120}"
CXX=clang++ CC=clang cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBELVANTO_FUZZ=ON \
    -DBUILD_TESTING=OFF
cmake --build build-fuzz --target dtaus_reader_fuzzer dtaus_verifier_fuzzer
mkdir -p build-fuzz/corpus
for target in dtaus_reader_fuzzer dtaus_verifier_fuzzer; do
    mkdir -p "build-fuzz/corpus/$target"
    cp fuzz/seeds/* "build-fuzz/corpus/$target/" 2>/dev/null || true
    "build-fuzz/fuzz/$target" -max_total_time="$seconds" -max_len=4096 "build-fuzz/corpus/$target"
done
