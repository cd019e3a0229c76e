# shellcheck shell=bash disable=SC2154
# Shared by the install and package tests, which set $name (for their messages) before
# sourcing it: the files an install puts under its prefix, the skip when a tool is
# missing, a temporary work folder removed at exit, and failures counted.

# The installed files, sorted. $1 is the application id.
maporv_layout() {
    local id=$1 size
    {
        printf '%s\n' bin/maporv bin/maporv-tool \
            "share/applications/$id.desktop" \
            "share/mime/packages/$id.xml" \
            "share/metainfo/$id.metainfo.xml" \
            share/man/man1/maporv.1.gz share/man/man1/maporv-tool.1.gz \
            share/bash-completion/completions/maporv-tool \
            share/doc/maporv/copyright share/doc/maporv/changelog.gz
        for size in 16 32 48 64 128 256; do
            echo "share/icons/hicolor/${size}x$size/apps/$id.png"
        done
    } | LC_ALL=C sort
}

# Exits with 77 (skipped) when one of the commands is missing.
require_commands() {
    local command
    for command in "$@"; do
        if ! command -v "$command" > /dev/null 2>&1; then
            echo "$name: $command is not installed, skipped"
            exit 77
        fi
    done
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "$name: FAILED: $*"
    failures=$((failures + 1))
}

finish() {
    [ "$failures" -eq 0 ] || exit 1
    echo "$name: passed"
}
