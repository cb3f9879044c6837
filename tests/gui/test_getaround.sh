#!/usr/bin/env bash
# Getting around a listing by keys.  The key bound to @NorIncSearch starts the
# incremental search; typing B A N D moves the cursor past "banana.txt" to
# "bandana.txt" (the whole typed text counts, not its first letter); Return
# ends the search, and the key bound to @AddDirJump bookmarks the entry under
# the cursor.  The expanded search then takes typed Japanese: "日本" finds
# "日本語メモ.txt", which is bookmarked too.  After the quit, zq.ini holds
# both bookmarks in JUMPDATA.  The second start is in another folder: J opens
# "ディレクトリジャンプ", Return on the first bookmark takes the pane to the
# file's folder (the title names it) with the cursor on the file, which the
# cursor memory written at the second quit shows.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin getaround

files="$GUI_DIR/files"
other="$GUI_DIR/other"
mkdir -p "$files/cherry" "$other"
for f in apple.txt avocado.txt banana.txt bandana.txt 日本語メモ.txt; do printf 'x' >"$files/$f"; done
printf 'x' >"$other/elsewhere.txt"
winfiles="$(gui_winpath "$files")"
winother="$(gui_winpath "$other")"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$winfiles" "SECONDFILEOPEN=0" "STARTENDDIR=0" \
  "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" \
  "[ALLDATA2]" "DISABLETWIN=1" "SAVECURSORPOSITION=1" \
  "[KEYEXEDATA]" "N_F2=@NorIncSearch" "N_F3=@AddDirJump" "N_F5=@ExpandIncSearch"
gui_start_zq

# Adds the entry under the cursor and answers the box that reports it.
add_jump() {
  local box
  box="$(gui_keys_until_title '^ディレクトリジャンプへの追加$' F3)" || gui_fail "@AddDirJump showed no message ($1)"
  gui_keys_until_gone "$box" '^ディレクトリジャンプへの追加$' Return || gui_fail "the message of @AddDirJump stayed ($1)"
}

sleep 0.5
gui_focus "$GUI_WID"
gui_key F2 b a n d
gui_screenshot getaround-incremental >/dev/null
gui_key Return
add_jump bandana

gui_focus "$GUI_WID"
gui_key F5
gui_type "日本"
sleep 0.3
gui_screenshot getaround-expanded >/dev/null
gui_key Return
add_jump japanese
gui_quit q

todir0="$(gui_ini_value JUMPDATA TODIR0)"
todir1="$(gui_ini_value JUMPDATA TODIR1)"
[ "$todir0" = "$winfiles\\bandana.txt" ] || gui_fail "the first bookmark is '$todir0', not bandana.txt under the cursor"
[ "$todir1" = "$winfiles\\日本語メモ.txt" ] || gui_fail "the second bookmark is '$todir1', not the file found by typed Japanese"
[ -z "$(gui_ini_value JUMPDATA TODIR2)" ] || gui_fail "more bookmarks than were added"

# The second start lists the other folder.
INI="$GUI_APP/zq.ini" WHERE="$winother" python3 - <<'PY'
import os
path = os.environ["INI"]
text = open(path, "rb").read().decode("utf-16")
lines = ["FIRSTDIRECTORY=" + os.environ["WHERE"] if l.startswith("FIRSTDIRECTORY=") else l for l in text.splitlines()]
open(path, "wb").write(b"\xff\xfe" + "".join(l + "\r\n" for l in lines).encode("utf-16-le"))
PY
gui_start_zq
gui_wait_title 'other - zq$' 5 >/dev/null || gui_fail "the second start is not in the other folder"
dlg="$(gui_keys_until_title '^ディレクトリジャンプ$' j)" || gui_fail "J opened no jump dialog"
gui_screenshot getaround-jump-dialog >/dev/null
gui_keys_until_gone "$dlg" '^ディレクトリジャンプ$' Return || gui_fail "the jump dialog did not take Return"
gui_wait_title 'files - zq$' 5 >/dev/null || gui_fail "the pane did not go to the bookmarked file's folder"
gui_quit q

[ "$(gui_ini_value ALLDATA ENDDIRECTORY)" = "$winfiles" ] || gui_fail "ENDDIRECTORY is not the jumped-to folder"
remembered="$(gui_remembered_cursor "$winfiles")"

[ "$remembered" = "bandana.txt" ] || gui_fail "after the jump the cursor was on '$remembered', not bandana.txt"
echo "getaround GUI test passed"
