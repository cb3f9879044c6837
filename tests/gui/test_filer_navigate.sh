#!/usr/bin/env bash
# The Filer from the keyboard: both panes start in the directories of zq.ini,
# the cursor moves, a Japanese-named directory is entered, left and entered
# again, the focus goes to the other pane, a file is marked there and the
# sort order is changed in the sort dialog.  zq keeps the panes' directories
# (STARTENDDIR) and the sort settings at exit, which is what is checked.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin filer_navigate

tree="$GUI_DIR/tree"
other="$GUI_DIR/other"
mkdir -p "$tree/ascii_dir" "$tree/日本語フォルダ" "$other"
echo a >"$tree/a.txt"
echo b >"$tree/テスト.txt"
echo c >"$tree/日本語フォルダ/中身.txt"
echo x >"$other/x.txt"
echo y >"$other/y.txt"

# O is not assigned by default; here it enters the directory under the cursor.
tree_w="$(gui_winpath "$tree")"
other_w="$(gui_winpath "$other")"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$tree")" "SECONDDIRECTORY=$(gui_winpath "$other")" \
  "STARTENDDIR=1" "SECONDFILEOPEN=1" "NOTQUITMESSAGE=0" "[KEYEXEDATA]" "N_O=@InDir"

gui_start_zq
# Keys go to the active window only: wait until it is zq's.
for ((i = 0; i < 50; i++)); do
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$GUI_WID" ] && break
  gui_focus "$GUI_WID"
  sleep 0.1
done
sleep 1
gui_screenshot filer_navigate-1-start >/dev/null

# "." and ".." come first, the cursor starts on ".."; directories before files,
# ASCII names before Japanese ones.
gui_key Down Down
gui_screenshot filer_navigate-2-on-japanese-dir >/dev/null
gui_key o
sleep 0.5
gui_screenshot filer_navigate-3-inside >/dev/null
# Up puts the cursor back on the directory just left, so O enters it again.
gui_key BackSpace
sleep 0.5
before="$(gui_screenshot filer_navigate-4-up-again)"
gui_key o
sleep 0.5
# Other pane: mark the file under the cursor after one step down.
gui_key Tab Down Down space
sleep 0.5
shot="$(gui_screenshot filer_navigate-5-other-pane-marked)"
# A marked file is drawn in reverse video: its cell is filled with the file
# colour (ARCHIVE_COLOR, yellow by default), far more of it than names alone.
gained=$(($(gui_count_colour "$shot" 255,255,0) - $(gui_count_colour "$before" 255,255,0)))
[ "$gained" -ge 1000 ] || gui_fail "no marked cell drawn (yellow pixels gained: $gained)"

# S opens the sort dialog; descending files are stored for both panes.
sortdlg="$(gui_keys_until_title '^ソート方法$' s)" || gui_fail "the sort dialog did not appear"
gui_screenshot filer_navigate-6-sort-dialog >/dev/null
gui_focus "$sortdlg"
gui_key alt+d Return
sleep 0.5
gui_screenshot filer_navigate-7-sorted-descending >/dev/null

gui_quit q

end1="$(gui_ini_value ALLDATA ENDDIRECTORY)"
end2="$(gui_ini_value ALLDATA ENDDIRECTORY2)"
expect1="$tree_w\\日本語フォルダ"
[ "$end1" = "$expect1" ] || gui_fail "ENDDIRECTORY is '$end1', expected '$expect1'"
[ "$end2" = "$other_w" ] || gui_fail "ENDDIRECTORY2 is '$end2', expected '$other_w'"
[ "$(gui_ini_value ALLDATA SORTORDER)" = 1 ] || gui_fail "SORTORDER is '$(gui_ini_value ALLDATA SORTORDER)', expected 1"
[ "$(gui_ini_value ALLDATA SORTORDER2)" = 1 ] || gui_fail "SORTORDER2 is '$(gui_ini_value ALLDATA SORTORDER2)', expected 1"
echo "PASS: filer_navigate"
