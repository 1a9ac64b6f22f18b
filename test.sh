#!/usr/bin/env bash
# Builds Stalkway and runs the whole test suite twice: once plainly, once built with
# AddressSanitizer and UndefinedBehaviorSanitizer; then the tests of the program's threads built with
# ThreadSanitizer; then the fuzzers replay their saved fault inputs and run briefly each; then the
# browser build's tests in headless Chromium. Exits non-zero on any failure, report or finding.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
stalkway_ensure_packages xvfb

stalkway_build build -DSTALKWAY_WERROR=ON
ctest --test-dir build --output-on-failure -j"$(nproc)"

stalkway_build build-asan -DSTALKWAY_WERROR=ON -DSTALKWAY_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions="$(pwd)/tests/lsan.supp":print_suppressions=0 ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

# Only the programs whose tests run more than one thread (labelled "threads"): the timer and the
# pointer, the sound device's mixer, the sound library's callback and fill threads, and the
# real-time runs of the game.
stalkway_build build-tsan -DSTALKWAY_WERROR=ON -DSTALKWAY_TSAN=ON --target threaded_tests
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
    ctest --test-dir build-tsan --output-on-failure -j"$(nproc)" --no-tests=error -L threads

tools/fuzz.sh check

# The browser build: the same pixels as the native runner, real clicks in headless Chromium, and
# the page's message when it is not cross-origin isolated (tests/web/web_test.mjs). It uses the
# plain build's runner and data.
stalkway_ensure_packages chromium
./web.sh --no-serve
(cd tests/web && npm ci --no-audit --no-fund >/dev/null)
node tests/web/web_test.mjs build-web/site build
echo "All tests passed."
