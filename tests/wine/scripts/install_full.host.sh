#!/bin/bash
# The unzipped package for install_full.kvt, and YEAR, the two-digit year
# the log lines carry.
[ "$1" = start ] && echo "YEAR=$(date +%y)"
exec "$(dirname "$0")/../peers/unpack_package.sh" "$@"
