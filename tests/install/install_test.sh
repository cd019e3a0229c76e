#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a user gets: the files and
# nothing else, icons of their size, the desktop entry and the metainfo as their
# validators see them, manuals that render without a warning and name every command,
# programs that run from there and name no folder of the build, and the completion.
#
# Usage: install_test.sh CMAKE BUILD_FOLDER SOURCE_FOLDER VERSION APP_ID
# Exit status 0 passed, 1 failed, 77 skipped (a validator or man is missing).
set -euo pipefail

cmake=$1 build=$2 source=$3 version=$4 id=$5
name=install
# shellcheck source=tests/install/common.sh
. "$(dirname "$0")/common.sh"
require_commands desktop-file-validate appstreamcli man

prefix=$work/prefix
"$cmake" --install "$build" --component maporv --prefix "$prefix" > "$work/install.log" ||
    { cat "$work/install.log"; exit 1; }

# The layout, exactly.
diff <(maporv_layout "$id") <(cd "$prefix" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) ||
    fail "the installed files differ from the expected ones (< expected, > installed)"

# Each icon is a PNG of the size its folder names (width and height at bytes 16..23).
for size in 16 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
    read -r -a header <<< "$(od -An -tu1 -N24 "$icon" | tr "\n" " ")"
    [ "${header[*]:1:3}" = "80 78 71" ] || fail "$icon is not a PNG"
    width=$(((header[18] << 8) | header[19]))
    height=$(((header[22] << 8) | header[23]))
    if [ "$width" != "$size" ] || [ "$height" != "$size" ]; then
        fail "$icon is $width x $height, not $size x $size"
    fi
done

# The platform's validators.
output=$(desktop-file-validate "$prefix/share/applications/$id.desktop" 2>&1) ||
    fail "desktop-file-validate failed"
[ -z "$output" ] || fail "desktop-file-validate: $output"
grep -qx "Exec=maporv %f" "$prefix/share/applications/$id.desktop" || fail "Exec line"
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || fail "Icon line"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml" ||
    fail "appstreamcli validate"

# The manuals: no warning from man, and one section per command of the tool.
export MANWIDTH=80 LC_ALL=C
for page in maporv maporv-tool; do
    warnings=$(man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 > "$work/$page.txt") ||
        fail "man $page failed"
    [ -z "$warnings" ] || fail "man $page: $warnings"
done
mapfile -t commands < <("$prefix/bin/maporv-tool" --help |
    sed -n '/^Commands:/,/^$/s/^  \([^ ]*\).*/\1/p')
[ "${#commands[@]}" -gt 0 ] || fail "maporv-tool --help lists no command"
for command in "${commands[@]}"; do
    grep -qx "   $command" "$work/maporv-tool.txt" || fail "the manual has no section $command"
done

# The installed programs run, with a home of their own.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
[ "$("$prefix/bin/maporv-tool" --version)" = "maporv-tool $version" ] ||
    fail "maporv-tool --version"
"$prefix/bin/maporv-tool" --help | grep -q "^Usage: maporv-tool COMMAND" ||
    fail "maporv-tool --help"
# --version and --help need no display, as a package's post-install check runs them.
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
[ "$("${no_display[@]}" "$prefix/bin/maporv" --version)" = "MapOrv $version" ] ||
    fail "maporv --version"
"${no_display[@]}" "$prefix/bin/maporv" --help | grep -q "\[file\]" || fail "maporv --help"

# The desktop entry's MIME type: a MAP file is told by its first bytes; another
# program's .map file is not taken by its name.
if command -v update-mime-database > /dev/null && command -v gio > /dev/null; then
    mime=$(sed -n 's/^MimeType=\(.*\);$/\1/p' "$prefix/share/applications/$id.desktop")
    with_prefix=(env XDG_DATA_HOME="$work/data" XDG_DATA_DIRS="$prefix/share:/usr/share")
    output=$("${with_prefix[@]}" update-mime-database "$prefix/share/mime" 2>&1) ||
        fail "update-mime-database failed"
    [ -z "$output" ] || fail "update-mime-database: $output"
    "$prefix/bin/maporv-tool" make-demo "$work/demo" > /dev/null
    printf 'Archive member included to satisfy reference by file\n' > "$work/linker.map"
    type_of() {
        "${with_prefix[@]}" gio info -a standard::content-type "$1" |
            sed -n 's/^ *standard::content-type: //p'
    }
    [ "$(type_of "$work/demo/SCENARIO/DEMO.MAP")" = "$mime" ] || fail "DEMO.MAP is not $mime"
    [ "$(type_of "$work/linker.map")" != "$mime" ] || fail "a linker map is taken for $mime"
fi

# Nothing of the build: no run path, no file name of the build or source folder.
for program in maporv maporv-tool; do
    for folder in "$(realpath "$build")" "$(realpath "$source")"; do
        if grep -qF "$folder" "$prefix/bin/$program"; then
            fail "$program names $folder"
        fi
    done
done

# The completion, asking the installed tool, in a folder of a few files.
mkdir -p "$work/files/Sub"
touch "$work/files/DEMO.MAP" "$work/files/MAP007.TXT" "$work/files/frame.png"
complete_words() {
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _maporv_tool maporv-tool "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | tr '\n' ' '
}
(
    cd "$work/files"
    PATH=$prefix/bin:$PATH
    # shellcheck source=dist/maporv-tool.bash
    . "$prefix/share/bash-completion/completions/maporv-tool"
    expected=$(printf '%s\n' "${commands[@]}" --help --version | LC_ALL=C sort | tr '\n' ' ')
    [ "$(complete_words maporv-tool "")" = "$expected" ] || fail "completion of the commands"
    [ "$(complete_words maporv-tool info "")" = "DEMO.MAP Sub " ] || fail "completion of a MAP"
    [ "$(complete_words maporv-tool names "")" = "MAP007.TXT Sub " ] ||
        fail "completion of a names file"
    [ "$(complete_words maporv-tool render DEMO.MAP -o "")" = "Sub frame.png " ] ||
        fail "completion of an option's file"
    [ "$(complete_words maporv-tool check DEMO.MAP --fix -o "")" = "DEMO.MAP Sub " ] ||
        fail "completion of a nested option's map"
    [ "$(complete_words maporv-tool report Sub --sort n)" = "name number " ] ||
        fail "completion of an option's choices"
    [ "$(complete_words maporv-tool report --s)" = "--sort " ] || fail "completion of options"
    exit "$failures"
) || failures=$((failures + $?))

finish
