#!/usr/bin/env bash
# Move from the keyboard: Shift+Home marks files and directories of the left
# pane, M opens "ファイルの移動" aimed at the right pane, Return starts it.
# Everything marked leaves the source, subdirectory and Japanese names included.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin copy_move

src="$GUI_DIR/src"
dst="$GUI_DIR/dst"
mkdir -p "$src/サブ/深い" "$dst"
printf 'one\n' >"$src/one.txt"
printf 'two\n' >"$src/二.txt"
printf 'deep\n' >"$src/サブ/深い/x.txt"

gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$src")" "SECONDDIRECTORY=$(gui_winpath "$dst")" "SECONDFILEOPEN=1"

gui_start_zq
gui_key shift+Home
dlg="$(gui_keys_until_title '^ファイルの移動$' m)" || gui_fail "the move dialog did not appear"
gui_screenshot copy_move-dialog >/dev/null
gui_focus "$dlg"
gui_key Return
for ((i = 0; i < 300; i++)); do
  [ -z "$(gui_find '^ファイルの移動$')" ] && break
  sleep 0.1
done
[ -z "$(gui_find '^ファイルの移動$')" ] || gui_fail "the move dialog did not close"

[ "$(cat "$dst/one.txt" 2>/dev/null)" = "one" ] || gui_fail "one.txt did not arrive"
[ "$(cat "$dst/二.txt" 2>/dev/null)" = "two" ] || gui_fail "二.txt did not arrive"
[ "$(cat "$dst/サブ/深い/x.txt" 2>/dev/null)" = "deep" ] || gui_fail "the subdirectory did not arrive"
left="$(find "$src" -mindepth 1 | wc -l)"
[ "$left" -eq 0 ] || gui_fail "$left entries are still in the source"
gui_screenshot copy_move-after >/dev/null

dlg="$(gui_keys_until_title '^終了しますか$' alt+f x)" || gui_fail "the quit dialog did not appear"
gui_focus "$dlg"
gui_key Return
gui_wait_exit 15 || gui_fail "zq did not end after the move"
echo "PASS: copy_move"
