#!/usr/bin/env bash
# Installing into a temporary root: the program folder, the programs on the PATH, the desktop entry and icons;
# then the installed program, started by a user who may not write its folder, works in the user's own folder:
# it finds the help and language files there, applies English from en.lng and writes its settings on a stop.
set -euo pipefail
build=$(cd "$1" && pwd)
root=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$root"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$root/dest" cmake --install "$build" --prefix /usr >/dev/null
usr="$root/dest/usr"
folder="$usr/lib/kvt3310"
languages=(en nl fr de es it pt cs fi no el)
help=("IFU Tavro Message manager.TXT" "Contacts Norvik.TXT")
for f in kvt3310 kvt3310-cli kvt3310-emu "${help[@]}"; do
    [ -f "$folder/$f" ] || fail "$f missing in the program folder"
done
for code in "${languages[@]}"; do
    [ -f "$folder/$code.lng" ] || fail "$code.lng missing in the program folder"
done
for p in kvt3310 kvt3310-cli kvt3310-emu; do
    [ "$(readlink "$usr/bin/$p")" = "../lib/kvt3310/$p" ] || fail "$p is not linked into the PATH"
done
[ -f "$usr/share/applications/kvt3310.desktop" ] || fail "no desktop entry"
grep -q '^Exec=kvt3310$' "$usr/share/applications/kvt3310.desktop" || fail "desktop entry runs something else"
[ -f "$usr/share/icons/hicolor/scalable/apps/kvt3310.svg" ] || fail "no scalable icon"
[ -f "$usr/share/icons/hicolor/48x48/apps/kvt3310.png" ] || fail "no 48x48 icon"
"$usr/bin/kvt3310-cli" --help >/dev/null || fail "kvt3310-cli --help"
"$usr/bin/kvt3310-emu" --help >/dev/null || fail "kvt3310-emu --help"

# A user who may not write the program folder: root may write anywhere, so the program runs as nobody then.
home="$root/home"
mkdir -p "$home"
run=()
if [ "$(id -u)" -eq 0 ]; then
    chmod -R a+rX "$root"
    chown nobody "$home"
    run=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
else
    chmod a-w "$folder"
fi
before=$(ls -A "$folder" | sort)
env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR= QT_QPA_PLATFORM=offscreen \
    SDL_AUDIODRIVER=dummy "${run[@]}" "$usr/bin/kvt3310" 2>"$root/stderr" &
pid=$!
user="$home/.config/KVT3310"
# The marker appears once English has been applied from the en.lng found in the program folder in use.
for _ in $(seq 1 100); do
    [ -f "$user/~KVT3310Temp" ] && break
    kill -0 "$pid" 2>/dev/null || { cat "$root/stderr" >&2; fail "the program ended early"; }
    sleep 0.2
done
[ -f "$user/~KVT3310Temp" ] || { cat "$root/stderr" >&2; fail "no marker file in $user"; }
grep -q "KVT 3310 Tavro message manager set up:" "$user/~KVT3310Temp" || fail "marker holds another caption"
kill -TERM "$pid"
for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$pid" 2>/dev/null && fail "the program did not close when asked to stop"
wait "$pid" || fail "the program ended with an error"
pid=""

[ -f "$user/KVT3310.INI" ] || fail "no settings written in $user"
grep -q "^\[Com settings\]" "$user/KVT3310.INI" || fail "settings without the serial settings"
grep -qF "strMSGFilePath=$user/" "$user/KVT3310.INI" || fail "folders do not point at the user's folder"
for f in "${help[@]}"; do
    cmp -s "$folder/$f" "$user/$f" || fail "$f not copied to the user's folder"
done
for code in "${languages[@]}"; do
    cmp -s "$folder/$code.lng" "$user/$code.lng" || fail "$code.lng not copied to the user's folder"
done
[ "$(ls -A "$folder" | sort)" = "$before" ] || fail "the program wrote into its installed folder"
echo "installed program: settings, marker, help and language files in $user"
