#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file of the project lacks the licence line
# "SPDX-License-Identifier: GPL-3.0-or-later" in its first three lines.
# In a git checkout the files are those git tracks, so a scratch file left
# in the checkout does not count; in an unpacked source tarball, every file.
set -euo pipefail
cd "$1"
patterns=('*.cpp' '*.h' '*.in' '*.py' '*.sh' 'CMakeLists.txt' '*.cmake' 'Makefile' '*.qrc' '*.desktop' '*.6')
if [[ "$(git rev-parse --show-toplevel 2>/dev/null)" == "$(pwd -P)" ]]; then
    mapfile -d '' files < <(git ls-files -z -- "${patterns[@]/#/:(glob)**/}" ':!:fuzz/corpus/**' | sort -z)
else
    names=()
    for pattern in "${patterns[@]}"; do names+=(-o -name "$pattern"); done
    mapfile -d '' files < <(find . \( -path './build*' -o -path './.git' -o -path './fuzz/corpus' \) -prune -o \
        -type f \( "${names[@]:1}" \) -print0 | sort -z)
fi
missing=0
for file in "${files[@]}"; do
    if [[ -f "$file" ]] && ! head -n 3 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later'; then
        echo "no licence line: $file"
        missing=$((missing + 1))
    fi
done
echo "${#files[@]} source files, $missing without the licence line"
[[ $missing -eq 0 ]]
