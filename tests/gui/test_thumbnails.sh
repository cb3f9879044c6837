#!/usr/bin/env bash
# Thumbnails in a Filer pane.  A folder holds a 60 x 40 red BMP, a 400 x 200
# PNG whose left half is green and right half blue, a yellow 30 x 50 BMP and a
# ".png" that is no picture.  V (bound to @PreviewEnable) switches the folder
# on; the loader makes the thumbnails in the background through the Susie
# plug-in: the red one keeps its size (2400 pixels), the PNG is shrunk into
# the 100 x 100 box (100 x 50: about 2500 green and 2500 blue pixels).  zq
# stays usable meanwhile and records the folder in LOAD_PREVIEW at quit,
# with the cell type of PREVIEW_FILE_NAME.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin thumbnails
[ -f "$GUI_APP/spi/ifwic.sph" ] || gui_fail "the program's spi folder holds no ifwic.sph"

files="$GUI_DIR/pics"
mkdir -p "$files"
PYTHONPATH="$(dirname "${BASH_SOURCE[0]}")" python3 - "$files" <<'PY'
import sys
from gui_pictures import bmp, png
d = sys.argv[1]
bmp(d + "/a_red.bmp", 60, 40, (200, 30, 90))
png(d + "/b_wide.png", 400, 200, lambda x, y: (20, 180, 60) if x < 200 else (40, 60, 210))
open(d + "/c_broken.png", "wb").write(b"\x89PNG\r\n\x1a\n" + b"not a picture" * 40)
bmp(d + "/d_yellow.bmp", 30, 50, (230, 200, 20))
PY
winfiles="$(gui_winpath "$files")"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$winfiles" "SECONDDIRECTORY=$(gui_winpath "$GUI_DIR")" \
  "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" "[ALLDATA2]" "PREVIEW_FILE_NAME=3" "[KEYEXEDATA]" "N_V=@PreviewEnable"
gui_start_zq

count() { gui_count_colour "$(gui_screenshot "thumbnails-$1")" "$2"; }

[ "$(count before "200,30,90")" -eq 0 ] || gui_fail "red pixels before the thumbnails were switched on"
gui_focus "$GUI_WID"
gui_key v
red=0
for ((i = 0; i < 60; i++)); do
  red="$(count shown "200,30,90")"
  [ "$red" -ge 2400 ] && break
  sleep 0.25
done
[ "$red" -eq 2400 ] || gui_fail "the red thumbnail has $red pixels, not 60 x 40"
sleep 0.5
green="$(count wide "20,180,60")"
blue="$(count wide-blue "40,60,210")"
[ "$green" -ge 2300 ] && [ "$green" -le 2500 ] || gui_fail "the wide PNG's thumbnail has $green green pixels, not about 50 x 50"
[ "$blue" -ge 2300 ] && [ "$blue" -le 2500 ] || gui_fail "the wide PNG's thumbnail has $blue blue pixels, not about 50 x 50"
yellow="$(count yellow "230,200,20")"
[ "$yellow" -eq 1500 ] || gui_fail "the yellow thumbnail has $yellow pixels, not 30 x 50"
# The cursor still moves: the window thread was never held up.
gui_key Right
gui_quit alt+f x
[ "$GUI_EXIT" -eq 0 ] || gui_fail "zq ended with exit code $GUI_EXIT"
[ "$(gui_ini_value LOAD_PREVIEW DIR0)" == "$winfiles" ] || gui_fail "LOAD_PREVIEW DIR0 is '$(gui_ini_value LOAD_PREVIEW DIR0)'"
# The folder keeps the cell sizing chosen when it was switched on ("指定幅").
[ "$(gui_ini_value LOAD_PREVIEW TYPE0)" == 3 ] || gui_fail "LOAD_PREVIEW TYPE0 is '$(gui_ini_value LOAD_PREVIEW TYPE0)'"
[ -z "$(gui_ini_value LOAD_PREVIEW DIR1)" ] || gui_fail "a second directory was recorded"
echo "PASS: thumbnails"
