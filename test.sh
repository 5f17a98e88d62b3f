#!/usr/bin/env bash
# Installs what is missing, builds and runs every test twice: a normal debug
# build and one with AddressSanitizer and UndefinedBehaviorSanitizer.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
kesto_ensure_packages "${KESTO_BUILD_PACKAGES[@]}" "${KESTO_TEST_PACKAGES[@]}"

jobs=$(nproc)
for preset in dev asan; do
    echo "=== $preset: build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    echo "=== $preset: tests"
    ctest --preset "$preset" -j "$jobs"
done
