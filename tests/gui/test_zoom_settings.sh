#!/usr/bin/env bash
# "画像の拡大縮小" from the settings menu by keys (alt+D, Z): space takes 1/5
# out of the zoom steps, the list's "2.0" becomes the ratio every picture
# starts at, and "ズームアウト、インの変更を保存する" is ticked; OK.  Opened
# again, a change left with Escape is dropped.  After quit ZOOMDATA,
# ZOOMNUMBER and CHANGEZOOMENABLE hold the choice; the next run's G shows a
# 30 x 20 picture at twice its size.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin zoom_settings
[ -f "$GUI_APP/spi/ifwic.sph" ] || gui_fail "the program's spi folder holds no ifwic.sph"
files="$GUI_DIR/files"
mkdir -p "$files"
PYTHONPATH="$(dirname "${BASH_SOURCE[0]}")" python3 - "$files" <<'PY'
import sys
from gui_pictures import bmp
bmp(sys.argv[1] + "/a_red.bmp", 30, 20, (200, 30, 90))
PY
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$files")" "SECONDDIRECTORY=$(gui_winpath "$files")" \
  "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" "ZOOMNUMBER=0" "CHANGEZOOMENABLE=0" \
  "[ALLDATA2]" "GRAPHIC_VIEW_H_POS=2" "GRAPHIC_VIEW_V_POS=2" "GRAPHIC_VIEW_NOT_CHANGE_WND_SIZE=1"
gui_start_zq

dlg="$(gui_keys_until_title '^画像の拡大縮小$' alt+d z)" || gui_fail "alt+D Z did not open 画像の拡大縮小"
gui_focus "$dlg"
sleep 0.3
gui_screenshot zoom_settings-dialog >/dev/null
# The first box is 1/5; ten boxes, then the list of fixed ratios.
gui_key space
for ((i = 0; i < 10; i++)); do gui_key Tab; done
# "倍率設定しない", then the ten ratios: 2.0 is the eighth line.
gui_key Home
for ((i = 0; i < 7; i++)); do gui_key Down; done
gui_key Tab space
gui_screenshot zoom_settings-chosen >/dev/null
gui_keys_until_gone "$dlg" '^画像の拡大縮小$' Return || gui_fail "the zoom settings did not close on Return"

dlg="$(gui_keys_until_title '^画像の拡大縮小$' alt+d z)" || gui_fail "the zoom settings did not open a second time"
gui_focus "$dlg"
sleep 0.3
gui_key space
gui_keys_until_gone "$dlg" '^画像の拡大縮小$' Escape || gui_fail "the zoom settings did not close on Escape"
gui_quit q

[ "$(gui_ini_value ZOOMDATA 1_5)" = "0" ] || gui_fail "ZOOMDATA 1_5 is '$(gui_ini_value ZOOMDATA 1_5)'"
[ "$(gui_ini_value ZOOMDATA 1_4)" = "1" ] || gui_fail "ZOOMDATA 1_4 is '$(gui_ini_value ZOOMDATA 1_4)'"
[ "$(gui_ini_value ZOOMDATA 5_1)" = "1" ] || gui_fail "ZOOMDATA 5_1 is '$(gui_ini_value ZOOMDATA 5_1)'"
[ "$(gui_ini_value ALLDATA ZOOMNUMBER)" = "7" ] || gui_fail "ZOOMNUMBER is '$(gui_ini_value ALLDATA ZOOMNUMBER)'"
[ "$(gui_ini_value ALLDATA CHANGEZOOMENABLE)" = "1" ] ||
  gui_fail "CHANGEZOOMENABLE is '$(gui_ini_value ALLDATA CHANGEZOOMENABLE)'"

gui_start_zq
gui_keys_until_title 'a_red\.bmp .*\(200%\)' g >/dev/null || gui_fail "G did not show the picture at 2.0"
sleep 0.5
shot="$(gui_screenshot zoom_settings-picture)"
got="$(gui_count_colour "$shot" "200,30,90")"
[ "$got" -eq 2400 ] || gui_fail "the picture at 2.0 covers $got pixels, not 60 x 40"
# N past the only picture gives the pane back to the Filer.
gui_focus "$GUI_WID"
gui_key n
sleep 0.5
gui_quit q
echo "PASS: zoom_settings"
