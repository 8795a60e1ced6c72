#!/usr/bin/env bash
# Installs a build into a scratch DESTDIR and checks the tree as a desktop reads it: the desktop
# entry, the software-centre entry, the schedule file type (a MIME database built from the
# package maps *.zeft and the root element to it), the icons, the udev rule and the manual page.
# Then builds the Debian package from the same build and runs lintian on it (no errors, and
# the program linked as PIE with full RELRO and immediate binding).
#
# Usage: scripts/test-install.sh [BUILD_DIR]   (default build/ci, configured and built already)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/ci}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}
check_file() { [ -f "$1" ] || fail "missing ${1#"$stage"/root}"; }

# The package's prefix, so that the paths the manual page names are the installed ones.
cmake -S . -B "$build" -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
# What the installation takes (the rest of the build is not installed).
cmake --build "$build" --target zeft zeft_desktop_files
DESTDIR="$stage/root" cmake --install "$build" >/dev/null
usr=$stage/root/usr
id=$(sed -n 's/^ZEFT_APP_ID:STRING=//p' "$build/CMakeCache.txt")
mime_type=application/x-zeft+xml

echo "--- installed tree"
(cd "$stage/root" && find . -type f | sort)
check_file "$usr/bin/zeft"
check_file "$usr/share/applications/$id.desktop"
check_file "$usr/share/metainfo/$id.metainfo.xml"
check_file "$usr/share/mime/packages/$id.xml"
check_file "$usr/share/icons/hicolor/scalable/apps/$id.svg"
check_file "$usr/lib/udev/rules.d/70-zeft-stick.rules"
check_file "$usr/share/man/man1/zeft.1.gz"
check_file "$usr/share/doc/zeft/copyright"
check_file "$usr/share/doc/zeft/changelog.gz"
for size in 16 24 32 48 64 128 256; do
    png=$usr/share/icons/hicolor/${size}x${size}/apps/$id.png
    check_file "$png"
    [ -f "$png" ] && { file "$png" | grep -q "PNG image data, $size x $size," ||
        fail "$png is not a $size x $size PNG: $(file -b "$png")"; }
done

echo "--- desktop-file-validate"
desktop-file-validate "$usr/share/applications/$id.desktop" || fail "desktop-file-validate"
grep -qx "MimeType=$mime_type;" "$usr/share/applications/$id.desktop" ||
    fail "the desktop entry does not name $mime_type"
grep -qx "Icon=$id" "$usr/share/applications/$id.desktop" || fail "the desktop entry's icon"
for lang in de fr; do
    grep -q "^Name\[$lang\]=" "$usr/share/applications/$id.desktop" || fail "no Name[$lang]"
done

echo "--- appstreamcli validate --no-net --strict"
appstreamcli validate --no-net --strict "$usr/share/metainfo/$id.metainfo.xml" ||
    fail "appstreamcli validate"

echo "--- xmllint"
xmllint --noout "$usr/share/mime/packages/$id.xml" "$usr/share/metainfo/$id.metainfo.xml" \
    "$usr/share/icons/hicolor/scalable/apps/$id.svg" || fail "xmllint"

echo "--- update-mime-database"
mkdir -p "$stage/mime/packages"
cp "$usr/share/mime/packages/$id.xml" "$stage/mime/packages/"
XDG_DATA_DIRS="$stage:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}" \
    update-mime-database "$stage/mime" || fail "update-mime-database"
grep -q "^50:$mime_type:\*\.zeft$" "$stage/mime/globs2" || fail "globs2 does not map *.zeft"
grep -qx "$mime_type application/xml" "$stage/mime/subclasses" || fail "not a subclass of XML"
grep -qx " heatingLocations $mime_type" "$stage/mime/XMLnamespaces" ||
    fail "no root-XML rule for heatingLocations"
grep -aq "^\[50:$mime_type\]" "$stage/mime/magic" || fail "no magic rule for heatingLocations"
for lang in de fr; do
    grep -q "<comment xml:lang=\"$lang\">" "$stage/mime/${mime_type}.xml" || fail "no $lang comment"
done

echo "--- man"
man --warnings -l "$usr/share/man/man1/zeft.1.gz" >/dev/null 2>"$stage/man.log" || fail "man"
[ ! -s "$stage/man.log" ] || { cat "$stage/man.log"; fail "the manual page has warnings"; }

echo "--- cpack -G DEB and lintian"
(cd "$build" && cpack -G DEB -B "$stage/deb" >/dev/null) || fail "cpack"
deb=$(find "$stage/deb" -maxdepth 1 -name '*.deb' | head -n 1)
if [ -n "$deb" ]; then
    dpkg-deb --info "$deb"
    depends=$(dpkg-deb --field "$deb" Depends)
    for wanted in libqt6widgets6 libhidapi-hidraw0 qt6-translations-l10n libqt6sql6-sqlite \
        fonts-dejavu-core fonts-liberation; do
        grep -q "$wanted" <<<"$depends" || fail "Depends lacks $wanted: $depends"
    done
    lintian --fail-on error --display-info "$deb" | tee "$stage/lintian.log" ||
        fail "lintian reports errors"
    # The optimised build's hardening, as lintian sees it. Its hardening-no-fortify-functions
    # note proves nothing either way: the program calls no fortifiable function with a size
    # known when compiling, so there is nothing for the fortified headers to replace.
    for tag in hardening-no-relro hardening-no-bindnow hardening-no-pie; do
        if grep -q "$tag" "$stage/lintian.log"; then
            fail "lintian: $tag"
        fi
    done
else
    fail "cpack made no package"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures installation check(s) failed." >&2
    exit 1
fi
echo "Installation checks passed."
