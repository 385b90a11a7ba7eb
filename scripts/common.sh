# Shared by ./run and ./test: install what the build needs, configure, build.
# Sourced, not run.

ORVEL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ORVEL_BUILD="${ORVEL_BUILD:-$ORVEL_ROOT/build}"

# Debian packages the build and the tests need (ccache: builds in another
# clone or build folder reuse what was compiled before).
ORVEL_PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-svg-dev libgl-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libasound2-dev fonts-liberation
  libgtest-dev libgmock-dev libbenchmark-dev
  desktop-file-utils appstream lintian shared-mime-info xdg-utils libfile-mimeinfo-perl
)

# What ./test needs besides: systemd-analyze for the service's unit, and a
# broker with its clients for the readings sent over MQTT (the tests start
# brokers of their own; Debian's package also enables its own service).
ORVEL_TEST_PACKAGES=(systemd mosquitto mosquitto-clients)

# What scripts/fuzz.sh (and CI's fuzz step) needs besides: clang and its libFuzzer.
ORVEL_FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)

orvel_as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo -n "$@"
  else
    echo "need root (or sudo) to run: $*" >&2
    return 1
  fi
}

# Installs whichever of the given packages is missing; never asks questions.
orvel_install() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ "${#missing[@]}" -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  orvel_as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  orvel_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Runs a build (the command given). In CI a compiler warning fails it: the
# warnings are found in its output rather than made errors by the compiler, so
# that CI compiles with the very command lines of a developer's build and the
# compiler cache serves both (a cached compile repeats its warnings).
orvel_checked_build() {
  if [ -z "${CI:-}" ]; then
    "$@"
    return
  fi
  local log status=0
  log=$(mktemp)
  "$@" 2>&1 | tee "$log" || status=$?
  if grep -qE '(^|: )warning: ' "$log"; then
    echo "CI: compiler warnings above" >&2
    status=1
  fi
  rm -f "$log"
  return "$status"
}

# Configures once, then builds the given targets (all of them when none is
# given) incrementally. The configuration is never changed afterwards, so ./run
# and ./test never change the compiler's command lines for each other and
# never rebuild everything.
orvel_build() {
  if [ ! -f "$ORVEL_BUILD/CMakeCache.txt" ]; then
    cmake -S "$ORVEL_ROOT" -B "$ORVEL_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  local targets=()
  local target
  for target in "$@"; do targets+=(--target "$target"); done
  orvel_checked_build cmake --build "$ORVEL_BUILD" "${targets[@]}"
}
