#!/bin/sh
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# Checks a fetched Debian source package against its .dsc: each file it lists must be
# present beside it with the SHA-256 sum it gives, and the .dsc must be of the version
# the build records. apt checks the download too; this keeps the check with the build,
# which may be given an old folder of sources.
#   check_dsc.sh DSC VERSION
set -eu
dsc=$1 version=$2
[ -f "$dsc" ] || { echo "check_dsc: no $dsc" >&2; exit 1; }
grep -qx "Version: $version" "$dsc" || { echo "check_dsc: $dsc is not version $version" >&2; exit 1; }
sums=$(sed -n '/^Checksums-Sha256:/,/^[^ ]/{/^ /p}' "$dsc" | awk '{print $1 "  " $3}')
[ -n "$sums" ] || { echo "check_dsc: $dsc lists no SHA-256 sums" >&2; exit 1; }
cd "$(dirname "$dsc")"
echo "$sums" | sha256sum --check --strict --quiet || { echo "check_dsc: the files of $dsc do not match its sums" >&2; exit 1; }
