#!/usr/bin/env bash
# Key assignments come from zq.ini: with Q unbound and X bound to @Quit in the
# Filer, X opens the quit question and Q does nothing; with VIEWMENUCOMMAND 1
# the menu shows the keys of its items (an opened menu, kept as a screenshot).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin key_assignments
gui_write_ini "[ALLDATA]" "VIEWMENUCOMMAND=1" "[KEYEXEDATA]" "N_Q=" "N_X=@Quit"
gui_start_zq

# First, while nothing else is open: Escape is @Quit in the Filer, so an
# Escape that outruns a slow menu leaves the quit question in front and the
# application key would go to it.
# The application key opens the pane's popup menu (ENABLEMENUBUTON defaults to 1).
sleep 0.5
before="$(gui_screenshot key_assignments-before-popup)"
# A key sent while the focus is still settling can be lost: up to three tries.
for try in 1 2 3; do
  gui_focus "$GUI_WID"
  gui_key Menu
  sleep "$try"
  after="$(gui_screenshot key_assignments-pane-popup)"
  changed="$(compare -metric AE "$before" "$after" null: 2>&1 | cut -d' ' -f1)"
  [ "${changed%.*}" -gt 2000 ] && break
done
[ "${changed%.*}" -gt 2000 ] || gui_fail "the application key showed no popup menu ($changed pixels changed)"
gui_key Escape
sleep 0.5

gui_key q
if gui_wait_title '^終了しますか$' 2 >/dev/null; then gui_fail "Q still quits although it was unbound"; fi
kill -0 "$GUI_PID" 2>/dev/null || gui_fail "zq ended on Q"

dlg="$(gui_keys_until_title '^終了しますか$' x)" || gui_fail "X bound to @Quit did not ask to quit"
gui_keys_until_gone "$dlg" '^終了しますか$' Escape || gui_fail "the quit question stayed open after Escape"
sleep 0.5
kill -0 "$GUI_PID" 2>/dev/null || gui_fail "cancelling the quit question ended zq"

# The menu opens with its labels; the keys in them are for a person to see
# in the screenshot, the test only makes sure that the menu is there to see.
gui_focus "$GUI_WID"
before="$(gui_screenshot key_assignments-before-menu)"
for try in 1 2 3; do
  gui_focus "$GUI_WID"
  gui_key alt+f
  sleep "$try"
  after="$(gui_screenshot key_assignments-menu-with-keys)"
  changed="$(compare -metric AE "$before" "$after" null: 2>&1 | cut -d' ' -f1)"
  [ "${changed%.*}" -gt 2000 ] && break
  gui_key Escape Escape
done
[ "${changed%.*}" -gt 2000 ] || gui_fail "ファイル操作(&F) did not open ($changed pixels changed)"
gui_key Escape Escape

dlg="$(gui_keys_until_title '^終了しますか$' x)" || gui_fail "X did not ask to quit the second time"
gui_keys_until_gone "$dlg" '^終了しますか$' Return || gui_fail "the quit question did not take Return"
gui_wait_exit 20 || gui_fail "zq did not end"
python3 - "$GUI_APP/zq.ini" <<'PY' || gui_fail "the assignments were not saved back"
import sys
text = open(sys.argv[1], "rb").read()[2:].decode("utf-16-le")
section, found = None, {}
for line in text.split("\r\n"):
    if line.startswith("["):
        section = line[1:-1]
    elif section == "KEYEXEDATA" and line.split("=", 1)[0] in ("N_Q", "N_X", "N_DOWN"):
        found[line.split("=", 1)[0]] = line.split("=", 1)[1]
assert found.get("N_Q") == "" and found.get("N_X") == "@Quit", found
PY
echo "PASS: key_assignments"
