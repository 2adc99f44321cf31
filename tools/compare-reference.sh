#!/usr/bin/env bash
# compare-reference.sh [--wine] [--keep] [BASE_REV]
#
# Pins the show's behaviour across a change: builds fwsim and fwrender from BASE_REV and from the
# working tree (uncommitted edits included), runs both on the same fixed-seed cases, and compares
# everything they write byte for byte. Exit status 0 when all is identical, 1 when anything differs
# (the first differences are printed), 2 when something could not be built or run.
#
#   BASE_REV   any git revision; default: the merge-base of HEAD and main (what a branch started from)
#   --wine     also run the working tree's fwsim.exe as PE32 (win32 preset) and PE32+ (win64 preset)
#              under Wine on the same cases; their reports must equal the native reference too. A
#              kernel that cannot run 32-bit code skips the PE32 half with a note.
#   --keep     keep the outputs (build/compare/) for a look afterwards
#
# The cases: every built-in script with several seeds; random scripts with a small spark limit (a
# full queue drops sparks, so queue order and ties show) and other physics; fwrender frames in mono
# and in stereo, some at another size and with a full queue.
#
# The reference tree is exported with `git archive` (no worktree is registered) into
# build/reference/<commit>/src and built there with its own `native` preset; both the export and the
# build are kept, so a second run against the same revision only builds the working tree again.
set -uo pipefail

root=$(git -C "$(dirname "${BASH_SOURCE[0]}")" rev-parse --show-toplevel) || exit 2
cd "$root" || exit 2

wine=false
keep=false
base=""
for arg in "$@"; do
  case "$arg" in
    --wine) wine=true ;;
    --keep) keep=true ;;
    -h|--help) sed -n '2,/^set /p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    -*) echo "compare-reference: unknown option $arg" >&2; exit 2 ;;
    *) base=$arg ;;
  esac
done
[ -n "$base" ] || base=$(git merge-base HEAD main) || { echo "compare-reference: no merge-base with main; name a revision" >&2; exit 2; }
sha=$(git rev-parse --verify --quiet "$base^{commit}") || { echo "compare-reference: unknown revision $base" >&2; exit 2; }

say() { echo "compare-reference: $*"; }

# --- builds -------------------------------------------------------------------------------------
ref=build/reference/$sha
if [ ! -f "$ref/src/.exported" ]; then
  rm -rf "$ref/src"
  mkdir -p "$ref/src"
  git archive "$sha" | tar -x -C "$ref/src" || exit 2
  touch "$ref/src/.exported"
fi

build_tools() {  # build_tools DIR: fwsim and fwrender of the tree at DIR, with its native preset
  (cd "$1" && cmake --preset native >/dev/null && cmake --build --preset native --target fwsim fwrender -- -s >/dev/null) ||
    { say "build failed in $1"; exit 2; }
}
say "reference $(git log -1 --format='%h %s' "$sha" | cut -c1-80)"
build_tools "$ref/src"
build_tools "$root"
ref_bin=$ref/src/build/native/bin
cur_bin=$root/build/native/bin

# --- cases --------------------------------------------------------------------------------------
sim_cases=()
for script in 0 1 2 3 4 5 6 7 8 9; do
  for seed in 1 2 3; do sim_cases+=("--script $script --seed $seed"); done
done
for seed in 4 5 6 7 8 9; do
  sim_cases+=("--seed $seed --spark-limit 300 --fps 30 --gravity 1200 --wind -250")
done
sim_cases+=("--script 2 --seed 10 --spark-limit 40 --fps 100")
render_cases=(
  "--seed 1 --frames 40 --skip 110"
  "--seed 2 --frames 40 --skip 110 --stereo"
  "--seed 3 --frames 30 --skip 60 --size 640x480 --limit 400"
  "--seed 4 --frames 30 --skip 60 --size 640x480 --limit 400 --stereo"
)

out=build/compare
rm -rf "$out"
mkdir -p "$out"

run_sims() {  # run_sims BIN_DIR LABEL: every fwsim case into $out/LABEL/sim-N.txt
  mkdir -p "$out/$2"
  local i=0
  for c in "${sim_cases[@]}"; do
    # shellcheck disable=SC2086
    "$1/fwsim" $c >"$out/$2/sim-$i.txt" 2>&1 || { say "fwsim $c failed ($2)"; exit 2; }
    i=$((i + 1))
  done
}

run_renders() {  # run_renders BIN_DIR LABEL: every fwrender case into $out/LABEL/render-N/
  local i=0
  for c in "${render_cases[@]}"; do
    # shellcheck disable=SC2086
    "$1/fwrender" $c --no-gif --out "$out/$2/render-$i" >/dev/null || { say "fwrender $c failed ($2)"; exit 2; }
    i=$((i + 1))
  done
}

run_sims "$ref_bin" reference
run_sims "$cur_bin" native
run_renders "$ref_bin" reference
run_renders "$cur_bin" native

# Windows builds of the working tree: all cases in one Wine session, through cmd.exe and a batch file.
run_wine_sims() {  # run_wine_sims PRESET LABEL
  local preset=$1 label=$2 dir=$root/build/$1
  cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" --target fwsim -- -s >/dev/null ||
    { say "build failed: $preset"; exit 2; }
  mkdir -p "$out/$label"
  local batch=$out/$label/cases.bat i=0
  : >"$batch"
  for c in "${sim_cases[@]}"; do
    printf '%s %s > %s\r\n' "$(winepath_of "$dir/bin/fwsim.exe")" "$c" "$(winepath_of "$root/$out/$label/sim-$i.txt")" >>"$batch"
    i=$((i + 1))
  done
  tools/wine-run.sh "$dir/wineprefix/drive_c/windows/system32/cmd.exe" /c "$(winepath_of "$root/$batch")" >/dev/null 2>&1 ||
    true
  rm -f "$batch"
  if [ ! -f "$out/$label/sim-$((i - 1)).txt" ]; then
    if [ "$preset" = win32 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
      say "skipped PE32: this kernel cannot run 32-bit code"
      rm -rf "${out:?}/$label"
      return
    fi
    say "the $preset fwsim.exe did not run under Wine"; exit 2
  fi
}
winepath_of() { echo "Z:${1//\//\\}"; }

if $wine; then
  # The prefix is made on first use by the wrapper; cmd.exe only exists after that.
  for preset in win32 win64; do
    [ -f "build/$preset/wineprefix/.fw-ready" ] || {
      cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" --target fwsim -- -s >/dev/null &&
        tools/wine-run.sh "build/$preset/bin/fwsim.exe" --help >/dev/null 2>&1
    }
  done
  run_wine_sims win32 pe32
  run_wine_sims win64 pe32plus
fi

# --- comparison ---------------------------------------------------------------------------------
status=0
for label in native pe32 pe32plus; do
  [ -d "$out/$label" ] || continue
  differing=()
  while IFS= read -r f; do
    rel=${f#"$out/$label/"}
    cmp -s "$f" "$out/reference/$rel" || differing+=("$rel")
  done < <(find "$out/$label" -type f | sort)
  [ "$label" = native ] && [ "$(find "$out/reference" -type f | wc -l)" != "$(find "$out/native" -type f | wc -l)" ] &&
    differing+=("(a different number of files)")
  [ ${#differing[@]} -eq 0 ] && continue
  status=1
  say "$label differs from the reference in ${#differing[@]} files: ${differing[*]:0:8}"
  for rel in "${differing[@]}"; do
    case "$rel" in
      sim-*.txt)
        n=${rel#sim-}; n=${n%.txt}
        say "fwsim ${sim_cases[$n]}:"
        diff -u "$out/reference/$rel" "$out/$label/$rel" | head -30
        break ;;
    esac
  done
done
frames=$(find "$out/reference" -name '*.png' | wc -l)
if [ $status -eq 0 ]; then
  say "identical: ${#sim_cases[@]} fwsim reports and $frames fwrender frames ($(ls -d "$out"/*/ | xargs -n1 basename | grep -v reference | tr '\n' ' '| sed 's/ $//') against ${sha:0:7})"
fi
$keep || rm -rf "$out"
exit $status
