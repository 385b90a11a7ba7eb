#!/usr/bin/env bash
# Makes the Debian package with CPack into a temporary folder and checks its
# control fields and file list.
#   check_package.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" >/dev/null
debs=("$out"/*.deb)
[ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single package in $out"
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = orvel ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^\>]+@[^\>]+\>$ ]] || fail "Maintainer: $(field Maintainer)"
[ "$(field Section)" = electronics ] || fail "Section: $(field Section)"
description=$(field Description)
[ "$(wc -l <<<"$description")" -ge 3 ] || fail "Description has no long text: $description"
# Computed from the programs' libraries, with versions.
depends=$(field Depends)
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libqt6printsupport6 libasound2; do
  sed 's/, /\n/g' <<<"$depends" | grep -qF -- "$lib (>= " || fail "Depends lacks $lib: $depends"
done

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/orvel ./usr/bin/orvel-cli ./usr/share/applications/org.orvel.Orvel.desktop \
         ./usr/share/metainfo/org.orvel.Orvel.metainfo.xml \
         ./usr/share/icons/hicolor/scalable/apps/org.orvel.Orvel.svg \
         ./usr/share/icons/hicolor/48x48/apps/org.orvel.Orvel.png \
         ./usr/share/man/man1/orvel.1.gz ./usr/share/man/man1/orvel-cli.1.gz; do
  grep -qx -- "$f" <<<"$files" || fail "package lacks $f"
done
# Nothing of the build itself: no tests, benchmarks, build tools, libraries or headers.
if grep -vE '^\./(usr/(bin(/orvel(-cli)?)?|share(/(applications|metainfo|icons|man)(/.*)?)?)?/?)?$' <<<"$files"; then
  fail "unexpected files above"
fi
echo "package OK: Depends: $depends"
