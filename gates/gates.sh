#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The reliability gates that `make test` runs after the ordinary suite:
#  1. build-asan/: the whole project with AddressSanitizer and UndefinedBehaviorSanitizer
#     (clang, leak checking on) and the libFuzzer targets; every test runs there, among
#     them each fuzz target for MORNAKLE_FUZZ_SECONDS, the fault walk and the broken
#     data (its ctest log: build-asan/Testing/Temporary/LastTest.log);
#  2. build-tsan/: the sound library's tests and the SDL host with its audio thread,
#     under ThreadSanitizer (a recording has no thread of its own: ffmpeg is a child
#     process and the sound is mixed on the main thread at each frame).
# Usage: gates/gates.sh [JOBS]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${1:-2}
asan=$root/build-asan
tsan=$root/build-tsan
supp=$root/gates/lsan.supp

launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
symbolizer=$(command -v llvm-symbolizer || command -v llvm-symbolizer-14 || true)
# Exit code 86 marks a sanitizer's finding, apart from every code the program uses.
export ASAN_OPTIONS=detect_leaks=1:exitcode=86:check_initialization_order=1:detect_stack_use_after_return=0
export LSAN_OPTIONS=suppressions=$supp:print_suppressions=0:exitcode=86
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:exitcode=86
export TSAN_OPTIONS=halt_on_error=1:exitcode=86:second_deadlock_stack=1:suppressions=$root/gates/tsan.supp
[ -n "$symbolizer" ] && export ASAN_SYMBOLIZER_PATH=$symbolizer TSAN_SYMBOLIZER_PATH=$symbolizer

# Optimised enough to run the show briskly, with line numbers for the reports.
configure() {  # configure FOLDER SANITIZERS EXTRA-OPTIONS...
    local folder=$1 sanitizers=$2
    shift 2
    CC=clang CXX=clang++ cmake -S "$root" -B "$folder" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_C_FLAGS_RELEASE="-O1 -gline-tables-only" -DCMAKE_CXX_FLAGS_RELEASE="-O1 -gline-tables-only" \
        -DMORNAKLE_SANITIZE="$sanitizers" -DMORNAKLE_BENCH=OFF "${launcher[@]}" "$@" >/dev/null
}

seconds() { date +%s; }
started=$(seconds)
echo "== gates: the sanitized build (build-asan)"
configure "$asan" address,undefined -DMORNAKLE_FUZZ=ON
cmake --build "$asan" -j "$jobs" >"$asan/build.log" 2>&1 || { tail -40 "$asan/build.log"; exit 1; }
built=$(seconds)
echo "   built in $((built - started)) s"

echo "== gates: every test under AddressSanitizer and UndefinedBehaviorSanitizer"
status=0
# Left to the ordinary suite: the Windows programs (not built by us here), the installed
# tree and package, and the whole show drawn once by every kernel family.
ctest --test-dir "$asan" --output-on-failure -j "$jobs" -E '^(windows_|install\.|d3d\.every_family)' || status=1
echo "   fuzzing:"
grep -E '^([0-9]+/[0-9]+ Test: fuzz\.|Done [0-9]+ runs in)' "$asan/Testing/Temporary/LastTest.log" |
    sed -E 's|^[0-9]+/[0-9]+ Test: fuzz\.(.*)|\1:|' | paste -d ' ' - - | sed 's/^/   /' || true
ls "$asan/fuzz-crashes" 2>/dev/null | sed 's/^/   reproducer: build-asan\/fuzz-crashes\//'
tested=$(seconds)
echo "   ran in $((tested - built)) s (log: build-asan/Testing/Temporary/LastTest.log)"

echo "== gates: the threads under ThreadSanitizer (build-tsan)"
configure "$tsan" thread -DMORNAKLE_FUZZ=OFF
cmake --build "$tsan" -j "$jobs" --target midas_test sdl_host_driver >"$tsan/build.log" 2>&1 ||
    { tail -40 "$tsan/build.log"; exit 1; }
"$root/gates/threads.sh" "$root" "$tsan" || status=1
echo "   ran in $(($(seconds) - tested)) s"

echo "== gates: $([ $status = 0 ] && echo passed || echo FAILED) in $(($(seconds) - started)) s"
exit $status
