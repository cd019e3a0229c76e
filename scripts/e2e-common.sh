# The set-up the end-to-end scripts share, sourced by them: the binaries, a work
# folder removed at the end, a user of their own, a virtual X server, and starting the
# editor. Before sourcing, a script sets `name` (the prefix of its lines) and `needs`
# (the commands it cannot run without); it may set `keep_shots` to a folder that gets
# the screenshots of the work folder at the end. Its arguments: [MAPORV [MAPORV_TOOL]].

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
app=${1:-$root/build/src/app/maporv}
tool=${2:-$root/build/src/tool/maporv-tool}

for command in Xvfb xdotool ${needs:-}; do
    if ! command -v "$command" > /dev/null 2>&1; then
        echo "$name: $command is not installed, skipped"
        exit 77
    fi
done

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    # SIGKILL: an editor still running at this point has failed its run; it must not
    # answer with its own ending (a recovery record, a settings file).
    [ -n "$app_pid" ] && kill -9 "$app_pid" 2> /dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null || true
    if [ -n "${keep_shots:-}" ]; then
        mkdir -p "$keep_shots"
        cp "$work"/*.png "$keep_shots"/ 2> /dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "$name: FAILED: $*"
    [ -f "$work/app.log" ] && sed "s/^/$name: editor: /" "$work/app.log"
    exit 1
}

# Waits up to $1 seconds for a command to succeed.
wait_for() {
    local seconds=$1
    shift
    local tries=$((seconds * 10))
    while ! "$@" > /dev/null 2>&1; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

# A user of their own: settings, home, runtime folder and recovery records in the
# work folder, so none of the real user's is ever read, offered or answered here.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
export XDG_STATE_HOME="$work/state"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

# A free display number, told by Xvfb itself.
exec 3> "$work/display"
Xvfb -screen 0 1280x1024x24 -nolisten tcp -displayfd 3 > "$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"

# Starts the editor with its arguments in the background (app_pid). Right after a
# client ends, Xvfb may refuse a new connection for a moment: such a start is retried.
start_app() {
    local tries
    for tries in 1 2 3 4 5; do
        "$app" "$@" > "$work/app.log" 2>&1 &
        app_pid=$!
        sleep 1
        if kill -0 "$app_pid" 2> /dev/null || ! grep -q "could not connect to display" "$work/app.log"; then
            return 0
        fi
        wait "$app_pid" 2> /dev/null || true
        sleep "$tries"
    done
    fail "the editor could not connect to the X server"
}

# Waits up to 20 seconds for the editor's main window, named "MapOrv - $1" after its
# map, and keeps it in `window`; fails saying $2 when it does not show.
wait_window() {
    wait_for 20 xdotool search --onlyvisible --name "^MapOrv - $1\$" || fail "$2"
    window=$(xdotool search --onlyvisible --name "^MapOrv - $1\$" | head -n1)
}

# A user who has run the editor before, last on the map $1: no first-run question.
returning_user() {
    mkdir -p "$XDG_CONFIG_HOME/Osk_Tools"
    printf '[Settings]\nLastOpen=%s\n' "$1" > "$XDG_CONFIG_HOME/Osk_Tools/MapOrv.conf"
}

# The digit keys move the cursor hex and the pointer with it: up and left to the
# top-left hex.
go_home() {
    # shellcheck disable=SC2046
    xdotool key --delay 10 $(printf '8 %.0s' $(seq 40)) $(printf '4 %.0s' $(seq 45))
}

# Alt+S: the save dialog opens with the file name selected; $1 and Enter save the map
# as $1.MAP in the demo's SCENARIO folder, where it must appear.
save_as() {
    local dialog
    xdotool key alt+s
    wait_for 10 xdotool search --onlyvisible --name '^MapOrv$' || fail "Alt+S showed no save dialog"
    dialog=$(xdotool search --onlyvisible --name '^MapOrv$' | tail -n1)
    xdotool windowfocus --sync "$dialog"
    xdotool type "$1"
    xdotool key Return
    wait_for 10 test -s "$work/demo/SCENARIO/$1.MAP" || fail "the map was not saved as $1.MAP"
}
