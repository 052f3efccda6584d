#!/usr/bin/env bash
# A fuzzing campaign on one target, outside ./test:
#   scripts/fuzz.sh TARGET SECONDS [JOBS]
# TARGET is a fuzz/<TARGET>_fuzzer.cpp name (document_loader, mqo_import, export, text,
# movie_options). Builds the target in build-fuzz (optimised, with the same sanitizers as
# ./test --sanitize: a campaign runs several times faster than the debug build), runs libFuzzer
# for SECONDS on JOBS processes (default 1) from the seed corpus, keeps what it finds in
# build-fuzz/work/TARGET (the seeds in the repository stay as they are), and prints the
# executions done. A crash leaves its input as build-fuzz/work/TARGET/crash-* and the script fails.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 2 ]; then
  sed -n '2,9p' "$0" >&2
  exit 2
fi
target=$1 seconds=$2 jobs=${3:-1}
[ -f "fuzz/${target}_fuzzer.cpp" ] || { echo "fuzz.sh: no target fuzz/${target}_fuzzer.cpp" >&2; exit 2; }

if [ ! -f build-fuzz/build.ninja ]; then
  ./scripts/deps.sh
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQV_SANITIZE=ON -DQV_FUZZ=ON -DQV_BENCH=OFF >/dev/null
fi
cmake --build build-fuzz --target "${target}_fuzzer"

work=build-fuzz/work/$target
mkdir -p "$work/corpus"
cp -n "fuzz/corpus/$target"/* "$work/corpus/" 2>/dev/null || true
dict=()
[ -f "fuzz/$target.dict" ] && dict=(-dict="$PWD/fuzz/$target.dict")
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"

status=0
fuzzer=$PWD/build-fuzz/bin/${target}_fuzzer
(cd "$work" && "$fuzzer" -max_total_time="$seconds" -jobs="$jobs" -workers="$jobs" -rss_limit_mb=4096 \
   -timeout=30 -print_final_stats=1 "${dict[@]}" corpus >log.txt 2>&1) || status=$?
# With -jobs each worker writes fuzz-N.log (and log.txt repeats them); the final stats are there.
logs=("$work"/log.txt)
compgen -G "$work/fuzz-*.log" >/dev/null && logs=("$work"/fuzz-*.log)
cat "${logs[@]}" | grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY)' || true
execs=$(cat "${logs[@]}" | awk '/^stat::number_of_executed_units/ {s += $NF} END {print s + 0}')
echo "fuzz.sh: $target: $execs executions in $seconds s on $jobs job(s), corpus $(ls "$work/corpus" | wc -l) inputs"
exit "$status"
