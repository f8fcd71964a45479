#!/usr/bin/env bash
# F1 and "Hilfe" with the help file and its pages beside the program, on a
# desktop whose associations come from a private XDG_CONFIG_HOME: with a CHM
# viewer (xchm) set up, it shows the manual; without one, the manual's start
# page goes to the web browser (a recording stand-in); with neither the help
# file nor the pages, the program says so and goes on.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
BUILD=$(dirname "$BIN")
[ -f "$BUILD/Quendrasil.chm" ] || fail "no help file $BUILD/Quendrasil.chm (is chmcmd installed?)"
command -v xchm >/dev/null || fail "xchm is missing (./test installs it)"
cp "$BUILD/Quendrasil.chm" "$APPDIR/"
cp -r "$BUILD/Quendrasil-Hilfe" "$APPDIR/"

# the desktop's associations, nothing from the machine's defaults: the system
# data folders only for the MIME database and the icons that viewers need
export XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data XDG_DATA_DIRS=$WORK/system
unset BROWSER XDG_CURRENT_DESKTOP
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME/applications" "$XDG_DATA_DIRS"
for d in mime icons themes glib-2.0; do ln -s "/usr/share/$d" "$XDG_DATA_DIRS/$d"; done
cp /usr/share/applications/xchm.desktop "$XDG_DATA_HOME/applications/"
cat >"$WORK/browser" <<EOS
#!/bin/sh
echo "\$@" >>"$WORK/browser.log"
EOS
chmod +x "$WORK/browser"
printf '[Desktop Entry]\nType=Application\nName=Browser\nExec=%s %%u\nMimeType=text/html;\n' \
    "$WORK/browser" >"$XDG_DATA_HOME/applications/recorder.desktop"
associate() {
    { echo "[Default Applications]"; printf '%s\n' "$@"; } >"$XDG_CONFIG_HOME/mimeapps.list"
}

start_desktop
write_settings " 12 " " 0 " " 333 " " 4 " " 600 " " 600 " " 300 " " 300 " "Anlage" " 0 " " 0 " " 0 " " 0 " "False"
start_app
cfg=$(wait_window "^ Quendrasil-Konfiguration$" 30)

# 1. a CHM viewer: F1 shows the manual in it
associate "application/vnd.ms-htmlhelp=xchm.desktop" "text/html=recorder.desktop"
cfg=$(activate_config)
xdotool key F1
viewer=$(wait_window "Quendrasil-Hilfe" 30)
case "$(xdotool getwindowname "$viewer")" in
xCHM*) ;;
*) fail "the help opened in '$(xdotool getwindowname "$viewer")', not in xchm" ;;
esac
kill "$(xdotool getwindowpid "$viewer")"
wait_for '[ -z "$(window_named "Quendrasil-Hilfe")" ]' 5 || fail "the viewer did not end"
[ ! -e "$WORK/browser.log" ] || fail "the browser was started as well"

# 2. no CHM viewer installed: the button "Hilfe" hands the start page to the browser
rm "$XDG_DATA_HOME/applications/xchm.desktop"
associate "text/html=recorder.desktop"
cfg=$(activate_config)
xdotool key --window "$cfg" alt+i
wait_for '[ -s "$WORK/browser.log" ]' 10 || fail "the browser was not started"
[ "$(sed 's|^file://||' "$WORK/browser.log")" = "$APPDIR/Quendrasil-Hilfe/index.html" ] ||
    fail "the browser got '$(cat "$WORK/browser.log")'"

# 3. neither the help file nor its pages: the message, and the program goes on
rm -rf "$APPDIR/Quendrasil.chm" "$APPDIR/Quendrasil-Hilfe"
cfg=$(activate_config)
xdotool key F1
msg=$(wait_window "^ Hilfe$")
xdotool windowactivate --sync "$msg" key Return
wait_for '[ -z "$(window_named "^ Hilfe$")" ]' 5 || fail "the message stayed"
[ "$(wc -l <"$WORK/browser.log")" -eq 1 ] || fail "the browser was started again"
quit_app
echo "PASS help"
