#!/usr/bin/env bash
# The unpack settings, reached from the Filer's settings menu by keys.  Down
# in the family list goes from the LHA family to ZIP, whose switches show
# as check boxes: space turns "-o" on and "-qq" off, a library path is
# typed and OK closes the dialog.  At quit UNPACKDATA holds the two switches
# and the path.  Opened again and left with Escape, nothing changes.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin unpack_settings

gui_write_ini "[UNPACKDATA]" "UNPACK0100=0" "UNPACK0101=1"
open_settings() {
  gui_focus "$GUI_WID"
  DLG="$(gui_keys_until_title '^解凍設定$' alt+d Up Up Up Up Up Up Return)" || gui_fail "the settings menu did not open 解凍設定"
  gui_focus "$DLG"
}

gui_start_zq
open_settings
gui_key Down
sleep 0.3
gui_key Tab space Tab space Tab Tab
gui_type 'C:\arc\Unbypass.dll'
sleep 0.3
gui_screenshot unpack-settings >/dev/null
gui_keys_until_gone "$DLG" '^解凍設定$' Return || gui_fail "Return did not close 解凍設定"
open_settings
gui_key Down space
gui_keys_until_gone "$DLG" '^解凍設定$' Escape || gui_fail "Escape did not close 解凍設定"
gui_quit q
[ "$(gui_ini_value UNPACKDATA UNPACK0100)" = 1 ] || gui_fail "UNPACK0100 is '$(gui_ini_value UNPACKDATA UNPACK0100)'"
[ "$(gui_ini_value UNPACKDATA UNPACK0101)" = 0 ] || gui_fail "UNPACK0101 is '$(gui_ini_value UNPACKDATA UNPACK0101)'"
[ "$(gui_ini_value UNPACKDATA UNBYPASS_DLL_PATH)" = 'C:\arc\Unbypass.dll' ] ||
  gui_fail "UNBYPASS_DLL_PATH is '$(gui_ini_value UNPACKDATA UNBYPASS_DLL_PATH)'"
echo "PASS: unpack_settings"
