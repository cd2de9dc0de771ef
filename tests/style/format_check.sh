#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a C++ file of the project differs from what clang-format makes
# of it with the project's .clang-format; prints the places that differ.
# In a git checkout the files are those git tracks, so a scratch file left
# in the checkout does not count; in an unpacked source tarball, every file.
set -euo pipefail
cd "$1"
if [[ "$(git rev-parse --show-toplevel 2>/dev/null)" == "$(pwd -P)" ]]; then
    mapfile -d '' files < <(git ls-files -z -- ':(glob)**/*.cpp' ':(glob)**/*.h' | sort -z)
else
    mapfile -d '' files < <(find . \( -path './build*' -o -path './.git' \) -prune -o \
        -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
fi
clang-format --dry-run -Werror "${files[@]}"
echo "${#files[@]} files formatted as .clang-format says"
