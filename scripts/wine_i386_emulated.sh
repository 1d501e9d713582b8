#!/usr/bin/env bash
# Wine's 32-bit loader for a machine whose kernel does not run 32-bit
# programs: run inside the user namespace that wine_env.sh's
# wine_namespace_up made, where QEMU's i386 emulator takes i386 ELF files.
ns=${KORVANE_I386_NS:?"no namespace: source scripts/wine_env.sh and call wine_namespace_up first"}
exec nsenter --target "$ns" --user --mount --preserve-credentials --wd="$PWD" -- /usr/lib/wine/wine "$@"
