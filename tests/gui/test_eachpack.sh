#!/usr/bin/env bash
# Packing each entry into an archive of its own by keys.  Shift+Home marks
# the folder d, e.txt and e.doc; W (@Eachpackzip, bound here) asks for the
# folder, offering the right pane's, and Return writes d.zip, e.zip and, as
# the stems of e.txt and e.doc meet, the second of them under its whole name
# (e.doc.zip or e.txt.zip): each holds its one entry with the bytes on disk.  At quit zq.ini still binds W to @Eachpackzip.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin eachpack
[ -f "$GUI_APP/Unbypass.dll" ] || cp "$ZQ_BUILD/bin/Unbypass.dll" "$GUI_APP/" || gui_fail "no Unbypass.dll to copy"

files="$GUI_DIR/files"
out="$GUI_DIR/out"
mkdir -p "$files/d" "$out"
printf 'text' >"$files/e.txt"
printf 'doc' >"$files/e.doc"
printf 'deep' >"$files/d/x.txt"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$files")" "SECONDDIRECTORY=$(gui_winpath "$out")" \
  "SECONDFILEOPEN=1" "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" "[KEYEXEDATA]" "N_W=@Eachpackzip"
gui_start_zq
sleep 0.5
gui_focus "$GUI_WID"
gui_key shift+Home
dlg="$(gui_keys_until_title '^ファイルごとにZIP圧縮$' w)" || gui_fail "W did not open the each-entry packing dialog"
gui_screenshot eachpack-dialog >/dev/null
gui_keys_until_gone "$dlg" '^ファイルごとにZIP圧縮$' Return || gui_fail "the each-entry packing dialog did not take Return"
python3 - "$out" <<'PY' || gui_fail "the archives of each entry are not as marked: $(ls "$out")"
import os, sys, zipfile
out = sys.argv[1]
got = {}
for name in sorted(os.listdir(out)):
    z = zipfile.ZipFile(os.path.join(out, name))
    got[name] = {i.filename: z.read(i) for i in z.infolist() if not i.is_dir()}
# Which of e.txt and e.doc takes e.zip follows the pane's order.
want = [{"d.zip": {"d/x.txt": b"deep"}, "e.zip": {first: data[first]}, second + ".zip": {second: data[second]}}
        for data in [{"e.txt": b"text", "e.doc": b"doc"}] for first, second in [("e.txt", "e.doc"), ("e.doc", "e.txt")]]
sys.exit(0 if got in want else print(got) or 1)
PY

gui_focus "$GUI_WID"
gui_quit q
[ "$(gui_ini_value KEYEXEDATA N_W)" = "@Eachpackzip" ] || gui_fail "zq.ini lost the key bound to @Eachpackzip at quit"
