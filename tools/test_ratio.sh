#!/bin/sh
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# Prints the size of the tests against the size of the code they test: non-blank
# lines of the text files git tracks under tests/, against every tracked text file
# outside tests/, bench/, fuzz/ and docs/.
cd "$(dirname "$0")/.." || exit 1
count() { git ls-files -z "$@" | xargs -0 grep -Ihv '^[[:space:]]*$' -- 2>/dev/null | wc -l; }
tests=$(count -- tests)
code=$(count -- . ':!tests' ':!bench' ':!fuzz' ':!docs')
echo "tests $tests code $code ratio $(awk "BEGIN { printf \"%.3f\", $tests / $code }")"
