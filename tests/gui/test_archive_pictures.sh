#!/usr/bin/env bash
# Pictures inside a ZIP, driven by keys.  The left pane's folder holds one ZIP
# with a text member and two pictures in the folder "p" (60 x 40 red, 50 x 30
# blue).  G on the ZIP in the Filer shows its first picture through the
# archive plug-in axzip.sph (the title names the archive and the member, the
# red pixels are counted on the screen), N the second, N once more gives the
# pane back to the Filer.  Return enters the ZIP as a folder, Down and Return
# walk into "p", and G there shows the first picture again, now read through
# the archiver library.  Back in the Filer of the archive, U on the blue
# member opens "ファイルの解凍" and Return unpacks it into the right pane's
# folder: the file equals the original; C (@Copy) on the red member does the
# same.  At quit zq.ini records both plug-ins and the destination in the
# directory history.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin archive_pictures
[ -f "$GUI_APP/spi/axzip.sph" ] || gui_fail "the program's spi folder holds no axzip.sph"
[ -f "$GUI_APP/Unbypass.dll" ] || gui_fail "no Unbypass.dll beside the program"

files="$GUI_DIR/files"
mkdir -p "$files" "$GUI_DIR/out" "$GUI_DIR/originals"
PYTHONPATH="$(dirname "${BASH_SOURCE[0]}")" python3 - "$files" "$GUI_DIR/originals" <<'PY'
import sys, zipfile
from gui_pictures import png
d, originals = sys.argv[1], sys.argv[2]
png(originals + "/1_red.png", 60, 40, lambda x, y: (200, 30, 90))
png(originals + "/2_blue.png", 50, 30, lambda x, y: (40, 60, 210))
with zipfile.ZipFile(d + "/album.zip", "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("note.txt", b"not a picture\r\n")
    z.write(originals + "/1_red.png", "p/1_red.png")
    z.write(originals + "/2_blue.png", "p/2_blue.png")
PY
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$files")" "SECONDDIRECTORY=$(gui_winpath "$GUI_DIR/out")" \
  "SECONDFILEOPEN=1" "NOTVIEWUPDIR=0" "NOTVIEWCURRENTDIR=1" "HIGHLOADSPI=1" \
  "[ALLDATA2]" "DISABLETWIN=1" "GRAPHIC_VIEW_H_POS=2" "GRAPHIC_VIEW_V_POS=2" "GRAPHIC_VIEW_NOT_CHANGE_WND_SIZE=1"
gui_start_zq

expect_pixels() {
  local shot got
  shot="$(gui_screenshot "archive-pictures-$1")"
  got="$(gui_count_colour "$shot" "$2")"
  [ "$got" -eq "$3" ] || gui_fail "$1: $got pixels of rgb($2), not $3"
}

sleep 0.5
gui_focus "$GUI_WID"
# The cursor starts on "..", the ZIP is the next line.
gui_key Down
gui_keys_until_title 'album\.zip\(p\\1_red\.png\) 幅:60 高さ40 24Bit Color\(100%\)' g >/dev/null ||
  gui_fail "G on the ZIP did not show its first picture"
sleep 0.5
expect_pixels plugin-first "200,30,90" 2400
gui_keys_until_title 'album\.zip\(p\\2_blue\.png\) 幅:50 高さ30' n >/dev/null || gui_fail "N did not show the second member"
sleep 0.5
expect_pixels plugin-second "40,60,210" 1500
expect_pixels plugin-second-no-red "200,30,90" 0
gui_keys_until_title 'files - zq$' n >/dev/null || gui_fail "N after the last member did not give the pane back"

# The same pictures through the archive browser and the archiver library.
gui_key Return
gui_expect_title 'album\.zip - zq$' "Return on the ZIP"
gui_key Down Return
gui_expect_title 'album\.zip\\p - zq$' "Return on the folder p"
gui_keys_until_title 'album\.zip\\p\(1_red\.png\) 幅:60 高さ40' g >/dev/null ||
  gui_fail "G in the archive's folder did not show its first picture"
sleep 0.5
expect_pixels library-first "200,30,90" 2400
gui_keys_until_title 'album\.zip\\p\(2_blue\.png\) 幅:50' n >/dev/null || gui_fail "N in the archive pane's pictures"
gui_keys_until_title 'album\.zip\\p - zq$' n >/dev/null || gui_fail "the archive pane did not come back"

# U on the blue member unpacks it, with its folder, into the right pane's folder.
gui_key Down Down
w="$(gui_keys_until_title '^ファイルの解凍$' u)" || gui_fail "U in the archive did not open the unpack dialog"
gui_keys_until_gone "$w" '^ファイルの解凍$' Return || gui_fail "the unpack dialog did not end after Return"
cmp -s "$GUI_DIR/out/p/2_blue.png" "$GUI_DIR/originals/2_blue.png" ||
  gui_fail "the unpacked member differs: $(cd "$GUI_DIR/out" && find . | tr '\n' ' ')"
[ ! -e "$GUI_DIR/out/p/1_red.png" ] || gui_fail "U on one member unpacked another"

# C (@Copy) on the red member copies it out of the archive by unpacking it.
gui_focus "$GUI_WID"
gui_key Up
w="$(gui_keys_until_title '^ファイルの解凍$' c)" || gui_fail "C in the archive did not open the unpack dialog"
gui_keys_until_gone "$w" '^ファイルの解凍$' Return || gui_fail "the unpack dialog of C did not end after Return"
cmp -s "$GUI_DIR/out/p/1_red.png" "$GUI_DIR/originals/1_red.png" || gui_fail "C did not copy the red member out"

gui_focus "$GUI_WID"
gui_quit q
records="$(gui_ini_value SUSIEDATA PLUGINFILE0) $(gui_ini_value SUSIEDATA PLUGINFILE1)"
[[ "$records" == *"@axzip.sph,00AM,*.zip,ZIP"* && "$records" == *"@ifwic.sph,00IN,"* ]] ||
  gui_fail "zq.ini's plug-in records are '$records'"
# The destination went to the directory history, where the dialog offers it next time.
history="$(gui_ini_value DIRHISTORY TODIR0)"
[ "${history,,}" = "$(gui_winpath "$GUI_DIR/out" | tr 'A-Z' 'a-z')" ] || gui_fail "DIRHISTORY TODIR0 is '$history'"
echo "PASS: archive_pictures"
