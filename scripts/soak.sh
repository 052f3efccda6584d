#!/usr/bin/env bash
# The long desktop session, outside ./test: builds, then drives the real window for
# QV_SOAK_SECONDS (600 by default), prints each cycle's time and resident memory, and fails when
# memory grows or cycles slow down. The whole output stays in build/soak.log.
#   scripts/soak.sh            QV_SOAK_SECONDS=60 scripts/soak.sh
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target desktop_soak_test
status=0
ctest --test-dir build -L soak --output-on-failure -V >build/soak.log 2>&1 || status=$?
grep -E "QINFO|FAIL|Passed|Failed" build/soak.log | sed 's/^[0-9]*: //' || true
exit "$status"
