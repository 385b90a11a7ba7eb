#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks it the way a desktop
# and a software centre read it: the desktop entry, the metainfo, the icons,
# the manual pages, and the programs answering --version without a display.
#   check_install.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
id=org.orvel.Orvel
for f in bin/orvel bin/orvel-cli share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/man/man1/orvel.1.gz share/man/man1/orvel-cli.1.gz; do
  [ -s "$prefix/$f" ] || fail "$f is not installed"
done

# The recording service's unit names this install's orvel-cli, and systemd
# takes it as it is (its manual page looked up in this tree).
unit="$prefix/lib/systemd/system/orvel-record@.service"
[ -s "$unit" ] || fail "the recording service's unit is not installed"
grep -q "^ExecStart=$prefix/bin/orvel-cli record " "$unit" || fail "the unit starts another program: $(grep ^ExecStart "$unit")"
[ -s "$prefix/share/doc/orvel/examples/orvel-record.conf" ] || fail "the service's example file is not installed"
command -v systemd-analyze >/dev/null || fail "systemd-analyze is missing (./test installs the package systemd)"
MANPATH="$prefix/share/man" systemd-analyze verify "$unit" || fail "systemd-analyze verify $unit"

# orvel-cli draws its pictures without widgets.
if ldd "$prefix/bin/orvel-cli" | grep -q libQt6Widgets; then fail "orvel-cli links the widgets"; fi

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "metainfo"
appstreamcli validate-tree --no-net "$prefix" || fail "installed tree"
grep -qx "Exec=orvel %f" "$prefix/share/applications/$id.desktop" || fail "desktop entry does not start orvel"

# The logger files are a type of their own, which the program opens.
mimetype=application/x-orvel-logger-data
grep -qx "MimeType=$mimetype;" "$prefix/share/applications/$id.desktop" || fail "desktop entry opens no logger files"
update-mime-database "$prefix/share/mime" || fail "mime database"
touch "$prefix/run.g52"
got=$(XDG_DATA_DIRS="$prefix/share" XDG_DATA_HOME="$prefix/share" xdg-mime query filetype "$prefix/run.g52")
[ "$got" = "$mimetype" ] || fail "run.g52 is of type '$got'"
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || fail "desktop entry names another icon"

# Each PNG is a PNG of its folder's size (width and height from its IHDR chunk).
for dir in "$prefix"/share/icons/hicolor/*x*/apps; do
  size=$(basename "$(dirname "$dir")")
  png="$dir/$id.png"
  [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$png is not a PNG"
  read -r w3 w2 w1 w0 h3 h2 h1 h0 < <(od -An -tu1 -j16 -N8 "$png")
  got="$(( (w3 << 24) | (w2 << 16) | (w1 << 8) | w0 ))x$(( (h3 << 24) | (h2 << 16) | (h1 << 8) | h0 ))"
  [ "$got" = "$size" ] || fail "$png is $got"
done
ls -d "$prefix"/share/icons/hicolor/48x48 "$prefix"/share/icons/hicolor/128x128 >/dev/null || fail "icon sizes"

# No display, no platform: --version and --help must not need one. English,
# as the manual pages are.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LANGUAGE=en)
[ "$("${nodisplay[@]}" "$prefix/bin/orvel" --version)" = "orvel $version" ] || fail "orvel --version"
[ "$("${nodisplay[@]}" "$prefix/bin/orvel-cli" --version)" = "orvel-cli $version" ] || fail "orvel-cli --version"

# The manual pages hold what the programs print for --help, option by option.
for program in orvel orvel-cli; do
  page=$(zcat "$prefix/share/man/man1/$program.1.gz" | sed 's/\\-/-/g; s/\\e/\\/g')
  while IFS= read -r line; do
    [ -z "$line" ] || grep -qF -- "$line" <<<"$page" || fail "$program.1 lacks: $line"
  done < <("${nodisplay[@]}" "$prefix/bin/$program" --help)
done
# The installed programs find their translations in share/orvel/translations.
for f in share/orvel/translations/orvel_de.qm share/orvel/translations/orvel_en.qm; do
  [ -s "$prefix/$f" ] || fail "$f is not installed"
done
german=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LANGUAGE=de)
[ "$("${german[@]}" "$prefix/bin/orvel-cli" help | head -1)" = "Aufruf: orvel-cli BEFEHL [OPTIONEN]" ] ||
  fail "orvel-cli speaks no German"
[ "$("${german[@]}" "$prefix/bin/orvel" --help | head -1)" = "Aufruf: orvel [OPTION] [DATEI]" ] || fail "orvel speaks no German"
echo "installed tree OK"
