#!/usr/bin/env bash
# Directory history and the newer-file selection from the keyboard: the
# directories the pane leaves are offered by the history dialog, Return there
# goes to the newest, the newer-file dialog is answered, and at exit zq.ini
# holds the history (newest first) and the history dialog's size.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin dir_history

tree="$GUI_DIR/tree"
other="$GUI_DIR/other"
mkdir -p "$tree/inner" "$other"
echo a >"$tree/a.txt"
echo a >"$other/a.txt"
echo o >"$other/only.txt"
touch -d '2021-01-02 00:00' "$tree/a.txt"
touch -d '2021-01-01 00:00' "$other/a.txt"
tree_w="$(gui_winpath "$tree")"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$tree_w" "SECONDDIRECTORY=$(gui_winpath "$other")" \
  "STARTENDDIR=1" "SECONDFILEOPEN=1" "NOTQUITMESSAGE=0" \
  "[KEYEXEDATA]" "N_O=@InDir" "N_H=@Dirhistory" "N_N=@Newselelect"

gui_start_zq
for ((i = 0; i < 50; i++)); do
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$GUI_WID" ] && break
  gui_focus "$GUI_WID"
  sleep 0.1
done
sleep 1

# ".", "..", inner, a.txt: the cursor starts on "..".  In and out again.
gui_key Down o
sleep 0.5
gui_key BackSpace
sleep 0.5

dlg="$(gui_keys_until_title '^ディレクトリ履歴$' h)" || gui_fail "the history dialog did not appear"
gui_screenshot dir_history-1-dialog >/dev/null
gui_focus "$dlg"
gui_key Return
gui_wait_gone '^ディレクトリ履歴$' 10 || gui_fail "the history dialog did not close"
sleep 0.5
gui_screenshot dir_history-2-went-to-newest >/dev/null
# Back up, so that the newest entry is "inner" again.
gui_focus "$GUI_WID"
gui_key BackSpace
sleep 0.5
before="$(gui_screenshot dir_history-3-back-up)"

dlg="$(gui_keys_until_title '^新しいファイルを選択$' n)" || gui_fail "the newer-file dialog did not appear"
gui_focus "$dlg"
# The first box has the focus: tick both, then OK.
gui_key space Tab space
gui_screenshot dir_history-4-newer-dialog >/dev/null
gui_key Return
gui_wait_gone '^新しいファイルを選択$' 10 || gui_fail "the newer-file dialog did not close"
sleep 0.5
shot="$(gui_screenshot dir_history-5-newer-marked)"
# Marked files are drawn in reverse video, filled with the file colour (yellow
# by default): the newer a.txt on the left and only.txt on the right.
gained=$(($(gui_count_colour "$shot" 255,255,0) - $(gui_count_colour "$before" 255,255,0)))
[ "$gained" -ge 2000 ] || gui_fail "the marked cells are not drawn (yellow pixels gained: $gained)"

gui_quit q

dir0="$(gui_ini_value DIR_HISTORY DIR0)"
dir1="$(gui_ini_value DIR_HISTORY DIR1)"
[ "$dir0" = "$tree_w\\inner" ] || gui_fail "DIR_HISTORY DIR0 is '$dir0', expected '$tree_w\\inner'"
[ "$dir1" = "$tree_w" ] || gui_fail "DIR_HISTORY DIR1 is '$dir1', expected '$tree_w'"
[ -z "$(gui_ini_value DIR_HISTORY DIR2)" ] || gui_fail "DIR_HISTORY holds more than the two directories left"
width="$(gui_ini_value SIZE_INFO DIR_HISTORY_DIALOG_W)"
[ "${width:-0}" -gt 0 ] || gui_fail "DIR_HISTORY_DIALOG_W is '$width', expected the dialog's width"
echo "PASS: dir_history"
