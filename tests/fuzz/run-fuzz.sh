#!/usr/bin/env bash
# Fuzzes one target for a while at low priority, starting from a copy of its
# seed corpus (new inputs go to the build folder, not into the repository).
#
#   CXX=clang++-14 CC=clang-14 cmake -S . -B build-fuzz -G Ninja -DTAVELIN_FUZZ=ON -DTAVELIN_BUILD_GUI=OFF
#   cmake --build build-fuzz --target fuzz_chapter_page
#   tests/fuzz/run-fuzz.sh build-fuzz chapter_page 600
set -euo pipefail
build="$1" target="$2" seconds="${3:-600}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$build/fuzz-work/$target"
mkdir -p "$work/corpus" "$work/artifacts"
cp -n "$here/corpus/$target/"* "$work/corpus/" 2>/dev/null || true
exec nice -n 19 "$build/tests/fuzz/fuzz_$target" "$work/corpus" \
  -dict="$here/scrape.dict" -max_len=32768 -timeout=10 -rss_limit_mb=2048 \
  -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$work/artifacts/"
