#!/bin/bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# Compiles the demo's sources, syntax only, against mingw-w64's real Windows headers with nothing of
# ours but midas.h, so that a change only our stand-ins' headers accept fails at once.
#   sdk_syntax_check.sh SOURCE_ROOT MIDAS_INCLUDE_DIR
# Exits 77 (skipped) when mingw-w64's g++ is not installed.
set -u
root=$1 midas=$2
compilers=(i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix)
for compiler in "${compilers[@]}"; do
    command -v "$compiler" >/dev/null || { echo "skipped: $compiler is not installed"; exit 77; }
done
cd "$root" || exit 1
sources=$(ls app/*.cpp display/*.cpp engine/*.cpp scenes/*.cpp effects/*.cpp)
[ "$(echo "$sources" | wc -l)" -gt 20 ] || { echo "FAILED: the demo's sources are not where they were"; exit 1; }
failed=0
for compiler in "${compilers[@]}"; do
    # Two at a time; every failure is printed.
    echo "$sources" | xargs -P 2 -I{} sh -c \
        "$compiler -std=c++20 -fsyntax-only -Wall -Wextra -Werror -I. -I'$midas' {} || { echo 'FAILED: {} ($compiler)'; exit 1; }" ||
        failed=1
done
[ "$failed" = 0 ] && echo "every demo source compiles against the Windows headers, 32- and 64-bit"
exit $failed
