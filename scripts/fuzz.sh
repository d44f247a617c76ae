#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (AddressSanitizer and UBSan on) in
# build/fuzz and runs every target at once for the given number of seconds (default 600),
# each growing its working corpus under build/fuzz. Prints, per target, the executions,
# the coverage (edges and features) and whether it stayed clean; a failing input is kept as
# build/fuzz/tests/fuzz/crash-<target>-* and the script fails.
#   bash scripts/fuzz.sh [seconds] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
shift || true
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON >/dev/null
cmake --build build/fuzz --target fuzz_targets >/dev/null
fuzz=build/fuzz/tests/fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in tests/fuzz/*.cpp; do
    name="$(basename "$source" .cpp)"
    [ "$name" = FuzzSupport ] || targets+=("$name")
  done
fi
mkdir -p "$fuzz/logs"
pids=()
for name in "${targets[@]}"; do
  mkdir -p "$fuzz/work/$name"
  "$fuzz/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$fuzz/crash-$name-" "$fuzz/work/$name" "tests/fuzz/corpus/$name" \
      >"$fuzz/logs/$name.log" 2>&1 &
  pids+=($!)
done
failed=0
for i in "${!targets[@]}"; do
  name="${targets[$i]}"
  if wait "${pids[$i]}"; then result=clean; else result=FAILED; failed=1; fi
  executions="$(grep -o 'stat::number_of_executed_units: [0-9]*' "$fuzz/logs/$name.log" | tail -1 | grep -o '[0-9]*$' || echo '?')"
  coverage="$(grep -E '^#[0-9]+.*(DONE|pulse|REDUCE|NEW)' "$fuzz/logs/$name.log" | tail -1 | grep -o 'cov: [0-9]* ft: [0-9]*' || echo 'cov: ?')"
  printf '%-14s %12s executions  %-22s %s\n' "$name" "$executions" "$coverage" "$result"
done
exit $failed
