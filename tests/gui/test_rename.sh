#!/usr/bin/env bash
# Renaming and the directory size, by keys.  Home marks the three files of the
# left pane, R opens "名前の変更", a pattern with a three-digit number field
# gives them numbered names (the dialog lists old and new names first), and
# Return renames them: the disk holds the new names and none of the old.
# Space marks two of them and O (bound to @RenameExchange) shows "名前の交換",
# whose OK makes them trade names: the contents are read back.  Tab
# and I on the right pane's only directory open "ディレクトリのサイズの調査",
# whose used-size field is read from the dialog itself by a small Windows
# program and compared with the tree's size counted here.  At the end the
# pattern is first in the rename history of zq.ini, and the width choices kept
# by "半角/全角変換設定保存" are written back as they were.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin rename

left="$GUI_DIR/left"
right="$GUI_DIR/right"
mkdir -p "$left" "$right/tree/sub/深い" "$right/tree/empty"
printf 'A' >"$left/a.txt"
printf 'BB' >"$left/b.txt"
printf 'CCC' >"$left/c.txt"
head -c 70000 /dev/zero >"$right/tree/big.bin"
printf 'x' >"$right/tree/sub/x.txt"
printf 'yy' >"$right/tree/sub/深い/y.txt"
expected_bytes="$(find "$right/tree" -type f -printf '%s\n' | awk '{s += $1} END {print s}')"

# Reads a static field of a dialog by its title and control id once it is filled.
reader="$GUI_DIR/readfield.exe"
cat >"$GUI_DIR/readfield.cpp" <<'CPP'
#include <windows.h>
#include <cstdio>
int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    for (int i = 0; i < 200; ++i) {
        HWND dialog = ::FindWindowW(nullptr, argv[1]);
        wchar_t text[128] = {};
        if (dialog && ::GetDlgItemTextW(dialog, _wtoi(argv[2]), text, 128) > 0) {
            char out[256] = {};
            ::WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out, nullptr, nullptr);
            std::printf("%s\n", out);
            return 0;
        }
        ::Sleep(100);
    }
    return 1;
}
CPP
x86_64-w64-mingw32-g++-posix -municode -static -O1 -o "$reader" "$GUI_DIR/readfield.cpp" ||
  gui_fail "the field reader did not build"

gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$left")" "SECONDDIRECTORY=$(gui_winpath "$right")" \
  "SECONDFILEOPEN=1" "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" "[KEYEXEDATA]" "N_O=@RenameExchange" \
  "[ALLDATA2]" "CHAR_CONVERT_INFO_SAVE=1" "CHAR_CONVERT_INFO_ENABLE=1" "CHAR_CONVERT_INFO_DIGIT=2"
gui_start_zq

gui_key Home
dlg="$(gui_keys_until_title '^名前の変更$' r)" || gui_fail "R did not open the rename dialog"
gui_focus "$dlg"
gui_key ctrl+a
gui_type 'n$3n.*'
gui_key alt+l
sleep 0.5
gui_screenshot rename-dialog >/dev/null
gui_keys_until_gone "$dlg" '^名前の変更$' Return || gui_fail "the rename dialog did not take Return"

# Upper case was chosen in the dialog (Alt+L): the names are upper case.
got="$(cd "$left" && ls | sort | tr '\n' ' ')"
[ "$got" = "N000.TXT N001.TXT N002.TXT " ] || gui_fail "the left folder holds '$got'"
[ "$(cat "$left"/N000.TXT "$left"/N001.TXT "$left"/N002.TXT)" = "ABBCCC" ] || gui_fail "the contents moved between files"

# With no marks the cursor's one file is not two: the refusal names the count.
gui_focus "$GUI_WID"
gui_key_expect_box o || gui_fail "O with one file did not refuse"
gui_focus "$GUI_WID"
gui_key space
gui_key space
dlg="$(gui_keys_until_title '^名前の交換$' o)" || gui_fail "O did not open the exchange dialog"
gui_keys_until_gone "$dlg" '^名前の交換$' Return || gui_fail "the exchange dialog did not take Return"
[ "$(cat "$left"/N000.TXT "$left"/N001.TXT "$left"/N002.TXT)" = "BBACCC" ] ||
  gui_fail "after the exchange the files hold $(cat "$left"/N000.TXT "$left"/N001.TXT "$left"/N002.TXT)"
[ "$(cd "$left" && ls | wc -l)" = 3 ] || gui_fail "the exchange left a file behind"

gui_focus "$GUI_WID"
gui_key Tab
dlg="$(gui_keys_until_title '^ディレクトリのサイズの調査$' i)" || gui_fail "I did not open the size dialog"
shown="$(cd "$GUI_DIR" && "$ZQ_WINE" "$reader" 'ディレクトリのサイズの調査' 7533 | tr -d '\r,')"
dirs="$(cd "$GUI_DIR" && "$ZQ_WINE" "$reader" 'ディレクトリのサイズの調査' 7531 | tr -d '\r,')"
files="$(cd "$GUI_DIR" && "$ZQ_WINE" "$reader" 'ディレクトリのサイズの調査' 7532 | tr -d '\r,')"
gui_screenshot rename-dirsize >/dev/null
[ "$shown" = "$expected_bytes" ] || gui_fail "the dialog shows '$shown' bytes, the tree holds $expected_bytes"
[ "$dirs" = 4 ] && [ "$files" = 3 ] || gui_fail "the dialog counts $dirs directories and $files files"
gui_keys_until_gone "$dlg" '^ディレクトリのサイズの調査$' Return || gui_fail "the size dialog did not take Return"

gui_focus "$GUI_WID"
gui_quit q
[ "$(gui_ini_value RENAMEHISTORY NAME0)" = 'n$3n.*' ] || gui_fail "the pattern is not first in the rename history"
# The kept width choices went through the dialog's boxes and came back.
[ "$(gui_ini_value ALLDATA2 CHAR_CONVERT_INFO_DIGIT)" = 2 ] && [ "$(gui_ini_value ALLDATA2 CHAR_CONVERT_INFO_SAVE)" = 1 ] ||
  gui_fail "the kept width choices were not written back"
echo "PASS: rename"
