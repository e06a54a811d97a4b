#!/usr/bin/env bash
# Installs the build into a temporary root and checks what lands where, then runs the installed
# program's command line as a user would, with no display to open a window on, and starts it headless.
set -euo pipefail
build=$1
version=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null

sizes=(16 24 32 48 64 128 256)
mime_icon=application-x-ortix-t-calculation
libdir=$(sed -n 's/^CMAKE_INSTALL_LIBDIR:PATH=//p' "$build/CMakeCache.txt")
expected=(usr/bin/ortix-t usr/share/applications/ortix-t.desktop usr/share/icons/hicolor/scalable/apps/ortix-t.svg
          usr/share/mime/packages/ortix-t.xml usr/share/icons/hicolor/scalable/mimetypes/$mime_icon.svg
          "usr/$libdir/ortix-t/ortix-t-charts.so")
for size in "${sizes[@]}"; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/ortix-t.png"
               "usr/share/icons/hicolor/${size}x${size}/mimetypes/$mime_icon.png")
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f -printf '%P\n' | sort) ||
    fail "installed files differ from the expected list"

for size in "${sizes[@]}"; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/ortix-t.png
    # The PNG header's width and height, big-endian, at bytes 16 and 20.
    read -r w h < <(od -An -tu4 --endian=big -j16 -N8 "$png")
    [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "the ${size} px icon is ${w}x${h}"
done

entry=$root/usr/share/applications/ortix-t.desktop
report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"
grep -qx 'Exec=ortix-t %F' "$entry" || fail "Exec does not start the installed program with the files"
grep -qx 'MimeType=application/x-ortix-t-calculation;' "$entry" || fail "the entry does not open calculation files"
# The MIME type is valid, and a calculation file is known by its name and by its contents.
cp -r "$root/usr/share/mime" "$root/mime-database"
update-mime-database "$root/mime-database" || fail "update-mime-database rejects the MIME type"
grep -q '^application/x-ortix-t-calculation:\*\.ortix$' "$root/mime-database/globs" || fail "*.ortix is not its glob"
[ -s "$root/mime-database/magic" ] || fail "the MIME type has no magic"
grep -qx 'Icon=ortix-t' "$entry" || fail "Icon does not name the installed icon"

program=$root/usr/bin/ortix-t
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@"; }
out=$(run --version) || fail "--version exits with $?"
[ "$out" = "Ortix-T $version" ] || fail "--version prints '$out'"
out=$(run --help) || fail "--help exits with $?"
grep -q -- '--version' <<<"$out" || fail "--help does not list --version"
if err=$(run --no-such-option 2>&1); then fail "an unknown option starts the program"; fi
grep -q 'no-such-option' <<<"$err" || fail "an unknown option is not named: $err"
# A file that cannot be opened is named on standard error, and the program starts all the same.
err=$(QT_QPA_PLATFORM=offscreen ORTIX_QUIT_AFTER_FIRST_PAINT=1 "$program" "$root/no-such.ortix" 2>&1 >/dev/null) ||
    fail "the program does not start when a file cannot be opened"
grep -q 'no-such.ortix' <<<"$err" || fail "a file that cannot be opened is not named: $err"
# The whole start-up, as a desktop launch runs it: every window made, the main menu painted.
out=$(QT_QPA_PLATFORM=offscreen ORTIX_QUIT_AFTER_FIRST_PAINT=1 "$program" 2>/dev/null) ||
    fail "the program ends with $? after painting its main menu"
[[ "$out" =~ ^[0-9]+$ ]] || fail "the program did not paint its main menu: '$out'"
echo "install: 1 passed, 0 failed"
