#!/usr/bin/env bash
# Builds the Debian package of the program with CPack:
# build/orvel_<version>_<architecture>.deb. Install it with
#   sudo apt install ./build/orvel_*.deb
set -euo pipefail
source "$(dirname "$0")/common.sh"

orvel_install "${ORVEL_PACKAGES[@]}"
orvel_build orvel orvel-cli orvel_dist # the installed files only, not the tests
cd "$ORVEL_BUILD"
rm -f orvel_*.deb
cpack -G DEB
