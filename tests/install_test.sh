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
          "usr/$libdir/ortix-t/ortix-t-charts.so" "usr/$libdir/ortix-t/ortix-t-print.so"
          "usr/$libdir/ortix-t/ortix-t-jpeg.so")
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
grep -q 'Использование:' <<<"$out" && grep -q 'Вывод справки' <<<"$out" || fail "--help is not in Russian: $out"
if err=$(run --no-such-option 2>&1); then fail "an unknown option starts the program"; fi
grep -q 'Неизвестный параметр «no-such-option»' <<<"$err" || fail "an unknown option is not named in Russian: $err"
# A file that cannot be opened is named on standard error, and the program starts all the same.
err=$(QT_QPA_PLATFORM=offscreen ORTIX_QUIT_AFTER_FIRST_PAINT=1 "$program" "$root/no-such.ortix" 2>&1 >/dev/null) ||
    fail "the program does not start when a file cannot be opened"
grep -q 'no-such.ortix' <<<"$err" || fail "a file that cannot be opened is not named: $err"
# A saved calculation's report, netlist and simulation, with no display; what cannot be done is one line on
# standard error, exit 1, and nothing written.
sample=$(dirname "$0")/calculations/form3-full-run.ortix
for option in report netlist simulate; do
    grep -q -- "--$option" <<<"$(run --help)" || fail "--help does not list --$option"
done
run --report "$root/report.pdf" "$sample" || fail "--report exits with $?"
text=$(pdftotext -enc UTF-8 "$root/report.pdf" -) || fail "pdftotext cannot read the report"
grep -q '^Шаг 1' <<<"$text" || fail "the report has no «Шаг 1»"
run --netlist "$root/trigger.cir" "$sample" || fail "--netlist exits with $?"
grep -qi '^\.tran' "$root/trigger.cir" || fail "the netlist has no .tran"
out=$(run --simulate "$sample") || fail "--simulate exits with $?"
grep -q '"verdict":' <<<"$out" || fail "--simulate prints no verdict: $out"
for failing in "--report $root/report.xyz $sample" "--report $root/missing.pdf $root/no-such.ortix" \
               "--report $root/no-folder/report.pdf $sample" "--netlist $root/missing.cir $root/no-such.ortix" \
               "--tolerance --runs 0 $sample" "--tolerance --jobs два $sample" "--tolerance --seed -1 $sample" \
               "--runs 5" "--tolerance $root/no-such.ortix"; do
    # shellcheck disable=SC2086
    if err=$(run $failing 2>&1 >/dev/null); then fail "ortix-t $failing succeeds"; fi
    [ "$(wc -l <<<"$err")" = 1 ] || fail "ortix-t $failing says more than one line: $err"
    LC_ALL=C.UTF-8 grep -qP '[\x{0430}-\x{044F}]' <<<"$err" || fail "ortix-t $failing does not say it in Russian: $err"
done
[ ! -e "$root/report.xyz" ] && [ ! -e "$root/missing.pdf" ] && [ ! -e "$root/missing.cir" ] ||
    fail "a failed report or netlist leaves a file behind"
# Past a file-size limit (which no longer ends the program) and onto a device that is always full, a report or
# netlist fails with its cause and exit 1, and the old file is as it was.
for out in report.pdf report.odt report.html report.txt trigger.cir; do
    option=--report
    [ "${out##*.}" = cir ] && option=--netlist
    printf 'the old file' >"$root/$out"
    if err=$( (ulimit -f 1; run $option "$root/$out" "$sample") 2>&1 >/dev/null); then
        fail "$option $out succeeds past a file-size limit"
    fi
    grep -q 'больше, чем разрешено' <<<"$err" || fail "$option $out past a file-size limit says: $err"
    [ "$(cat "$root/$out")" = 'the old file' ] || fail "$option $out past a file-size limit changed the old file"
    ln -s /dev/full "$root/full.${out##*.}"
    if err=$(run $option "$root/full.${out##*.}" "$sample" 2>&1 >/dev/null); then fail "$option onto /dev/full succeeds"; fi
    grep -q 'нет места' <<<"$err" || fail "$option onto /dev/full says: $err"
done
# ngspice reads no start-up script and no setting of the user's: in a folder with a .spiceinit, with HOME, SPICE_SCRIPTS
# or SPICE_LIB_DIR naming a folder with a script, with a coarser measurement precision or a locale whose decimal
# mark is a comma, --simulate prints the same and nothing in those scripts runs. (ngspice finds the home's
# .spiceinit through the account, not HOME: the one in the private folder it starts in stands before it.)
sample=$(realpath "$sample")
expected=$(cd / && run --simulate "$sample") || fail "--simulate exits with $?"
scripts=$root/scripts
mkdir -p "$scripts/scripts" "$root/home"
for script in "$scripts/.spiceinit" "$scripts/spinit" "$scripts/scripts/spinit" "$root/home/.spiceinit"; do
    printf 'shell touch %s.ran\nset ngbehavior=lt\n' "$script" >"$script"
done
locale_settings=
if localedef -i ru_RU -f UTF-8 "$root/ru_RU.UTF-8" 2>/dev/null; then
    locale_settings="LOCPATH=$root LC_ALL=ru_RU.UTF-8"
fi
for setting in "HOME=$root/home" "SPICE_SCRIPTS=$scripts" "SPICE_LIB_DIR=$scripts" "NGSPICE_MEAS_PRECISION=2" \
               "$locale_settings"; do
    # shellcheck disable=SC2086
    out=$(cd "$scripts" && env $setting "$program" --simulate "$sample") || fail "--simulate under $setting exits with $?"
    [ "$out" = "$expected" ] || fail "--simulate in a folder with a .spiceinit, under $setting, prints $out"
done
ran=$(find "$root" -name '*.ran')
[ -z "$ran" ] || fail "a start-up script of ngspice ran: $ran"
# The whole start-up, as a desktop launch runs it: every window made, the main menu painted.
out=$(QT_QPA_PLATFORM=offscreen ORTIX_QUIT_AFTER_FIRST_PAINT=1 "$program" 2>/dev/null) ||
    fail "the program ends with $? after painting its main menu"
[[ "$out" =~ ^[0-9]+$ ]] || fail "the program did not paint its main menu: '$out'"
echo "install: 1 passed, 0 failed"
