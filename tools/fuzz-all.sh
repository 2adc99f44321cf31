#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds, starting from
# the seed corpora under tests/fuzz/. Any finding fails the run. Everything a run writes (the grown
# corpus, logs, crash and leak artefacts) stays under build/fuzz/.
set -euo pipefail
seconds=${1:-60}
cd "$(dirname "$0")/.."
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null
shopt -s nullglob
for fuzzer in build/fuzz/bin/*_fuzz; do
  name=$(basename "$fuzzer" _fuzz)
  corpus=build/fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=()
  [ -d "tests/fuzz/$name" ] && seeds=("tests/fuzz/$name")
  echo "fuzz: $name for ${seconds}s"
  "$fuzzer" -max_total_time="$seconds" -print_final_stats=0 -artifact_prefix="build/fuzz/$name-" "$corpus" "${seeds[@]}" 2>build/fuzz/$name.log \
    || { tail -40 build/fuzz/$name.log; exit 1; }
done
