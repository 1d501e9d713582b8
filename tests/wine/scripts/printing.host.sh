#!/bin/bash
# Linux side of printing.kvt: a private CUPS scheduler on a socket of its own
# with one raw queue "kvtest" as the default destination, and a watcher that
# turns every finished job into files the script can read:
#   jobs/jobN.ps    the job as the client's printer driver wrote it
#   jobs/jobN.txt   its text (Ghostscript's txtwrite)
#   jobs/jobN.box   "width W" and "height H": the extent of what is drawn,
#                   in printer pixels
#   jobs/jobN.done  written last
# Nothing touches the system's own CUPS. With KV_PRINT_QUEUE set empty the
# scheduler has no queue at all (printer_missing.kvt).
#   printing.host.sh start DIR   prints CUPS_SERVER=...
#   printing.host.sh stop DIR
set -u
dir=$2
dpi=300

start_cupsd() {
  local root
  root=$(mktemp -d /tmp/kvcups.XXXXXX)  # short: the socket path is limited
  echo "$root" >"$dir/cups.root"
  mkdir -p "$root"/{spool,cache,state,log,tmp}
  chmod 1777 "$root/tmp"
  cat >"$root/cupsd.conf" <<CONF
Listen $root/cups.sock
LogLevel warn
Browsing No
WebInterface No
PreserveJobFiles Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat >"$root/cups-files.conf" <<CONF
ServerRoot $root
RequestRoot $root/spool
CacheDir $root/cache
StateDir $root/state
TempDir $root/tmp
ErrorLog $root/log/error_log
AccessLog $root/log/access_log
PageLog $root/log/page_log
FileDevice Yes
CONF
  /usr/sbin/cupsd -f -c "$root/cupsd.conf" -s "$root/cups-files.conf" >"$root/log/stdout" 2>&1 &
  echo $! >"$dir/cupsd.pid"
  for _ in $(seq 1 50); do
    [ -S "$root/cups.sock" ] && break
    sleep 0.1
  done
  export CUPS_SERVER=$root/cups.sock
  local queue=${KV_PRINT_QUEUE-kvtest}
  [ -n "$queue" ] || return 0
  lpadmin -p "$queue" -E -v file:///dev/null >/dev/null 2>&1
  lpadmin -d "$queue" >/dev/null 2>&1
}

# One finished job: its text and the extent of its marks.
convert_job() {
  local ps=$1 base=${1%.ps}
  gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=txtwrite -sOutputFile="$base.txt" "$ps" >/dev/null 2>&1
  gs -q -dNOPAUSE -dBATCH -dSAFER -r$dpi -sDEVICE=bbox "$ps" 2>&1 |
    awk -v dpi=$dpi '/%%HiResBoundingBox/ {
      printf "width %d\nheight %d\n", ($4 - $2) * dpi / 72 + 0.5, ($5 - $3) * dpi / 72 + 0.5 }' >"$base.box"
  : >"$base.done"
}

watch_jobs() {
  local root=$1 n=0 seen=" "
  while :; do
    for spool in "$root"/spool/d*-001; do
      [ -f "$spool" ] || continue
      case $seen in *" $spool "*) continue ;; esac
      # A job is finished when the scheduler has let go of its control file's lock.
      sleep 0.3
      seen="$seen$spool "
      n=$((n + 1))
      cp "$spool" "$dir/jobs/job$n.ps"
      convert_job "$dir/jobs/job$n.ps"
    done
    sleep 0.2
  done
}

case $1 in
  start)
    mkdir -p "$dir/jobs"
    start_cupsd
    root=$(cat "$dir/cups.root")
    watch_jobs "$root" >/dev/null 2>&1 &
    echo $! >"$dir/watch.pid"
    echo "CUPS_SERVER=$root/cups.sock"
    ;;
  stop)
    for pidfile in "$dir/watch.pid" "$dir/cupsd.pid"; do
      [ -f "$pidfile" ] || continue
      pid=$(cat "$pidfile")
      kill "$pid" 2>/dev/null
      # cupsd writes its state on the way out: its directory goes after it.
      for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      rm -f "$pidfile"
    done
    [ -f "$dir/cups.root" ] && rm -rf "$(cat "$dir/cups.root")"
    rm -f "$dir/cups.root"
    ;;
esac
exit 0
