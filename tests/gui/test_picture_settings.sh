#!/usr/bin/env bash
# The picture settings dialog, reached from the Filer's settings menu by keys.
# Space in the image plug-in list switches ifwic.sph off, the fast loading
# mode goes to "有効(新しいSPIは読み込む)", a temporary directory is typed and
# OK closes the dialog: at quit SUSIEDATA holds the whole record of the
# disabled plug-in and the directory, ALLDATA HIGHLOADSPI=1.  A second run
# types an empty folder as the Susie directory and presses "再読み込み": the
# list empties and the saved list holds no plug-in.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin picture_settings
[ -f "$GUI_APP/spi/ifwic.sph" ] || gui_fail "the program's spi folder holds no ifwic.sph"
# The records below are those of the image plug-in alone.
rm -f "$GUI_APP/spi/axzip.sph"
tmpdir="$GUI_DIR/tmp"
mkdir -p "$tmpdir" "$GUI_DIR/nospi"
wintmp="$(gui_winpath "$tmpdir")"

open_settings() {
  gui_focus "$GUI_WID"
  # The item stands just above the last one of the menu.
  DLG="$(gui_keys_until_title '^画像表示の設定$' alt+d Up Up Up Up Up Return)" || gui_fail "the settings menu did not open the dialog"
  gui_focus "$DLG"
}

gui_start_zq
open_settings
# The focus starts in the Susie directory: Tab to the temporary directory, then to the image list.
gui_key Tab Tab Tab
gui_type "$wintmp"
gui_key Tab space
# Through the two buttons beside the image list and the archive list with its two buttons to the mode group.
gui_key Tab Tab Tab Tab Tab Tab Down
gui_screenshot picture-settings >/dev/null
gui_keys_until_gone "$DLG" '^画像表示の設定$' Return || gui_fail "Return did not close the dialog"
gui_quit alt+f x
[ "$(gui_ini_value ALLDATA HIGHLOADSPI)" == 1 ] || gui_fail "HIGHLOADSPI is '$(gui_ini_value ALLDATA HIGHLOADSPI)'"
[ "$(gui_ini_value SUSIEDATA TEMPDIRECTORY)" == "$wintmp" ] ||
  gui_fail "TEMPDIRECTORY is '$(gui_ini_value SUSIEDATA TEMPDIRECTORY)'"
record="$(gui_ini_value SUSIEDATA PLUGINFILE0)"
[[ "$record" == ifwic.sph,00IN,*\*.png*,* ]] || gui_fail "PLUGINFILE0 is '$record', not the disabled whole record"
[ -z "$(gui_ini_value SUSIEDATA PLUGINFILE1)" ] || gui_fail "a second plug-in was stored"

gui_start_zq
open_settings
nospi="$(gui_winpath "$GUI_DIR/nospi")"
gui_type "$nospi"
# Space on "再読み込み", then Tab off the button so that Return means OK.
gui_key Tab Tab space Tab
sleep 0.5
gui_screenshot picture-settings-rescanned >/dev/null
gui_keys_until_gone "$DLG" '^画像表示の設定$' Return || gui_fail "Return did not close the dialog after the rescan"
gui_quit alt+f x
[ "$(gui_ini_value SUSIEDATA SUSIEDIRECTORY)" == "$nospi" ] ||
  gui_fail "SUSIEDIRECTORY is '$(gui_ini_value SUSIEDATA SUSIEDIRECTORY)'"
[ -z "$(gui_ini_value SUSIEDATA PLUGINFILE0)" ] || gui_fail "the empty folder's rescan kept '$(gui_ini_value SUSIEDATA PLUGINFILE0)'"
echo "PASS: picture_settings"
