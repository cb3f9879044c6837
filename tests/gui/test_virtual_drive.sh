#!/usr/bin/env bash
# "仮想ドライブ設定" from the keyboard (各種設定, the last item): V is ticked
# in the check list, its store (V_Drive.ini: V:\docs with a.txt, and b.txt
# whose real folder has vanished) is loaded at once, and @LogV goes there.
# In V:\docs only a.txt is listed; @Copy copies it to the right pane from its
# real folder, and V shows its text.  Then, in V:\docs, K makes "sub" and D
# deletes a.txt; from the other pane @Copy puts new.txt into V:\docs.  At exit
# VIRTUALDRIVE holds VDRIVE=1 and the store holds sub and new.txt (pointing at
# its real folder) but no a.txt; no real file moved or went.  An unpack into
# V:\docs is refused with a box before anything starts.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin virtual_drive

real="$GUI_DIR/real"
dst="$GUI_DIR/dst"
mkdir -p "$real" "$dst"
printf 'real a\n' >"$real/a.txt"
printf 'real new\n' >"$dst/new.txt"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1], "w").writestr("in.txt", "x")' "$dst/z.zip"
python3 - "$GUI_APP/V_Drive.ini" "$(gui_winpath "$real")" "$(gui_winpath "$GUI_DIR/vanished")" <<'PY'
import sys
lines = ["[DIR]", "00000=V:\\docs", "[FILE]", "F00000=a.txt", "R00000=" + sys.argv[2], "P00000=V:\\docs",
         "F00001=b.txt", "R00001=" + sys.argv[3], "P00001=V:\\docs"]
open(sys.argv[1], "wb").write("".join(l + "\r\n" for l in lines).encode("cp932"))
PY
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$GUI_DIR")" "SECONDDIRECTORY=$(gui_winpath "$dst")" \
  "SECONDFILEOPEN=1" "STARTENDDIR=0" "[KEYEXEDATA]" "N_F8=@LogV" "[VIEWKEYEXEDATA]" "N_X=@Closeviewer"
gui_start_zq
dlg="$(gui_keys_until_title '^仮想ドライブ設定$' alt+d Up Return)" || gui_fail "the virtual drive settings did not open"
gui_focus "$dlg"
# The list starts on "A Drive": V is 21 lines further.
for ((i = 0; i < 21; i++)); do gui_key Down; done
gui_key space
gui_screenshot virtual_drive-settings >/dev/null
gui_key Return
gui_wait_gone '^仮想ドライブ設定$' 10 || gui_fail "the virtual drive settings did not close"
gui_focus "$GUI_WID"
gui_key F8
gui_expect_title '^V:\(仮想ドライブ\)' "@LogV after enabling V"
gui_key Return
gui_expect_title '^V:\\docs\(仮想ドライブ\)' "Return on docs"
sleep 0.5
gui_screenshot virtual_drive-docs >/dev/null
# ".", "..", a.txt (the cursor starts on ".."): b.txt, whose real folder is gone, is not listed.
gui_key Down
dlg="$(gui_keys_until_title '^ファイルのコピー$' c)" || gui_fail "the copy dialog did not appear"
gui_focus "$dlg"
gui_key Return
gui_wait_gone '^ファイルのコピー$' 30 || gui_fail "the copy dialog did not close"
[ "$(cat "$dst/a.txt" 2>/dev/null)" = "real a" ] || gui_fail "a.txt did not arrive from its real folder"
[ ! -e "$dst/b.txt" ] || gui_fail "b.txt, whose real folder vanished, was copied"
[ "$(cat "$real/a.txt")" = "real a" ] || gui_fail "the real a.txt changed"
# V views the file under the cursor: the Viewer reads it from its real folder.
gui_focus "$GUI_WID"
gui_key v
gui_expect_title "^$(gui_winpath "$real" | sed 's/\\/\\\\/g')\\\\a\.txt - zq\$" "V on a.txt of the virtual drive"
gui_screenshot virtual_drive-viewer >/dev/null
gui_key x
gui_expect_title '^V:\\docs\(仮想ドライブ\)' "closing the Viewer"

# The cursor is still on a.txt: D forgets it (the real file stays), K makes a directory of the list.
dlg="$(gui_keys_until_title '^ファイルの削除$' d)" || gui_fail "the delete dialog did not appear"
gui_focus "$dlg"
gui_key Return
gui_wait_gone '^ファイルの削除$' 20 || gui_fail "the delete dialog did not close"
gui_focus "$GUI_WID"
dlg="$(gui_keys_until_title '^ディレクトリの作成$' k)" || gui_fail "K did not open the directory dialog"
gui_focus "$dlg"
gui_type 'sub'
gui_keys_until_gone "$dlg" '^ディレクトリの作成$' Return || gui_fail "the directory dialog did not take Return"
# The other pane holds a.txt (copied above) and new.txt; its cursor is on "..".
gui_focus "$GUI_WID"
gui_key Tab Down Down
dlg="$(gui_keys_until_title '^ファイルのコピー$' c)" || gui_fail "the copy dialog into V: did not appear"
gui_focus "$dlg"
gui_key Return
gui_wait_gone '^ファイルのコピー$' 30 || gui_fail "the copy dialog into V: did not close"
gui_focus "$GUI_WID"
gui_key Tab
sleep 0.5
gui_screenshot virtual_drive-edited >/dev/null
# Back in the other pane, the cursor on new.txt: Down to z.zip, U, and V:\docs typed as the destination.
gui_key Tab Down
dlg="$(gui_keys_until_title '^ファイルの解凍$' u)" || gui_fail "U on z.zip did not open the unpack dialog"
gui_focus "$dlg"
gui_key ctrl+a
gui_type 'V:\docs'
gui_key Return
box="$(gui_wait_box 5)" || gui_fail "an unpack into V:\docs was not refused"
gui_screenshot virtual_drive-unpack-refused >/dev/null
gui_focus "$box"
gui_key Return
for ((i = 0; i < 50; i++)); do [ -z "$(gui_boxes)" ] && break; sleep 0.1; done
[ -z "$(gui_boxes)" ] || gui_fail "the refusal box did not close on Return"
[ -n "$(gui_visible '^ファイルの解凍$')" ] || gui_fail "the unpack dialog closed after the refusal"
gui_focus "$dlg"
gui_keys_until_gone "$dlg" '^ファイルの解凍$' Escape || gui_fail "the unpack dialog did not close on Escape"
gui_focus "$GUI_WID"
gui_quit alt+f x

[ "$(gui_ini_value VIRTUALDRIVE VDRIVE)" = "1" ] || gui_fail "VDRIVE is '$(gui_ini_value VIRTUALDRIVE VDRIVE)'"
[ "$(gui_ini_value VIRTUALDRIVE ADRIVE)" = "0" ] || gui_fail "ADRIVE is '$(gui_ini_value VIRTUALDRIVE ADRIVE)'"
store="$(python3 -c 'import sys; print(open(sys.argv[1], "rb").read().decode("utf-16"))' "$GUI_APP/V_Drive.ini")" ||
  gui_fail "the store was not saved as zq writes its files"
python3 - "$store" "$(gui_winpath "$dst")" <<'PY' || gui_fail "the store does not hold what was done in V:: $store"
import sys
keys = dict(l.split("=", 1) for l in sys.argv[1].replace("\r", "").split("\n") if "=" in l)
files = {keys[k]: (keys.get("R" + k[1:]), keys.get("P" + k[1:])) for k in keys if k.startswith("F")}
dirs = {v.lower() for k, v in keys.items() if k.isdigit()}
ok = files.get("new.txt") == (sys.argv[2], "V:\\docs") and "a.txt" not in files and "v:\\docs\\sub" in dirs
sys.exit(0 if ok else 1)
PY
[ "$(cat "$real/a.txt" 2>/dev/null)" = "real a" ] || gui_fail "deleting a.txt in V: touched the real file"
[ "$(cat "$dst/new.txt" 2>/dev/null)" = "real new" ] || gui_fail "copying new.txt into V: moved the real file"
[ ! -e "$dst/in.txt" ] && [ ! -e "$GUI_DIR/in.txt" ] || gui_fail "the refused unpack wrote in.txt"
echo "PASS: virtual_drive"
