#!/bin/bash
# Run by telnetd in place of a login for the interoperability test: writes
# the terminal type and window size the client announced, then starts a
# shell as the unprivileged user "nobody".
out=$1
for _ in $(seq 1 20); do
  size=$(stty size 2>/dev/null)
  [ -n "$size" ] && [ "$size" != "0 0" ] && break
  sleep 0.1
done
printf 'TERM=%s\nSIZE=%s\n' "${TERM:-}" "$size" >"$out"
chmod 666 "$out"
export HOME=/tmp PS1='interop$ '
exec setpriv --reuid=nobody --regid=nogroup --clear-groups -- /bin/sh -i
