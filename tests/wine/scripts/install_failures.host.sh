#!/bin/bash
# The unzipped package for install_failures.kvt.
exec "$(dirname "$0")/../peers/unpack_package.sh" "$@"
