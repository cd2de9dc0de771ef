#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds for 64-bit Windows with mingw-w64 and the static Qt that
# scripts/build-qt-windows.sh made in QT_DIR/qt: the program, one
# build-dir/app/quartet.exe that needs nothing beside it, or with TARGET all
# the tests too. Usage:
#   scripts/build-windows.sh BUILD_DIR QT_DIR JOBS TARGET [CMAKE_ARGS...]
set -euo pipefail
build_dir=$1
qt_dir=$(realpath -m "$2")
jobs=$3
target=$4
shift 4
source_dir=$(cd "$(dirname "$0")/.." && pwd)

cmake -S "$source_dir" -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_PREFIX_PATH="$qt_dir/qt" -DQUARTET_QT=ON "$@" >/dev/null
cmake --build "$build_dir" -j "$jobs" --target "$target"
