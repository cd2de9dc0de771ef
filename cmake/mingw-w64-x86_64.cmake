# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-building for 64-bit Windows with Debian's mingw-w64 compilers (the
# posix thread model) and running the programs under Wine:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# Such a build has no Qt: the plain C++ libraries and their tests only. With
# the static Qt for Windows of scripts/build-qt-windows.sh (`make qt-windows`)
#   ... -DCMAKE_PREFIX_PATH=$PWD/build-qt-windows/qt -DQUARTET_QT=ON
# the build finds that Qt, and runs the host's Qt tools of the same version
# (`make windows` and `make test-windows` build so).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUARTET_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUARTET_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUARTET_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUARTET_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUARTET_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Each folder of CMAKE_PREFIX_PATH holds target files too: a Qt for Windows.
list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_PREFIX_PATH})

# A Qt for Windows runs the host's moc, rcc and uic (Debian's qt6-base-dev-tools).
set(QT_HOST_PATH /usr CACHE PATH "The host's Qt, whose tools a cross build runs")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${CMAKE_HOST_SYSTEM_PROCESSOR}-linux-gnu/cmake
  CACHE PATH "The host Qt's CMake packages")

# The C++ runtime and the thread library linked in, so that a program runs
# without MinGW's DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# A static link keeps one copy of each inline or template function that Qt
# and the program both compile (std::mt19937's, say). With -fipa-ra, GCC's
# default from -O2 on, a caller keeps values in the registers that its own
# copy of the callee leaves alone; the copy that the linker kept may not
# (QProcess crashed so, in Qt's random generator, when the program was built
# at another optimisation level than Qt). Both are built without it.
set(CMAKE_C_FLAGS_INIT -fno-ipa-ra)
set(CMAKE_CXX_FLAGS_INIT -fno-ipa-ra)

# ctest lists and runs the test programs through Wine, in the prefix that
# WINEPREFIX names (scripts/test-windows.sh makes a throwaway one).
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
