#!/usr/bin/env bash
# Marks survive an operation dialog that was cancelled: two files are marked,
# the copy dialog is opened and cancelled, then opened again and started; both
# marked files (and only they) arrive in the other pane.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin marks_after_cancel

src="$GUI_DIR/src"
dst="$GUI_DIR/dst"
mkdir -p "$src" "$dst"
for f in a1 a2 a3; do echo "$f" >"$src/$f.txt"; done
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$src")" "SECONDDIRECTORY=$(gui_winpath "$dst")" \
  "SECONDFILEOPEN=1"

# A finished dialog may linger hidden until the view purges it: only what is
# on the screen counts here, hence the gui_wait_visible/hidden helpers.
# A key sent while the machine is busy is now and then lost: try again.
open_copy_dialog() {
  local try
  for try in 1 2 3; do
    gui_focus "$GUI_WID"
    sleep 0.2
    gui_key c
    gui_wait_visible '^ファイルのコピー$' $((30 * try)) && return 0
  done
  return 1
}

gui_start_zq
# ".", "..", a1.txt, a2.txt, a3.txt: the cursor starts on ".."; Space marks and moves on.
gui_key Down space Down space
sleep 0.3
dlg="$(open_copy_dialog)" || gui_fail "the copy dialog did not appear"
gui_focus "$dlg"
gui_key Escape
gui_wait_hidden '^ファイルのコピー$' || gui_fail "the copy dialog did not take Escape"
sleep 0.5
gui_screenshot marks_after_cancel-1-cancelled >/dev/null
ls "$dst" | grep -q . && gui_fail "the cancelled dialog copied: $(ls "$dst")"

dlg="$(open_copy_dialog)" || gui_fail "the copy dialog did not appear again"
gui_focus "$dlg"
gui_key Return
gui_wait_hidden '^ファイルのコピー$' || gui_fail "the copy dialog did not close"
sleep 0.5
[ "$(ls "$dst" | tr '\n' ' ')" = "a1.txt a3.txt " ] || gui_fail "copied '$(ls "$dst" | tr '\n' ' ')', expected the two marked files"
gui_quit alt+f x
echo "PASS: marks_after_cancel"
