#!/usr/bin/env bash
# Builds the Debian package into a temporary folder and checks it: its name, its
# control fields (the Qt 6 libraries among the dependencies dpkg-shlibdeps found), its
# files under /usr owned by root, what lintian says, and that the tool it carries runs.
#
# Usage: package_test.sh CPACK BUILD_FOLDER VERSION APP_ID
# Exit status 0 passed, 1 failed, 77 skipped (the Debian tools are missing).
set -euo pipefail

cpack=$1 build=$2 version=$3 id=$4
name=package
# shellcheck source=tests/install/common.sh
. "$(dirname "$0")/common.sh"
require_commands dpkg dpkg-deb dpkg-shlibdeps

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" > "$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
deb=$work/maporv_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { ls "$work"; echo "package: FAILED: no $deb"; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = maporv ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
depends=$(field Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6 libc6 qt6-qpa-plugins; do
    [[ ", $depends," == *", $library "* || ", $depends," == *", $library,"* ]] ||
        fail "Depends lacks $library: $depends"
done

# The files, exactly, under /usr and owned by root; the programs executable.
dpkg-deb -c "$deb" > "$work/contents"
diff <(maporv_layout "$id" | sed 's|^|./usr/|') \
    <(awk '$1 !~ /^d/ { print $6 }' "$work/contents" | LC_ALL=C sort) ||
    fail "the packaged files differ from the expected ones (< expected, > packaged)"
awk '$2 != "root/root" { print; bad = 1 } END { exit bad }' "$work/contents" ||
    fail "files not owned by root"
grep -q '^-rwxr-xr-x .* \./usr/bin/maporv$' "$work/contents" || fail "usr/bin/maporv mode"

# lintian, where installed: no error, no warning. The hardening flags are those
# scripts/package.sh builds with, not this build's.
if command -v lintian > /dev/null 2>&1; then
    lintian --fail-on error,warning \
        --suppress-tags hardening-no-bindnow,hardening-no-fortify-functions \
        "$deb" > "$work/lintian.log" 2>&1 || fail "lintian: $(grep -v '^running with root' "$work/lintian.log")"
fi

dpkg-deb -x "$deb" "$work/root"
[ "$("$work/root/usr/bin/maporv-tool" --version)" = "maporv-tool $version" ] ||
    fail "the packaged maporv-tool does not run"

finish
