#!/bin/bash
# The demo host's session: a small menu of harmless commands, run by the
# telnet server in place of a login, as the unprivileged user "nobody".
# Input is only compared with fixed words, never executed.
export PATH=/usr/bin:/bin
export HOME=/
if [ "$(id -u)" -eq 0 ]; then
  exec setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$0" "$@"
fi

esc=$'\e'
# The client's window size may arrive just after the session starts.
for _ in 1 2 3 4 5 6 7 8 9 10; do
  size=$(stty size 2>/dev/null || echo "unknown")
  [ "$size" != "0 0" ] && break
  sleep 0.1
done

banner() {
  printf '\n%s[1mKorvane demo host%s[0m on 127.0.0.1\n' "$esc" "$esc"
  printf 'A restricted session: nothing typed here runs on this machine.\n\n'
  printf 'Terminal type: %s    Window: %s (rows columns)\n\n' "${TERM:-unknown}" "$size"
}

help() {
  printf 'Commands:\n'
  printf '  help     this list\n'
  printf '  colors   attributes and the 8 colours\n'
  printf '  date     the date and time\n'
  printf '  size     the window size the client announced\n'
  printf '  lines    100 numbered lines (scrolling)\n'
  printf '  echo X   prints X back\n'
  printf '  exit     ends the session\n'
}

colors() {
  printf '%s[1mbold%s[0m %s[4munderline%s[0m %s[5mblink%s[0m %s[7mreverse%s[0m\n' \
    "$esc" "$esc" "$esc" "$esc" "$esc" "$esc" "$esc" "$esc"
  for c in 0 1 2 3 4 5 6 7; do printf '%s[3%dm colour %d %s[0m' "$esc" "$c" "$c" "$esc"; done
  printf '\n'
  for c in 0 1 2 3 4 5 6 7; do printf '%s[4%dm colour %d %s[0m' "$esc" "$c" "$c" "$esc"; done
  printf '\n'
}

banner
help
while true; do
  printf '\ndemo> '
  IFS= read -r line || break
  line=${line%$'\r'}
  case "$line" in
    help) help ;;
    colors) colors ;;
    date) date ;;
    size) printf 'Window: %s\n' "$(stty size 2>/dev/null)" ;;
    lines) for i in $(seq 1 100); do printf 'line %3d of 100\n' "$i"; done ;;
    "echo "*) printf '%s\n' "${line#echo }" ;;
    exit | logout | quit) printf 'Goodbye.\n'; break ;;
    "") ;;
    *) printf 'Unknown command; type help.\n' ;;
  esac
done
