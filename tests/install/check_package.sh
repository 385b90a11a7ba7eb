#!/usr/bin/env bash
# Makes the Debian package with CPack into a temporary folder and checks its
# control fields, its file list, its changelog and, where lintian is installed,
# that lintian finds no error or warning in it.
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
         ./usr/share/mime/packages/org.orvel.Orvel.xml \
         ./usr/share/man/man1/orvel.1.gz ./usr/share/man/man1/orvel-cli.1.gz \
         ./usr/share/doc/orvel/copyright ./usr/share/doc/orvel/changelog.gz \
         ./usr/share/doc/orvel/examples/orvel-record.conf ./usr/share/doc/orvel/examples/orvel-mqtt \
         ./usr/lib/systemd/system/orvel-record@.service \
         ./usr/share/orvel/translations/orvel_de.qm ./usr/share/orvel/translations/orvel_en.qm \
         ./usr/share/bash-completion/completions/orvel-cli; do
  grep -qxF -- "$f" <<<"$files" || fail "package lacks $f"
done
# Nothing of the build itself: no tests, benchmarks, build tools, libraries or headers.
if grep -vE '^\./(usr/(bin(/orvel(-cli)?)?|lib(/systemd(/system(/orvel-record@\.service)?)?)?|share(/(applications|metainfo|icons|man|mime|orvel|bash-completion)(/.*)?|/doc(/orvel(/(copyright|changelog\.gz|examples(/(orvel-record\.conf|orvel-mqtt))?))?)?)?)?/?)?$' <<<"$files"; then
  fail "unexpected files above"
fi

# Qt's own texts in the user's language come with Qt's translations.
[ "$(field Recommends)" = qt6-translations-l10n ] || fail "Recommends: $(field Recommends)"

# A release needs its changelog entry.
changelog=$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/orvel/changelog.gz | gzip -dc)
newest=$(dpkg-parsechangelog -l - -S Version <<<"$changelog")
[ "$newest" = "$version" ] || fail "the changelog's newest entry is $newest, not $version (dist/changelog)"

if command -v lintian >/dev/null; then
  # The findings come on standard output (running as root adds a remark on
  # standard error); status 2 means it found an error or a warning, 1 that it
  # could not run.
  status=0
  findings=$(lintian --fail-on error,warning "$deb") || status=$?
  [ "$status" -ne 1 ] || fail "lintian could not check the package"
  if grep -E '^[EW]: ' <<<"$findings" || [ "$status" -ne 0 ]; then
    fail "lintian's errors and warnings above (status $status)"
  fi
else
  echo "note: lintian is not installed; the package was not checked with it"
fi
echo "package OK: Depends: $depends"
