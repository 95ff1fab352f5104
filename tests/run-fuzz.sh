#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in their own build folder and runs
# the word-list fuzzer for a while on a copy of the seed corpus.
#
#   tests/run-fuzz.sh BUILD_DIR [SECONDS] [CORPUS_DIR]
#
# With CORPUS_DIR the corpus is kept there (and grows) between runs. Exits
# with 77 (a skipped test) when clang or its libFuzzer runtime is missing.
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:?usage: run-fuzz.sh BUILD_DIR [SECONDS] [CORPUS_DIR]}
seconds=${2:-30}
corpus=${3:-}

skip() {
  echo "SKIPPED: $* (scripts/bootstrap installs it)"
  exit 77
}

command -v clang++ >/dev/null 2>&1 || skip "clang++ is not installed"
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' >"$probe/probe.cpp"
clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1 ||
  skip "clang++ cannot link a libFuzzer program: the libFuzzer runtime (libclang-rt-14-dev) is missing"

cmake -S "$source_dir" -B "$build_dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPALITRA_FUZZ=ON -DPALITRA_BUILD_APP=OFF -DPALITRA_BUILD_TESTS=OFF -DPALITRA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" --target fuzz_wordlist -j "$(nproc)"

if [ -z "$corpus" ]; then
  corpus="$probe/corpus"
fi
mkdir -p "$corpus" "$build_dir/fuzz-artifacts"
cp -n "$source_dir"/tests/data/fuzz-corpus/* "$corpus"/

# A failed invariant aborts; the input that did it is kept in fuzz-artifacts.
"$build_dir/fuzz/fuzz_wordlist" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$build_dir/fuzz-artifacts/" "$corpus"
