#!/usr/bin/env bash
# Runs every test of Tessary: builds natively with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the unit and scenario tests there (the plain native
# build adds nothing the sanitized run does not check; it is kept for benchmarks), then
# cross-builds for Windows and runs the Windows-built tests and the real program under Wine.
#
#   ./test.sh                 everything (what CI runs)
#   ./test.sh linux windows   only the named workflows (linux, linux-asan, windows)
#
# On a fresh Debian machine it first installs what is missing (needs root or sudo).
set -euo pipefail
cd "$(dirname "$0")"

workflows=("$@")
[ ${#workflows[@]} -eq 0 ] && workflows=(linux-asan windows)

tools/ensure-packages.sh

# Compiler cache keys relative to the checkout, so a fresh clone elsewhere (as CI makes)
# reuses what earlier builds compiled.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true

logs=build/test-logs
mkdir -p "$logs"
passed=0
failed=0
status=0
for workflow in "${workflows[@]}"; do
  echo "=== $workflow ==="
  log=$logs/$workflow.log
  runner=()
  # Windows-built tests create real windows under Wine, which needs an X display.
  [ "$workflow" = windows ] && runner=(tools/with-xvfb.sh)
  if "${runner[@]}" cmake --workflow --preset "$workflow" 2>&1 | tee "$log"; then :; else status=1; fi
  if [ "$workflow" = windows ]; then
    WINEPREFIX="$PWD/build/windows/wineprefix" wineserver -k 2>/dev/null || true
  fi
  # ctest's own summary: "100% tests passed, 0 tests failed out of 7"
  summary=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
  if [ -n "$summary" ]; then
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")
    bad=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$summary")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  else
    echo "$workflow: no test summary (build or configure failed)"
    status=1
  fi
done

echo
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ] || status=1
exit $status
