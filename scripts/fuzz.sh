#!/usr/bin/env bash
# Builds the fuzz programs of fuzz/ with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) into ./build-fuzz and runs each one: first
# every regression input of fuzz/regressions/<name>/ once, then a fixed time
# (FUZZ_SECONDS, 25 by default) of fuzzing from its seeds in
# fuzz/corpus/<name>/. Any crash, leak, sanitizer report or timeout fails the
# run; the input that caused it is kept in build-fuzz/findings/.
# Without clang the step is skipped with a note.
set -euo pipefail
cd "$(dirname "$0")/.."
budget=${FUZZ_SECONDS:-25}
if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ is not installed, fuzzing skipped"
  exit 0
fi
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  "${launcher[@]}" -DBUILD_FUZZERS=ON -DBUILD_TESTING=OFF -DBUILD_BENCHMARKS=OFF \
  -DWARNINGS_AS_ERRORS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_all

export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp"
findings=build-fuzz/findings
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$findings"
options=(-timeout=10 -rss_limit_mb=2560 -malloc_limit_mb=2048)
status=0
for exe in build-fuzz/fuzz/fuzz_*; do
  [ -f "$exe" ] && [ -x "$exe" ] || continue
  name=${exe##*/fuzz_}
  log="$work/$name.log"
  # Options of one program (its input size, its memory limit) follow the
  # common ones and take precedence.
  extra=()
  [ -f "fuzz/options/$name" ] && read -r -a extra <"fuzz/options/$name"
  # Environment of one program (fuzz/options/<name>.env, one line of
  # NAME=value words): sanitizer settings that fit the code it drives.
  environment=()
  [ -f "fuzz/options/$name.env" ] && read -r -a environment <"fuzz/options/$name.env"
  regressions=(fuzz/regressions/"$name"/*)
  if [ -e "${regressions[0]}" ]; then
    if ! env "${environment[@]}" "$exe" "${options[@]}" "${extra[@]}" "${regressions[@]}" >"$log" 2>&1; then
      echo "fuzz_$name: FAILED on a regression input"
      tail -n 40 "$log"
      status=1
      continue
    fi
  fi
  corpus=("$work/$name")
  mkdir -p "$work/$name"
  [ -d "fuzz/corpus/$name" ] && corpus+=("fuzz/corpus/$name")
  if ! env "${environment[@]}" "$exe" "${options[@]}" "${extra[@]}" -max_total_time="$budget" -print_final_stats=1 \
      -artifact_prefix="$findings/$name-" "${corpus[@]}" >"$log" 2>&1; then
    echo "fuzz_$name: FAILED, input kept in $findings/"
    grep -A 30 -m 1 -E "ERROR|runtime error|Timeout|out-of-memory" "$log" || tail -n 40 "$log"
    status=1
    continue
  fi
  runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
  echo "fuzz_$name: ${runs:-?} inputs in ${budget} s, no finding"
done
exit $status
