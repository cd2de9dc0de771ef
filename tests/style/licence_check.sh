#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file of the project lacks the licence line
# "SPDX-License-Identifier: GPL-3.0-or-later" in its first three lines.
set -euo pipefail
cd "$1"
mapfile -d '' files < <(find . \( -path './build*' -o -path './.git' -o -path './fuzz/corpus' \) -prune -o -type f \
    \( -name '*.cpp' -o -name '*.h' -o -name '*.in' -o -name '*.py' -o -name '*.sh' -o -name 'CMakeLists.txt' \
    -o -name '*.cmake' -o -name 'Makefile' -o -name '*.qrc' -o -name '*.desktop' -o -name '*.6' \) -print0 | sort -z)
missing=0
for file in "${files[@]}"; do
    if ! head -n 3 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later'; then
        echo "no licence line: $file"
        missing=$((missing + 1))
    fi
done
echo "${#files[@]} source files, $missing without the licence line"
[[ $missing -eq 0 ]]
