#!/usr/bin/env bash
# Installs the build as the package does (prefix /usr under a temporary
# DESTDIR) and checks the layout: the programs, every file of the build's data
# folder, the launcher, the icons at their sizes, the metadata and the manual
# page. Then the installed game must find the installed data, and start and
# leave on a virtual display (xvfb-run) with a player made beforehand.
#
#   install_test.sh BUILD-DIR APP-ID ADD-PLAYER-TOOL ICON-SIZES...
set -euo pipefail

build=$1 id=$2 add_player=$3
shift 3
sizes=("$@")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
DESTDIR=$work/root cmake --install "$build" --prefix /usr >"$work/install.log"
usr=$work/root/usr

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
need() {
    [[ -s $usr/$1 ]] || fail "/usr/$1 is missing or empty"
}

for program in qarvel qarvel-table qarvel-solve qarvel-score-server; do
    [[ -x $usr/bin/$program ]] || fail "/usr/bin/$program is missing or not executable"
done
# Everything the game reads from its data folder when run from the build
# (the folder is also CMake's build folder of data/: its files stay out).
data_files=0
while IFS= read -r file; do
    need "share/qarvel/$file"
    data_files=$((data_files + 1))
done < <(cd "$build/data" && find . -type f -not -name '*.cmake' -not -path './CMakeFiles/*' \
    -printf '%P\n')
[[ $data_files -gt 0 ]] || fail "the build's data folder is empty"
need "share/applications/$id.desktop"
need "share/metainfo/$id.metainfo.xml"
need "share/mime/packages/$id.xml"
need share/man/man6/qarvel.6
# The sounds' module, loaded by the game once its window is up.
[[ -n $(find "$usr/lib" -path '*/qarvel/qarvel-sound.so' -type f 2>/dev/null) ]] ||
    fail "the sound module qarvel-sound.so is not installed"
for size in "${sizes[@]}"; do
    icon=share/icons/hicolor/${size}x${size}/apps/$id.png
    need "$icon"
    [[ -s $usr/$icon ]] || continue
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$usr/$icon")
    width=$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))
    height=$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))
    [[ $width -eq $size && $height -eq $size ]] || fail "$icon is $width x $height"
done

# --version and --help need no display; --help names the data folder found,
# which must be the installed one beside the program.
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u QARVEL_DATA)
version=$("${no_display[@]}" "$usr/bin/qarvel" --version) || fail "qarvel --version failed"
[[ $version =~ ^Qarvel\ [0-9]+\.[0-9]+$ ]] || fail "qarvel --version printed '$version'"
help=$("${no_display[@]}" "$usr/bin/qarvel" --help) || fail "qarvel --help failed"
grep -qxF "  $usr/share/qarvel" <<<"$help" ||
    fail "the installed qarvel does not use its installed data: $help"

if command -v xvfb-run >/dev/null; then
    export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$work/runtime"
    "$add_player" Tester >/dev/null
    if ! env -u QT_QPA_PLATFORM -u QARVEL_DATA timeout 120 xvfb-run -a "$usr/bin/qarvel" \
        --quit-after-start Klondike >"$work/game.log" 2>&1; then
        cat "$work/game.log"
        fail "the installed qarvel did not start and leave cleanly"
    fi
    if grep -q "no sounds:" "$work/game.log"; then
        fail "the installed qarvel did not load its sound module: $(grep "no sounds:" "$work/game.log")"
    fi
else
    echo "xvfb-run is not installed (scripts/install-deps installs it): the start is not tried"
fi

echo "installed $data_files data files and ${#sizes[@]} icon sizes; $failures failures"
[[ $failures -eq 0 ]]
