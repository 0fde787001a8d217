#!/bin/sh
# The Debian package and the desktop files as the distribution's checkers
# see them: lintian without errors or warnings, a valid desktop entry and
# valid AppStream data.
#   package-check.sh BUILD-DIR SOURCE-DIR
set -eu
build=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || {
    cat "$work/cpack.log"
    exit 1
}
status=0
lintian --fail-on error,warning --tag-display-limit 0 "$work"/kurvo_*.deb >"$work/lintian.log" 2>&1 ||
    status=$?
grep -v "running with root privileges" "$work/lintian.log" || true
[ "$status" -eq 0 ]
desktop-file-validate "$source/share/applications/org.kurvo.Kurvo.desktop"
appstreamcli validate --no-net --pedantic "$build/generated/org.kurvo.Kurvo.metainfo.xml"
