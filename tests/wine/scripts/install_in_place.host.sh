#!/bin/bash
# The unzipped package for install_in_place.kvt.
exec "$(dirname "$0")/../peers/unpack_package.sh" "$@"
