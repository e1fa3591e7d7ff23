# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The notices of the browser runtime in the site's licenses/: emscripten links its own
# runtime, C library (musl), C++ library (libc++, libc++abi) and compiler-rt's builtins
# into the program, and their terms ask that their notices go along with it. Debian's
# copyright file of emscripten holds every part's holders and licence texts, except the
# Apache licence's, which it refers to the system's copy of. licenses/README.txt tells a
# visitor what the program contains and which file holds which notice.
#   -DSITE=  -DEMSCRIPTEN= (its root)  -DEMSCRIPTEN_COPYRIGHT= (Debian's copyright file)

set(notices ${SITE}/licenses)
file(MAKE_DIRECTORY ${notices})

function(lay from to)
    if(NOT EXISTS ${from})
        message(FATAL_ERROR "The site's notices need ${from}")
    endif()
    file(COPY_FILE ${from} ${notices}/${to} ONLY_IF_DIFFERENT)
endfunction()

lay(${EMSCRIPTEN_COPYRIGHT} emscripten-copyright.txt)
lay(${EMSCRIPTEN}/system/lib/libc/musl/COPYRIGHT musl-COPYRIGHT.txt)
lay(${EMSCRIPTEN}/system/lib/libcxx/CREDITS.TXT libc++-CREDITS.txt)
lay(${EMSCRIPTEN}/system/lib/libcxxabi/CREDITS.TXT libc++abi-CREDITS.txt)
lay(${EMSCRIPTEN}/system/lib/compiler-rt/CREDITS.TXT compiler-rt-CREDITS.txt)
lay(/usr/share/common-licenses/Apache-2.0 Apache-2.0.txt)
# libxmp's copyright file refers a few of its files to the LGPL's version 2.
lay(/usr/share/common-licenses/LGPL-2 LGPL-2.txt)

file(READ ${EMSCRIPTEN}/emscripten-version.txt version)
string(STRIP "${version}" version)
file(WRITE ${notices}/README.txt.new "\
Mornakle 3D in a browser: what the program contains, and on what terms
=====================================================================

The page's program (mornakle.js and mornakle.wasm.gz) is built from Mornakle 3D's
source, which the page links, under the MIT licence (../LICENSE.txt), with
emscripten ${version} as Debian ships it. Built into it are:

- emscripten's runtime (in mornakle.js) and system libraries: MIT or University of
  Illinois/NCSA. emscripten-copyright.txt is Debian's copyright file of emscripten,
  with every part's copyright holders and licence texts.
- musl, the C library: MIT (musl-COPYRIGHT.txt).
- libc++ and libc++abi, the C++ library, and compiler-rt's builtins: Apache-2.0 with
  LLVM exception (Apache-2.0.txt; the exception and the holders in
  emscripten-copyright.txt; the contributors in libc++-CREDITS.txt,
  libc++abi-CREDITS.txt and compiler-rt-CREDITS.txt).
- libxmp, the module player, linked statically: LGPL-2.1-or-later
  (libxmp-COPYING.LIB.txt; its holders, and the few files under other terms, in
  libxmp-copyright.txt and LGPL-2.txt). Its complete source is in ../source/ as
  Debian ships it (dpkg-source -x libxmp_*.dsc unpacks it); with our source,
  `make web` builds the program anew around a changed libxmp.
- The bitmap fonts of the GDI stand-in, converted from Debian's X11 font packages:
  their copyright files, named after each package (*-copyright.txt).
")
file(COPY_FILE ${notices}/README.txt.new ${notices}/README.txt ONLY_IF_DIFFERENT)
file(REMOVE ${notices}/README.txt.new)
