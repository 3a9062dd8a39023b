#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
#
#   tools/fuzz.sh [seconds-per-target] [target...]     (default: 60 s, every target)
#
# Corpora grow in fuzz/corpus/<target>/ (not committed; seeds live in fuzz/seeds/).
# A crash leaves its input in build/fuzz/artifacts/; keep it as a regression test.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/fuzz_*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
mkdir -p build/fuzz/artifacts
for target in "${targets[@]}"; do
  corpus=fuzz/corpus/$target
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/$target" ] && seeds=("fuzz/seeds/$target")
  echo "=== $target for ${seconds}s ==="
  "build/fuzz/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=build/fuzz/artifacts/"$target"- "$corpus" "${seeds[@]}"
done
