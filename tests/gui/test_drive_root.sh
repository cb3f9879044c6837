#!/usr/bin/env bash
# File operations at a drive root, on P: mapped onto a folder of this test (a
# letter of its own: the unit tests' R: may be mapped at the same time).
# First run, the left pane in P:\sub, the right one in a plain folder:
#   - shift+Home, D, Return deletes the folder "inner" (a delete once moved the
#     process's current directory into P:\sub for good) and, where chattr +i
#     works, meets an immutable file: it is named in the end message and in
#     Log\DELETE_ERROR_*.log instead of being reported deleted;
#   - BackSpace takes the left pane up to the root "P:";
#   - Tab, Home, C, Return copies b.txt and nul.txt (a name the platform takes
#     for its null device) to the pane at the root: they land in P:\, not in
#     the current directory of P:, with their data.
# Second run, both panes at "P:": Home, M, Return and "上書き(&W)" moves the
# three files onto themselves; they stay whole, and the end message names them.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin drive_root

drive="$GUI_DIR/drive-p"
src="$GUI_DIR/src"
link="$WINEPREFIX/dosdevices/p:"
mkdir -p "$drive/sub/inner" "$src"
printf 'inner\n' >"$drive/sub/inner/x.txt"
printf 'root a\n' >"$drive/a.txt"
printf 'bee\n' >"$src/b.txt"
printf 'not a device\n' >"$src/nul.txt"
immutable=0
printf 'locked\n' >"$drive/sub/locked.txt"
chattr +i "$drive/sub/locked.txt" 2>/dev/null && immutable=1
[ "$immutable" = 1 ] || rm -f "$drive/sub/locked.txt"
ln -sfn "$drive" "$link"
trap 'rc=$?; chattr -i "$drive/sub/locked.txt" 2>/dev/null; rm -f "$link"; (exit $rc); gui_end' EXIT

# A worker's end message is a caption-less box owned by the operation's
# dialog: it is photographed, then answered until the dialog titled REGEX has gone.
answer_boxes_until_gone() {
  sleep 1
  gui_screenshot "$2" >/dev/null
  gui_answer_boxes_until_gone "$1"
}

quit_zq() {
  local dlg
  dlg="$(gui_keys_until_title '^終了しますか$' alt+f x)" || gui_fail "the quit dialog did not appear"
  gui_focus "$dlg"
  gui_key Return
  gui_wait_exit 15 || gui_fail "zq did not end"
}

gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=P:\\sub" "SECONDDIRECTORY=$(gui_winpath "$src")" "SECONDFILEOPEN=1" \
  "DELETETODUST=0"
gui_start_zq
gui_key shift+Home
dlg="$(gui_keys_until_title '^ファイルの削除$' d)" || gui_fail "the delete dialog did not appear"
gui_focus "$dlg"
gui_key Return
answer_boxes_until_gone '^ファイルの削除$' drive_root-undeletable || gui_fail "the delete dialog did not close"
[ ! -e "$drive/sub/inner" ] || gui_fail "P:\\sub\\inner was not deleted"
if [ "$immutable" = 1 ]; then
  [ -f "$drive/sub/locked.txt" ] || gui_fail "the immutable file is gone"
  log="$(ls "$GUI_APP"/Log/DELETE_ERROR_*.log 2>/dev/null | head -1)"
  [ -n "$log" ] || gui_fail "no delete log names what was left"
  iconv -f UTF-16 -t UTF-8 "$log" | grep -qF 'DeleteFile,0,P:\sub\locked.txt' ||
    gui_fail "the delete log does not name the immutable file: $(iconv -f UTF-16 -t UTF-8 "$log")"
else
  echo "note: chattr +i is not available; the undeletable file was left out"
fi

gui_focus "$GUI_WID"
gui_key BackSpace Tab Home
dlg="$(gui_keys_until_title '^ファイルのコピー$' c)" || gui_fail "the copy dialog did not appear"
gui_focus "$dlg"
gui_key Return
gui_wait_gone '^ファイルのコピー$' 30 || gui_fail "the copy dialog did not close"
[ "$(cat "$drive/b.txt" 2>/dev/null)" = "bee" ] || gui_fail "b.txt did not arrive at the root of P:"
[ "$(cat "$drive/nul.txt" 2>/dev/null)" = "not a device" ] || gui_fail "nul.txt did not arrive with its data"
[ ! -e "$drive/sub/b.txt" ] || gui_fail "b.txt went to the current directory of P: instead of its root"
gui_screenshot drive_root-copied >/dev/null
quit_zq

gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=P:" "SECONDDIRECTORY=P:" "SECONDFILEOPEN=1"
gui_start_zq
gui_key Home
dlg="$(gui_keys_until_title '^ファイルの移動$' m)" || gui_fail "the move dialog did not appear"
gui_focus "$dlg"
gui_key Return
way="$(gui_wait_title '^コピー条件$' 20)" || gui_fail "the same-name question did not appear"
gui_focus "$way"
gui_key alt+w
gui_screenshot drive_root-overwrite >/dev/null
gui_key Return
gui_wait_gone '^コピー条件$' 10 || gui_fail "the same-name question did not close"
answer_boxes_until_gone '^ファイルの移動$' drive_root-refused || gui_fail "the move dialog did not close"
[ "$(cat "$drive/a.txt" 2>/dev/null)" = "root a" ] || gui_fail "a.txt was lost by a move onto itself"
[ "$(cat "$drive/b.txt" 2>/dev/null)" = "bee" ] || gui_fail "b.txt was lost by a move onto itself"
[ "$(cat "$drive/nul.txt" 2>/dev/null)" = "not a device" ] || gui_fail "nul.txt was lost by a move onto itself"
quit_zq
echo "PASS: drive_root"
