#!/usr/bin/env bash
# Solving without position, side by side with astrometry.net's solve-field:
# each picture of tests/data/fields (and any further images given as
# arguments, with their scale range: IMAGE:LOW:HIGH) with the same scale
# range (the reference solution's pixel scale +-10 %) and the same index
# files, whole process, one image at a time. Prints one line per image:
#   name  ours-seconds ours-solved  solve-field-seconds solve-field-solved  ratio
# Needs the programs built (build/bin/platesolve) and Debian's astrometry.net
# package for solve-field. Times are wall-clock, on an otherwise idle machine.
set -euo pipefail
cd "$(dirname "$0")/.."
index=${INDEX_DIR:-/usr/share/astrometry}
limit=${SOLVE_FIELD_SECONDS:-240}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'add_path %s\nautoindex\ninparallel\n' "$index" >"$work/astrometry.cfg"

cases=()
for dir in tests/data/fields/*/; do
  name=$(basename "$dir")
  range=$(python3 - "$dir/wcs.json" <<'PY'
import json, math, sys
cd = json.load(open(sys.argv[1]))["wcs"]["cd"]
s = math.sqrt(abs(cd[0][0] * cd[1][1] - cd[0][1] * cd[1][0])) * 3600
print(f"{0.9 * s:.3f}:{1.1 * s:.3f}")
PY
)
  cases+=("$dir/image.png:$range")
done
cases+=("$@")

now() { date +%s.%N; }
for c in "${cases[@]}"; do
  IFS=: read -r image low high <<<"$c"
  name=$(basename "$(dirname "$image")")
  [ "$(basename "$image")" = image.png ] || name=$(basename "$image")
  t0=$(now)
  ours=$(build/bin/platesolve --blind --index-dir "$index" --image "$image" \
    --scale-low "$low" --scale-high "$high" -j 1 2>/dev/null | grep -c '"solved":true' || true)
  t1=$(now)
  mkdir -p "$work/$name"
  timeout $((limit + 30)) solve-field --config "$work/astrometry.cfg" --no-plots --overwrite \
    --scale-units arcsecperpix --scale-low "$low" --scale-high "$high" --cpulimit "$limit" \
    --dir "$work/$name" "$image" >/dev/null 2>&1 || true
  t2=$(now)
  theirs=$(find "$work/$name" -name "*.solved" | wc -l)
  python3 - "$name" "$t0" "$t1" "$t2" "$ours" "$theirs" <<'PY'
import sys
name, t0, t1, t2, ours, theirs = sys.argv[1], *map(float, sys.argv[2:5]), *sys.argv[5:7]
a, b = t1 - t0, t2 - t1
print(f"{name:24s} {a:7.2f} s {'solved' if ours == '1' else 'unsolved':8s}"
      f" {b:7.2f} s {'solved' if theirs == '1' else 'unsolved':8s} {b / a:6.1f}x")
PY
done
