#!/usr/bin/env bash
# Fuzz run of every libFuzzer target of the fuzz preset (the targets found in build/fuzz).
#   bash scripts/fuzz.sh [seconds]
# Each target runs until FUZZ_RUNS executions (default 10,000,000) or, when given, `seconds`
# per target, whichever comes first (FUZZ_RUNS=-1: the time alone). A target starts from its
# committed seeds (tests/fuzz/seeds/<target>/) and the generated fixtures its
# tests/fuzz/<target>.options names, in a corpus that grows across runs under
# build/fuzz/corpus/<target>/; a finding goes to build/fuzz/findings/<target>/, the log to
# build/fuzz/logs/<time>.<pid>/<target>.log.
# Prints executions, coverage and findings per target; exits 1 when a target found a fault.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-0}
runs=${FUZZ_RUNS:-10000000}
build=build/fuzz
logs="$build/logs/$(date +%Y%m%d-%H%M%S).$$"  # one folder per run: runs may overlap
mkdir -p "$logs"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null

# Value of `key` in a target's options file ("key = value" lines).
option() { sed -n "s/^$2[[:space:]]*=[[:space:]]*//p" "tests/fuzz/$1.options" 2>/dev/null | head -n 1; }

failed=0
printf '%-18s %14s %8s %8s %s\n' target executions cov ft findings
for exe in $(find "$build/tests/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x | sort); do
  name=$(basename "$exe")
  corpus="$build/corpus/$name" findings="$build/findings/$name" log="$logs/$name.log"
  mkdir -p "$corpus" "$findings"
  stamp="$findings/.start" && touch "$stamp"
  [ -d "tests/fuzz/seeds/$name" ] && cp -n "tests/fuzz/seeds/$name"/* "$corpus/" 2>/dev/null || true
  # Seeds up to 1 MiB (find's -size counts in bytes only with the c suffix).
  for pattern in $(option "$name" fixtures); do
    find "$build/fixtures" -maxdepth 1 -type f -name "$pattern" -size -1048577c -exec cp -n {} "$corpus/" \;
  done
  args=(-runs="$runs" -print_final_stats=1 -artifact_prefix="$findings/")
  maxlen=$(option "$name" max_len)
  [ -n "$maxlen" ] && args+=(-max_len="$maxlen")
  [ "$seconds" != 0 ] && args+=(-max_total_time="$seconds")
  status=0
  ASAN_OPTIONS=detect_leaks=1 "$exe" "${args[@]}" "$corpus" >"$log" 2>&1 || status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  coverage=$(grep -Eo 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1 || true)
  found=$(find "$findings" -type f -newer "$stamp" | wc -l)
  printf '%-18s %14s %8s %8s %s\n' "$name" "${executions:-?}" "$(echo "$coverage" | awk '{print $2}')" \
    "$(echo "$coverage" | awk '{print $4}')" "$found"
  if [ "$status" != 0 ] || [ "$found" != 0 ]; then
    tail -n 60 "$log"
    echo "fuzz: $name found a fault (exit $status, $found finding(s) in $findings)"
    failed=1
  fi
done
exit "$failed"
