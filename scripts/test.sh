#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and UBSan (a compiler warning
# fails the build), checks the formatting of the C++ sources, and runs all tests.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TAVREL_TEST_BUILD_DIR:-$root/build/test}"

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTAVREL_SANITIZE=ON -DTAVREL_BUILD_BENCH=OFF \
  -DTAVREL_WARNINGS_AS_ERRORS=ON
cmake --build "$build" -j "$(nproc)"

# A formatting slip fails the run, but only after the tests have had their say.
format_status=0
bash "$root/scripts/check-format.sh" || format_status=$?

cd "$build"
ctest --output-on-failure -j "$(nproc)"
exit "$format_status"
