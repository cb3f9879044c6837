#!/usr/bin/env bash
# A plug-in that never returns on a thumbnail.  V switches thumbnails on for
# a folder whose first picture makes the x64 test plug-in sleep for good (full
# decoding is on, so GetPicture is called).  The settings dialog waits for
# the loader to pause; instead of waiting for good, zq disables the plug-in
# after its limit, says so, and opens the dialog.  The quit then ends zq
# although the loader is still held by the plug-in.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin thumbnail_hang
gui_add_rle_plugin
files="$GUI_DIR/pics"
mkdir -p "$files"
gui_hanging_picture "$files/a_hang.zqr"
winfiles="$(gui_winpath "$files")"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$winfiles" "SECONDDIRECTORY=$(gui_winpath "$GUI_DIR")" \
  "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" "HIGHLOADSPI=1" \
  "[ALLDATA2]" "PREVIEW_USE_GET_PICTURE=1" "[KEYEXEDATA]" "N_V=@PreviewEnable"
gui_start_zq

gui_focus "$GUI_WID"
gui_key v
sleep 1
gui_key alt+d Up Up Up Up Up Return
gui_wait_box 30 >/dev/null || gui_fail "no message that the plug-in does not answer"
gui_screenshot thumbnail-hang-message >/dev/null
dlg=""
for ((i = 0; i < 40; i++)); do
  gui_answer_boxes
  dlg="$(gui_visible '^画像表示の設定$')" && [ -n "$dlg" ] && break
done
[ -n "$dlg" ] || gui_fail "the settings dialog did not open after the message"
gui_keys_until_gone "$dlg" '^画像表示の設定$' Escape || gui_fail "the settings dialog did not take Escape"
gui_quit alt+f x
[ "$(gui_ini_value LOAD_PREVIEW DIR0)" == "$winfiles" ] || gui_fail "the thumbnail folder was not recorded at quit"
echo "PASS: thumbnail_hang"
