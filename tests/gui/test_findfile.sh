#!/usr/bin/env bash
# The file search from the keyboard.  Five files in a tree; one holds a word
# in Shift_JIS, another the same word in UTF-8 only.  W (@FindFileInWindow)
# opens "ファイル検索" on the left pane's folder, the word typed as the text to
# look for and Return search it with only S-JIS on: the dialog closes and the
# pane lists the results ("検索結果").  Home marks them all and C copies them into
# the right pane's folder: exactly the Shift_JIS file arrives.  Return on the
# result goes to its folder with the cursor on it, which the cursor memory in
# zq.ini shows after the quit, beside the dialog's histories and settings.
# Ctrl+F (@Findfile) keeps the results in the dialog's own list: "*.log" in
# the tree finds d.log, and "ファイルの場所へ" takes the pane to it and closes
# the dialog ("ダイアログを閉じる" is on); the column widths reach zq.ini.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin findfile

tree="$GUI_DIR/tree"
mkdir -p "$tree/sub/deep" "$tree/other" "$GUI_DIR/out"
python3 - "$tree" <<'PY'
import sys
t = sys.argv[1]
word = "検索ワード"
files = {"a.txt": b"nothing here\r\n", "other/d.log": b"plain text\r\n", "sub/e.dat": b"\x00\x01\x02",
         "sub/deep/hit.txt": ("前の行\r\n" + word + "\r\n").encode("cp932"),
         "other/utf8.txt": (word + "\n").encode("utf-8")}
for name, data in files.items():
    open(t + "/" + name, "wb").write(data)
PY
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$tree")" "SECONDDIRECTORY=$(gui_winpath "$GUI_DIR/out")" \
  "SECONDFILEOPEN=1" "[KEYEXEDATA]" "N_W=@FindFileInWindow" "[ALLDATA2]" "SAVECURSORPOSITION=1" "DISABLETWIN=1" "FIND_FILE_CHAR_CODE_UTF8=0"
gui_start_zq


sleep 0.5
gui_focus "$GUI_WID"
dlg="$(gui_keys_until_title '^ファイル検索$' w)" || gui_fail "W did not open the search dialog"
gui_focus "$dlg"
sleep 0.3
gui_type "検索ワード"
sleep 0.3
gui_screenshot findfile-1-dialog >/dev/null
gui_keys_until_gone "$dlg" '^ファイル検索$' Return || gui_fail "the search dialog did not close after the search"
gui_focus "$GUI_WID"
gui_expect_title '^検索結果 - zq$' "after the search"
sleep 0.5
gui_screenshot findfile-2-results >/dev/null

# Every result marked and copied: the copy takes each from its own folder.
gui_key Home
w="$(gui_keys_until_title '^ファイルのコピー$' c)" || gui_fail "C in the results did not open the copy dialog"
gui_keys_until_gone "$w" '^ファイルのコピー$' Return || gui_fail "the copy dialog did not end after Return"
for i in $(seq 1 50); do [ -f "$GUI_DIR/out/hit.txt" ] && break; sleep 0.1; done
got="$(cd "$GUI_DIR/out" && find . -type f | sort | tr '\n' ' ')"
[ "$got" = "./hit.txt " ] || gui_fail "the results copied as: '$got'"
cmp -s "$GUI_DIR/out/hit.txt" "$tree/sub/deep/hit.txt" || gui_fail "the copied result differs from the found file"

# Return on the result: its folder, the cursor on it.
gui_focus "$GUI_WID"
gui_key Return
gui_expect_title 'deep - zq$' "Return on the result"
gui_screenshot findfile-3-jumped >/dev/null

gui_focus "$GUI_WID"
dlg="$(gui_keys_until_title '^ファイル検索$' ctrl+f)" || gui_fail "Ctrl+F did not open the search dialog"
gui_focus "$dlg"
gui_key shift+Tab shift+Tab ctrl+a
gui_type "$(gui_winpath "$tree")"
gui_key Tab ctrl+a
gui_type "*.log"
gui_key Return
sleep 1
gui_screenshot findfile-4-list >/dev/null
gui_keys_until_gone "$dlg" '^ファイル検索$' alt+r Home alt+l || gui_fail "ファイルの場所へ did not close the list form"
gui_focus "$GUI_WID"
gui_expect_title 'other - zq$' "ファイルの場所へ on d.log"
gui_quit q
[ "$(gui_remembered_cursor "$(gui_winpath "$tree/other")")" = "d.log" ] ||
  gui_fail "ファイルの場所へ did not put the cursor on d.log"
column="$(gui_ini_value FIND_FILE_DLG_INF COLUMN0)"
[ "${column:-0}" -gt 20 ] || gui_fail "the list's first column width was stored as '$column'"

name="$(gui_remembered_cursor "$(gui_winpath "$tree/sub/deep")")"
[ "$name" = "hit.txt" ] || gui_fail "the cursor in the result's folder was on '$name', expected hit.txt"

expect_ini() {
  local got
  got="$(gui_ini_value "$1" "$2")"
  [ "${got,,}" = "${3,,}" ] || gui_fail "$1/$2 is '$got', expected '$3'"
}
expect_ini FIND_FILE_DLG_INF SEARCH_STRING0 "検索ワード"
expect_ini FIND_FILE_DLG_INF SEARCH_DIRECTORY_NAME0 "$(gui_winpath "$tree")"
expect_ini FIND_FILE_DLG_INF SEARCH_FILE0 "*.log"
expect_ini FIND_FILE_DLG_INF SEARCH_FILE1 "*.*"
expect_ini ALLDATA2 FIND_FILE_CHAR_CODE_SHIFT_JIS 1
expect_ini ALLDATA FINDDLGCLOSE 1
width="$(gui_ini_value FIND_FILE_DLG_INF WIDTH)"
[ "${width:-0}" -gt 100 ] || gui_fail "the dialog's width was stored as '$width'"
echo "PASS: findfile"
