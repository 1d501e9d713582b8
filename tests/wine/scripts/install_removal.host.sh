#!/bin/bash
# The unzipped package for install_removal.kvt.
exec "$(dirname "$0")/../peers/unpack_package.sh" "$@"
