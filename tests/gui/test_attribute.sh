#!/usr/bin/env bash
# Attributes, time stamps and new directories, by keys.  A on the file under
# the cursor opens "属性変更"; Alt+R checks read-only and Return applies it:
# the file on disk is read-only.  K with "a\b\c" makes the three nested
# directories and puts the cursor on "a".  The time dialog on the read-only
# file, with only the last-write row left on and a typed time, changes that
# time on disk; its "DIRの中のファイルも変更", checked there, reaches zq.ini
# as CHANRGEATTINDIR at quit.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin attribute

files="$GUI_DIR/files"
mkdir -p "$files"
printf 'data' >"$files/f.txt"
touch -d '2001-02-03 04:05:06' "$files/f.txt"
winfiles="$(gui_winpath "$files")"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$winfiles" "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" "CHANRGEATTINDIR=0" \
  "[KEYEXEDATA]" "N_T=@Filetime"
gui_start_zq

dlg="$(gui_keys_until_title '^属性変更$' a)" || gui_fail "A did not open the attribute dialog"
gui_focus "$dlg"
gui_key alt+r
gui_keys_until_gone "$dlg" '^属性変更$' Return || gui_fail "the attribute dialog did not take Return"
python3 -c 'import os,sys; sys.exit(os.stat(sys.argv[1]).st_mode & 0o222 != 0)' "$files/f.txt" ||
  gui_fail "f.txt is not read-only after the attribute dialog"

gui_focus "$GUI_WID"
dlg="$(gui_keys_until_title '^ディレクトリの作成$' k)" || gui_fail "K did not open the directory dialog"
gui_focus "$dlg"
gui_type 'a\b\c'
gui_keys_until_gone "$dlg" '^ディレクトリの作成$' Return || gui_fail "the directory dialog did not take Return"
[ -d "$files/a/b/c" ] || gui_fail "a\\b\\c was not made"

# The cursor is on "a"; directories come first, so f.txt is one down.
gui_focus "$GUI_WID"
gui_key Down
dlg="$(gui_keys_until_title '^ファイルの時間の変更$' t)" || gui_fail "the time dialog did not open"
gui_focus "$dlg"
# One entry: all three rows start on.  Creation and access off, the
# last-write date and time typed over, the directory box on.
gui_key space Tab Tab Tab space Tab Tab Tab Tab
gui_type "2020/03/05"
gui_key Tab
gui_type "09:07:45"
gui_key Tab space
gui_screenshot attribute-time >/dev/null
gui_keys_until_gone "$dlg" '^ファイルの時間の変更$' Return || gui_fail "the time dialog did not take Return"
python3 - "$files/f.txt" <<'PY' || gui_fail "the last-write time of f.txt is not the typed one"
import os, sys, time
want = time.mktime((2020, 3, 5, 9, 7, 45, 0, 0, -1))
got = os.stat(sys.argv[1]).st_mtime
sys.exit(0 if abs(got - want) < 1 else print(got, want) or 1)
PY
python3 -c 'import os,sys; sys.exit(os.stat(sys.argv[1]).st_mode & 0o222 != 0)' "$files/f.txt" ||
  gui_fail "f.txt did not stay read-only through the time change"

gui_focus "$GUI_WID"
gui_quit q
[ "$(gui_ini_value ALLDATA CHANRGEATTINDIR)" = 1 ] || gui_fail "CHANRGEATTINDIR was not written back as 1"
gui_end
