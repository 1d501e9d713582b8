#!/bin/bash
# Starts the demo telnet host on the loopback interface only: Debian's
# telnetd under socat, running demo_session.sh as "nobody" instead of a
# login. Uses port 23 of 127.0.0.1 when it is free (so the client negotiates
# the window size), else a free port.
#   start_demo_host.sh PIDFILE   prints the port; the server runs until
#                                the pid in PIDFILE is killed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
pidfile=$1

port_free() {
  python3 -c "import socket,sys; s=socket.socket(); s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1); s.bind(('127.0.0.1', int(sys.argv[1])))" "$1" 2>/dev/null
}
free_port() {
  python3 -c "import socket; s=socket.socket(); s.bind(('127.0.0.1', 0)); print(s.getsockname()[1])"
}

for attempt in 1 2 3 4 5; do
  if [ "$attempt" -eq 1 ] && [ "$(id -u)" -eq 0 ] && port_free 23; then port=23; else port=$(free_port); fi
  socat "TCP-LISTEN:$port,bind=127.0.0.1,reuseaddr,fork" \
    EXEC:"/usr/sbin/telnetd -h -E $here/demo_session.sh" >/dev/null 2>&1 &
  pid=$!
  sleep 0.3
  if kill -0 "$pid" 2>/dev/null; then
    echo "$pid" >"$pidfile"
    echo "$port"
    exit 0
  fi
done
echo "start_demo_host: could not start the telnet server" >&2
exit 1
