#!/usr/bin/env bash
# Builds Stalkway and runs the whole test suite twice: once plainly, once built with
# AddressSanitizer and UndefinedBehaviorSanitizer. Exits non-zero on any failure or report.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
stalkway_ensure_packages

stalkway_build build
ctest --test-dir build --output-on-failure -j"$(nproc)"

stalkway_build build-asan -DSTALKWAY_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
echo "All tests passed."
