#!/usr/bin/env bash
# How long the costliest mixes of script commands take at the frame budget, in the 32-bit program
# under Wine (or natively with --native). Each line of tools/bench/heavy-scripts.txt is a firework whose
# sparks repeat one kind of command without ever sleeping (drag, add, set, move, chance, spawn, sound,
# blanks, errors, until), so every frame is cut at the budget; fwsim --time prints the median pass.
#   tools/budget-time.sh [--native]
set -uo pipefail
cd "$(dirname "$0")/.."
names=(drag add set move chance spawn sound blanks errors until)
fwsim=(tools/wine-run.sh build/win32/bin/fwsim.exe)
[ "${1:-}" = --native ] && fwsim=(build/native/bin/fwsim)
for i in "${!names[@]}"; do
  report=$("${fwsim[@]}" --scripts tools/bench/heavy-scripts.txt --script "$i" --spark-limit 20000 --frames 200 --time)
  frame=$(sed -n 's/largest frame: \(.*\)/\1/p' <<<"$report")
  time=$(sed -n 's/due passes took .*, median \(.*\), largest.*/\1/p' <<<"$report")
  printf '%-8s largest frame %s, median pass %s\n' "${names[$i]}" "$frame" "$time"
done
