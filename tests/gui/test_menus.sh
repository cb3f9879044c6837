#!/usr/bin/env bash
# The menu bar by keys: "バージョン情報(&A)..." in "ヘルプ(&H)" opens the about
# box, which closes on Return; in "マルチメディア(&P)" nothing has a handler, so
# its items are grayed and choosing one does nothing; "キーデータの読み込み"
# starts at the settings file's folder even when zq was started elsewhere.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin menus
python3 - "$GUI_APP/keys.ini" <<'PY'
import sys
open(sys.argv[1], "wb").write(b"\xff\xfe" + "[KEYEXEDATA]\r\nN_Z=@Quit\r\n".encode("utf-16-le"))
PY
# As from a shortcut whose working folder holds no settings file.
( cd "$GUI_DIR" && exec "$ZQ_WINE" "$GUI_APP/zq.exe" ) >"$GUI_DIR/stdout.txt" 2>"$GUI_DIR/stderr.txt" &
GUI_PID=$!
GUI_WID="$(gui_wait_title ' - zq$' 30)" || gui_fail "the main window did not appear"
gui_focus "$GUI_WID"
sleep 0.3

dlg="$(gui_keys_until_title '^バージョン情報 zq$' alt+h a)" || gui_fail "ヘルプ(&H) / バージョン情報(&A) opened no about box"
gui_screenshot menus-about >/dev/null
gui_keys_until_gone "$dlg" '^バージョン情報 zq$' Return || gui_fail "the about box stayed open after Return"
sleep 0.5
kill -0 "$GUI_PID" 2>/dev/null || gui_fail "zq ended with the about box"

# Grayed menu text is drawn in 50 % gray; the listing itself has none of it.
windows_before="$(xdotool search --onlyvisible --name . 2>/dev/null | sort)"
gui_focus "$GUI_WID"
before="$(gui_screenshot menus-before-multimedia)"
for try in 1 2 3; do
  gui_focus "$GUI_WID"
  gui_key alt+p
  sleep "$try"
  after="$(gui_screenshot menus-multimedia)"
  changed="$(compare -metric AE "$before" "$after" null: 2>&1 | cut -d' ' -f1)"
  [ "${changed%.*}" -gt 2000 ] && break
  gui_key Escape Escape
done
[ "${changed%.*}" -gt 2000 ] || gui_fail "マルチメディア(&P) did not open ($changed pixels changed)"
gray_before="$(gui_count_colour "$before" 128,128,128)"
gray_after="$(gui_count_colour "$after" 128,128,128)"
[ $((gray_after - gray_before)) -gt 300 ] ||
  gui_fail "the items of マルチメディア(&P) are not grayed ($gray_before -> $gray_after gray pixels)"

# Return on the first item, "サウンド再生", which has no handler: nothing
# opens and the program keeps running.  The menu may stay open; an Escape
# sent after it closed would be @Quit.
gui_key Return
sleep 1
windows_after="$(xdotool search --onlyvisible --name . 2>/dev/null | sort)"
[ "$windows_before" = "$windows_after" ] || gui_fail "choosing a grayed item opened a window"
kill -0 "$GUI_PID" 2>/dev/null || gui_fail "zq ended after a grayed item was chosen"
still="$(gui_screenshot menus-after-grayed-item)"
changed="$(compare -metric AE "$before" "$still" null: 2>&1 | cut -d' ' -f1)"
[ "${changed%.*}" -gt 2000 ] && gui_key Escape Escape
sleep 0.5

# 各種設定(&D): the tenth item (separators are skipped) is "キーデータの読み込み".
# A bare name typed into its dialog is found only in the folder it starts at.
dlg="$(gui_keys_until_title '開く' alt+d Down Down Down Down Down Down Down Down Down Return)" ||
  gui_fail "キーデータの読み込み opened no file dialog"
sleep 0.5
gui_focus "$dlg"
gui_key ctrl+a
gui_type keys.ini
gui_key Return
gui_wait_gone '開く' 10 || gui_fail "the file dialog did not take keys.ini (it did not start beside zq.ini)"
sleep 0.5
gui_quit z
[ "$(gui_ini_value KEYEXEDATA N_Z)" = "@Quit" ] || gui_fail "the keys read from keys.ini were not kept"
echo "PASS: menus"
