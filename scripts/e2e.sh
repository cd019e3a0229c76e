#!/usr/bin/env bash
# The editor in a real X server (Xvfb), driven with xdotool as a user drives it: it
# starts on the demo map, answers the first-run question, shows the map at full size
# with every overlay, switches to full screen and back with F12, copies a hex's terrain
# into three selected hexes and one more, saves the map under a new name and exits
# with ESC. Screenshots and the saved bytes are checked on the way; the saved file
# must be in the settings afterwards. Then a new map made from a BMP is saved under
# the name it proposes, where an earlier map lies: the editor must ask first, and No
# must keep that file. Last, a newcomer's first start: ./maporv.sh with no FILE and no
# settings opens the demo, its folder question starting in the demo's SCENARIO folder.
#
# Usage: scripts/e2e.sh [MAPORV [MAPORV_TOOL]]   (default: the binaries in build/)
# Exit status 0 passed, 1 failed, 77 skipped (Xvfb, xdotool, ImageMagick or xclip missing).
# With E2E_SHOTS=FOLDER the screenshots are kept there.
set -euo pipefail

name=e2e
needs="import convert compare xclip"
keep_shots=${E2E_SHOTS:-}
# shellcheck source=scripts/e2e-common.sh
. "$(dirname "$0")/e2e-common.sh"

# ImageMagick's convert, not a stand-in of the same name.
if ! convert -version 2> /dev/null | grep -q ImageMagick; then
    echo "e2e: ImageMagick's convert is not installed, skipped"
    exit 77
fi

# The pixel of a screenshot as "r,g,b".
pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# CPU seconds (user + system) the editor used so far, in clock ticks.
cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/$app_pid/stat"
}

"$tool" make-demo "$work/demo" > /dev/null
map="$work/demo/SCENARIO/DEMO.MAP"

start_app "$map"

# The first run asks for the game's SCENARIO folder over the main window: cancel it.
two_windows() { [ "$(xdotool search --onlyvisible --name '^MapOrv$' | wc -l)" -ge 2 ]; }
wait_for 20 two_windows || fail "no first-run question"
dialog=$(xdotool search --onlyvisible --name '^MapOrv$' | tail -n1)
xdotool windowfocus --sync "$dialog"
xdotool key Escape

# Then the map named on the command line is loaded.
wait_window DEMO.MAP "the demo map did not load"
xdotool windowfocus --sync "$window"
sleep 0.5

# Full size, grid, terrain types and roads (the named hexes are on already).
for key in alt+z alt+g alt+t alt+r; do
    xdotool key "$key"
    sleep 0.2
done
xdotool mousemove 600 500
sleep 1
import -window root "$work/window.png"
# The map covers the view: no background colour in its middle.
[ "$(pixel "$work/window.png" 500 500)" != "239,237,220" ] || fail "the map is not shown"

# An editor at rest costs next to nothing: the CPU it uses over $1 seconds with the
# pointer resting ($2 says where) is at most 1 % of one core.
ticks_per_second=$(getconf CLK_TCK)
at_rest() {
    local before after tenths figure
    before=$(cpu_ticks)
    sleep "$1"
    after=$(cpu_ticks)
    tenths=$(((after - before) * 1000 / ($1 * ticks_per_second)))
    figure="$((tenths / 10)).$((tenths % 10))%"
    echo "e2e: editor at rest, $2: $figure of one core"
    [ "$tenths" -le 10 ] || fail "the editor at rest, $2, uses $figure of a core"
}
at_rest 5 "window mode, full size, every overlay"

# Yet what changes shows: Caps Lock turned on with the pointer resting brings its
# warning, and turned off again the frame is as before.
xdotool key Caps_Lock
sleep 0.2
import -window root "$work/capslock.png"
xdotool key Caps_Lock
sleep 0.2
import -window root "$work/rest.png"
changed() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" != 0 ]; }
changed "$work/window.png" "$work/capslock.png" || fail "Caps Lock did not show at rest"
! changed "$work/window.png" "$work/rest.png" || fail "the frame at rest changed by itself"

# F12: 800 x 600 full screen, scaled to the 1280 x 1024 screen (1280 x 960, black
# bars of 32 rows above and below), under the blue title bar.
xdotool key F12
sleep 1.5
xdotool mousemove 640 500
sleep 0.5
import -window root "$work/fullscreen.png"
[ "$(pixel "$work/fullscreen.png" 640 10)" = "0,0,0" ] || fail "no black bar above the scaled frame"
title=$(pixel "$work/fullscreen.png" 300 45)
IFS=, read -r red green blue <<< "$title"
# 0x00F25700 as a 16-bit mode shows it.
[ "$red" -lt 16 ] && [ "$green" -gt 70 ] && [ "$green" -lt 100 ] && [ "$blue" -gt 225 ] ||
    fail "no full-screen title bar (got $title)"
at_rest 3 "full screen 800 x 600 scaled to the screen"

# F12 again: back to window mode, the menu bar on top again.
xdotool key F12
sleep 1.5
import -window root "$work/back.png"
[ "$(pixel "$work/back.png" 640 10)" != "0,0,0" ] || fail "window mode did not come back"

# Editing. The digit keys move the cursor hex and put the pointer on it: 40 times up
# and 45 times left end on the top-left hex (Ocean in the demo), whose terrain Ctrl+T
# copies. Then hexes 8, 9 and 10 of row 0 (Clear) are selected with a click and two
# Shift+clicks and set with T; hex 11 alone gets it from a "t" typed with Caps Lock on.
dump() { "$tool" dump "$1" | awk -F, -v row="$2" -v column="$3" '$1 == row && $2 == column { print $4 }'; }
for column in 8 9 10 11; do
    [ "$(dump "$map" 0 "$column")" = "Clear" ] || fail "hex 0,$column of the demo is not Clear"
done
[ "$(dump "$map" 0 0)" = "Ocean" ] || fail "hex 0,0 of the demo is not Ocean"
xdotool mousemove 600 500
sleep 0.3
# shellcheck disable=SC2046
xdotool key --delay 10 $(printf '8 %.0s' $(seq 40)) $(printf '4 %.0s' $(seq 45))
sleep 0.3
xdotool key ctrl+t
# shellcheck disable=SC2046
xdotool key --delay 30 $(printf '6 %.0s' $(seq 8))
sleep 0.3
xdotool click 1
for _ in 1 2; do
    xdotool key 6
    sleep 0.2
    xdotool keydown shift click 1 keyup shift
done
xdotool key T
xdotool key 6
sleep 0.2
xdotool click 1
xdotool key Caps_Lock
sleep 0.2
xdotool key t
xdotool key Caps_Lock
sleep 0.3

save_as EDITED
edited="$work/demo/SCENARIO/EDITED.MAP"
wait_for 10 xdotool search --onlyvisible --name '^MapOrv - EDITED.MAP$' ||
    fail "the window does not show the saved map"
for column in 8 9 10 11; do
    [ "$(dump "$edited" 0 "$column")" = "Ocean" ] || fail "hex 0,$column was not set to Ocean"
done
[ "$(dump "$edited" 0 12)" = "$(dump "$map" 0 12)" ] || fail "hex 0,12 changed"
xdotool windowfocus --sync "$window"

# ESC: the exit flow; nothing is modified since the save, so the editor ends.
xdotool key Escape
wait_for 10 bash -c "! kill -0 $app_pid" || fail "ESC did not end the editor"
wait "$app_pid" || fail "the editor ended with status $?"
app_pid=

settings="$XDG_CONFIG_HOME/Osk_Tools/MapOrv.conf"
grep -qxF "LastOpen=$edited" "$settings" || fail "LastOpen is not in $settings"

# A new map made from a picture only proposes SCENARIO/PIC.map: the map saved there
# earlier is not its own, so saving under the offered name asks before replacing it.
"$tool" picture "$work/demo/MAP/MAP0700.s16" --bmp "$work/demo/MAP/PIC.bmp" > /dev/null
earlier="$work/demo/SCENARIO/PIC.map"
cp "$map" "$earlier"
start_app "$work/demo/MAP/PIC.bmp"
wait_window PIC.map "the picture did not load"
xdotool windowfocus --sync "$window"
xdotool mousemove 600 500
sleep 0.5
# "+" makes the terrain to set City; T sets it on the hex under the pointer.
xdotool key plus T
sleep 0.3
xdotool key alt+s
wait_for 10 xdotool search --onlyvisible --name '^MapOrv$' || fail "Alt+S showed no save dialog"
dialog=$(xdotool search --onlyvisible --name '^MapOrv$' | tail -n1)
xdotool windowfocus --sync "$dialog"
shown() { xdotool search --onlyvisible --name '^MapOrv$' | sort; }
before=$(shown)
xdotool key Return
new_box() { comm -13 <(echo "$before") <(shown) | grep .; }
wait_for 10 new_box || fail "saving over the earlier PIC.map asked nothing"
box=$(new_box | tail -n1)
xdotool windowfocus --sync "$box"
# Escape answers No: nothing is written.
xdotool key Escape
sleep 0.5
cmp -s "$map" "$earlier" || fail "PIC.map was replaced although the answer was No"
# The map stays modified: ESC asks again, and No ends the editor without a save.
xdotool windowfocus --sync "$window"
xdotool key Escape
wait_for 10 xdotool search --onlyvisible --name '^MapOrv$' || fail "ESC asked nothing about the modified map"
box=$(xdotool search --onlyvisible --name '^MapOrv$' | tail -n1)
xdotool windowfocus --sync "$box"
xdotool key n
wait_for 10 bash -c "! kill -0 $app_pid" || fail "No at the exit question did not end the editor"
app_pid=
cmp -s "$map" "$earlier" || fail "PIC.map was replaced at exit"

# A newcomer's first start: ./maporv.sh with no FILE, no settings. The script runs in
# a copy of its tree whose install and build steps do nothing and whose programs are
# the ones under test; it writes the demo there and opens it.
tree=$work/tree
mkdir -p "$tree/scripts" "$tree/build/src/app" "$tree/build/src/tool" "$work/bin"
cp "$root/maporv.sh" "$tree/"
printf '#!/bin/sh\n' | tee "$tree/scripts/install-deps.sh" > "$work/bin/cmake"
chmod +x "$tree/scripts/install-deps.sh" "$work/bin/cmake"
ln -s "$app" "$tree/build/src/app/maporv"
ln -s "$tool" "$tree/build/src/tool/maporv-tool"
export XDG_CONFIG_HOME=$work/first-config
PATH=$work/bin:$PATH app=$tree/maporv.sh start_app
wait_for 30 two_windows || fail "maporv.sh showed no first-run question"
dialog=$(xdotool search --onlyvisible --name '^MapOrv$' | tail -n1)
xdotool windowfocus --sync "$dialog"
# The question starts in the demo's SCENARIO folder: Ctrl+C copies the selected one's name.
xdotool key ctrl+c
sleep 0.3
folder=$(xclip -o -selection clipboard 2> /dev/null || true)
[ "$folder" = SCENARIO ] || fail "the first-run question starts in '$folder', not the demo's SCENARIO"
xdotool key Return
# Enter takes it; then the demo loads: its picture, and its names (Alt+N hides them).
demo=$tree/build/demo/SCENARIO/DEMO.MAP
wait_window DEMO.MAP "maporv.sh did not open the demo"
xdotool windowfocus --sync "$window"
xdotool mousemove 600 500
sleep 1
import -window root "$work/first.png"
[ "$(pixel "$work/first.png" 500 500)" != "239,237,220" ] || fail "the demo's picture is not shown"
xdotool key alt+n
sleep 0.5
import -window root "$work/first-unnamed.png"
changed "$work/first.png" "$work/first-unnamed.png" || fail "the demo's names are not shown"
# ESC ends the editor; the demo is then the last opened file.
xdotool key Escape
wait_for 10 bash -c "! kill -0 $app_pid" || fail "ESC did not end the editor"
wait "$app_pid" || fail "the editor ended with status $?"
app_pid=
grep -qxF "LastOpen=$demo" "$XDG_CONFIG_HOME/Osk_Tools/MapOrv.conf" ||
    fail "LastOpen is not the demo after the first start"

echo "e2e: passed"
