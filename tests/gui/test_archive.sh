#!/usr/bin/env bash
# An archive entered like a folder, driven by keys.  The left pane lists a
# folder holding one ZIP whose member has a Japanese name in a sub-folder.
# Return on the ZIP enters it (the title shows the archive), Down and Return
# walk into the sub-folder, U unpacks only the member under the cursor into
# the right pane's folder, V shows the member in the Viewer (Ctrl+A, Ctrl+C
# copies its whole text), and ".." twice leaves the archive with the cursor
# on it again: one more Return enters it once more.  Out again, U on the ZIP
# opens "ファイルの解凍" with the right pane's folder as destination, and Return
# unpacks it there: the ZIP holds top.txt twice, which a box tells, and the
# files on disk equal the members (the later top.txt).  After quitting, the
# destination heads the directory history in zq.ini.  Screenshots of the
# steps stay in build/screenshots.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin archive
# The archiver library is found beside the program.
[ -f "$GUI_APP/Unbypass.dll" ] || cp "$ZQ_BUILD/bin/Unbypass.dll" "$GUI_APP/" || gui_fail "no Unbypass.dll to copy"

files="$GUI_DIR/files"
mkdir -p "$files" "$GUI_DIR/out"
python3 - "$files" <<'PY'
import sys, zipfile
d = sys.argv[1]
with zipfile.ZipFile(d + "/t.zip", "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("docs/日本語メモ.txt", "一行目 archive member\r\n二行目\r\n".encode("cp932"))
    # An archive may hold one name twice: the later member is the one kept.
    z.writestr("top.txt", b"older copy\r\n")
    z.writestr("top.txt", b"top level\r\n")
PY
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$files")" "SECONDDIRECTORY=$(gui_winpath "$GUI_DIR/out")" \
  "SECONDFILEOPEN=1" "NOTVIEWUPDIR=0" "NOTVIEWCURRENTDIR=1" "[ALLDATA2]" "DISABLETWIN=1" \
  "[VIEWKEYEXEDATA]" "N_X=@Closeviewer"
gui_start_zq

shot() { gui_screenshot "archive-$1" >/dev/null; }

sleep 0.5
gui_focus "$GUI_WID"
# The cursor starts on "..", the ZIP is the next line.
gui_key Down Return
gui_expect_title 't\.zip - zq$' "Return on the ZIP"
shot root
# "..", "docs", "top.txt": the folder comes only from the member's path.
gui_key Down Return
gui_expect_title 't\.zip\\docs - zq$' "Return on the folder docs"
shot docs

# U on the member unpacks it, with its folder, into the right pane's folder.
gui_key Down
w="$(gui_keys_until_title '^ファイルの解凍$' u)" || gui_fail "U in the archive did not open the unpack dialog"
gui_keys_until_gone "$w" '^ファイルの解凍$' Return || gui_fail "the unpack dialog for a member did not end after Return"
[ -f "$GUI_DIR/out/docs/日本語メモ.txt" ] && [ ! -e "$GUI_DIR/out/top.txt" ] ||
  gui_fail "U on one member left: $(cd "$GUI_DIR/out" && find . | tr '\n' ' ')"
rm -rf "$GUI_DIR/out/docs"
gui_focus "$GUI_WID"

gui_key v
sleep 1
shot viewer
text=""
for try in 1 2 3; do
  gui_focus "$GUI_WID"
  gui_key ctrl+a ctrl+c
  sleep 0.5
  text="$(gui_clipboard | tr -d '\r')"
  [ -n "$text" ] && break
done
[ "$text" = $'一行目 archive member\n二行目' ] || gui_fail "the member copied from the Viewer as '$text'"
gui_key x
sleep 0.5

# Up to "..", out to the root (cursor on docs), then out of the archive.
gui_key Up Return
gui_expect_title 't\.zip - zq$' "'..' in docs"
gui_key Up Return
gui_expect_title 'files - zq$' "'..' at the archive's root"
shot left
gui_key Return
gui_expect_title 't\.zip - zq$' "Return after leaving (the cursor is not on the ZIP)"

# Out once more, and U unpacks the ZIP under the cursor into the right pane's folder.
gui_key Return
gui_expect_title 'files - zq$' "'..' at the archive's root, a second time"
w="$(gui_keys_until_title '^ファイルの解凍$' u)" || gui_fail "U did not open the unpack dialog"
shot unpack-dialog
# The name met twice is told, not overwritten silently.
box=""
for try in 1 2 3; do
  gui_focus "$w"
  gui_key Return
  box="$(gui_wait_box 5)" && break
done
[ -n "$box" ] || gui_fail "unpacking a ZIP that holds top.txt twice told nothing"
shot unpack-duplicate
gui_focus "$box"
xdotool key --clearmodifiers Return
gui_wait_gone '^ファイルの解凍$' 15 || gui_fail "the unpack dialog did not end after the duplicate name was told"
python3 - "$GUI_DIR/out" <<'PY' || gui_fail "the unpacked files differ from the members"
import sys
out = sys.argv[1]
assert open(out + "/docs/日本語メモ.txt", "rb").read() == "一行目 archive member\r\n二行目\r\n".encode("cp932")
assert open(out + "/top.txt", "rb").read() == b"top level\r\n"
PY
shot unpacked
gui_quit q
head="$(gui_ini_value DIRHISTORY TODIR0)"
[ "$head" = "$(gui_winpath "$GUI_DIR/out")" ] || gui_fail "the unpack destination is not first in DIRHISTORY: '$head'"
echo "PASS: archive"
