#!/usr/bin/env bash
# The text Viewer in a pane beside a Filer listing, driven by keys.  V opens a
# Shift_JIS file in the left pane while the right pane lists files, so the
# keys must be the Viewer's (Ctrl+C copies text instead of the Filer's file
# list).  The clipboard is read back from the X clipboard, where Wine offers
# the text as UTF-8: the whole text after Ctrl+A, exactly two lines after
# ROLLDOWN and Shift+DOWN twice, the top line after J jumps to line 120, the
# match of Ctrl+F's search for "137" and that match stretched by a line, F3's
# end-of-search message, F3 and Shift+F3 stepping through the matches of "13",
# the two matches of a word that stands twice and the message after them, the
# first 40 columns of a wrapped line after the key bound to @Lineword1.  A
# UTF-8 and a UTF-16 file with byte-order marks are opened from the right
# pane and copied without their marks; a UTF-8 file without a mark is taken as
# Shift_JIS until a key bound to @CharCodeUTF8 reads it as UTF-8; a key bound
# to @CharCodeShiftJIS shows the marked UTF-8 file's mark as text.  Closed, the
# Viewer leaves a Filer whose V opens a file again.  zq.ini gets VIEWNUMBER=1
# (@Linenumber), VIEWER_CHAR_CODE=0 and the three searches in the history
# back.  Screenshots of the steps stay in build/screenshots.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
source "$(dirname "${BASH_SOURCE[0]}")/viewer_lib.sh"
gui_begin viewer

files="$GUI_DIR/files"
mkdir -p "$files"
# Lines 160 and 185 hold the word "二回出る", no other line does.
python3 -c 'print("".join("%03d 日本語の行 %s\n" % (i, "x" * 44 + "二回出る" if i in (160, 185) else "x" * 50)
                          for i in range(200)), end="")' >"$GUI_DIR/sjis-text.txt"
python3 - "$files" <<'PY'
import sys
d = sys.argv[1]
open(d + "/a_sjis.txt", "wb").write(open(d + "/../sjis-text.txt", encoding="utf-8").read().replace("\n", "\r\n").encode("cp932"))
open(d + "/b_utf8.txt", "wb").write(b"\xef\xbb\xbf" + "最初の行 UTF-8\r\n二行目\r\n".encode("utf-8"))
open(d + "/c_utf16.txt", "wb").write(b"\xff\xfe" + "ユニコードの行\r\n全角ＡＢＣ and ①\r\n".encode("utf-16-le"))
open(d + "/d_nomark.txt", "wb").write("マークのない行 UTF-8\r\n二行目\r\n".encode("utf-8"))
PY
winfiles="$(gui_winpath "$files")"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$winfiles" "SECONDDIRECTORY=$winfiles" "SECONDFILEOPEN=1" \
  "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" "VIEWNUMBER=0" "VIEWCHARWIDE=80" \
  "[ALLDATA2]" "DISABLETWIN=1" "VIEWER_CHAR_CODE=5" \
  "[VIEWERSETTING]" "SETTING0=40" \
  "[VIEWKEYEXEDATA]" "N_X=@Closeviewer" "N_K=@Lineword1" "N_L=@Linenumber" "N_S=@CharCodeShiftJIS" "N_U=@CharCodeUTF8"
gui_start_zq

shot() { gui_screenshot "viewer-$1" >/dev/null; }
# The line a selected match stands in: its first three characters, up to the
# match once Shift+Up has moved the selection end to the line's start.
match_line() {
  shot "$1"
  gui_key shift+Up
  local got
  got="$(copy)"
  printf '%s' "${got:0:3}"
}

sleep 0.5
shot filer
gui_focus "$GUI_WID"
gui_key v
sleep 1
shot sjis-opened

# A page down, then two lines selected from the new top line.
gui_key Next
sleep 0.3
gui_key shift+Down shift+Down
shot sjis-two-lines
got="$(copy | tr -d '\r')"
first="${got:0:3}"
[[ "$first" =~ ^[0-9]{3}$ ]] && [ "$first" != "000" ] || gui_fail "after ROLLDOWN the selection starts at '${got:0:20}'"
n=$((10#$first))
want="$(printf '%03d 日本語の行 %s\n%03d 日本語の行 %s' "$n" "$(printf 'x%.0s' {1..50})" $((n + 1)) "$(printf 'x%.0s' {1..50})")"
[ "$got" = "$want" ] || gui_fail "two selected lines copied as '$got'"

all="$(cat "$GUI_DIR/sjis-text.txt")"
gui_key ctrl+a
got="$(copy | tr -d '\r')"
[ "$got" = "$all" ] || gui_fail "Ctrl+A, Ctrl+C copied '${got:0:80}' rather than the whole Shift_JIS text"

# 40 columns: the first display line is the line's first 40 cells.
gui_key k
sleep 0.5
gui_key shift+Down
expect_clip "000 日本語の行 $(printf 'x%.0s' {1..25})" "one display line at 40 columns"
gui_key l
sleep 0.3
shot sjis-40-columns-numbers

gui_key x
sleep 0.5
shot closed

# Opened again (80 columns, no selection), J jumps to display line 120: it
# becomes the top line, which Shift+DOWN selects.
gui_key v
sleep 1
w="$(gui_keys_until_title 'テキストのジャンプ' j)" || gui_fail "J did not open the jump dialog"
gui_focus "$w"
gui_type 120
gui_key Return
gui_wait_gone 'テキストのジャンプ' 5 || gui_fail "the jump dialog did not close"
shot jumped-120
gui_key shift+Down
expect_clip "120 日本語の行 $(printf 'x%.0s' {1..50})" "the top line after a jump to 120"

# Ctrl+F searches from the beginning for "137" (only the line number holds
# it): the match is selected, and Shift+DOWN moves its end past the line it
# starts, line 137.
w="$(gui_keys_until_title '文字列の検索の設定' ctrl+f)" || gui_fail "Ctrl+F did not open the search dialog"
gui_focus "$w"
gui_type 137
gui_key Return
gui_wait_gone '文字列の検索の設定' 5 || gui_fail "the search dialog did not close"
shot found-137
expect_clip "137" "the match of a search for 137"
gui_key shift+Down
got="$(copy | tr -d '\r')"
[[ "$got" == "137 日本語の行 $(printf 'x%.0s' {1..50})"* ]] || gui_fail "the match extended by a line copied as '$got'"
# F3 finds no second "137": the search ends with its message.
gui_key F3
box="$(gui_wait_box 6)" || gui_fail "F3 after the last match showed no message"
shot search-finished
gui_focus "$box"
gui_key Return
sleep 0.5
[ -z "$(gui_boxes)" ] || gui_fail "the search-finished message did not close on Return"
gui_focus "$GUI_WID"
# Back at the first line (so that either start choice starts there), "13"
# stands in lines 013, 113 and 130-139.  Shift+Up selects from the match back
# to its line's start, which tells the lines apart: "0" for 013, "1" for 113.
# F3 goes on to 113, then 130; Shift+F3 goes back up to 113.
w="$(gui_keys_until_title 'テキストのジャンプ' j)" || gui_fail "J did not open the jump dialog again"
gui_focus "$w"
gui_type 0
gui_key Return
gui_wait_gone 'テキストのジャンプ' 5 || gui_fail "the second jump dialog did not close"
w="$(gui_keys_until_title '文字列の検索の設定' ctrl+f)" || gui_fail "Ctrl+F did not open the search dialog again"
gui_focus "$w"
gui_type 13
gui_key Return
gui_wait_gone '文字列の検索の設定' 5 || gui_fail "the second search dialog did not close"
gui_key shift+Up
expect_clip "0" "the first match of 13, in line 013"
gui_key F3
gui_key shift+Up
expect_clip "1" "the match of 13 after F3, in line 113"
gui_key F3 shift+F3
gui_key shift+Up
expect_clip "1" "the match of 13 after F3 and Shift+F3, in line 113"
# "二回出る" stands twice: Ctrl+F finds line 160, F3 line 185, and the next F3
# ends the search with its message.
w="$(gui_keys_until_title '文字列の検索の設定' ctrl+f)" || gui_fail "Ctrl+F did not open the search dialog a third time"
gui_focus "$w"
gui_type 二回出る
sleep 0.5
gui_key Return
gui_wait_gone '文字列の検索の設定' 5 || gui_fail "the third search dialog did not close"
got="$(match_line found-twice-first)"
[ "$got" = "160" ] || gui_fail "the first match of 二回出る is in line '$got', not 160"
gui_key F3
sleep 0.3
got="$(match_line found-twice-second)"
[ "$got" = "185" ] || gui_fail "the second match of 二回出る is in line '$got', not 185"
gui_key_expect_box F3 || gui_fail "F3 after the second match of 二回出る showed no message"
gui_focus "$GUI_WID"
gui_key x
sleep 0.5

# The right pane: its cursor on the UTF-16 file, then the UTF-8 one.
gui_key Tab
view_file Down Down
shot utf16-opened
got="$(copy_all)"
[ "$got" = $'ユニコードの行\n全角ＡＢＣ and ①' ] ||
  gui_fail "the UTF-16 file copied as '$got'"
gui_key x
sleep 0.3

# Without a mark Auto takes UTF-8 as Shift_JIS; @CharCodeUTF8 reads it right.
view_file Down
shot nomark-as-sjis
nomark=$'マークのない行 UTF-8\n二行目'
got="$(copy_all)"
[ -n "$got" ] && [ "$got" != "$nomark" ] || gui_fail "the UTF-8 file without a mark copied as '$got' under Auto"
gui_key u
sleep 0.5
shot nomark-as-utf8
got="$(copy_all)"
[ "$got" = "$nomark" ] || gui_fail "after @CharCodeUTF8 the file without a mark copied as '$got'"
gui_key x
sleep 0.3

view_file Up Up
shot utf8-opened
got="$(copy_all)"
[ "$got" = $'最初の行 UTF-8\n二行目' ] ||
  gui_fail "the UTF-8 file copied as '$got'"
# Forced to Shift_JIS, the mark's three bytes are text before the first line.
gui_key s
sleep 0.5
shot utf8-as-sjis
gui_key ctrl+a
got="$(copy)"
case "$got" in
  "最初の行"*) gui_fail "after @CharCodeShiftJIS the text still starts with its first line" ;;
  *ｿ*) ;;
  *) gui_fail "after @CharCodeShiftJIS the copy is '${got:0:40}'" ;;
esac
gui_key x
sleep 0.3
# Back in the Filer its keys work again: V opens the file under the cursor.
view_file Up
got="$(copy_all)"
[ "${got:0:9}" = "000 日本語の行" ] || gui_fail "after closing, V in the Filer opened '${got:0:20}'"
gui_key x
sleep 0.3
shot closed-again

gui_quit q
[ "$(gui_ini_value ALLDATA VIEWNUMBER)" = "1" ] || gui_fail "VIEWNUMBER was not written back as 1"
[ "$(gui_ini_value ALLDATA2 VIEWER_CHAR_CODE)" = "0" ] || gui_fail "VIEWER_CHAR_CODE was not written back as 0"
[ "$(gui_ini_value VIEWER_SEARCH_STRING 0),$(gui_ini_value VIEWER_SEARCH_STRING 1),$(gui_ini_value VIEWER_SEARCH_STRING 2)" = "二回出る,13,137" ] ||
  gui_fail "the search history is not 二回出る, 13, 137"
echo "PASS: viewer"
