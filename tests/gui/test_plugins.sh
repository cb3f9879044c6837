#!/usr/bin/env bash
# Plug-ins and new files, by keys.  zq.ini lists our test plug-in under
# "#ZQTEST" and puts it on Y; with one file marked, Y runs it and the file it
# writes holds both panes: the focused listing with its entries and mark, the
# other pane's directory.  U is @Makenewfile01 on a "NullFile" row: twice
# pressed, it makes "新規テキスト.txt" and then "新規テキスト(2).txt", both
# empty, and the first is not overwritten.  The plug-in settings dialog,
# the last item of "各種設定(&D)", takes a new plug-in directory; at quit
# zq.ini holds it with the plug-in's record.  A second start with an
# extension row "#ZQTEST,ZQTEST.DLL" for "plg" runs the plug-in on Return.
# A third with the list switched off (ZQPLUGINLOADTYPE=0) must keep the
# plug-in's record in zq.ini at quit.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin plugins

files="$GUI_DIR/files"
other="$GUI_DIR/other"
mkdir -p "$files" "$other"
printf 'a' >"$files/a.txt"
printf 'b' >"$files/b.txt"
winfiles="$(gui_winpath "$files")"
export ZQTEST_PLUGIN_OUT="$(gui_winpath "$GUI_DIR/given.txt")"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$winfiles" "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" "ZQPLUGINLOADTYPE=1" \
  "SECONDDIRECTORY=$(gui_winpath "$other")" \
  "[KEYEXEDATA]" "N_Y=#ZQTEST,ZQTEST.DLL" "N_U=@Makenewfile01" \
  "[PLUGINDATA]" "PLUGINDIR=$(gui_winpath "$GUI_APP/plugins")" "P_NAME0=zqtest.dll" "P_VER0=101" "P_TYPE0=TST" \
  "P_VIEWKEY0=テスト" "P_KEYSTR0=#ZQTEST" "P_VIEWMENU0=1" \
  "[MAKENEWFILE]" "KIND0=txt" "DISPLAY0=テキスト" "SHELLNEW0=NullFile"
gui_start_zq

# The cursor is on a.txt: Space marks it and moves on.
gui_key space
for try in 1 2 3; do
  gui_focus "$GUI_WID"
  gui_key y
  for i in $(seq 1 30); do [ -s "$GUI_DIR/given.txt" ] && break 2; sleep 0.1; done
done
[ -s "$GUI_DIR/given.txt" ] || gui_fail "Y did not run the plug-in"
given="$(tr -d '\r' <"$GUI_DIR/given.txt")"
for line in "key=#ZQTEST" "focused.directory=$winfiles" "focused.entry=a.txt *" "focused.entry=b.txt" \
  "focused.counts=2,1,0" "other.directory=$(gui_winpath "$other")" "window=yes"; do
  grep -qxF -- "$line" <<<"$given" || gui_fail "the plug-in was not handed '$line'; it got: $given"
done

gui_key u
for i in $(seq 1 50); do [ -e "$files/新規テキスト.txt" ] && break; sleep 0.1; done
[ -e "$files/新規テキスト.txt" ] || gui_fail "U made no 新規テキスト.txt"
printf 'kept' >"$files/新規テキスト.txt"
gui_focus "$GUI_WID"
gui_key u
for i in $(seq 1 50); do [ -e "$files/新規テキスト(2).txt" ] && break; sleep 0.1; done
[ -e "$files/新規テキスト(2).txt" ] || gui_fail "the second U made no 新規テキスト(2).txt"
[ ! -s "$files/新規テキスト(2).txt" ] || gui_fail "新規テキスト(2).txt is not empty"
[ "$(cat "$files/新規テキスト.txt")" = kept ] || gui_fail "the second U overwrote 新規テキスト.txt"

dlg="$(gui_keys_until_title '^プラグインの設定$' alt+d Up Up Up Return)" || gui_fail "the plug-in settings dialog did not open"
gui_screenshot plugins-settings >/dev/null
gui_focus "$dlg"
gui_key Tab ctrl+a
gui_type 'C:\plug-test'
gui_keys_until_gone "$dlg" '^プラグインの設定$' Return || gui_fail "the plug-in settings dialog did not take Return"

gui_focus "$GUI_WID"
gui_quit q
[ "$(gui_ini_value PLUGINDATA PLUGINDIR)" = 'C:\plug-test' ] || gui_fail "PLUGINDIR was not written back"
[ "$(gui_ini_value PLUGINDATA P_NAME0)" = zqtest.dll ] || gui_fail "the plug-in record was not written back"
[ "$(gui_ini_value PLUGINDATA P_KEYSTR0)" = '#ZQTEST' ] || gui_fail "P_KEYSTR0 was not written back"
[ "$(gui_ini_value ALLDATA ZQPLUGINLOADTYPE)" = 1 ] || gui_fail "ZQPLUGINLOADTYPE was not written back as 1"

records=("[PLUGINDATA]" "PLUGINDIR=$(gui_winpath "$GUI_APP/plugins")" "P_NAME0=zqtest.dll" "P_VER0=101"
  "P_TYPE0=TST" "P_VIEWKEY0=テスト" "P_KEYSTR0=#ZQTEST" "P_VIEWMENU0=1")
plg="$GUI_DIR/plg"
mkdir -p "$plg"
printf 'x' >"$plg/x.plg"
rm -f "$GUI_DIR/given.txt"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$plg")" "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" \
  "ZQPLUGINLOADTYPE=1" "[KINDEXEDATA]" "KINDEXENAME0=plg" "KINDEXE0=#ZQTEST,ZQTEST.DLL" "${records[@]}"
gui_start_zq
for try in 1 2 3; do
  gui_focus "$GUI_WID"
  gui_key Return
  for i in $(seq 1 30); do [ -s "$GUI_DIR/given.txt" ] && break 2; sleep 0.1; done
done
grep -qxF -- "focused.entry=x.plg" <(tr -d '\r' <"$GUI_DIR/given.txt" 2>/dev/null) ||
  gui_fail "Return on x.plg did not run the plug-in of its extension row"
gui_quit q

gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$plg")" "ZQPLUGINLOADTYPE=0" "${records[@]}"
gui_start_zq
gui_quit q
[ "$(gui_ini_value PLUGINDATA P_NAME0)" = zqtest.dll ] || gui_fail "switched off, the plug-in record was dropped at quit"
[ "$(gui_ini_value PLUGINDATA P_KEYSTR0)" = '#ZQTEST' ] || gui_fail "switched off, P_KEYSTR0 was dropped at quit"
gui_end
