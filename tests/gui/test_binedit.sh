#!/usr/bin/env bash
# The BinaryEditor in a pane, driven by keys.  B (bound to @Binaryedit) opens
# the file under the Filer's cursor; A 5 overwrites the first byte nibble by
# nibble, Shift+END goes to the last row in the same column, 3 C overwrites
# the byte there and 7 the next one's high nibble; two undos and a redo keep
# the 3 C and drop the 7.  Ctrl+S saves and Escape leaves: the file on disk
# differs from the original in exactly those two bytes.  In the second file 40
# steps down scroll the rows: the screen must equal the same place drawn anew
# after J (@Jumpline) to row 40.  It then gets F F and
# Escape: the save question comes, Escape (cancel) keeps editing, a second
# Escape asks again and "No" leaves the file as it was.  The third case
# changes a byte and quits the program: the question comes during the end
# and "Yes" saves it.  Before that, the first two files are marked and O
# (bound to @Cmpbinary) compares them in the companion library's dialog:
# its copied result counts the two saved bytes, and the marks are gone
# afterwards, so O again (the cursor's one file) shows nothing.  Screenshots of the steps stay in build/screenshots.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
source "$(dirname "${BASH_SOURCE[0]}")/binedit_lib.sh"
gui_begin binedit

files="$GUI_DIR/files"
mkdir -p "$files"
python3 - "$files" <<'PY'
import sys
d = sys.argv[1]
for name in ("a.bin", "b.bin", "c.bin"):
    open(d + "/" + name, "wb").write(bytes((i * 7 + len(name)) % 251 for i in range(5000)))
PY
cp "$files/a.bin" "$GUI_DIR/a.orig"
cp "$files/b.bin" "$GUI_DIR/b.orig"
cp "$files/c.bin" "$GUI_DIR/c.orig"
winfiles="$(gui_winpath "$files")"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$winfiles" "SECONDFILEOPEN=0" "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" \
  "BINARYSCURSORSPEED=10" "[ALLDATA2]" "DISABLETWIN=1" \
  "[KEYEXEDATA]" "N_B=@Binaryedit" "N_O=@Cmpbinary" \
  "[BINARYKEYEXEDATA]" "N_Q=@Quit"
gui_start_zq

shot() { gui_screenshot "binedit-$1" >/dev/null; }
sleep 0.5
shot filer
gui_focus "$GUI_WID"
gui_key b
sleep 1
shot a-opened
gui_key a 5
gui_key shift+End
gui_key 3 c 7
# Ctrl+Z twice takes back the 7 and the c, Ctrl+Y puts the c back.
gui_key ctrl+z ctrl+z ctrl+y
sleep 0.3
shot a-changed
gui_key ctrl+s
sleep 0.5
gui_key Escape
sleep 0.5
[ -z "$(gui_find '^ファイルの保存$')" ] || gui_fail "leaving after the save asked to save again"
expect_bytes "$files/a.bin" "$GUI_DIR/a.orig" 0=a5 4993=3c
shot a-left

# Back in the Filer: the next file, changed and left without saving.
gui_focus "$GUI_WID"
gui_key Down b
sleep 1
gui_key $(printf 'Down %.0s' $(seq 40))
sleep 0.4
scrolled="$(gui_screenshot binedit-b-scrolled)"
dlg="$(gui_keys_until_title '^指定位置へジャンプ$' j)" || gui_fail "J showed no jump dialog"
gui_focus "$dlg"
gui_type "40"
gui_keys_until_gone "$dlg" '^指定位置へジャンプ$' Return || gui_fail "the jump dialog did not take Return"
sleep 0.4
drawn="$(gui_screenshot binedit-b-drawn)"
# The rows only: the header above them shows a running clock.
read -r wx wy ww wh <<<"$(gui_geometry "$GUI_WID")"
rows="${ww}x$((wh * 6 / 10))+${wx}+$((wy + wh * 4 / 10))"
convert "$scrolled" -crop "$rows" "$GUI_DIR/scrolled.png" && convert "$drawn" -crop "$rows" "$GUI_DIR/drawn.png" ||
  gui_fail "the screenshots could not be cut to the rows"
differing="$(compare -metric AE "$GUI_DIR/scrolled.png" "$GUI_DIR/drawn.png" null: 2>&1)"
[ "${differing%% *}" -le 40 ] 2>/dev/null ||
  gui_fail "the scrolled rows differ from a fresh drawing in $differing pixels (binedit-b-scrolled/-drawn.png)"
gui_focus "$GUI_WID"
gui_key f f
sleep 0.3
gui_key Escape
box="$(save_question)" || gui_fail "leaving with a change did not ask to save"
shot b-question
gui_keys_until_gone "$box" '^ファイルの保存$' Escape || gui_fail "the save question did not take Cancel"
sleep 0.3
expect_bytes "$files/b.bin" "$GUI_DIR/b.orig"
gui_focus "$GUI_WID"
gui_key Escape
box="$(save_question)" || gui_fail "Cancel did not keep the change: no question at the second Escape"
gui_keys_until_gone "$box" '^ファイルの保存$' n || gui_fail "the save question did not take No"
sleep 0.5
expect_bytes "$files/b.bin" "$GUI_DIR/b.orig"
[ -z "$(gui_find '^ファイルの保存$')" ] || gui_fail "a second save question came after No"

# a.bin against b.bin: the two bytes saved into a.bin are all that differ.
gui_focus "$GUI_WID"
gui_key Up space space
gui_key o
cmp="$(gui_wait_visible '^バイナリ比較$')" || gui_fail "@Cmpbinary showed no comparison"
shot compare
result=""
for try in 1 2 3; do
  gui_clear_clipboard
  gui_focus "$cmp"
  gui_key alt+c
  sleep 0.5
  result="$(gui_clipboard | tr -d '\r')"
  [[ "$result" == *"バイトが異なります"* ]] && break
done
[[ "$result" == *"2 バイトが異なります。"* ]] || gui_fail "the comparison said '${result:0:200}', not 2 differing bytes"
grep -q $'^00000000\tA5\t05$' <<<"$result" || gui_fail "the first difference is not listed: '${result:0:200}'"
gui_keys_until_gone "$cmp" '^バイナリ比較$' Escape || gui_fail "Escape did not close the comparison"
gui_focus "$GUI_WID"
gui_key o
sleep 1.5
[ -z "$(gui_visible '^バイナリ比較$')" ] || gui_fail "the marks were kept after the comparison: O compared again"

# The third file, changed, then the program ends: the question comes at the end.
gui_focus "$GUI_WID"
gui_key b
sleep 1
gui_key Right Right 0 7
sleep 0.3
dlg="$(gui_keys_until_title '^終了しますか$' q)" || gui_fail "the quit dialog did not appear"
gui_keys_until_gone "$dlg" '^終了しますか$' Return || gui_fail "the quit question did not take Return"
box="$(save_question)" || gui_fail "quitting with a change did not ask to save"
shot c-question-at-end
gui_keys_until_gone "$box" '^ファイルの保存$' y || gui_fail "the save question at the end did not take Yes"
gui_wait_exit 15 || gui_fail "zq did not end after the save question"
expect_bytes "$files/c.bin" "$GUI_DIR/c.orig" 1=07
exit 0
