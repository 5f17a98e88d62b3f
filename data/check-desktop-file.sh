#!/bin/sh
# check-desktop-file.sh FILE: passes when desktop-file-validate finds nothing
# to report, not even a warning; exits 77 (skipped) without the tool.
command -v desktop-file-validate >/dev/null 2>&1 || exit 77
report=$(desktop-file-validate "$1" 2>&1)
status=$?
[ -n "$report" ] && printf '%s\n' "$report"
[ "$status" -eq 0 ] && [ -z "$report" ]
