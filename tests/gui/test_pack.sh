#!/usr/bin/env bash
# Packing by keys.  Shift+Home marks a.txt, 日本語.txt and the folder sub in the
# left pane; Z (@Packzip, bound here) offers out\files.zip in the right pane's
# directory and Return packs: the ZIP holds the three entries with sub's file,
# names as UTF-8, the bytes as on disk; U on it (right pane) unpacks into the
# left pane's folder, where 日本語.txt (changed since) and sub\b.txt are still
# there: the copy engine's same-name question comes, "コピーしない" (for all)
# keeps both, a.txt comes back, no staging folder is left, the dialog ends by
# itself and zq.ini keeps the way chosen.  Z again on the same name asks whether
# to add; Escape leaves the archive untouched.  P (@Pack) asks for an LHA
# archive, which our library cannot write: the refusal is a message, and no
# file is made.  At quit zq.ini still binds Z to @Packzip.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin pack
[ -f "$GUI_APP/Unbypass.dll" ] || cp "$ZQ_BUILD/bin/Unbypass.dll" "$GUI_APP/" || gui_fail "no Unbypass.dll to copy"

files="$GUI_DIR/files"
out="$GUI_DIR/out"
mkdir -p "$files/sub" "$out"
printf 'alpha' >"$files/a.txt"
printf 'nihongo' >"$files/日本語.txt"
printf 'bravo' >"$files/sub/b.txt"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$files")" "SECONDDIRECTORY=$(gui_winpath "$out")" \
  "SECONDFILEOPEN=1" "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" \
  "[ALLDATA2]" "SAVE_SAME_FILE_NAME_COPY_WAY=1" "SAME_FILE_NAME_COPY_WAY=6" "[KEYEXEDATA]" "N_Z=@Packzip"
gui_start_zq
sleep 0.5
gui_focus "$GUI_WID"
gui_key shift+Home
dlg="$(gui_keys_until_title '^ZIP圧縮$' z)" || gui_fail "Z did not open the packing dialog"
gui_screenshot pack-dialog >/dev/null
gui_keys_until_gone "$dlg" '^ZIP圧縮$' Return || gui_fail "the packing dialog did not take Return"
[ -f "$out/files.zip" ] || gui_fail "no files.zip in the other pane's directory: $(ls "$out")"
python3 - "$out/files.zip" <<'PY' || gui_fail "files.zip does not hold what was marked"
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
got = {i.filename: z.read(i) for i in z.infolist() if not i.is_dir()}
want = {"a.txt": b"alpha", "日本語.txt": b"nihongo", "sub/b.txt": b"bravo"}
sys.exit(0 if got == want else print(got) or 1)
PY
before="$(md5sum <"$out/files.zip")"

# The archive unpacks back, and the dialog ends by itself: no other part of
# zq holds the library, so the worker is its last user.  The names still in
# the folder are asked about, never overwritten.
rm "$files/a.txt"
printf 'changed' >"$files/日本語.txt"
gui_focus "$GUI_WID"
gui_key Tab
dlg="$(gui_keys_until_title '^ファイルの解凍$' u)" || gui_fail "U on files.zip did not open the unpack dialog"
gui_focus "$dlg"
gui_key Return
way="$(gui_wait_title '^コピー条件$' 20)" || gui_fail "unpacking over taken names did not ask the same-name question"
gui_screenshot pack-unpack-same-name >/dev/null
gui_focus "$way"
gui_key alt+s
xdotool key --clearmodifiers Return
gui_wait_gone '^ファイルの解凍$' 15 || gui_fail "the unpack dialog did not end by itself after unpacking"
[ "$(cat "$files/a.txt" 2>/dev/null)" = "alpha" ] || gui_fail "a.txt did not come back out of files.zip"
[ "$(cat "$files/日本語.txt")" = "changed" ] || gui_fail "unpacking overwrote 日本語.txt although the answer was not to copy"
[ "$(cat "$files/sub/b.txt")" = "bravo" ] || gui_fail "sub/b.txt is not as it was"
[ -z "$(ls -A "$files" | grep '^~zq')" ] || gui_fail "the unpack left its staging folder: $(ls -A "$files")"
gui_focus "$GUI_WID"
gui_key Tab

gui_focus "$GUI_WID"
dlg="$(gui_keys_until_title '^ZIP圧縮$' z)" || gui_fail "Z did not open the packing dialog a second time"
gui_focus "$dlg"
gui_key Return
box="$(gui_wait_box)" || gui_fail "packing onto files.zip did not ask whether to add"
gui_screenshot pack-exists >/dev/null
gui_focus "$box"
gui_key Escape
gui_keys_until_gone "$dlg" '^ZIP圧縮$' Escape || gui_fail "the packing dialog did not close on Escape"
[ "$(md5sum <"$out/files.zip")" = "$before" ] || gui_fail "files.zip changed although adding was refused"

gui_focus "$GUI_WID"
dlg="$(gui_keys_until_title '^LHA圧縮$' p)" || gui_fail "P did not open the LHA packing dialog"
gui_focus "$dlg"
gui_key Return
gui_wait_box >/dev/null || gui_fail "the LHA refusal showed no message"
gui_screenshot pack-lha-refused >/dev/null
gui_answer_boxes_until_gone '^LHA圧縮$' 10 || gui_fail "the LHA dialog stayed open after the message"
[ -z "$(ls "$out" | grep -v '^files\.zip$')" ] || gui_fail "the refused LHA packing left $(ls "$out")"

gui_focus "$GUI_WID"
gui_quit q
[ "$(gui_ini_value KEYEXEDATA N_Z)" = "@Packzip" ] ||
  gui_fail "zq.ini lost the key bound to @Packzip at quit"
[ "$(gui_ini_value ALLDATA2 SAME_FILE_NAME_COPY_WAY)" = "5" ] ||
  gui_fail "zq.ini did not keep the way chosen when unpacking: $(gui_ini_value ALLDATA2 SAME_FILE_NAME_COPY_WAY)"
