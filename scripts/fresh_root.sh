#!/usr/bin/env bash
# Runs a command as root in a clean Debian root that holds nothing but a
# minimal Debian, what scripts/bootstrap.sh installs and a copy of the
# working tree: a package that only a developer's machine has cannot make
# the command pass there.
#
#   scripts/fresh_root.sh [--new] [--keep] [--] COMMAND [ARGS...]
#
# The root is made with debootstrap (minbase) from this machine's own Debian
# mirror, as its apt sources name it, and is then given the bootstrap's
# packages. It is kept as a cache under $KORVANE_ROOT_CACHE (default
# /var/cache/korvane/fresh-root), keyed on the bootstrap's package list and
# the mirror: a changed list makes a new root. --new makes it anew anyway
# (not beside another run, whose root it replaces).
# Each run works on an overlay of its own over the cached root, so nothing a
# run does stays in the cache and runs can go side by side; the run's files
# go with it unless --keep is given. The command runs in
# /korvane with /proc, /sys, /dev, a private /dev/shm and /tmp, and the
# machine's network (loopback included). The root is entered with bubblewrap,
# which switches root with pivot_root rather than chroot: the kernel refuses
# user namespaces inside a chroot, and the 32-bit Wine tests may need one.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cache=${KORVANE_ROOT_CACHE:-/var/cache/korvane/fresh-root}
new=0
keep=0
while [ $# -gt 0 ]; do
  case $1 in
    --new) new=1; shift ;;
    --keep) keep=1; shift ;;
    --) shift; break ;;
    -*) echo "fresh_root.sh: unknown option $1" >&2; exit 2 ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: fresh_root.sh [--new] [--keep] [--] COMMAND [ARGS...]" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "fresh_root.sh: needs root" >&2; exit 1; }

say() { echo "fresh root: $*"; }

# The tools that make and enter the root, on this machine.
for tool in debootstrap:debootstrap bwrap:bubblewrap; do
  command -v "${tool%%:*}" >/dev/null 2>&1 && continue
  DEBIAN_FRONTEND=noninteractive apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${tool#*:}" >/dev/null
done

codename=$(. /etc/os-release && echo "${VERSION_CODENAME:?}")

# This machine's Debian sources for its release (the release itself and its
# -updates and -security suites), in deb822 form; other vendors' lists are
# left out.
debian_sources() {
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk -v rel="$codename" '
      function flush() {
        if (stanza != "" && debian && suites_ok) printf "%s\n", stanza
        stanza = ""; debian = 0; suites_ok = 0
      }
      /^[ \t]*$/ { flush(); next }
      /^#/ { next }
      {
        stanza = stanza $0 "\n"
        if ($1 == "Suites:") { suites_ok = 1; for (i = 2; i <= NF; i++) if (index($i, rel) != 1) suites_ok = 0 }
        if ($1 == "Signed-By:" && $2 !~ /debian-archive-keyring/) debian = -1
        else if ($1 == "URIs:" && debian == 0) debian = 1
      }
      END { flush() }' "$f"
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    awk -v rel="$codename" '
      $1 == "deb" {
        uri = ""; suite = ""; comps = ""
        for (i = 2; i <= NF; i++) {
          if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; continue }
          if (uri == "") uri = $i; else if (suite == "") suite = $i; else comps = comps " " $i
        }
        if (index(suite, rel) != 1) next
        if ($0 ~ /signed-by=/ && $0 !~ /signed-by=[^ \]]*debian-archive-keyring/) next
        printf "Types: deb\nURIs: %s\nSuites: %s\nComponents:%s\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n\n", uri, suite, comps
      }' "$f"
  done
}
sources=$(debian_sources)
# The mirror of the release itself: the first URI of a stanza holding it.
mirror=$(awk -v rel="$codename" '
  $1 == "URIs:" { uri = $2 }
  $1 == "Suites:" { for (i = 2; i <= NF; i++) if ($i == rel && found == "") found = uri }
  END { print found }' <<<"$sources")
[ -n "$mirror" ] || { echo "fresh_root.sh: no Debian mirror for $codename in this machine's apt sources" >&2; exit 1; }

key=$( { echo "$codename $mirror"; "$here/scripts/bootstrap.sh" --list; } | sha256sum | cut -c1-16)
cached=$cache/$key

# Enters a root directory and runs a command there as root.
enter() {  # root directory, working directory, command...
  local dir=$1 wd=$2
  shift 2
  bwrap --bind "$dir" / --proc /proc --dev-bind /dev /dev --perms 1777 --tmpfs /dev/shm \
    --ro-bind /sys /sys --perms 1777 --tmpfs /tmp --chdir "$wd" --die-with-parent \
    env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    LANG=C.UTF-8 TERM="${TERM:-dumb}" CI="${CI:-}" "$@"
}

# A copy of the working tree (tracked and untracked files, not what git
# ignores, so no build output) at /korvane of a root.
copy_tree() {  # root directory
  mkdir -p "$1/korvane"
  if git -C "$here" rev-parse --git-dir >/dev/null 2>&1; then
    (cd "$here" && git ls-files -z --cached --others --exclude-standard |
      while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
      tar --null -T - -cf -) | tar -xf - -C "$1/korvane"
  else
    tar -C "$here" --exclude=./build -cf - . | tar -xf - -C "$1/korvane"
  fi
}

make_root() {
  local building=$cache/building
  local start=$SECONDS
  rm -rf "$building"
  mkdir -p "$building"
  say "making a $codename root from $mirror"
  debootstrap --variant=minbase --keyring=/usr/share/keyrings/debian-archive-keyring.gpg \
    "$codename" "$building/root" "$mirror" >"$building/debootstrap.log" 2>&1 ||
    { tail -20 "$building/debootstrap.log" >&2; exit 1; }
  rm -f "$building/root/etc/apt/sources.list"
  printf '%s\n' "$sources" >"$building/root/etc/apt/sources.list.d/debian.sources"
  cp -L /etc/resolv.conf "$building/root/etc/resolv.conf"
  printf '127.0.0.1\tlocalhost\n::1\tlocalhost ip6-localhost ip6-loopback\n' >"$building/root/etc/hosts"
  say "debootstrap took $((SECONDS - start)) s; installing the bootstrap's packages"
  copy_tree "$building/root"
  enter "$building/root" /korvane ./scripts/bootstrap.sh
  enter "$building/root" / apt-get clean
  rm -rf "$building/root/korvane"
  # Only the newest root is kept.
  find "$cache" -mindepth 1 -maxdepth 1 -type d ! -name building ! -name 'run.*' -exec rm -rf {} +
  rm -rf "$cached"
  mv "$building" "$cached"
  say "root ready in $((SECONDS - start)) s: $cached"
}

mkdir -p "$cache"
# One maker at a time; runs only read the root.
exec 9>"$cache/.lock"
flock 9
if [ "$new" -eq 1 ] || [ ! -d "$cached/root" ]; then
  make_root
else
  say "cached root $cached"
fi
flock -u 9
exec 9>&-

# Overlays of runs that did not end cleanly (killed, machine restarted).
for old in "$cache"/run.*; do
  [ -d "$old" ] || continue
  [ -d "/proc/${old##*.}" ] && continue
  umount "$old/merged" 2>/dev/null || true
  rm -rf "$old"
done
run=$cache/run.$$
mkdir -p "$run/upper" "$run/work" "$run/merged"
mount -t overlay overlay -o "lowerdir=$cached/root,upperdir=$run/upper,workdir=$run/work" "$run/merged"
finish() {
  umount "$run/merged" 2>/dev/null || umount -l "$run/merged" 2>/dev/null || true
  if [ "$keep" -eq 1 ]; then say "the run's files: $run/upper/korvane"; else rm -rf "$run"; fi
}
trap finish EXIT
copy_tree "$run/merged"
say "running $* in /korvane"
status=0
enter "$run/merged" /korvane "$@" || status=$?
exit $status
