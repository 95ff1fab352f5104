#!/usr/bin/env bash
# tests/run-fuzz.sh BUILD_DIR [SECONDS] [CORPUS_DIR]: builds the word-list fuzzer with clang in BUILD_DIR and runs it
# on a copy of the seed corpus (or in CORPUS_DIR). Exits 77 (skipped) only when clang or its libFuzzer runtime is
# missing, and 1 on a build error or any finding (a failed check, a crash, a sanitizer report, a leak, a timeout).
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:?usage: run-fuzz.sh BUILD_DIR [SECONDS] [CORPUS_DIR]}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' >"$work/probe.cpp"
if ! clang++ -fsanitize=fuzzer,address,undefined "$work/probe.cpp" -o "$work/probe" >/dev/null 2>&1; then
  echo "SKIPPED: clang++ with libFuzzer (clang, libclang-rt-14-dev) is missing; scripts/bootstrap installs it"
  exit 77
fi
cmake -S "$source_dir" -B "$build_dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPALITRA_FUZZ=ON -DPALITRA_BUILD_APP=OFF -DPALITRA_BUILD_TESTS=OFF -DPALITRA_BUILD_BENCH=OFF >/dev/null || exit 1
cmake --build "$build_dir" --target fuzz_wordlist -j "$(nproc)" || exit 1
corpus=${3:-$work/corpus}
mkdir -p "$corpus" "$build_dir/fuzz-artifacts"
cp -n "$source_dir"/tests/data/fuzz-corpus/* "$corpus"/
# Two thirds of the time on the lists that inputs spell byte for byte, thousands of inputs a second; the rest
# on the large lists that some inputs make too (a megabyte or more, entries of 65,535 letters), slower by far.
seconds=${2:-30}
fuzz() { # SECONDS [VARIABLE=VALUE]
  if ! env "${@:2}" "$build_dir/fuzz/fuzz_wordlist" -max_total_time="$1" -timeout=20 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build_dir/fuzz-artifacts/" "$corpus"; then
    echo "FAILED: the fuzzer found a fault; the input that did it is kept in $build_dir/fuzz-artifacts/"
    exit 1
  fi
}
fuzz $((seconds * 2 / 3)) PALITRA_FUZZ_SMALL_LISTS=1
fuzz $((seconds - seconds * 2 / 3))
