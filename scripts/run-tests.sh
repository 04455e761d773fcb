#!/usr/bin/env bash
# Builds everything twice and runs the whole suite headless:
#   build       g++, warnings as errors: the program, the tests and the benchmarks;
#   build-asan  clang, AddressSanitizer + UndefinedBehaviorSanitizer, libFuzzer: the suite runs here.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "== build (g++)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPT_WERROR=ON >/dev/null
cmake --build build -j "$jobs"

echo "== package (from the g++ build)"
rm -f build/printer-test_*.deb
(cd build && cpack -G DEB >/dev/null)
bash scripts/check-package.sh build/printer-test_*.deb

echo "== build (clang, sanitizers)"
CXX=clang++-14 cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPT_SANITIZE=ON \
    -DPT_WERROR=ON >/dev/null
cmake --build build-asan -j "$jobs"

echo "== npos, the independent ESC/POS parser of the cross-check"
npm install --silent --no-audit --no-fund --prefix build-asan/npm npos@0.1.19 ||
    echo "npm could not install npos: the cross-check will be skipped"

echo "== tests (sanitizers)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
ctest --test-dir build-asan --output-on-failure -j "$jobs"
