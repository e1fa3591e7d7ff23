# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# Cross-compiling for 64-bit ARM Linux (`make arm64`) with Debian's cross compiler and
# the :arm64 libraries, which dpkg installs beside the native ones once the architecture
# is added (Debian's multiarch layout: /usr/lib/aarch64-linux-gnu, /usr/include).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
# Debian's name for the architecture: the package's, and the one dpkg-buildflags and
# dpkg-shlibdeps are asked about.
set(MORNAKLE_DEBIAN_ARCH arm64)

# The arm64 libraries' pkg-config files, never the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
# Programs from the build machine; libraries and packages for the target only.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_FIND_ROOT_PATH / /usr/aarch64-linux-gnu)
set(CMAKE_IGNORE_PATH /usr/lib/x86_64-linux-gnu)

# Tests run under user-mode emulation, called directly: the kernel's binfmt
# registration may be absent.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static)
