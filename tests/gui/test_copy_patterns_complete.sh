#!/usr/bin/env bash
# The copy dialog from the keyboard: Ctrl+Tab completes the destination to the
# one directory that begins with the typed name (a file of the same beginning
# is passed over), "ファイル選択" limits the copy to *.txt, and Return copies.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin copy_patterns_complete

src="$GUI_DIR/src"
dst="$GUI_DIR/dst"
mkdir -p "$src/tree/sub" "$dst/target_dir"
printf 'a\n' >"$src/tree/a.txt"
printf 'b\n' >"$src/tree/b.bak"
printf 'c\n' >"$src/tree/sub/c.txt"
printf 'not a directory\n' >"$dst/tarfile.txt"

gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$src")" "SECONDDIRECTORY=$(gui_winpath "$dst")" "SECONDFILEOPEN=1"

gui_start_zq
gui_key shift+Home
dlg="$(gui_keys_until_title '^ファイルのコピー$' c)" || gui_fail "the copy dialog did not appear"
gui_focus "$dlg"
# The destination field holds the right pane's directory and has the focus.
gui_key End
gui_type '\tar'
gui_key ctrl+Tab
# "ファイル選択" is the sixth stop from the destination field.
gui_key Tab Tab Tab Tab Tab space
sel="$(gui_wait_title '^ファイル選択$' 10)" || gui_fail "the file pattern dialog did not appear"
gui_focus "$sel"
gui_type '*.txt'
gui_key Return
gui_screenshot copy_patterns_complete-patterns >/dev/null
gui_key Return
gui_wait_gone '^ファイル選択$' 10 || gui_fail "the file pattern dialog did not close"
gui_focus "$dlg"
gui_key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
gui_screenshot copy_patterns_complete-dialog >/dev/null
gui_key Return
gui_wait_gone '^ファイルのコピー$' 30 || gui_fail "the copy dialog did not close"

out="$dst/target_dir/tree"
[ "$(cat "$out/a.txt" 2>/dev/null)" = "a" ] || gui_fail "a.txt was not copied into the completed directory"
[ "$(cat "$out/sub/c.txt" 2>/dev/null)" = "c" ] || gui_fail "sub/c.txt was not copied"
[ ! -e "$out/b.bak" ] || gui_fail "b.bak was copied although only *.txt was chosen"
[ "$(cat "$dst/tarfile.txt")" = "not a directory" ] || gui_fail "the file beside the target changed"

dlg="$(gui_keys_until_title '^終了しますか$' alt+f x)" || gui_fail "the quit dialog did not appear"
gui_focus "$dlg"
gui_key Return
gui_wait_exit 15 || gui_fail "zq did not end after the copy"
echo "PASS: copy_patterns_complete"
