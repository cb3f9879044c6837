#!/usr/bin/env bash
# @Wide pressed in the Filer pane while the other pane edits a file: the
# layout changes under the editor, so it asks to save first.  B opens d.bin
# in the upper pane, "1 2" overwrites its first byte, TAB goes to the lower
# Filer pane and W hides it: the save question comes, "Yes" writes the byte,
# and nothing else of the file changes.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
source "$(dirname "${BASH_SOURCE[0]}")/binedit_lib.sh"
gui_begin binedit_wide

files="$GUI_DIR/files"
mkdir -p "$files"
python3 -c 'import sys; open(sys.argv[1], "wb").write(bytes(range(256)) * 8)' "$files/d.bin"
cp "$files/d.bin" "$GUI_DIR/d.orig"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$files")" "SECONDDIRECTORY=$(gui_winpath "$GUI_DIR")" \
  "SECONDFILEOPEN=1" "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" "[KEYEXEDATA]" "N_B=@Binaryedit"
gui_start_zq

gui_focus "$GUI_WID"
gui_key b
sleep 1
gui_key 1 2
sleep 0.3
gui_key Tab
sleep 0.3
gui_key w
box="$(save_question)" || gui_fail "@Wide from the Filer pane hid the layout without asking to save the edited file"
gui_screenshot "binedit_wide-question" >/dev/null
gui_keys_until_gone "$box" '^ファイルの保存$' y || gui_fail "the save question did not take Yes"
sleep 0.5
expect_bytes "$files/d.bin" "$GUI_DIR/d.orig" 0=12
gui_quit alt+f x
[ "$GUI_EXIT" -eq 0 ] || gui_fail "zq ended with exit code $GUI_EXIT"
echo "PASS: binedit_wide"
