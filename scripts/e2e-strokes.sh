#!/usr/bin/env bash
# Painting with the mouse in a real X server (Xvfb), driven with xdotool as a user
# drives it, in the strategic view of the demo map: the right button dragged over a
# row of hexes paints them with the Ocean copied from the top-left hex, the middle
# button dragged over another row draws a road, Fill Region (Ctrl+F) pours the Ocean
# into the lake. Then a click, a right click and a double click still do what they
# always did: the click selects a hex, the right click sets that selected hex and not
# the one clicked, the double click shows the map at full size. The map is saved; the
# saved file differs from the demo in exactly those hexes, and the map check finds
# nothing in it (no one-sided road).
#
# Usage: scripts/e2e-strokes.sh [MAPORV [MAPORV_TOOL]]   (default: the binaries in build/)
# Exit status 0 passed, 1 failed, 77 skipped (Xvfb, xdotool or ImageMagick missing).
set -euo pipefail

name=e2e-strokes
needs="import compare"
# shellcheck source=scripts/e2e-common.sh
. "$(dirname "$0")/e2e-common.sh"

"$tool" make-demo "$work/demo" > /dev/null
map="$work/demo/SCENARIO/DEMO.MAP"
returning_user "$map"

start_app "$map"
wait_window DEMO.MAP "the demo map did not load"
xdotool windowfocus --sync "$window"
xdotool mousemove 600 500
sleep 0.5

# Where the hexes are: the digit keys move the cursor hex and put the pointer on it.
# From the top-left hex the cursor goes to each hex used below, whose place on the
# screen is kept as "x y" (the strategic view shows the whole map: nothing scrolls).
go_home
sleep 0.3
# The terrain (Ocean) to set: Ctrl+T at the top-left hex.
xdotool key ctrl+t
declare -A place
row=0
column=0
for hex in 17,30 25,21 25,22 25,23 25,24 25,25 25,26 26,22 26,23 26,24 26,25 \
    30,20 30,26 30,27; do
    IFS=, read -r to_row to_column <<< "$hex"
    keys=()
    for _ in $(seq $((to_row - row))); do keys+=(2); done
    for _ in $(seq $((row - to_row))); do keys+=(8); done
    for _ in $(seq $((to_column - column))); do keys+=(6); done
    for _ in $(seq $((column - to_column))); do keys+=(4); done
    [ ${#keys[@]} -eq 0 ] || xdotool key --delay 20 "${keys[@]}"
    sleep 0.2
    eval "$(xdotool getmouselocation --shell)"
    place[$hex]="$X $Y"
    row=$to_row
    column=$to_column
done

# A button held at the first hex, moved over the others and let go at the last.
drag() {
    local button=$1 hex
    shift
    # shellcheck disable=SC2086
    xdotool mousemove ${place[$1]}
    sleep 0.2
    xdotool mousedown "$button"
    for hex in "$@"; do
        # shellcheck disable=SC2086
        xdotool mousemove ${place[$hex]}
        sleep 0.1
    done
    xdotool mouseup "$button"
    sleep 0.2
}
drag 3 25,21 25,22 25,23 25,24 25,25 25,26
drag 2 26,22 26,23 26,24 26,25
# shellcheck disable=SC2086
xdotool mousemove ${place[17,30]}
sleep 0.2
xdotool key ctrl+f
sleep 0.2

# shellcheck disable=SC2086
xdotool mousemove ${place[30,26]} click 1
sleep 0.2
# shellcheck disable=SC2086
xdotool mousemove ${place[30,27]} click 3
sleep 0.2
import -window root "$work/strategic.png"
# shellcheck disable=SC2086
xdotool mousemove ${place[30,20]} click --repeat 2 --delay 80 1
sleep 0.5
import -window root "$work/full.png"
# Most of the screen changes (ImageMagick may write the count as 1.09e+06).
pixels=$(compare -metric AE "$work/strategic.png" "$work/full.png" null: 2>&1 || true)
awk -v pixels="$pixels" 'BEGIN { exit !(pixels + 0 > 100000) }' ||
    fail "the double click did not show the map at full size ($pixels pixels changed)"

save_as STROKES
saved="$work/demo/SCENARIO/STROKES.MAP"

# The hexes that differ from the demo, as "row,column,terrain,roads".
changes() {
    comm -13 <("$tool" dump "$map" | sort) <("$tool" dump "$1" | sort) | cut -d, -f1,2,3,5 | sort
}
# The lake as the tool fills it; the row painted Ocean without roads; the road's bits
# on both sides of every joint (SE 8, NE 2 and NW 128, SW 32); the selected hex.
"$tool" fill "$map" 30,17 Ocean -o "$work/LAKE.MAP" > /dev/null
expected=$(
    {
        changes "$work/LAKE.MAP"
        for column in 21 22 23 24 25 26; do echo "25,$column,9,0"; done
        printf '%s\n' 26,22,0,8 26,23,0,130 26,24,0,40 26,25,0,128 30,26,9,0
    } | sort
)
got=$(changes "$saved")
[ "$got" = "$expected" ] || fail "the saved map differs from the demo in
$got
instead of
$expected"
"$tool" check "$saved" > "$work/check.txt" || fail "the map check found $(cat "$work/check.txt")"

xdotool windowfocus --sync "$window"
xdotool key Escape
wait_for 10 bash -c "! kill -0 $app_pid" || fail "ESC did not end the editor"
app_pid=
echo "e2e-strokes: passed"
