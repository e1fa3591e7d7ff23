# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# Sourced by the program's scripts with the program as $1: a scratch folder, failure count, summary.
set -u
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
finish() { echo "$((failures == 0)) passed, $((failures > 0)) failed"; [ "$failures" = 0 ]; }
