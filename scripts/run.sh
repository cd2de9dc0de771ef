#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the built program, or says plainly that it has not been built. The
# program itself says in one line when there is no display to show it on.
set -u
program=$1
if [[ ! -x "$program" ]]; then
    echo "The program has not been built: $program is missing." >&2
    exit 1
fi
exec "$program"
