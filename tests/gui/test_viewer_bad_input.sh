#!/usr/bin/env bash
# V on files that are not plain text, each time back to the Filer, whose V
# then still opens the next file.  A 0-byte file opens as an empty text (the
# title names it, Ctrl+A, Ctrl+C copies nothing).  A 2 MB binary file with
# NULs and no line break wraps at 80 columns: each display line starts with
# its own number, which the copy of the top line reads back after paging
# down, after J to line 20000, and on the last page after Ctrl+End and
# after J to the last line.  A
# file another process holds open without sharing says
# "c_locked.txtを開くのに失敗しました" and leaves the Filer in place.  A UTF-8
# file with a mark and invalid bytes shows the valid text around them.  On
# quitting, zq.ini has VIEWER_CHAR_CODE=4 from the key bound to @CharCodeUTF8.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
source "$(dirname "${BASH_SOURCE[0]}")/viewer_lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/binedit_lib.sh"
gui_begin viewer_bad_input

files="$GUI_DIR/files"
mkdir -p "$files"
python3 - "$files" <<'PY'
import sys
d = sys.argv[1]
open(d + "/a_empty.txt", "wb").close()
# 25,000 display lines of 80 bytes: "%05d", a NUL, then bytes that are
# neither line breaks, tabs nor lead bytes of Shift_JIS.
pool = bytes(b for b in range(256) if b not in (9, 10, 13) and not (0x81 <= b <= 0x9F or 0xE0 <= b <= 0xFC))
open(d + "/b_binary.bin", "wb").write(b"".join(
    b"%05d\0" % i + bytes(pool[(i * 7 + k) % len(pool)] for k in range(74)) for i in range(25000)))
open(d + "/c_locked.txt", "wb").write(b"locked\r\n")
open(d + "/d_badutf8.txt", "wb").write(b"\xef\xbb\xbfabc\xc0\xffdef\r\n\xe6\x97\xa5\xe6\x9c\xac\xed\xa0\x80end\r\n")
PY
# A Windows program that holds a file open without sharing until told to let go.
cat >"$GUI_DIR/hold.c" <<'C'
#include <windows.h>
int wmain(int argc, wchar_t** argv) {
    if (argc < 4) return 2;
    HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return 1;
    CloseHandle(CreateFileW(argv[2], GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    for (int i = 0; i < 1200 && GetFileAttributesW(argv[3]) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
    CloseHandle(file);
    return 0;
}
C
x86_64-w64-mingw32-gcc-posix -municode -static -O1 -o "$GUI_DIR/hold.exe" "$GUI_DIR/hold.c" ||
  gui_fail "the file holder did not build"
HOLD_PID=""
end_hold() {
  touch "$GUI_DIR/release"
  [ -n "$HOLD_PID" ] && { wait "$HOLD_PID" 2>/dev/null || kill "$HOLD_PID" 2>/dev/null; }
  HOLD_PID=""
}
trap 'rc=$?; end_hold; (exit $rc); gui_end' EXIT

winfiles="$(gui_winpath "$files")"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$winfiles" "SECONDFILEOPEN=0" "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" \
  "VIEWNUMBER=0" "VIEWCHARWIDE=80" "[ALLDATA2]" "DISABLETWIN=1" "VIEWER_CHAR_CODE=5" \
  "[VIEWKEYEXEDATA]" "N_X=@Closeviewer" "N_U=@CharCodeUTF8"
gui_start_zq
shot() { gui_screenshot "viewer-bad-$1" >/dev/null; }
filer_title="$(xdotool getwindowname "$GUI_WID")"
expect_viewer() { gui_expect_title "${1//./\\.} - zq\$" "V on $1"; }
back_to_filer() {
  gui_focus "$GUI_WID"
  gui_key x
  for i in $(seq 1 50); do
    [ "$(xdotool getwindowname "$GUI_WID")" = "$filer_title" ] && return 0
    sleep 0.1
  done
  gui_fail "after $1 the Filer did not come back: the title is '$(xdotool getwindowname "$GUI_WID")'"
}
# TOP: the number at the start of the top display line, as copied.  A
# selection left by the previous look is cleared by a click in the text.
SELECTED=0
top_line() {
  if [ "$SELECTED" = 1 ]; then
    xdotool mousemove --window "$GUI_WID" 300 200 click 1
    sleep 0.3
    gui_focus "$GUI_WID"
  fi
  gui_key shift+Down
  SELECTED=1
  local got
  got="$(copy)"
  TOP="${got:0:5}"
}
jump() {
  local w
  w="$(gui_keys_until_title 'テキストのジャンプ' j)" || gui_fail "J did not open the jump dialog"
  gui_focus "$w"
  gui_type "$1"
  gui_key Return
  gui_wait_gone 'テキストのジャンプ' 5 || gui_fail "the jump dialog did not close"
}

sleep 0.5
gui_focus "$GUI_WID"
view_file
expect_viewer a_empty.txt
shot empty
got="$(copy_all)"
[ -z "$got" ] || [ "$got" = "-" ] || gui_fail "the empty file copied as '$got'"
[ -z "$(gui_boxes)" ] || gui_fail "the empty file showed a message"
back_to_filer "the empty file"

view_file Down
expect_viewer b_binary.bin
shot binary
top_line
[ "$TOP" = "00000" ] || gui_fail "the binary file's first display line copied as '$TOP'"
gui_key Next Next Next
top_line
[[ "$TOP" =~ ^[0-9]{5}$ ]] && ((10#$TOP > 0)) || gui_fail "after three pages the top line copied as '$TOP'"
shot binary-paged
jump 20000
top_line
[ "$TOP" = "20000" ] || gui_fail "J to 20000 in the binary file showed line '$TOP' on top"
# Ctrl+End and J to the last line show the same last page: its top line
# lies a pane's height (some rows, fewer than 60) before line 25000.
gui_key ctrl+End
sleep 0.3
shot binary-end
top_line
end_top="$TOP"
[[ "$end_top" =~ ^2[0-9]{4}$ ]] && ((25000 - 10#$end_top >= 5 && 25000 - 10#$end_top < 60)) ||
  gui_fail "after Ctrl+End the top line copied as '$end_top'"
jump 24999
top_line
[ "$TOP" = "$end_top" ] || gui_fail "J to the last line put '$TOP' on top, Ctrl+End '$end_top'"
back_to_filer "the binary file"

"$ZQ_WINE" "$GUI_DIR/hold.exe" "$(gui_winpath "$files/c_locked.txt")" "$(gui_winpath "$GUI_DIR/held")" \
  "$(gui_winpath "$GUI_DIR/release")" >/dev/null 2>&1 &
HOLD_PID=$!
for i in $(seq 1 100); do
  [ -e "$GUI_DIR/held" ] && break
  sleep 0.1
done
[ -e "$GUI_DIR/held" ] || gui_fail "the file holder did not take the file"
gui_focus "$GUI_WID"
gui_key Down v
expect_box "c_locked.txtを開くのに失敗しました" "V on a file held by another process" locked
[ "$(xdotool getwindowname "$GUI_WID")" = "$filer_title" ] || gui_fail "the failed open left the Filer"
shot locked-after
end_hold
# The Filer's cursor is still on the file, which now opens.
view_file
expect_viewer c_locked.txt
[ "$(copy_all)" = "locked" ] || gui_fail "the file let go by its holder did not open"
back_to_filer "the file let go"

view_file Down
expect_viewer d_badutf8.txt
shot bad-utf8
got="$(copy_all)"
[[ "$got" == abc*def$'\n'日本*end ]] || gui_fail "the UTF-8 file with invalid bytes copied as '$got'"
gui_key u
sleep 0.5
got="$(copy_all)"
[[ "$got" == abc*def$'\n'日本*end ]] || gui_fail "after @CharCodeUTF8 the UTF-8 file copied as '$got'"
back_to_filer "the UTF-8 file with invalid bytes"
# Still a working Filer: back up the list, V opens the binary file again.
view_file Up Up
expect_viewer b_binary.bin
back_to_filer "the binary file again"
shot filer-at-end

gui_quit q
[ "$(gui_ini_value ALLDATA2 VIEWER_CHAR_CODE)" = "4" ] || gui_fail "VIEWER_CHAR_CODE was not written back as 4"
echo "PASS: viewer_bad_input"
