#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tervalo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the libFuzzer target with clang in a build directory of its own and runs it.
#   fuzz/run-fuzzer.sh [seconds] [extra libFuzzer options...]
# Seeds come from fuzz/corpus and fuzz/regressions (left untouched); new inputs go to $BUILD/corpus and any crash
# to $BUILD/artifacts. BUILD defaults to build/fuzz.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-600}"
shift || true
build="${BUILD:-$here/build/fuzz}"

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTERVALO_BUILD_TESTS=ON -DTERVALO_FUZZER=ON -DTERVALO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target profile_fuzzer

mkdir -p "$build/corpus" "$build/artifacts"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
exec "$build/fuzz/profile_fuzzer" "$build/corpus" "$here/fuzz/corpus" "$here/fuzz/regressions" \
    -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
    -artifact_prefix="$build/artifacts/" -print_final_stats=1 "$@"
