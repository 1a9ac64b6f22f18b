#!/usr/bin/env bash
# Builds Stalkway and runs the whole test suite twice: once plainly, once built with
# AddressSanitizer and UndefinedBehaviorSanitizer; then the fuzzers replay their saved fault inputs
# and run briefly each. Exits non-zero on any failure, report or finding.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
stalkway_ensure_packages

stalkway_build build
ctest --test-dir build --output-on-failure -j"$(nproc)"

stalkway_build build-asan -DSTALKWAY_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
tools/fuzz.sh check
echo "All tests passed."
