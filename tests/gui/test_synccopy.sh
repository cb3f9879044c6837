#!/usr/bin/env bash
# Synchronised copy by keys.  The left pane holds newer.txt (newer than the
# right pane's), same.txt (the same last-write time as the right pane's, other
# bytes) and only.txt (missing on the right).  Home marks the files, F5 (put on
# @Syncrocopyex in zq.ini) asks "同期方法", answered No; "ファイルの同期" runs on
# Return.  Afterwards the right pane's newer.txt is the left one's, same.txt is
# untouched and only.txt was not copied; at quit the synchronised directory
# heads the destination history (SELECTDIR) in zq.ini.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin synccopy

src="$GUI_DIR/src"
dst="$GUI_DIR/dst"
mkdir -p "$src" "$dst"
printf 'newer-left' >"$src/newer.txt"
printf 'newer-right' >"$dst/newer.txt"
printf 'same-left' >"$src/same.txt"
printf 'same-right' >"$dst/same.txt"
printf 'only' >"$src/only.txt"
touch -d '2021-05-06 07:08:09' "$src/newer.txt"
touch -d '2019-01-02 03:04:05' "$dst/newer.txt"
touch -d '2020-02-03 04:05:06' "$src/same.txt" "$dst/same.txt"

gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$src")" "SECONDDIRECTORY=$(gui_winpath "$dst")" \
  "SECONDFILEOPEN=1" "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" "[KEYEXEDATA]" "N_F5=@Syncrocopyex"
gui_start_zq

gui_key Home
box="$(gui_keys_until_title '^同期方法$' F5)" || gui_fail "F5 did not ask how to synchronise"
gui_keys_until_gone "$box" '^同期方法$' n || gui_fail "the question did not take No"
dlg="$(gui_wait_title '^ファイルの同期$' 20)" || gui_fail "the synchronise dialog did not open"
gui_wait_visible '^ファイルの同期$' >/dev/null || gui_fail "the synchronise dialog is not shown"
gui_screenshot synccopy-dialog >/dev/null
gui_keys_until_gone "$dlg" '^ファイルの同期$' Return || gui_fail "the synchronise dialog did not run and close"

[ "$(cat "$dst/newer.txt")" = "newer-left" ] || gui_fail "the newer file was not copied to the right"
[ "$(stat -c %Y "$dst/newer.txt")" = "$(stat -c %Y "$src/newer.txt")" ] || gui_fail "the copy lost its time"
[ "$(cat "$dst/same.txt")" = "same-right" ] || gui_fail "the file of equal time was copied"
[ "$(cat "$src/same.txt")" = "same-left" ] || gui_fail "the file of equal time was copied back"
[ ! -e "$dst/only.txt" ] || gui_fail "only.txt was copied although the question was answered No"
[ "$(find "$dst" -name '*~zq*' | wc -l)" -eq 0 ] || gui_fail "a temporary file was left"

gui_focus "$GUI_WID"
gui_quit q
[ "$(gui_ini_value SELECTDIR TODIR0)" = "$(gui_winpath "$dst")" ] ||
  gui_fail "SELECTDIR TODIR0 is '$(gui_ini_value SELECTDIR TODIR0)', not the synchronised directory"
gui_end
