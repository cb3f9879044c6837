#!/usr/bin/env bash
# "コピー後に比較する" from the keyboard: the copy dialog opens with the box
# unticked (the default), Tab reaches it after the destination, its button and
# the four options, Space ticks it, Return copies a file over an older one of
# the same name ("上書き(&W)"); the copy is complete and in place, nothing is
# logged (no difference), and zq.ini keeps COPY_VERIFY=1 for the next copy.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin copy_verify_setting

src="$GUI_DIR/src"
dst="$GUI_DIR/dst"
mkdir -p "$src" "$dst"
head -c 3000000 /dev/urandom >"$src/data.bin"
printf 'old\n' >"$dst/data.bin"

gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$src")" "SECONDDIRECTORY=$(gui_winpath "$dst")" "SECONDFILEOPEN=1"

gui_start_zq
gui_key shift+Home
dlg="$(gui_keys_until_title '^ファイルのコピー$' c)" || gui_fail "the copy dialog did not appear"
gui_focus "$dlg"
gui_key Tab Tab Tab Tab Tab Tab space
gui_screenshot copy_verify_setting-ticked >/dev/null
gui_key Return
way="$(gui_wait_title '^コピー条件$' 20)" || gui_fail "the same-name question did not appear"
gui_focus "$way"
gui_key alt+w Return
gui_wait_gone '^ファイルのコピー$' 60 || gui_fail "the copy dialog did not close"

cmp -s "$src/data.bin" "$dst/data.bin" || gui_fail "the copy is not the source"
[ "$(find "$dst" -mindepth 1 | wc -l)" -eq 1 ] || gui_fail "more than the copy in the destination: $(ls "$dst")"
[ ! -e "$GUI_APP/Log" ] || [ -z "$(ls "$GUI_APP/Log")" ] || gui_fail "a difference was logged: $(ls "$GUI_APP/Log")"

gui_quit alt+f x
[ "$(gui_ini_value ALLDATA2 COPY_VERIFY)" = "1" ] || gui_fail "COPY_VERIFY is '$(gui_ini_value ALLDATA2 COPY_VERIFY)' in zq.ini"
echo "PASS: copy_verify_setting"
