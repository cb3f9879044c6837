#!/usr/bin/env bash
# zq starts, shows its main window with the two panes, and ends cleanly when
# asked from the keyboard: Alt+F, the exit item, then the quit question.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin start_and_close
gui_start_zq
title="$(xdotool getwindowname "$GUI_WID")"
[[ "$title" == *" - zq" ]] || gui_fail "title '$title' does not end with ' - zq'"
read -r x y w h < <(gui_geometry "$GUI_WID")
[ "$w" -ge 200 ] && [ "$h" -ge 150 ] || gui_fail "main window too small: ${w}x${h}"
shot="$(gui_screenshot start_and_close)"
# The panes are drawn: the screenshot is not one flat colour.
colours="$(convert "$shot" -format '%k' info:)"
[ "$colours" -ge 3 ] || gui_fail "the window looks empty ($colours colours)"
dlg="$(gui_keys_until_title '^終了しますか$' alt+f x)" || gui_fail "the quit dialog did not appear"
gui_screenshot start_and_close-quit-dialog >/dev/null
gui_keys_until_gone "$dlg" '^終了しますか$' Return || gui_fail "the quit question did not take Return"
gui_wait_exit 15 || gui_fail "zq did not end after the exit command"
[ "$GUI_EXIT" -eq 0 ] || gui_fail "zq ended with exit code $GUI_EXIT"
echo "PASS: start_and_close"
