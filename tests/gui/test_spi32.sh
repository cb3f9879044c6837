#!/usr/bin/env bash
# A 32-bit plug-in in the plug-in folder: the program serves it through
# zqspi32.exe.  The folder holds the x86 build of the run-length test plug-in;
# G on a picture that only that plug-in decodes shows it; the centre of the window is
# the picture's colour.  The next picture makes the plug-in hang: cancelled,
# it is given up.  zq.ini keeps the plug-in's record after the quit.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_needs_32bit
gui_begin spi32
[ -f "$GUI_APP/zqspi32.exe" ] || gui_fail "no zqspi32.exe beside zq.exe"
spi="$ZQ_BUILD/cmake/tests/testdlls/spi32/zqrle.spi"
[ -f "$spi" ] || gui_fail "no 32-bit test plug-in to test with"
mkdir -p "$GUI_APP/spi"
cp "$spi" "$GUI_APP/spi/zqrle.spi"

files="$GUI_DIR/files"
mkdir -p "$files"
python3 - "$files/a_teal.zqr" <<'PY'
import sys
w, h = 300, 200
out = bytearray(b"ZQRL" + w.to_bytes(2, "little") + h.to_bytes(2, "little") + bytes(4))
left = w * h
while left:
    n = min(255, left)
    out += bytes([n, 150, 200, 10])  # a run of B, G, R
    left -= n
open(sys.argv[1], "wb").write(out)
PY
gui_hanging_picture "$files/b_hang.zqr"
winfiles="$(gui_winpath "$files")"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$winfiles" "SECONDDIRECTORY=$winfiles" \
  "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" "HIGHLOADSPI=1" \
  "[ALLDATA2]" "GRAPHIC_VIEW_H_POS=2" "GRAPHIC_VIEW_V_POS=2" "GRAPHIC_VIEW_NOT_CHANGE_WND_SIZE=1"
gui_start_zq

gui_keys_until_title 'a_teal\.zqr .*300.*200.*24Bit' g >/dev/null || gui_fail "G did not show the 32-bit plug-in's picture"
sleep 0.5
shot="$(gui_screenshot spi32-picture)"
read -r x y w h < <(gui_geometry "$GUI_WID")
centre="$(convert "$shot" -format "%[pixel:p{$((x + w / 2)),$((y + h / 2))}]" info:)"
case "$centre" in
  "srgb(10,200,150)" | "rgb(10,200,150)") ;;
  *) gui_fail "the centre of the window is $centre, not the picture's rgb(10,200,150)" ;;
esac
count="$(gui_count_colour "$shot" "10,200,150")"
[ "$count" -eq 60000 ] || gui_fail "$count pixels of the picture's colour, not 300 x 200"


# The next picture makes the plug-in sleep for good in the helper: cancelled,
# it is given up after a few seconds, the helper is ended and, past the last
# picture, the pane is the Filer again.
gui_keys_until_title '^画像の読み込み$' n >/dev/null || gui_fail "N did not start loading the next picture"
box="$(gui_visible '^画像の読み込み$')"
gui_focus "$box"
xdotool key --clearmodifiers Escape
gui_wait_box 15 >/dev/null || gui_fail "no message that the 32-bit plug-in does not answer"
gui_answer_boxes_until gone '^画像の読み込み$' || gui_fail "the loading box stayed after the message"
gui_wait_gone 'a_teal\.zqr .*300' 10 || gui_fail "the picture display did not end after the last picture"
gui_quit alt+f x
# Our own x64 plug-ins are listed too; the 32-bit one has a record of its own.
gui_expect_susie_record "@zqrle.spi,00IN,*.zqr,ZQRL"
echo "PASS: spi32"
