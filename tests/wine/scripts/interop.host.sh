#!/bin/bash
# Linux side of interop.kvt: Debian's telnetd under socat on port 23 of a
# loopback address of our own (port 23, so the client negotiates as it does
# with real hosts; our own address, so concurrent runs do not meet). The
# session records the TERM and window size it was given, then runs a shell
# as "nobody", which writes into a directory of its own under /tmp (the
# checkout's own directories need not be open to other users). Loopback
# only, and only for the test's lifetime.
#   interop.host.sh start DIR   prints TELNETD_ADDR=..., SHARED=... (Windows
#                               path) and SHARED_UNIX=...
#   interop.host.sh stop DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
dir=$2

case $1 in
  start)
    chmod 777 "$dir"
    shared=$(mktemp -d /tmp/korvane-interop.XXXXXX)
    chmod 777 "$shared"
    echo "$shared" >"$dir/shared.path"
    echo "SHARED_UNIX=$shared"
    echo "SHARED=Z:${shared//\//\\}"
    cat >"$dir/session.sh" <<SESSION
#!/bin/bash
exec $here/../peers/interop_session.sh $dir/announced.txt
SESSION
    chmod 755 "$dir/session.sh"
    for attempt in $(seq 1 20); do
      addr=127.$((RANDOM % 250 + 1)).$((RANDOM % 250)).$((RANDOM % 250 + 2))
      socat "TCP-LISTEN:23,bind=$addr,reuseaddr,fork" EXEC:"/usr/sbin/telnetd -h -E $dir/session.sh" \
        >"$dir/socat.log" 2>&1 &
      pid=$!
      sleep 0.3
      if kill -0 "$pid" 2>/dev/null; then
        echo "$pid" >"$dir/socat.pid"
        echo "TELNETD_ADDR=$addr"
        exit 0
      fi
    done
    echo "TELNETD_ADDR=none"
    ;;
  stop)
    [ -f "$dir/socat.pid" ] && kill "$(cat "$dir/socat.pid")" 2>/dev/null
    rm -f "$dir/socat.pid"
    [ -f "$dir/shared.path" ] && rm -rf "$(cat "$dir/shared.path")"
    rm -f "$dir/shared.path"
    ;;
esac
exit 0
