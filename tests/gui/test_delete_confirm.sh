#!/usr/bin/env bash
# Delete from the keyboard: Home marks the files of the left pane (not its
# directory), D opens "ファイルの削除", Return starts it; the read-only file
# brings the "削除の確認" question, answered YES.  The marked files are gone
# for good, the unmarked directory stays.  Then, in the empty right pane,
# D finds nothing to delete and says so.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin delete_confirm

dir="$GUI_DIR/victims"
mkdir -p "$dir/keepdir" "$GUI_DIR/empty"
printf 'x\n' >"$dir/keepdir/inner.txt"
printf 'plain\n' >"$dir/plain.txt"
printf 'protected\n' >"$dir/読み取り専用.txt"
chmod a-w "$dir/読み取り専用.txt"

gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$dir")" "SECONDDIRECTORY=$(gui_winpath "$GUI_DIR/empty")" \
  "SECONDFILEOPEN=1" "DELETETODUST=0"

gui_start_zq
gui_key Home
dlg="$(gui_keys_until_title '^ファイルの削除$' d)" || gui_fail "the delete dialog did not appear"
gui_screenshot delete_confirm-dialog >/dev/null
gui_focus "$dlg"
gui_key Return
ask="$(gui_wait_title '^削除の確認$' 20)" || gui_fail "the read-only question did not appear"
gui_screenshot delete_confirm-question >/dev/null
gui_focus "$ask"
gui_key Return
gui_wait_gone '^ファイルの削除$' 20 || gui_fail "the delete dialog did not close"

[ ! -e "$dir/plain.txt" ] || gui_fail "plain.txt was not deleted"
[ ! -e "$dir/読み取り専用.txt" ] || gui_fail "the read-only file was not deleted"
[ -f "$dir/keepdir/inner.txt" ] || gui_fail "the unmarked directory was touched"

gui_focus "$GUI_WID"
gui_key Tab
err="$(gui_keys_until_title '^エラー$' d)" || gui_fail "no error for an empty selection"
gui_screenshot delete_confirm-nothing-selected >/dev/null
gui_focus "$err"
gui_key Return
for ((i = 0; i < 50; i++)); do
  [ -z "$(gui_find '^エラー$')" ] && break
  sleep 0.1
done
[ -z "$(gui_find '^ファイルの削除$')" ] || gui_fail "a delete dialog opened over nothing"

dlg="$(gui_keys_until_title '^終了しますか$' alt+f x)" || gui_fail "the quit dialog did not appear"
gui_focus "$dlg"
gui_key Return
gui_wait_exit 15 || gui_fail "zq did not end after the delete"
echo "PASS: delete_confirm"
