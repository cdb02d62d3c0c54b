#!/usr/bin/env bash
# The desktop files as the desktop's own tools read them: the launcher
# (desktop-file-validate), the AppStream metadata (appstreamcli, offline), the
# saved games' file type (update-mime-database must register it) and the
# manual page (man, with warnings on).
#
#   desktop_files_test.sh DESKTOP-DIR APP-ID
set -euo pipefail

dir=$1 id=$2
for tool in desktop-file-validate appstreamcli update-mime-database man; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is not installed (scripts/install-deps installs it)"
        exit 77
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# desktop-file-validate prints hints as well as errors, and fails only on
# errors: either is a failure here.
if ! out=$(desktop-file-validate "$dir/$id.desktop" 2>&1) || [[ -n $out ]]; then
    fail "the launcher: $out"
fi
appstreamcli validate --no-net --pedantic "$dir/$id.metainfo.xml" >"$work/appstream.log" 2>&1 ||
    fail "the metadata: $(cat "$work/appstream.log")"

mkdir -p "$work/mime/packages"
cp "$dir/$id.xml" "$work/mime/packages/"
XDG_DATA_DIRS=$work update-mime-database "$work/mime" >"$work/mime.log" 2>&1 || fail "the file type: $(cat "$work/mime.log")"
[[ ! -s $work/mime.log ]] || fail "the file type: $(cat "$work/mime.log")"
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$dir/$id.xml")
[[ -s $work/mime/$type.xml ]] || fail "the file type $type was not registered"
grep -q "MimeType=$type;" "$dir/$id.desktop" || fail "the launcher does not open $type"

warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$dir/qarvel.6" 2>&1 >/dev/null)
[[ -z $warnings ]] || fail "the manual page: $warnings"

echo "desktop files: $failures failures"
[[ $failures -eq 0 ]]
