#!/usr/bin/env bash
# Pictures in a pane, driven by keys.  A folder holds two BMPs and a PNG of
# distinct colours (the PNG split into a green left and a blue right half)
# and a ".png" that is no picture.  G on the first file shows it at its
# natural size.  A broken plug-in comes first for PNGs: N makes it fail on the
# first PNG, zq says so in Japanese and goes on to the next PNG with the WIC
# plug-in; R (bound to @RightRot) turns it, S saves it
# as a BMP whose pixels are read back: 40 x 60, green on top.  Escape asks
# whether to end and Cancel keeps the picture; N passes over the broken file
# to the last picture, Ctrl+"+" zooms it to 1.5, and N once more gives the pane back to the Filer.
# Screenshots of the steps stay in build/screenshots.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin graphic
[ -f "$GUI_APP/spi/ifwic.sph" ] || gui_fail "the program's spi folder holds no ifwic.sph"
cp "$ZQ_BUILD/cmake/tests/testdlls/broken-spi/broken.sph" "$GUI_APP/spi/" || gui_fail "no broken.sph to test with"

files="$GUI_DIR/files"
mkdir -p "$files"
PYTHONPATH="$(dirname "${BASH_SOURCE[0]}")" python3 - "$files" <<'PY'
import sys
from gui_pictures import bmp, png
d = sys.argv[1]
bmp(d + "/a_red.bmp", 60, 40, (200, 30, 90))
png(d + "/b0_crash.png", 20, 20, lambda x, y: (1, 2, 3))
png(d + "/b_split.png", 60, 40, lambda x, y: (20, 180, 60) if x < 30 else (40, 60, 210))
open(d + "/c_broken.png", "wb").write(b"\x89PNG\r\n\x1a\n" + b"not a picture" * 40)
bmp(d + "/d_yellow.bmp", 50, 30, (230, 200, 20))
PY
winfiles="$(gui_winpath "$files")"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$winfiles" "SECONDDIRECTORY=$winfiles" \
  "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" "HIGHLOADSPI=1" \
  "[ALLDATA2]" "GRAPHIC_VIEW_H_POS=2" "GRAPHIC_VIEW_V_POS=2" "GRAPHIC_VIEW_NOT_CHANGE_WND_SIZE=1" \
  "[GRAPHICKEYEXEDATA]" "N_R=@RightRot" \
  "[SUSIEDATA]" "PLUGINFILE0=@broken.sph,00IN,*.png,broken"
gui_start_zq

# Pixels of colour R,G,B on the screen now, after a screenshot named NAME.
pixels() {
  local shot
  shot="$(gui_screenshot "graphic-$1")"
  gui_count_colour "$shot" "$2"
}
expect_pixels() {
  local got
  got="$(pixels "$1" "$2")"
  [ "$got" -eq "$3" ] || gui_fail "$1: $got pixels of rgb($2), not $3"
}

gui_keys_until_title 'a_red\.bmp .*60.*40.*24Bit Color\(100%\)' g >/dev/null ||
  gui_fail "G did not show the first picture"
sleep 0.5
expect_pixels first "200,30,90" 2400

gui_focus "$GUI_WID"
gui_key n
box="$(gui_wait_box)" || gui_fail "no message when the plug-in crashed"
gui_screenshot graphic-crash-message >/dev/null
gui_answer_boxes_until_title 'b_split\.png .*60.*40' || gui_fail "after the crash the next PNG was not shown"
sleep 0.5
expect_pixels second-left "20,180,60" 1200
expect_pixels second-right "40,60,210" 1200
[ "$(pixels second-gone "200,30,90")" -eq 0 ] || gui_fail "the first picture is still drawn"

gui_keys_until_title 'b_split\.png .*40.*60' r >/dev/null || gui_fail "R did not turn the picture"
dlg="$(gui_keys_until_title '^BMPで保存$' s)" || gui_fail "S did not open the save dialog"
gui_keys_until_gone "$dlg" '^BMPで保存$' Return || gui_fail "the save dialog did not take Return"
python3 - "$files/b_split.BMP" <<'PY' || gui_fail "the saved BMP is not the turned picture"
import struct, sys
data = open(sys.argv[1], "rb").read()
kind, size, _, _, offset = struct.unpack("<2sIHHI", data[:14])
_, w, h, planes, bits = struct.unpack("<IiiHH", data[14:30])
assert (kind, size, offset) == (b"BM", len(data), 54), (kind, size, offset, len(data))
assert (w, h, bits) == (40, 60, 24), (w, h, bits)
stride = (w * 3 + 3) // 4 * 4
def pixel(x, y):  # y from the top
    at = offset + (h - 1 - y) * stride + x * 3
    return tuple(data[at:at + 3][::-1])
for x in range(w):
    for y in range(h):
        want = (20, 180, 60) if y < 30 else (40, 60, 210)
        assert pixel(x, y) == want, (x, y, pixel(x, y))
PY

gui_focus "$GUI_WID"
ask="$(gui_keys_until_title '^画像の表示の終了の確認$' Escape)" || gui_fail "Escape did not ask whether to end"
gui_keys_until_gone "$ask" '^画像の表示の終了の確認$' Escape || gui_fail "the question did not take Escape"
[ -n "$(gui_find 'b_split\.png')" ] || gui_fail "cancelling the question left the picture"

gui_keys_until_title 'd_yellow\.bmp .*50.*30' n >/dev/null || gui_fail "N did not pass over the broken file"
sleep 0.5
expect_pixels last "230,200,20" 1500
gui_keys_until_title 'd_yellow\.bmp .*50.*30.*\(150%\)' ctrl+KP_Add >/dev/null || gui_fail "Ctrl+KP_Add did not zoom in"
sleep 0.5
zoomed="$(pixels zoomed "230,200,20")"
[ "$zoomed" -ge 3000 ] && [ "$zoomed" -le 3375 ] || gui_fail "zoomed to 1.5: $zoomed yellow pixels, not about 75 x 45"
gui_focus "$GUI_WID"
gui_key n
gui_wait_gone 'd_yellow\.bmp' 10 || gui_fail "N on the last picture did not end the picture display"
sleep 0.5
[ "$(pixels filer "230,200,20")" -eq 0 ] || gui_fail "the Filer still shows the picture"
gui_quit alt+f x
echo "PASS: graphic"
