#!/usr/bin/env bash
# Installs a built tree into a scratch folder and checks it as a player's
# machine sees it: the desktop entry, the metadata, the icons and manual
# pages; the installed program, started from elsewhere with a fresh home,
# keeps its settings in the player's folder and finds its game again at the
# next start; the Debian package carries working programs.
#
#   scripts/check_install.sh BUILD_DIR    (the tree must be built)
set -euo pipefail

build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
app_id=io.github.kelvora.Kelvora

tmp=$(mktemp -d)
xvfb_pid=
kelvora_pid=
cleanup() {
    [ -n "$kelvora_pid" ] && kill "$kelvora_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

fail() {
    echo "check_install: $*" >&2
    exit 1
}

step() { echo "check_install: $*"; }

# ------------------------------------------------------------ the files
stage=$tmp/stage
step "installing into $stage"
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
usr=$stage/usr
for f in bin/kelvora bin/kelvora-cli \
    share/kelvora/rndtest.dat share/kelvora/sound1.wav share/kelvora/sound2.wav share/kelvora/kvhelp.html \
    share/kelvora/strategies/martingale_red.stg \
    share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$app_id.svg \
    share/man/man1/kelvora-cli.1.gz share/man/man6/kelvora.6.gz \
    share/doc/kelvora/copyright share/doc/kelvora/changelog.gz; do
    [ -f "$usr/$f" ] || fail "$f is not installed"
done
for size in 48 128 256; do
    png=$usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    [ -f "$png" ] || fail "the ${size} px icon is not installed"
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
    [ "$dims" = "${size}x${size}" ] || fail "the ${size} px icon is $dims"
done
desktop-file-validate "$usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/$app_id.metainfo.xml" >/dev/null ||
    appstreamcli validate --no-net "$usr/share/metainfo/$app_id.metainfo.xml"
grep -q "release version=\"$version\"" "$usr/share/metainfo/$app_id.metainfo.xml" ||
    fail "the metadata does not name release $version"
zcat "$usr/share/man/man1/kelvora-cli.1.gz" | grep -q "^\.TH KELVORA-CLI 1 .*$version" ||
    fail "the manual page of kelvora-cli is not that of $version"

[ "$("$usr/bin/kelvora" --version)" = "kelvora $version" ] || fail "kelvora --version does not say $version"
[ "$("$usr/bin/kelvora-cli" --version)" = "kelvora-cli $version" ] || fail "kelvora-cli --version does not say $version"
# The installed command finds the limits table in the installed data folder.
echo "1 2 3" >"$tmp/three.list"
"$usr/bin/kelvora-cli" test-game --json "$tmp/three.list" | grep -q '"ran": true' ||
    fail "kelvora-cli test-game does not find the installed rndtest.dat"

# ------------------------------------------------------- a player's day
# A fresh home, the data folder of XDG_DATA_HOME and a working directory of
# its own: the program may write only into its player's folder.
export HOME=$tmp/home XDG_DATA_HOME=$tmp/data XDG_CONFIG_HOME=$tmp/config XDG_CACHE_HOME=$tmp/cache
export XDG_RUNTIME_DIR=$tmp/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$tmp/elsewhere"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
user_dir=$XDG_DATA_HOME/Kelvora
# Leaks are the unit tests' business; here only the behaviour counts.
export ASAN_OPTIONS=detect_leaks=0

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
export DISPLAY=:$(head -n1 "$tmp/display")

# Line 21 of info.ini: the number of spins of the last game.
spin_count() { sed -n 21p "$user_dir/info.ini" | tr -d '\r'; }

# Starts the installed program, plays NUMBER typed into the memo of an
# Online Casino Game and leaves by File > Exit.
play_one_number() {
    local number=$1 wid
    (cd "$tmp/elsewhere" && exec "$usr/bin/kelvora") >"$tmp/kelvora.log" 2>&1 &
    kelvora_pid=$!
    wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Kelvora$' | head -n1) ||
        fail "the main window did not appear: $(cat "$tmp/kelvora.log")"
    sleep 1
    xdotool windowfocus --sync "$wid"
    # Settings > Online Casino Game: open File, step right to Settings (its
    # first item lit), then down to the second.
    xdotool mousemove --window "$wid" 15 10 click 1
    sleep 0.5
    xdotool key Right Down Return
    sleep 0.5
    # The memo: clear its prompt, type the number, Enter plays it.
    xdotool mousemove --window "$wid" 150 440 click 1
    sleep 0.3
    xdotool key ctrl+a BackSpace
    xdotool type --delay 50 "$number"
    xdotool key Return
    sleep 1
    # File > Exit, the last item of File.
    xdotool mousemove --window "$wid" 15 10 click 1
    sleep 0.5
    xdotool key Up Return
    for _ in $(seq 150); do kill -0 "$kelvora_pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$kelvora_pid" 2>/dev/null; then
        import -window root "$tmp/stuck.png" 2>/dev/null && cp "$tmp/stuck.png" "$build/check_install_stuck.png" || true
        fail "kelvora did not end after File > Exit (screenshot: $build/check_install_stuck.png)"
    fi
    local status=0
    wait "$kelvora_pid" || status=$?
    kelvora_pid=
    [ "$status" -eq 0 ] || fail "kelvora ended with status $status: $(cat "$tmp/kelvora.log")"
}

step "first start: one number in an Online Casino Game"
play_one_number 17
found=$(cd "$tmp" && find . -name info.ini | sort)
[ "$found" = "./data/Kelvora/info.ini" ] || fail "info.ini should be in the player's folder only, found: ${found:-none}"
[ -f "$user_dir/martingale_red.stg" ] || fail "the player's folder was not seeded with the sample strategies"
first=$(spin_count)

step "second start: the game goes on"
play_one_number 5
second=$(spin_count)
[ "$second" -eq $((first + 1)) ] ||
    fail "the second start did not continue the first game ($first spins, then $second)"

# --------------------------------------------------------- the package
step "packaging"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/deb" >"$tmp/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$tmp/cpack.log")"
deb=$tmp/deb/kelvora_${version}_amd64.deb
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$tmp/deb")"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in section games"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "the package does not depend on Qt's widgets"
dpkg-deb -x "$deb" "$tmp/unpacked"
[ "$("$tmp/unpacked/usr/bin/kelvora-cli" --version)" = "kelvora-cli $version" ] ||
    fail "the packaged kelvora-cli does not say $version"
step "all good ($first spins, then $second; $(basename "$deb"))"
