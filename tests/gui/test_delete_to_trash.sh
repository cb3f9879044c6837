#!/usr/bin/env bash
# Delete into the recycle bin: with DELETETODUST=1 the dialog starts with
# "ごみ箱へ移動" checked; the marked file leaves its folder and turns up in
# the trash (Wine's recycle bin is the XDG trash, kept inside the build folder).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin delete_to_trash

dir="$GUI_DIR/bin_victims"
mkdir -p "$dir/keepdir"
name="ごみ-$$-$RANDOM.txt"
printf 'to the bin\n' >"$dir/$name"
trash="$XDG_DATA_HOME/Trash/files"

gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$dir")" "SECONDDIRECTORY=$(gui_winpath "$dir")" "DELETETODUST=1"

gui_start_zq
gui_key Home
dlg="$(gui_keys_until_title '^ファイルの削除$' d)" || gui_fail "the delete dialog did not appear"
gui_screenshot delete_to_trash-dialog >/dev/null
gui_focus "$dlg"
gui_key Return
gui_wait_gone '^ファイルの削除$' 20 || gui_fail "the delete dialog did not close"

[ ! -e "$dir/$name" ] || gui_fail "the file is still in its folder"
[ "$(cat "$trash/$name" 2>/dev/null)" = "to the bin" ] || gui_fail "the file is not in the trash ($trash)"
rm -f "$trash/$name" "$XDG_DATA_HOME/Trash/info/$name.trashinfo"
[ -d "$dir/keepdir" ] || gui_fail "the unmarked directory was touched"

dlg="$(gui_keys_until_title '^終了しますか$' alt+f x)" || gui_fail "the quit dialog did not appear"
gui_focus "$dlg"
gui_key Return
gui_wait_exit 15 || gui_fail "zq did not end after the delete"
echo "PASS: delete_to_trash"
