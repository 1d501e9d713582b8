#!/bin/bash
# Linux side of the installer scripts: builds the package of the build under
# test and unzips it into the script's scratch directory.
#   unpack_package.sh start DIR   prints PACKAGE=<Windows path> and
#                                 PACKAGE_DIR=<the same, upper-cased, ending in \>
#   unpack_package.sh stop DIR
set -u
source "$(dirname "$0")/../../../scripts/wine_env.sh"
dir=$2
case $1 in
  start)
    "$KORVANE_ROOT/scripts/package.sh" "$KORVANE_WINE_ARCH" >"$dir/package.log" 2>&1 || { cat "$dir/package.log" >&2; exit 1; }
    zip=$KORVANE_ROOT/build/korvane-1.8.3.4.zip
    [ "$KORVANE_WINE_ARCH" = win64 ] && zip=$KORVANE_WIN_BUILD/korvane-1.8.3.4.zip
    rm -rf "$dir/package"
    unzip -q "$zip" -d "$dir/package"
    package=$(winpath "$dir/package")
    echo "PACKAGE=$package"
    echo "PACKAGE_DIR=${package^^}\\"
    ;;
  stop) ;;
esac
