# Sourced: how this machine can run 32-bit (i686) programs, for Wine's
# 32-bit side.
#   korvane_i386_mode   prints native, emulated or none (KORVANE_I386 forces
#                       one; the answer is kept in KORVANE_I386_MODE)
#   fetch_qemu_i386     puts QEMU's i386 user-mode emulator at $KORVANE_QEMU_I386
#
# native: the kernel runs them. emulated: it does not, but a user namespace
# can have a binfmt_misc instance of its own (kernel 6.7 and later), in which
# i386 ELF files are handed to QEMU's user-mode emulator: nothing outside
# that namespace is affected. none: neither, so only the x86_64 build runs.

KORVANE_QEMU_DIR=${KORVANE_QEMU_DIR:-/opt/korvane/qemu-user}
KORVANE_QEMU_I386=$KORVANE_QEMU_DIR/usr/bin/qemu-i386

# A user namespace with a binfmt_misc instance of its own can be made here.
i386_private_binfmt() {
  unshare --user --map-root-user --mount \
    sh -c 'mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc' >/dev/null 2>&1
}

# Whether the kernel itself runs Wine's 32-bit loader. In a private, empty
# binfmt_misc instance no emulator registered elsewhere can answer for the
# kernel. Where none can be made, a machine-wide registration for i386 ELF
# files makes the answer unknowable, and so no.
i386_runs_natively() {
  [ -x /usr/lib/wine/wine ] || return 1
  if i386_private_binfmt; then
    unshare --user --map-root-user --mount sh -c \
      'mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc && exec /usr/lib/wine/wine --version' \
      >/dev/null 2>&1
    return
  fi
  local entry
  for entry in /proc/sys/fs/binfmt_misc/*; do
    [ -f "$entry" ] && grep -q '^magic 7f454c4601' "$entry" 2>/dev/null && grep -qx enabled "$entry" && return 1
  done
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

korvane_i386_mode() {
  if [ -z "${KORVANE_I386_MODE:-}" ]; then
    case ${KORVANE_I386:-auto} in
      native | emulated | none) KORVANE_I386_MODE=$KORVANE_I386 ;;
      *)
        if i386_runs_natively; then
          KORVANE_I386_MODE=native
        elif i386_private_binfmt; then
          KORVANE_I386_MODE=emulated
        else
          KORVANE_I386_MODE=none
        fi
        ;;
    esac
    export KORVANE_I386_MODE
  fi
  echo "$KORVANE_I386_MODE"
}

# The release after this machine's: its qemu-user holds a static qemu-i386
# that runs here and starts Wine far faster than this release's.
next_debian_release() {
  case $1 in
    bullseye) echo bookworm ;;
    bookworm) echo trixie ;;
    trixie) echo forky ;;
    *) return 1 ;;
  esac
}

# Downloads qemu-user of the next release by name, through a source list made
# from this machine's own Debian mirror and private lists, and unpacks it;
# the system's apt configuration and package database are left as they are.
fetch_qemu_i386() {
  [ -x "$KORVANE_QEMU_I386" ] && return 0
  local codename next mirror work
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  next=$(next_debian_release "$codename") || { echo "qemu: no release known after $codename" >&2; return 1; }
  mirror=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
    awk -v rel="$codename" '$1 == "URIs:" { uri = $2 } $1 == "Suites:" { for (i = 2; i <= NF; i++) if ($i == rel && !found) found = uri } END { print found }')
  [ -n "$mirror" ] || mirror=$(awk -v rel="$codename" '$1 == "deb" && $3 == rel { print $2; exit }' /etc/apt/sources.list 2>/dev/null)
  [ -n "$mirror" ] || { echo "qemu: no Debian mirror in this machine's apt sources" >&2; return 1; }
  work=$(mktemp -d)
  mkdir -p "$work/lists/partial" "$work/archives/partial"
  printf 'Types: deb\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$mirror" "$next" >"$work/next.sources"
  local apt=(-o Dir::Etc::SourceList="$work/next.sources" -o Dir::Etc::SourceParts=/dev/null
             -o Dir::State::Lists="$work/lists"
             -o Dir::Cache="$work" -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=
             -o APT::Architectures=amd64 -o Debug::NoLocking=1)
  echo "qemu: fetching qemu-user from $next"
  if (cd "$work" && apt-get "${apt[@]}" -qq update && apt-get "${apt[@]}" -qq download qemu-user) >"$work/log" 2>&1 &&
    mkdir -p "$KORVANE_QEMU_DIR" && dpkg-deb -x "$work"/qemu-user_*.deb "$KORVANE_QEMU_DIR"; then
    rm -rf "$work"
    [ -x "$KORVANE_QEMU_I386" ]
  else
    cat "$work/log" >&2
    rm -rf "$work"
    return 1
  fi
}
