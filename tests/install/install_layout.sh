#!/usr/bin/env bash
# cmake --install into a temporary prefix: the program, the help file holding
# every page of the manual, the pages beside it, the desktop entry, the icon
# set, the metainfo and the man page, each where the desktop looks for it;
# desktop-file-validate and appstreamcli accept the entry and the metainfo.
# The installed program keeps its files in the user's data folder even where
# it could write its own folder (as root does /usr/bin); a copy of it outside
# the installed tree keeps them beside itself.
# Usage: install_layout.sh BUILD_FOLDER SOURCE_FOLDER
set -euo pipefail
BUILD=$(readlink -f "$1")
MANUAL=$(readlink -f "$2")/docs/manual
SETTINGS=$(readlink -f "$2")/tests/data/session.ini
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in desktop-file-validate appstreamcli extract_chmLib identify nm c++; do
    command -v "$tool" >/dev/null 2>&1 || fail "'$tool' is missing (./test installs it)"
done
T=$(mktemp -d /tmp/quendrasil-install.XXXXXX)
trap 'rm -rf "$T"' EXIT
cmake --install "$BUILD" --prefix "$T/usr" >"$T/install.log" || { cat "$T/install.log"; fail "cmake --install"; }
S=$T/usr/share
ID=de.tquandel.Quendrasil

[ -x "$T/usr/bin/quendrasil" ] || fail "no program in bin/"
desktop-file-validate "$S/applications/$ID.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$S/metainfo/$ID.metainfo.xml" >"$T/as.log" 2>&1 || { cat "$T/as.log"; fail "metainfo"; }
entry() { sed -n "s/^$1=//p" "$S/applications/$ID.desktop"; }
[ -x "$T/usr/bin/$(entry Exec)" ] || fail "the entry starts '$(entry Exec)', which is not installed"
grep -q "<launchable type=\"desktop-id\">$ID.desktop</launchable>" "$S/metainfo/$ID.metainfo.xml" || fail "launchable"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$S/metainfo/$ID.metainfo.xml" || fail "licence"
[ -s "$S/doc/quendrasil/copyright" ] || fail "no licence file"
# the release's date, written once in CMake, is the same day in all three files
released=$(sed -n 's/.*<release version="[^"]*" date="\([0-9-]*\)".*/\1/p' "$S/metainfo/$ID.metainfo.xml")
zcat "$S/doc/quendrasil/changelog.gz" | grep -q "  $(LC_ALL=C date -u -d "$released" '+%a, %d %b %Y') 12:00:00 +0000$" ||
    fail "the changelog's date is not the release's $released"
month_de=(Januar Februar März April Mai Juni Juli August September Oktober November Dezember)
zcat "$S/man/man1/quendrasil.1.gz" | head -n1 |
    grep -q "\"${month_de[$((10#$(date -u -d "$released" +%m) - 1))]} ${released%%-*}\"" ||
    fail "the man page's date is not the release's $released"

# the icon named by the entry, in every size of the hicolor theme
for size in 16 22 24 32 48 64 128 256; do
    png=$S/icons/hicolor/${size}x${size}/apps/$(entry Icon).png
    [ "$(identify -format '%wx%h' "$png" 2>/dev/null)" = "${size}x${size}" ] || fail "icon $png"
done
grep -q '<svg ' "$S/icons/hicolor/scalable/apps/$(entry Icon).svg" || fail "no scalable icon"

# the man page renders without warnings
if command -v groff >/dev/null 2>&1; then
    [ -z "$(zcat "$S/man/man1/quendrasil.1.gz" | groff -k -man -ww -z -Tutf8 2>&1)" ] || fail "man page warnings"
fi

# the help file: a CHM with contents and index that holds every page, picture
# and style sheet of the manual unchanged; the pages lie beside it as well
extract_chmLib "$S/quendrasil/Quendrasil.chm" "$T/chm" >/dev/null || fail "the help file cannot be read"
for f in '#SYSTEM' Inhalt.hhc Index.hhk; do [ -s "$T/chm/$f" ] || fail "no $f in the help file"; done
pages=0
while IFS= read -r f; do
    case "$f" in *.hhp | *.hhc | *.hhk) continue ;; esac
    cmp -s "$MANUAL/$f" "$T/chm/$f" || fail "$f is missing or differs in the help file"
    cmp -s "$MANUAL/$f" "$S/quendrasil/Quendrasil-Hilfe/$f" || fail "$f is missing or differs in the pages"
    case "$f" in *.html)
        pages=$((pages + 1))
        grep -q "value=\"$f\"" "$T/chm/Inhalt.hhc" || fail "$f is not in the contents" ;;
    esac
done < <(cd "$MANUAL" && find . -type f | sed 's|^\./||')
[ "$pages" -ge 5 ] || fail "only $pages pages"
[ "$(grep -c 'name="Local"' "$T/chm/Index.hhk")" -ge 20 ] || fail "the index is short"
[ -f "$S/quendrasil/Quendrasil-Hilfe/index.html" ] || fail "no start page"
# where the program keeps its files: it runs until its lock file shows the
# folder it took, then a TERM signal makes it save and end
run_in() { # FOLDER_EXPECTED BINARY
    (cd "$T" && exec env -u DISPLAY -u WAYLAND_DISPLAY HOME="$T/home" XDG_DATA_HOME="$T/data" \
        XDG_RUNTIME_DIR="$T/run" QT_QPA_PLATFORM=offscreen "$2" >>"$T/app.log" 2>&1) &
    local pid=$! i
    for i in $(seq 100); do [ -e "$1/.Quendrasil.lock" ] && break; sleep 0.1; done
    [ -e "$1/.Quendrasil.lock" ] || { kill $pid; cat "$T/app.log"; fail "$2 did not take $1"; }
    sleep 2 # the start-up, which reads the settings, follows at once in the event loop
    # a plain start maps none of the sharing module's libraries
    ! grep -E 'quendrasil-sharing|libQt6Network|libQt6WebSockets|libmosquitto|libqrencode' /proc/$pid/maps ||
        fail "$2 without options loaded the libraries above"
    kill -TERM $pid
    wait $pid || fail "$2 ended with $?"
    [ "$(grep -c $'\r$' "$1/Quendrasil.ini")" -eq 28 ] && [ "$1/Quendrasil.ini" -nt "$T/before" ] ||
        fail "$2 did not save into $1"
}
mkdir -p "$T/home" "$T/run" "$T/data/Quendrasil" "$T/portable"
chmod 700 "$T/run"
cp "$SETTINGS" "$T/data/Quendrasil/Quendrasil.ini"
cp "$SETTINGS" "$T/portable/Quendrasil.ini"
cp "$T/usr/bin/quendrasil" "$T/portable/"
sleep 1 && touch "$T/before" && sleep 1
[ -w "$T/usr/bin" ] || fail "the test needs a bin folder it can write"
run_in "$T/data/Quendrasil" "$T/usr/bin/quendrasil"
[ -z "$(find "$T/usr" -newer "$T/before")" ] || fail "written into the installed tree: $(find "$T/usr" -newer "$T/before")"
touch "$T/before" && sleep 1
run_in "$T/portable" "$T/portable/quendrasil"
[ -z "$(find "$T/data" -newer "$T/before")" ] || fail "the portable copy wrote $(find "$T/data" -newer "$T/before")"
# the sharing module: found by the installed program, which says so when it is missing
lib=$(find "$T/usr/lib" -name quendrasil-sharing.so)
[ -n "$lib" ] || fail "no sharing module in lib/"
# it takes the clock from the program: nothing the program defines (inline and
# template code aside) has a second copy in the module
defined() { nm --defined-only "$1" | awk '$2 ~ /^[TDBR]$/ && $3 !~ /^_[^Z]/ { print $3 }' | sort -u; }
twice=$(comm -12 <(defined "$T/usr/bin/quendrasil") <(defined "$lib"))
[ -z "$twice" ] || fail "the module has copies of the program's $(echo "$twice" | head -3 | tr '\n' ' ')"
web() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen "$T/usr/bin/quendrasil" --web 127.0.0.1:99999; }
web >"$T/module.log" 2>&1 && fail "--web with a bad port started"
grep -q -- '--web 127.0.0.1:99999' "$T/module.log" || fail "the installed module was not used: $(cat "$T/module.log")"
mv "$lib" "$T/module.so"
web >"$T/nomodule.log" 2>&1 && fail "the program without its module started with --web"
grep -q 'brauchen das Modul quendrasil-sharing.so' "$T/nomodule.log" || fail "no message: $(cat "$T/nomodule.log")"
# a module that needs what the program lacks is refused at start, not run
# until the missing function is called
printf 'extern "C" void absent(); extern "C" void* quendrasilSharing() { absent(); return 0; }' |
    c++ -x c++ -shared -fPIC -o "$lib" - || fail "cannot build the unbound module"
web >"$T/unbound.log" 2>&1 && fail "the program started with a module it cannot bind"
grep -q 'das nicht geladen werden kann: .*absent' "$T/unbound.log" || fail "no message: $(cat "$T/unbound.log")"
echo "PASS install_layout"
