#!/usr/bin/env bash
# The BinaryEditor's dialogs, driven by keys, each step read back from the
# disk.  "4 1" at offset 0, Ctrl+S and Escape change the first byte alone.
# The search dialog (Ctrl+F) from row 125 finds the pattern after the origin,
# F3 finds the one before it only after wrapping past the end, and a third F3
# says "検索終了しました" at the origin; Shift+F3 goes the other way.  Each match is
# marked by typing over its first byte, so the disk tells where the cursor
# went (Shift+F3 after F3 finds the same match again, as the next step
# starts beside it).  The data-input dialogs write a short 258 and three copies of AB; an
# unsigned char 300 says "入力データが不正です" and writes nothing; undo and
# redo take back the copies only; @Changedposout lists the unsaved bytes in
# its "ADDRESS    DATA" file.  @Changeddata refuses an odd replacement, then
# replaces one match and skips the next.  The comparison with a file that
# differs in one byte finds it.  A match just before the origin does not end
# the search: the next F3 goes round again.  Leaving with a change asks to save.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
source "$(dirname "${BASH_SOURCE[0]}")/binedit_lib.sh"
gui_begin binedit_dialogs

files="$GUI_DIR/files"
mkdir -p "$files"
python3 - "$files/a.bin" <<'PY'
import sys
data = bytearray((i * 7) % 0x50 for i in range(5000))  # no byte 0x5A but the patterns
for at, pattern in ((100, b"\x5a\x51"), (3000, b"\x5a\x51"), (500, b"\x5a\x52"), (1500, b"\x5a\x52"),
                    (2200, b"\x5a\x53"), (2300, b"\x5a\x53"), (2399, b"\x5a\x54"), (2600, b"\x5a\x54")):
    data[at:at + 2] = pattern
open(sys.argv[1], "wb").write(data)
PY
orig="$GUI_DIR/a.orig"
cp "$files/a.bin" "$orig"
winfiles="$(gui_winpath "$files")"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$winfiles" "SECONDFILEOPEN=0" "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" \
  "BINARYSCURSORSPEED=10" "[ALLDATA2]" "DISABLETWIN=1" "[KEYEXEDATA]" "N_B=@Binaryedit" \
  "[BINARYKEYEXEDATA]" "N_I=@Inputpaste" "N_L=@Inputpasteloop" "N_K=@Cmpbinaryfile" "N_P=@Changedposout" \
  "N_R=@Changeddata"
gui_start_zq
shot() { gui_screenshot "binedit-dialogs-$1" >/dev/null; }
open_file() {
  gui_focus "$GUI_WID"
  gui_key b
  sleep 1
}
save() {
  gui_focus "$GUI_WID"
  gui_key ctrl+s
  sleep 0.5
}
jump() { dialog '^指定位置へジャンプ$' j "$1" Return; }

sleep 0.5
open_file
gui_key 4 1
save
gui_key Escape
sleep 0.5
[ -z "$(gui_find '^ファイルの保存$')" ] || gui_fail "leaving after the save asked to save again"
expect_bytes "$files/a.bin" "$orig" 0=41
changes=(0=41)

# Search down from byte 2000: 3000, then 100 past the end, then the end of the pass at the origin.
open_file
jump 125
dialog '^データの検索$' ctrl+f 5A51 Return
gui_key 1 1
gui_key F3
gui_key 2 2
shot searched
gui_key F3
expect_box 検索終了しました "the third F3" box1
# From byte 101 down: 500, 1500; Shift+F3 goes up: 1500 beside the position, then 500.
gui_focus "$GUI_WID"
dialog '^データの検索$' ctrl+f 5A52 Return
gui_key F3 shift+F3 shift+F3
gui_key 3 3
save
changes+=(3000=11 100=22 500=33)
expect_bytes "$files/a.bin" "$orig" "${changes[@]}"

# Data input at byte 160: a short 258 (hex, char, short), then an unsigned char 300.
jump 10
dialog '^データの入力$' i 258 Tab Right Right Return
dialog '^データの入力$' i 300 Tab Left Return
expect_box 入力データが不正です "an unsigned char of 300" box2
# Three copies of AB one row down, by count; the count field follows the repeat choices.
gui_focus "$GUI_WID"
gui_key Down
dialog '^データの繰り返し入力$' l AB Tab Left Tab Tab Tab =3 Return
shot input
gui_key ctrl+z ctrl+z ctrl+y
# Only the unsaved bytes are listed: the short, not the copies that were undone.
out="$GUI_DIR/pos.txt"
# The save-file dialog has no title: it is found as zq's one caption-less window.
gui_focus "$GUI_WID"
gui_key p
save_dlg="$(gui_wait_box 5)" || gui_fail "@Changedposout showed no file dialog"
sleep 0.5
gui_focus "$save_dlg"
gui_type "$(gui_winpath "$out")"
gui_key Return
for ((i = 0; i < 50; i++)); do
  gui_boxes | grep -qx "$save_dlg" || break
  sleep 0.1
done
sleep 0.5
[ -f "$out" ] || gui_fail "@Changedposout wrote no file"
listing="$(python3 -c 'import sys; print(open(sys.argv[1], "rb").read().hex())' "$out")"
want="$(python3 -c 'print((b"\xff\xfe" + "ADDRESS    DATA\r\n000000A0H  02\r\n000000A1H  01\r\n".encode("utf-16-le")).hex())')"
[ "$listing" = "$want" ] || gui_fail "the changed-positions file is not the expected one: $(iconv -f utf-16 -t utf-8 "$out" | tr '\r\n' '|')"
save
changes+=(160=02 161=01)
expect_bytes "$files/a.bin" "$orig" "${changes[@]}"

# @Changeddata from byte 160: an odd replacement is refused; then yes at 2200, no at 2300.
dialog '^データの検索$' r 5A53 Tab =1 Return
expect_box 置換データが不正です "a replacement of one digit" box3
gui_focus "$GUI_WID"
dialog '^データの検索$' r 5A53 Tab =7F7F Return
ask="$(next_visible '^データの変換$' none)" || gui_fail "@Changeddata did not ask at the first match"
shot convert-ask
# Both questions have the same title: each is told by its window, so that a
# Return lost on the first is sent again to it and never to the second.
answer_window "$ask" Return || gui_fail "the first convert question did not take Return"
ask2="$(next_visible '^データの変換$' "$ask")" || gui_fail "@Changeddata did not ask at the second match"
gui_focus "$ask2"
sleep 0.5
xdotool key --clearmodifiers Tab
sleep 0.3
answer_window "$ask2" Return || gui_fail "the second convert question did not take Tab, Return"
expect_box 1個のデータを変換しました "the end of the replace" box4
save
changes+=(2200=7f 2201=7f)
expect_bytes "$files/a.bin" "$orig" "${changes[@]}"

# The comparison file differs at 2500 alone; from the top, only where the data differ.
python3 - "$files/a.bin" "$GUI_DIR/other.bin" <<'PY'
import sys
data = bytearray(open(sys.argv[1], "rb").read())
data[2500] ^= 0xFF
open(sys.argv[2], "wb").write(data)
PY
gui_focus "$GUI_WID"
gui_key shift+Home
dialog '^データの比較$' k "$(gui_winpath "$GUI_DIR/other.bin")" Tab Tab Tab Tab Tab Tab Tab Tab space Return
gui_key 9 9
shot compared
gui_key F3
expect_box 検索終了しました "F3 after the one difference" box5
save
changes+=(2500=99)
expect_bytes "$files/a.bin" "$orig" "${changes[@]}"

# From byte 2400 down: 2600, then 2399 just before the origin after the
# wrap; the step after that starts on the origin and goes round again, to 2600.
jump 150
dialog '^データの検索$' ctrl+f 5A54 Return
gui_key F3 F3
sleep 1
[ -z "$(gui_boxes)" ] || gui_fail "F3 after the match just before the origin ended the search"
gui_key 4 4
save
changes+=(2600=44)
expect_bytes "$files/a.bin" "$orig" "${changes[@]}"

# Leaving with a change asks; Yes saves it.
gui_focus "$GUI_WID"
gui_key 1 2
leave_answering y "a change at the end"
changes+=(2601=12)
expect_bytes "$files/a.bin" "$orig" "${changes[@]}"
exit 0
