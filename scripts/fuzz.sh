#!/usr/bin/env bash
# Fuzzes the DTAUS reader and verifier, the data packets and the settings store for a bounded time
# each (default 120 seconds).
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-120}"
declare -A seeds=([dtaus_reader_fuzzer]=dtaus [dtaus_verifier_fuzzer]=dtaus [data_packet_fuzzer]=packets
                  [settings_fuzzer]=settings)
targets=(dtaus_reader_fuzzer dtaus_verifier_fuzzer data_packet_fuzzer settings_fuzzer)
CXX=clang++ CC=clang cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBELVANTO_FUZZ=ON \
    -DBUILD_TESTING=OFF
cmake --build build-fuzz --target "${targets[@]}"
for target in "${targets[@]}"; do
    mkdir -p "build-fuzz/corpus/$target"
    cp "fuzz/seeds/${seeds[$target]}"/* "build-fuzz/corpus/$target/"
    "build-fuzz/fuzz/$target" -max_total_time="$seconds" -max_len=4096 "build-fuzz/corpus/$target"
done
