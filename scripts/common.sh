# Shared by ./run and ./test: install what the build needs, configure, build.
# Sourced, not run.

ORVEL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ORVEL_BUILD="${ORVEL_BUILD:-$ORVEL_ROOT/build}"

# Debian packages the build and the tests need.
ORVEL_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-svg-dev libgl-dev
  libasound2-dev fonts-liberation
  libgtest-dev libgmock-dev libbenchmark-dev
)

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

# Configures once, then builds incrementally.
orvel_build() {
  local werror=OFF
  [ -n "${CI:-}" ] && werror=ON
  if [ ! -f "$ORVEL_BUILD/CMakeCache.txt" ]; then
    cmake -S "$ORVEL_ROOT" -B "$ORVEL_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVEL_WERROR="$werror"
  else
    cmake "$ORVEL_BUILD" -DORVEL_WERROR="$werror" >/dev/null
  fi
  cmake --build "$ORVEL_BUILD"
}
