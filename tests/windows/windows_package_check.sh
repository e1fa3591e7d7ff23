#!/bin/bash
# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The Windows zips as a user gets them: the program, its data and README.txt; a GUI executable with
# the device dialog as a resource, importing no DLL but Windows' own.
#   windows_package_check.sh WINDOWS_BUILD_DIR
# Exits 77 (skipped) when the Windows build has not been made (make windows).
set -u
dir=$1
allowed='^(kernel32|user32|gdi32|ddraw|winmm|msvcrt|advapi32)\.dll$'
failed=0
fail() { echo "FAILED: $*"; failed=1; }
for target in win32:i686:pei-i386 win64:x86_64:pei-x86-64; do
    IFS=: read -r name arch format <<<"$target"
    zip=$dir/mornakle-$name.zip
    [ -f "$zip" ] || { echo "skipped: $zip is not built (make windows)"; exit 77; }
    listing=$(cmake -E tar tf "$zip") || { fail "$zip cannot be read"; continue; }
    for member in mornakle.exe README.txt data/back.xm data/hus.3ds data/lame.bmp; do
        grep -qx "$member" <<<"$listing" || fail "$zip lacks $member"
    done
    exe=$dir/$name/package/mornakle.exe
    headers=$($arch-w64-mingw32-objdump -p "$exe") || { fail "$exe is no executable"; continue; }
    grep -q "file format $format\$" <<<"$headers" || fail "$exe is not $format"
    grep -q "Subsystem.*(Windows GUI)" <<<"$headers" || fail "$exe is not a GUI program"
    while read -r dll; do
        [[ ${dll,,} =~ $allowed ]] || fail "$exe imports $dll, which Windows lacks"
    done < <(sed -n 's/.*DLL Name: //p' <<<"$headers")
    grep -qi "DLL Name: ddraw.dll" <<<"$headers" || fail "$exe does not import DirectDraw"
    resources=$($arch-w64-mingw32-windres -i "$exe" -O rc 2>&1)
    grep -q '^102 DIALOGEX' <<<"$resources" && grep -q '^CAPTION "Select Rendering Device"' <<<"$resources" ||
        fail "$exe lacks the device dialog resource"
done
[ "$failed" = 0 ] && echo "both zips hold a GUI program that needs only Windows' own DLLs"
exit $failed
