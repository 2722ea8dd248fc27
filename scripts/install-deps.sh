#!/usr/bin/env bash
# Install everything needed to build and test tessel on Debian bookworm.
#
#   scripts/install-deps.sh
#
# Idempotent: when everything is present it only checks and prints
# "dependencies: all present".
#
# 1. Debian packages from the machine's configured archive (apt-get).
# 2. yyjson >= 0.12, which bookworm does not carry: libyyjson0 and
#    libyyjson-dev are fetched from the Debian "unstable" suite of the same
#    mirror the machine already uses (read from its apt configuration) and
#    installed with dpkg. A throw-away apt configuration in a temporary
#    directory is used for that, so the machine's sources, package lists and
#    caches stay exactly as they were.
#
# Environment:
#   TESSEL_DEBIAN_MIRROR  use this Debian mirror URL for the yyjson step
#                         instead of the one found in the apt configuration.
set -euo pipefail

readonly APT_PACKAGES=(
  build-essential g++ cmake pkg-config git
  libgtest-dev libgmock-dev googletest
  zlib1g-dev libbz2-dev liblzma-dev libzstd-dev
  libcli11-dev ca-certificates groff-base
)
readonly YYJSON_MIN=0.12
readonly YYJSON_PACKAGES=(libyyjson0 libyyjson-dev)
readonly DEBIAN_KEYRING=/usr/share/keyrings/debian-archive-keyring.gpg

log() { printf 'install-deps: %s\n' "$*"; }
die() { printf 'install-deps: error: %s\n' "$*" >&2; exit 1; }

# Fail early, with a clear message, when installing is impossible.
require_root() {
  if [[ $(id -u) -ne 0 ]] && ! command -v sudo >/dev/null 2>&1; then
    die "root rights are needed to install $1 and sudo is not available; run this script as root"
  fi
}

# Run a command as root: directly when we are root, else through sudo.
as_root() {
  if [[ $(id -u) -eq 0 ]]; then
    "$@"
  else
    sudo "$@"
  fi
}

TMP_DIR=""
cleanup() {
  if [[ -n $TMP_DIR && -d $TMP_DIR ]]; then
    rm -rf -- "$TMP_DIR" 2>/dev/null || as_root rm -rf -- "$TMP_DIR" || true
  fi
}
trap cleanup EXIT

# Lazily created scratch directory (only when something must be installed).
scratch_dir() {
  if [[ -z $TMP_DIR ]]; then
    TMP_DIR=$(mktemp -d "${TMPDIR:-/tmp}/tessel-deps.XXXXXXXX")
  fi
}

# run_logged LABEL LOGFILE COMMAND...: run COMMAND with its output going to
# LOGFILE; show the log's tail if it fails.
run_logged() {
  local label=$1 logfile=$2
  shift 2
  printf '\n$ %s\n' "$*" >>"$logfile"
  if ! "$@" >>"$logfile" 2>&1; then
    printf 'install-deps: %s failed; last lines of its output:\n' "$label" >&2
    tail -n 25 "$logfile" | sed 's/^/  | /' >&2 || true
    return 1
  fi
}

installed_version() {
  dpkg-query -W -f='${Version}' "$1" 2>/dev/null || true
}

# ---------------------------------------------------------------------------
# 1. Debian packages
# ---------------------------------------------------------------------------
install_apt_packages() {
  local -A present=()
  local pkg status
  while read -r pkg status; do
    [[ $status == installed ]] && present[$pkg]=1
  done < <(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${APT_PACKAGES[@]}" 2>/dev/null || true)

  local missing=()
  for pkg in "${APT_PACKAGES[@]}"; do
    [[ -n ${present[$pkg]:-} ]] || missing+=("$pkg")
  done
  [[ ${#missing[@]} -eq 0 ]] && return 0

  require_root "${missing[*]}"
  log "installing Debian packages: ${missing[*]}"
  scratch_dir
  local logfile=$TMP_DIR/apt.log
  run_logged "apt-get update" "$logfile" \
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update \
    || die "apt-get update failed"
  run_logged "apt-get install" "$logfile" \
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}" \
    || die "apt-get install failed for: ${missing[*]}"
  for pkg in "${missing[@]}"; do
    [[ $(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true) == installed ]] \
      || die "package $pkg is still not installed after apt-get install"
    log "installed $pkg $(installed_version "$pkg")"
  done
  CHANGED=1
}

# ---------------------------------------------------------------------------
# 2. yyjson from Debian unstable
# ---------------------------------------------------------------------------

# Print candidate Debian mirror URLs, best first, read from the machine's
# apt configuration. A candidate must list a plain release suite (such as
# "bookworm" or "stable", not "bookworm-security" or "bookworm-updates").
debian_mirror_candidates() {
  local codename=""
  if [[ -r /etc/os-release ]]; then
    # shellcheck source=/dev/null
    codename=$(. /etc/os-release && printf '%s' "${VERSION_CODENAME:-}")
  fi

  # Each line printed by the awk programs: "<score> <uri>".
  # Score: 4 when a suite is the release codename, else 2 for another plain
  #        suite; +2 when the URI path ends in /debian; +1 when signed by the
  #        Debian keyring (or no Signed-By at all). Candidates need >= 3.
  local awk_score='
    function score(suites, uri, signedby,   n, s, i, best, sc) {
      if (uri == "" || uri ~ /^cdrom:/) return 0
      n = split(suites, s, /[ \t]+/)
      best = 0
      for (i = 1; i <= n; i++) {
        if (s[i] == "") continue
        if (codename != "" && s[i] == codename) { best = 4; break }
        if (s[i] !~ /[-\/]/ && best < 2) best = 2
      }
      if (best == 0) return 0
      sc = best
      if (uri ~ /\/debian\/?$/) sc += 2
      if (signedby == "" || signedby ~ /debian-archive-keyring/) sc += 1
      return sc
    }'

  local f
  {
    # deb822 files
    for f in /etc/apt/sources.list.d/*.sources; do
      [[ -r $f ]] || continue
      awk -v codename="$codename" "$awk_score"'
        function flush(   n, u, i, sc) {
          if (types ~ /(^|[ \t])deb([ \t]|$)/ && tolower(enabled) !~ /^(no|false|0)$/) {
            n = split(uris, u, /[ \t]+/)
            for (i = 1; i <= n; i++) {
              if (u[i] == "") continue
              sc = score(suites, u[i], signedby)
              if (sc >= 3) print sc, u[i]
            }
          }
          types = uris = suites = enabled = signedby = ""; last = ""
        }
        /^[ \t]*#/ { next }
        /^[ \t]*$/ { flush(); next }
        /^[ \t]/ {
          v = $0; gsub(/^[ \t]+|[ \t]+$/, "", v)
          if (last == "uris") uris = uris " " v
          else if (last == "suites") suites = suites " " v
          else if (last == "types") types = types " " v
          next
        }
        {
          p = index($0, ":")
          if (p == 0) next
          key = tolower(substr($0, 1, p - 1)); val = substr($0, p + 1)
          gsub(/^[ \t]+|[ \t]+$/, "", key); gsub(/^[ \t]+|[ \t]+$/, "", val)
          last = key
          if (key == "types") types = val
          else if (key == "uris") uris = val
          else if (key == "suites") suites = val
          else if (key == "enabled") enabled = val
          else if (key == "signed-by") signedby = val
        }
        END { flush() }
      ' "$f"
    done
    # one-line format: deb [options] URI suite component...
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
      [[ -r $f ]] || continue
      awk -v codename="$codename" "$awk_score"'
        {
          line = $0
          sub(/#.*/, "", line)
          signedby = ""
          if (match(line, /\[[^]]*\]/)) {
            opts = substr(line, RSTART + 1, RLENGTH - 2)
            line = substr(line, 1, RSTART - 1) " " substr(line, RSTART + RLENGTH)
            if (match(opts, /signed-by=[^ \t]+/)) signedby = substr(opts, RSTART, RLENGTH)
          }
          n = split(line, w, /[ \t]+/)
          j = 0
          for (i = 1; i <= n; i++) if (w[i] != "") t[++j] = w[i]
          if (j >= 3 && t[1] == "deb") {
            sc = score(t[3], t[2], signedby)
            if (sc >= 3) print sc, t[2]
          }
          delete t
        }
      ' "$f"
    done
  } | sort -s -k1,1nr | awk '{ sub(/\/+$/, "", $2); if (!seen[$2]++) print $2 }'
}

# Fetch libyyjson0 and libyyjson-dev from "<mirror> unstable main" into
# $1 using a private apt configuration. Returns non-zero on failure.
fetch_yyjson_debs() {
  local mirror=$1 work=$2 logfile=$3
  rm -rf -- "$work" || return 1
  mkdir -p "$work"/{etc/sources.list.d,etc/preferences.d,lists/partial,cache/archives/partial,debs} \
    || return 1
  printf 'deb [signed-by=%s] %s unstable main\n' "$DEBIAN_KEYRING" "$mirror" \
    >"$work/etc/sources.list"
  # Drop hooks that apt-get update would otherwise run on the machine.
  cat >"$work/etc/apt.conf" <<'EOF'
#clear APT::Update::Pre-Invoke;
#clear APT::Update::Post-Invoke;
#clear APT::Update::Post-Invoke-Success;
EOF

  local opts=(
    -c "$work/etc/apt.conf"
    -o "Dir::Etc::SourceList=$work/etc/sources.list"
    -o "Dir::Etc::SourceParts=$work/etc/sources.list.d"
    -o "Dir::Etc::Preferences=$work/etc/preferences"
    -o "Dir::Etc::PreferencesParts=$work/etc/preferences.d"
    -o "Dir::State::Lists=$work/lists"
    -o "Dir::Cache=$work/cache"
    -o "Dir::Cache::archives=$work/cache/archives"
    -o "Dir::Cache::pkgcache="
    -o "Dir::Cache::srcpkgcache="
    -o "Acquire::Languages=none"
    -o "Acquire::IndexTargets::deb::DEP-11::DefaultEnabled=false"
    -o "Acquire::IndexTargets::deb::DEP-11-icons::DefaultEnabled=false"
    -o "Acquire::IndexTargets::deb::DEP-11-icons-small::DefaultEnabled=false"
    -o "Acquire::IndexTargets::deb::DEP-11-icons-hidpi::DefaultEnabled=false"
    -o "Acquire::IndexTargets::deb::DEP-11-icons-large::DefaultEnabled=false"
    -o "Acquire::IndexTargets::deb::DEP-11-icons-large-hidpi::DefaultEnabled=false"
    -o "Acquire::IndexTargets::deb::Contents-deb::DefaultEnabled=false"
  )
  # When run as root apt drops to the _apt user for downloads; let it write.
  if [[ $(id -u) -eq 0 ]] && id _apt >/dev/null 2>&1; then
    chmod 0755 "$TMP_DIR" "$work" || return 1
    chown _apt "$work/lists/partial" "$work/cache/archives/partial" "$work/debs" || return 1
  fi

  run_logged "apt-get update (unstable, $mirror)" "$logfile" \
    apt-get "${opts[@]}" --error-on=any update || return 1
  (cd "$work/debs" && run_logged "apt-get download (unstable, $mirror)" "$logfile" \
    apt-get "${opts[@]}" download "${YYJSON_PACKAGES[@]}") || return 1
  local p
  for p in "${YYJSON_PACKAGES[@]}"; do
    compgen -G "$work/debs/${p}_*.deb" >/dev/null || return 1
  done
}

install_yyjson() {
  if pkg-config --atleast-version="$YYJSON_MIN" yyjson 2>/dev/null; then
    return 0
  fi
  [[ -r $DEBIAN_KEYRING ]] \
    || die "$DEBIAN_KEYRING not found (package debian-archive-keyring); cannot fetch yyjson"

  local mirrors=()
  if [[ -n ${TESSEL_DEBIAN_MIRROR:-} ]]; then
    mirrors=("${TESSEL_DEBIAN_MIRROR%/}")
  else
    mapfile -t mirrors < <(debian_mirror_candidates)
  fi
  [[ ${#mirrors[@]} -gt 0 ]] \
    || die "no Debian mirror found in /etc/apt/sources.list.d/*.sources, /etc/apt/sources.list or /etc/apt/sources.list.d/*.list (set TESSEL_DEBIAN_MIRROR to a Debian mirror URL)"

  require_root "${YYJSON_PACKAGES[*]}"
  log "installing yyjson >= $YYJSON_MIN (${YYJSON_PACKAGES[*]} from Debian unstable)"
  scratch_dir
  local logfile=$TMP_DIR/yyjson.log work="" mirror ok=""
  for mirror in "${mirrors[@]}"; do
    work=$TMP_DIR/unstable
    if fetch_yyjson_debs "$mirror" "$work" "$logfile"; then
      ok=1
      break
    fi
    log "could not fetch ${YYJSON_PACKAGES[*]} from $mirror (suite unstable)"
  done
  [[ -n $ok ]] || die "could not download ${YYJSON_PACKAGES[*]} from the unstable suite of any configured Debian mirror"

  run_logged "dpkg -i" "$logfile" as_root env DEBIAN_FRONTEND=noninteractive dpkg -i "$work"/debs/*.deb \
    || die "dpkg -i of ${YYJSON_PACKAGES[*]} failed"

  local version
  version=$(pkg-config --modversion yyjson 2>/dev/null || true)
  pkg-config --atleast-version="$YYJSON_MIN" yyjson 2>/dev/null \
    || die "yyjson >= $YYJSON_MIN is required but pkg-config reports '${version:-not found}' after installing ${YYJSON_PACKAGES[*]}"
  local p
  for p in "${YYJSON_PACKAGES[@]}"; do
    log "installed $p $(installed_version "$p")"
  done
  log "yyjson $version ready"
  CHANGED=1
}

CHANGED=""

main() {
  install_apt_packages
  command -v pkg-config >/dev/null 2>&1 || die "pkg-config is not available"
  install_yyjson
  if [[ -z $CHANGED ]]; then
    echo "dependencies: all present"
  fi
}

main "$@"
