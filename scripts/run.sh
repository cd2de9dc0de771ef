#!/usr/bin/env bash
# Starts the built program, or says plainly why it cannot.
set -u
program=$1
if [[ ! -x "$program" ]]; then
    echo "The program has not been built: $program is missing." >&2
    exit 1
fi
exec "$program"
