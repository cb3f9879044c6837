#!/usr/bin/env bash
# A plug-in that never returns.  The x64 test plug-in sleeps for good in
# GetPicture on a picture whose mode byte says so; G on that picture shows
# the loading box, Escape cancels it, and some seconds later zq gives the
# plug-in up: a box says it no longer answers, and, once it is answered, the
# loading box ends and the display goes on to the next picture, a BMP of
# another plug-in.  zq keeps running to a normal quit, and the plug-in's
# record stays in zq.ini: disabled for this run only.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin picture_hang
gui_add_rle_plugin
files="$GUI_DIR/files"
mkdir -p "$files"
gui_hanging_picture "$files/a_hang.zqr"
PYTHONPATH="$(dirname "${BASH_SOURCE[0]}")" python3 -c \
  'import sys; from gui_pictures import bmp; bmp(sys.argv[1], 30, 20, (10, 200, 150))' "$files/b_teal.bmp"
winfiles="$(gui_winpath "$files")"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$winfiles" "SECONDDIRECTORY=$winfiles" \
  "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" "HIGHLOADSPI=1" \
  "[ALLDATA2]" "GRAPHIC_VIEW_H_POS=2" "GRAPHIC_VIEW_V_POS=2" "GRAPHIC_VIEW_NOT_CHANGE_WND_SIZE=1"
gui_start_zq

box="$(gui_keys_until_title '^画像の読み込み$' g)" || gui_fail "G did not show the loading box"
sleep 1
[ -n "$(gui_visible '^画像の読み込み$')" ] || gui_fail "the loading box went away although the plug-in sleeps"
gui_focus "$box"
xdotool key --clearmodifiers Escape
gui_wait_box 15 >/dev/null || gui_fail "no message that the plug-in does not answer"
gui_screenshot picture-hang-message >/dev/null
gui_answer_boxes_until_title 'b_teal\.bmp .*30.*20' ||
  gui_fail "after giving the plug-in up the next picture was not shown"
[ -z "$(gui_visible '^画像の読み込み$')" ] || gui_fail "the loading box is still up"
sleep 0.5
shot="$(gui_screenshot picture-hang-next)"
[ "$(gui_count_colour "$shot" "10,200,150")" -eq 600 ] || gui_fail "the next picture is not drawn whole"

gui_end_pictures 'b_teal\.bmp .*30'
gui_quit alt+f x
gui_expect_susie_record "@zqrle.sph,00IN,*.zqr,ZQRL"
echo "PASS: picture_hang"
