#!/usr/bin/env bash
# Synchronised copy with an archive as the source side, by keys.  The left
# pane enters t.zip (Return), the right pane shows out/, which holds an older
# old.txt and a newer new.txt than the archive's.  From the folder docs inside
# the archive F5 (@Syncrocopyex) is refused with a message; from the
# archive's top it asks "同期方法" (No), and "ファイルの同期" runs on Return:
# old.txt comes out of the archive over the older file, new.txt goes into the
# archive, docs/only.txt (missing on the right, answered No) stays in.  At quit
# the directory synchronised with heads SELECTDIR in zq.ini.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin synccopy_archive
[ -f "$GUI_APP/Unbypass.dll" ] || cp "$ZQ_BUILD/bin/Unbypass.dll" "$GUI_APP/" || gui_fail "no Unbypass.dll to copy"

files="$GUI_DIR/files"
out="$GUI_DIR/out"
mkdir -p "$files" "$out"
python3 - "$files" <<'PY'
import sys, zipfile
d = sys.argv[1]
with zipfile.ZipFile(d + "/t.zip", "w", zipfile.ZIP_DEFLATED) as z:
    for name, data, when in (("old.txt", b"old-in-zip", (2022, 6, 1, 12, 0, 0)),
                             ("new.txt", b"new-in-zip", (2018, 6, 1, 12, 0, 0)),
                             ("docs/only.txt", b"only", (2020, 6, 1, 12, 0, 0))):
        z.writestr(zipfile.ZipInfo(name, when), data)
PY
printf 'old-on-disk' >"$out/old.txt"
printf 'new-on-disk' >"$out/new.txt"
touch -d '2015-01-01 00:00:00' "$out/old.txt"
touch -d '2024-01-01 00:00:00' "$out/new.txt"

gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$files")" "SECONDDIRECTORY=$(gui_winpath "$out")" \
  "SECONDFILEOPEN=1" "NOTVIEWUPDIR=0" "NOTVIEWCURRENTDIR=1" "[KEYEXEDATA]" "N_F5=@Syncrocopyex"
gui_start_zq
sleep 0.5
gui_focus "$GUI_WID"
# "..", "t.zip": into the archive, then into its folder docs ("..", "docs", "new.txt", "old.txt").
gui_key Down Return
gui_expect_title 't\.zip - zq$' "Return on the ZIP"
gui_key Down Return
gui_expect_title 't\.zip\\docs - zq$' "Return on the folder docs"

box="$(gui_keys_until_title '^同期方法$' F5)" || gui_fail "F5 in the archive did not ask how to synchronise"
gui_keys_until_gone "$box" '^同期方法$' n || gui_fail "the question did not take No"
gui_wait_box >/dev/null || gui_fail "no message for a folder inside the archive"
gui_screenshot synccopy-archive-not-top >/dev/null
gui_answer_boxes_until_gone '^ファイルの同期$' 10 || gui_fail "the dialog stayed open after the message"
[ "$(cat "$out/old.txt")" = "old-on-disk" ] || gui_fail "something was copied from inside a folder of the archive"

gui_focus "$GUI_WID"
gui_key BackSpace
gui_expect_title 't\.zip - zq$' "BackSpace to the archive's top"
box="$(gui_keys_until_title '^同期方法$' F5)" || gui_fail "F5 at the archive's top did not ask"
gui_keys_until_gone "$box" '^同期方法$' n || gui_fail "the question did not take No"
dlg="$(gui_wait_title '^ファイルの同期$' 20)" || gui_fail "the synchronise dialog did not open"
gui_wait_visible '^ファイルの同期$' >/dev/null || gui_fail "the synchronise dialog is not shown"
gui_screenshot synccopy-archive-dialog >/dev/null
gui_keys_until_gone "$dlg" '^ファイルの同期$' Return || gui_fail "the synchronise dialog did not run and close"

[ "$(cat "$out/old.txt")" = "old-in-zip" ] || gui_fail "the archive's newer old.txt did not come out"
[ "$(cat "$out/new.txt")" = "new-on-disk" ] || gui_fail "the newer file on disk was overwritten"
[ ! -e "$out/docs/only.txt" ] || gui_fail "docs/only.txt came out although the question was answered No"
python3 - "$files/t.zip" <<'PY' || gui_fail "the archive after the run is not as expected"
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    names = {i.filename.replace("\\", "/"): i for i in z.infolist()}
    assert z.read("new.txt") == b"new-on-disk", z.read("new.txt")
    assert z.read("old.txt") == b"old-in-zip"
    assert z.read("docs/only.txt") == b"only"
PY

gui_focus "$GUI_WID"
gui_quit q
[ "$(gui_ini_value SELECTDIR TODIR0)" = "$(gui_winpath "$out")" ] ||
  gui_fail "SELECTDIR TODIR0 is '$(gui_ini_value SELECTDIR TODIR0)', not the synchronised directory"
gui_end
