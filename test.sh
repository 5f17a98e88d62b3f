#!/usr/bin/env bash
# Installs what is missing, builds and runs every test twice: a normal debug
# build and one with AddressSanitizer and UndefinedBehaviorSanitizer; then
# builds the Debian package, checks it, installs it, tries it and removes it
# again (as root; skipped otherwise). Exits non-zero on any failure.
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
echo "=== package"
tools/check-package.sh build/package || [ $? -eq 77 ]
