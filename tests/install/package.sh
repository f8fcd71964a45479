#!/usr/bin/env bash
# The Debian package: made by cpack into a temporary folder with its
# dependencies from dpkg-shlibdeps, unpacked with dpkg -x (not installed) and
# started from that tree, which the user cannot write, under Xvfb: the first
# start shows the missing-file message, quitting leaves the settings in the
# user's data folder and nothing in the tree, the second start finds them; the
# windows carry the desktop entry's StartupWMClass, and F1 finds the manual in
# the unpacked data folder. Run as root, the program runs as user nobody.
# Usage: package.sh BINARY (in the build folder)
. "$(dirname "$0")/../e2e/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
BUILD=$(dirname "$BIN")
for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
    command -v "$tool" >/dev/null 2>&1 || fail "'$tool' is missing (./test installs it)"
done
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/pkg" >"$WORK/cpack.log" 2>&1 ||
    { cat "$WORK/cpack.log"; fail "cpack"; }
deb=$(ls "$WORK"/pkg/quendrasil_*.deb)
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "no Qt in Depends: $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -f "$deb" Depends | grep -q 'fonts-liberation2' || fail "no Liberation fonts in Depends"
# Debian's own checks find no error (lintian warns when it runs as root)
lintian --tag-display-limit 0 --fail-on error "$deb" >"$WORK/lintian.log" 2>&1 || { cat "$WORK/lintian.log"; fail "lintian"; }
ROOT=$WORK/root
dpkg -x "$deb" "$ROOT"

# the user and the folders the program may write: home, runtime folder
HOME_DIR=$WORK/home
mkdir -p "$HOME_DIR/.config" "$HOME_DIR/.local/share/applications" "$WORK/run" "$WORK/system"
RUN=()
if [ "$(id -u)" -eq 0 ]; then
    RUN=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
    chmod 755 "$WORK"
    chown -R nobody:nogroup "$HOME_DIR" "$WORK/run"
else
    chmod -R a-w "$ROOT"
    trap 'chmod -R u+w "$ROOT"; cleanup' EXIT
fi
chmod 700 "$WORK/run"
"${RUN[@]}" test ! -w "$ROOT/usr/bin" || fail "the user can write the program's folder"

# no CHM viewer, and a recording stand-in browser
ln -s /usr/share/mime "$WORK/system/mime"
printf '#!/bin/sh\necho "$@" >>%s/browser.log\n' "$HOME_DIR" >"$WORK/browser"
chmod 755 "$WORK/browser"
printf '[Desktop Entry]\nType=Application\nName=Browser\nExec=%s %%u\nMimeType=text/html;\n' \
    "$WORK/browser" >"$HOME_DIR/.local/share/applications/recorder.desktop"
printf '[Default Applications]\ntext/html=recorder.desktop\n' >"$HOME_DIR/.config/mimeapps.list"
if [ -n "${RUN[*]}" ]; then chown -R nobody:nogroup "$HOME_DIR"; fi

start_installed() {
    (cd "$HOME_DIR" && exec "${RUN[@]}" env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u BROWSER HOME="$HOME_DIR" \
        XDG_RUNTIME_DIR="$WORK/run" XDG_DATA_DIRS="$WORK/system" QT_QPA_PLATFORM=xcb \
        "$ROOT/usr/bin/quendrasil" >>"$WORK/app.log" 2>&1) &
    APP_PID=$!
}
DATA=$HOME_DIR/.local/share/Quendrasil
touch "$WORK/before"
start_desktop

# first start: the message, then F1 and quit
start_installed
msg=$(wait_window "Datei nicht gefunden" 30)
xdotool windowactivate --sync "$msg" key Return
cfg=$(wait_window "^ Quendrasil-Konfiguration$")
class=$(sed -n 's/^StartupWMClass=//p' "$ROOT/usr/share/applications/de.tquandel.Quendrasil.desktop")
xprop -id "$cfg" WM_CLASS | grep -q "\"$class\"\$" || fail "WM_CLASS $(xprop -id "$cfg" WM_CLASS), entry $class"
cfg=$(activate_config)
xdotool key F1
wait_for '[ -s "$HOME_DIR/browser.log" ]' 10 || fail "F1 did not open the manual"
grep -q "$ROOT/usr/share/quendrasil/Quendrasil-Hilfe/index.html\$" "$HOME_DIR/browser.log" ||
    fail "the browser got $(cat "$HOME_DIR/browser.log")"
quit_app
[ "$(grep -c $'\r$' "$DATA/Quendrasil.ini")" -eq 28 ] || fail "no settings file in $DATA"
[ -z "$(find "$ROOT" -newer "$WORK/before")" ] || fail "written into the package's tree: $(find "$ROOT" -newer "$WORK/before")"

# second start: the settings are found, no message
start_installed
cfg=$(wait_window "^ Quendrasil-Konfiguration$" 30)
sleep 1
[ -z "$(window_named "Datei nicht gefunden")" ] || fail "the message came again"
quit_app
echo "PASS package"
