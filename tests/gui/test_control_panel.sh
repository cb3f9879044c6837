#!/usr/bin/env bash
# With NEGLECTCPL 0 the control-panel items are read at start:
# "コントロールパネル一覧" lists them, and choosing one opens that applet.
# With the default (NEGLECTCPL 1) the list item is grayed (see test_menus).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin control_panel
gui_write_ini "[ALLDATA]" "NEGLECTCPL=0"
gui_start_zq

# 各種設定(&D): the fourth item is "コントロールパネル一覧"; its list opens at
# the top left of the view with the last item, Wine's game controllers, at the bottom.
before="$(gui_screenshot control_panel-before)"
for try in 1 2 3; do
  gui_focus "$GUI_WID"
  gui_key alt+d Down Down Down Return
  sleep "$try"
  after="$(gui_screenshot control_panel-list)"
  changed="$(compare -metric AE "$before" "$after" null: 2>&1 | cut -d' ' -f1)"
  [ "${changed%.*}" -gt 2000 ] && break
  gui_key Escape Escape
done
[ "${changed%.*}" -gt 2000 ] || gui_fail "コントロールパネル一覧 showed no list ($changed pixels changed)"

applet="$(gui_keys_until_title 'ゲーム コントローラー|Game Controllers' Up Return)" || gui_fail "choosing an item opened no applet"
# The applet is another program: close it, then end zq.
xdotool key --window "$applet" Escape
gui_wait_gone 'ゲーム コントローラー|Game Controllers' 10 || xdotool windowclose "$applet" 2>/dev/null
gui_wait_gone 'ゲーム コントローラー|Game Controllers' 10 || gui_fail "the applet did not close"
gui_quit q
echo "PASS: control_panel"
