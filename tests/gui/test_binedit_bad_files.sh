#!/usr/bin/env bash
# Files the BinaryEditor cannot save, and an empty one.  A read-only file
# opens; Ctrl+S says "…の保存に失敗しました" and the file stays as it was;
# "Yes" to the question on leaving fails the same way and keeps editing, so
# the change is still there to be asked about, and "No" leaves.  A file
# deleted (from the Linux side) while open fails the same way.  A 0-byte
# file opens, takes digits, moves, selections, copy and paste, a search and
# a jump without a crash or a write, and leaves without a question.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
source "$(dirname "${BASH_SOURCE[0]}")/binedit_lib.sh"
gui_begin binedit_bad_files

files="$GUI_DIR/files"
mkdir -p "$files"
python3 - "$files" <<'PY'
import sys
for name in ("a_ro.bin", "c_gone.bin"):
    open(sys.argv[1] + "/" + name, "wb").write(bytes(range(200)))
open(sys.argv[1] + "/b_empty.bin", "wb").close()
PY
cp "$files/a_ro.bin" "$GUI_DIR/orig.bin"
chmod a-w "$files/a_ro.bin"
winfiles="$(gui_winpath "$files")"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$winfiles" "SECONDFILEOPEN=0" "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" \
  "BINARYSCURSORSPEED=10" "[ALLDATA2]" "DISABLETWIN=1" "[KEYEXEDATA]" "N_B=@Binaryedit"
gui_start_zq
shot() { gui_screenshot "binedit-bad-$1" >/dev/null; }

sleep 0.5
gui_focus "$GUI_WID"
gui_key b
sleep 1
gui_key 1 2
gui_key ctrl+s
shot read-only-save
expect_box "a_ro.binの保存に失敗しました" "Ctrl+S on a read-only file" box1
expect_bytes "$files/a_ro.bin" "$GUI_DIR/orig.bin"
leave_answering y "the change was lost"
expect_box "a_ro.binの保存に失敗しました" "Yes on leaving a read-only file" box2
leave_answering n "a failed save on leaving left the editor"
expect_bytes "$files/a_ro.bin" "$GUI_DIR/orig.bin"

# The empty file.
gui_focus "$GUI_WID"
gui_key Down b
sleep 1
gui_key 1 2 Right Down shift+End shift+Right ctrl+a ctrl+c ctrl+v
dialog '^データの検索$' ctrl+f 00 Return
expect_box 検索終了しました "a search in an empty file" box3
dialog '^指定位置へジャンプ$' j 5 Return
shot empty
gui_focus "$GUI_WID"
gui_key Escape
sleep 0.7
[ -z "$(gui_find '^ファイルの保存$')" ] || gui_fail "leaving the empty file asked to save"
[ "$(stat -c %s "$files/b_empty.bin")" = 0 ] || gui_fail "the empty file was written"

# Deleted beneath the editor.
gui_focus "$GUI_WID"
gui_key Down b
sleep 1
gui_key 3 4
rm -f "$files/c_gone.bin"
gui_key ctrl+s
expect_box "c_gone.binの保存に失敗しました" "Ctrl+S on a deleted file" box4
leave_answering n "the change to the deleted file was lost"
[ ! -e "$files/c_gone.bin" ] || gui_fail "the deleted file came back"
kill -0 "$GUI_PID" 2>/dev/null || gui_fail "zq ended"
exit 0
