#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build-fuzz/) and runs each for a
# bounded time on a copy of its seed corpus and the inputs of past findings.
# Usage: fuzz/run.sh [SECONDS_PER_TARGET]   (default 8)
# A crash, a broken invariant or a leak fails the run; its input is kept in
# build-fuzz/findings/ to be added to fuzz/regressions/<target>/. A target with
# fuzz/dictionaries/<target>.dict gets its tokens.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-8}
targets=(expression line_breaking order_input pdf_order save_pdf)

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLK63_FUZZ=ON \
  -DLK63_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz --target "${targets[@]/#/fuzz_}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p build-fuzz/findings
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp"
status=0
for t in "${targets[@]}"; do
  mkdir -p "$work/$t"
  cp fuzz/corpus/"$t"/* "$work/$t/"
  if [ -d fuzz/regressions/"$t" ]; then cp fuzz/regressions/"$t"/* "$work/$t/"; fi
  dict=()
  if [ -f fuzz/dictionaries/"$t".dict ]; then dict=(-dict="fuzz/dictionaries/$t.dict"); fi
  # A saved questionnaire is some kilobytes; other inputs stay small.
  max_len=4096
  if [ "$t" = pdf_order ]; then max_len=65536; fi
  if build-fuzz/bin/fuzz_"$t" -max_total_time="$seconds" -max_len="$max_len" -timeout=60 -print_final_stats=1 \
       "${dict[@]}" -artifact_prefix="build-fuzz/findings/$t-" "$work/$t" >"$work/$t.log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$t.log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/$t.log")
    echo "fuzz_$t: $runs inputs in ${seconds} s ($rate per second), no finding"
  else
    status=1
    echo "fuzz_$t: FINDING (input kept in build-fuzz/findings/)"
    grep -v '^#' "$work/$t.log" | tail -40
  fi
done
exit $status
