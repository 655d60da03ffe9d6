#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build-fuzz/) and runs each for
# SECONDS (default 60). Fails on any crash, leak, time-out or sanitizer
# report; the input that did it is left in build-fuzz/artifacts/.
#   tools/fuzz.sh [SECONDS] [TARGET...]
# FUZZ_SEED=N fixes libFuzzer's random seed, so that a run repeats the same
# inputs in the same order (CI uses this; by hand each run explores anew).
set -euo pipefail
cd "$(dirname "$0")/.."
secs=${1:-60}; shift || true
top=$(pwd)
out=build-fuzz
cmake -S . -B "$out" -DCMAKE_CXX_COMPILER=clang++ -DTINTRY_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
flock /tmp/tintry-build.lock cmake --build "$out" -j "$(nproc)"

targets=("$@")
# Every target of fuzz/, unless some are named.
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp | sed 's/^fuzz_//')"); done
fi
mkdir -p "$out/artifacts"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export LSAN_OPTIONS=suppressions=$top/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for t in "${targets[@]}"; do
  bin="$out/fuzz/fuzz_$t"
  [ -x "$bin" ] || { echo "fuzz_$t: not built"; status=1; continue; }
  work="$out/corpus/$t"; mkdir -p "$work"
  # Seeds: our own small files, and the system's real ones where they fit.
  cp -n fuzz/corpus/$t/* "$work"/ 2>/dev/null || true
  # and every input that ever made a target fail.
  cp -n tests/data/fuzz/$t/* "$work"/ 2>/dev/null || true
  case $t in
    gamut) for p in /usr/share/color/icc/sRGB.icc /usr/share/color/icc/ghostscript/{ps_cmyk,ps_rgb,a98}.icc; do
               [ -f "$p" ] && cp -n "$p" "$work"/; done ;;
    profile) for p in /usr/share/color/icc/sRGB.icc /usr/share/color/icc/Gray.icc \
                      /usr/share/color/icc/ghostscript/{ps_cmyk,ps_rgb,lab,default_gray,srgb,gray_to_k}.icc; do
               [ -f "$p" ] && cp -n "$p" "$work"/; done ;;
    cgats|measurement|measuredchart|measuredset) for f in /usr/share/color/icc/FOGRA39L.ti3 /usr/share/color/icc/TR002.ti3; do
               [ -f "$f" ] && head -c 6000 "$f" > "$work/$(basename "$f").head"; done ;;
    langkit) for ts in lang/tintry_*.ts; do
               [ -f "$ts" ] && /usr/lib/qt6/bin/lrelease -silent "$ts" -qm "$work/$(basename "$ts" .ts).qm"; done ;;
  esac
  dict=""
  case $t in
    ase) dict=-dict=fuzz/ase.dict ;;
    cgats|measurement|measuredchart) dict=-dict=fuzz/cgats.dict ;;
    registry) dict=-dict=fuzz/registry.dict ;;
  esac
  log="$out/fuzz_$t.log"
  echo "== fuzz_$t for ${secs}s"
  if "$bin" $dict ${FUZZ_SEED:+-seed=$FUZZ_SEED} -max_total_time="$secs" -timeout=10 -rss_limit_mb=2048 -max_len=262144 \
       -print_final_stats=1 -artifact_prefix="$out/artifacts/${t}-" "$work" >"$log" 2>&1; then
    grep -E '^(stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb)|cov:' "$log" | tail -4
  else
    echo "fuzz_$t FAILED; see $log"; tail -40 "$log"; status=1
  fi
done
exit $status
