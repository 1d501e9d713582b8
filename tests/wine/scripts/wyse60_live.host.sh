#!/bin/bash
# Linux side of wyse60_live.kvt: the same telnetd session as interop.kvt's
# (a shell as "nobody" on a loopback address of our own).
exec "$(dirname "$0")/interop.host.sh" "$@"
