#!/usr/bin/env bash
# The companion library's directory tree and launcher, driven by keys.  A key
# bound to @Dirtreeview shows "ディレクトリツリー" opened at the pane's folder;
# Right opens that folder, Down goes to its first sub-folder and Return takes
# the pane there.  With SAVEDRIVETREETOFILE the folders read are in
# ZqDirTree.dat beside the program after quit.  @Drivetreeview shows
# "ドライブツリー" (so does @Dirchangedlg) and Escape leaves the pane where it was.  A key bound to
# @Lancher shows "ランチャー"; the key of an entry runs its program in the
# entry's working directory (cmd.exe writes a file there); an entry added in
# the dialog reaches LANCHER in zq.ini.  With DRIVE_LIST_ON_HEADER the
# header's drive row marks the pane's drive; a click on "C:" there takes the
# pane to C:.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin tree_launcher

tree="$GUI_DIR/files/tree"
work="$GUI_DIR/files/work"
mkdir -p "$tree/alpha/deep" "$tree/beta" "$work"
wintree="$(gui_winpath "$tree")"
winwork="$(gui_winpath "$work")"
ini=("[ALLDATA]" "FIRSTDIRECTORY=$wintree" "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" "SAVEDRIVETREETOFILE=1"
  "FONTHEIGHT=-16" "STARTSIZE=5" "FIRSTWIDE=1200" "FIRSTHEIGHT=600" "[ALLDATA2]" "DRIVE_LIST_ON_HEADER=1" "[COLORDATA]" "INTRO_VOLUME_COLOR=ff00ff"
  "[KEYEXEDATA]" "N_T=@Dirtreeview" "N_U=@Drivetreeview" "N_K=@Dirchangedlg" "N_L=@Lancher"
  "[LANCHER]" "EXE0=cmd.exe" "PAR0=/c echo launched>launched.txt" "KEY0=G" "EXE_DIR0=$winwork")
gui_write_ini "${ini[@]}"
gui_start_zq
gui_expect_title 'tree - zq$' "zq did not start in the tree folder"

dlg="$(gui_keys_until_title '^ディレクトリツリー$' t)" || gui_fail "@Dirtreeview showed no tree"
gui_focus "$dlg"
gui_key Right
sleep 0.3
gui_key Down
gui_screenshot tree_launcher-1-tree >/dev/null
gui_keys_until_gone "$dlg" '^ディレクトリツリー$' Return || gui_fail "the tree did not take Return"
gui_expect_title 'tree\\alpha - zq$' "Return in the tree did not take the pane to alpha"

dlg="$(gui_keys_until_title '^ドライブツリー$' u)" || gui_fail "@Drivetreeview showed no tree"
gui_keys_until_gone "$dlg" '^ドライブツリー$' Escape || gui_fail "the drive tree did not close on Escape"
gui_expect_title 'tree\\alpha - zq$' "Escape in the drive tree moved the pane"
dlg="$(gui_keys_until_title '^ドライブツリー$' k)" || gui_fail "@Dirchangedlg showed no tree"
gui_keys_until_gone "$dlg" '^ドライブツリー$' Escape || gui_fail "@Dirchangedlg's tree did not close on Escape"

dlg="$(gui_keys_until_title '^ランチャー$' l)" || gui_fail "@Lancher showed no launcher"
gui_keys_until_gone "$dlg" '^ランチャー$' g || gui_fail "the entry's key did not close the launcher"
for ((i = 0; i < 50; i++)); do [ -s "$work/launched.txt" ] && break; sleep 0.2; done
grep -q launched "$work/launched.txt" 2>/dev/null || gui_fail "the entry's program did not run in its directory"

dlg="$(gui_keys_until_title '^ランチャー$' l)" || gui_fail "@Lancher did not show again"
gui_focus "$dlg"
gui_key alt+a
entry="$(gui_wait_title '^ランチャーの項目$' 10)" || gui_fail "追加 showed no entry dialog"
gui_focus "$entry"
gui_type "notepad.exe"
gui_key Tab Tab Tab
gui_type "F5"
gui_keys_until_gone "$entry" '^ランチャーの項目$' Return || gui_fail "the entry dialog did not take Return"
gui_screenshot tree_launcher-2-launcher >/dev/null
gui_keys_until_gone "$dlg" '^ランチャー$' Escape || gui_fail "the launcher did not close on Escape"
gui_focus "$GUI_WID"

# The marked letter is the only solid block of its colour (the captions in it
# are thin strokes, which an erosion takes away); the letters stand three
# half-width characters (8 pixels at this font) apart, in drive order.
sleep 1
shot="$(gui_screenshot tree_launcher-3-header)"
box="$(convert "$shot" -fill black +opaque 'rgb(255,0,255)' -fill white -opaque 'rgb(255,0,255)' \
  -morphology Erode Square:1 -format '%@' info:)"
IFS='x+' read -r bw bh bx by <<<"$box"
[ "${bw:-0}" -gt 4 ] && [ "${bw:-0}" -lt 40 ] || gui_fail "no marked drive letter in the header ($box)"
letters="$(ls "$WINEPREFIX/dosdevices" | grep -E '^[a-z]:$' | tr -d ':' | sort | tr -d '\n')"
current="${letters%%z*}"
[ "${letters:0:1}" = c ] || gui_fail "drives are '$letters': C: is not the first letter of the row"
xdotool mousemove $((bx + bw / 2 - ${#current} * 24)) $((by + bh / 2)) click 1
gui_expect_title '^C:' "a click on C: in the header's drive row"
gui_quit q

[ "$(gui_ini_value LANCHER EXE1)" = "notepad.exe" ] || gui_fail "the added entry is not in zq.ini"
[ "$(gui_ini_value LANCHER KEY1)" = "F5" ] || gui_fail "the added entry's key is not in zq.ini"
[ "$(gui_ini_value LANCHER EXE0)" = "cmd.exe" ] || gui_fail "the first entry was lost"
TREE="$GUI_APP/ZqDirTree.dat" DIR="$wintree" python3 - <<'PY' || gui_fail "ZqDirTree.dat does not hold the folders read"
import os, sys
text = open(os.environ["TREE"], "rb").read().decode("utf-16")
lines = {l.split("\t")[0].lower(): l.split("\t")[1:] for l in text.splitlines() if l}
sys.exit(0 if lines.get(os.environ["DIR"].lower()) == ["alpha", "beta"] else 1)
PY
echo "PASS: tree_launcher"
