#!/usr/bin/env bash
# cmake --install into a temporary prefix: the program, the help file holding
# every page of the manual, the pages beside it, the desktop entry, the icon
# set, the metainfo and the man page, each where the desktop looks for it;
# desktop-file-validate and appstreamcli accept the entry and the metainfo.
# Usage: install_layout.sh BUILD_FOLDER SOURCE_FOLDER
set -euo pipefail
BUILD=$(readlink -f "$1")
MANUAL=$(readlink -f "$2")/docs/manual
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in desktop-file-validate appstreamcli extract_chmLib identify; do
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
echo "PASS install_layout"
