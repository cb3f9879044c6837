#!/usr/bin/env bash
# zq.ini: with no settings file beside the program zq starts on defaults and,
# after a quit from the keyboard, writes zq.ini beside itself as UTF-16LE with
# a byte-order mark and CRLF lines, every section in order with every key.
# A hand-edited file then takes effect at the next start (STARTSIZE 2).
# A read-only zq.ini is left as it was, with a message, and nothing goes to the
# Windows directory; a file zq cannot read (UTF-16 without its mark) is kept
# as zq.ini.bak before the defaults replace it.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin settings_file
ini="$GUI_APP/zq.ini"
[ ! -e "$ini" ] || gui_fail "a zq.ini was already there"

quit_from_keyboard() {
  local dlg
  dlg="$(gui_keys_until_title '^終了しますか$' alt+f x)" || gui_fail "the quit dialog did not appear"
  gui_keys_until_gone "$dlg" '^終了しますか$' Return || gui_fail "the quit question did not take Return"
  gui_wait_exit 20 || gui_fail "zq did not end"
  [ "$GUI_EXIT" -eq 0 ] || gui_fail "zq ended with exit code $GUI_EXIT"
}

gui_start_zq
read -r _ _ w0 h0 < <(gui_geometry "$GUI_WID")
quit_from_keyboard
[ -f "$ini" ] || gui_fail "zq.ini was not written beside the program"

python3 - "$ini" <<'PY' || gui_fail "zq.ini is not as it should be"
import sys
raw = open(sys.argv[1], "rb").read()
assert raw[:2] == b"\xff\xfe", "no UTF-16LE byte-order mark"
text = raw[2:].decode("utf-16-le")
assert text.endswith("\r\n"), "the last line has no CRLF"
assert "\n" not in text.replace("\r\n", ""), "a line ends in a lone LF"
lines = text.split("\r\n")[:-1]
sections, keys, current = [], {}, None
for line in lines:
    if line.startswith("["):
        current = line[1:line.index("]")]
        assert current not in keys, "section written twice: " + current
        sections.append(current)
        keys[current] = []
    else:
        assert current is not None and "=" in line, "stray line: " + line
        keys[current].append(line.split("=", 1)[0])
expected = ["USERINI", "FILERINFODATA", "SPECIALCOPYTO", "WILDCARD", "SCSICOMMAND", "ZOOMDATA", "ALLDATA",
            "ALLDATA2", "SIZE_INFO", "COLORDATA", "KINDEXEDATA", "KINDEXEDATASHIFT", "VIEWERSETTING",
            "VIEWER_SEARCH_STRING", "JUMPDATA", "SELECTDIR", "DIRHISTORY", "FILERBMP", "SOUNDLIST",
            "RENAMEHISTORY", "EXEHISTORY", "KEYEXEDATA", "VIEWKEYEXEDATA", "GRAPHICKEYEXEDATA",
            "BINARYKEYEXEDATA", "SUSIEDATA", "WAV", "SOUND", "DISPLAYMODE", "UNPACKDATA", "PACKDATA", "DEBUGDATA",
            "DISPLAYFONT", "FILERUSERMENU", "NOTVIEWMENU", "VIRTUALDRIVE", "PLUGINDATA", "NETWORK", "SAVECURPOS",
            "MAKENEWFILE", "NONLOADCPL", "RELOAD_SETTING", "ORDER_LIST_DIR_JUMP", "TIME_MACRO", "DIR_HISTORY",
            "FIND_FILE_DLG_INF", "DISP_FILE_SETTING"]
present = [s for s in sections if s in expected]
assert present == [s for s in expected if s in sections], "sections out of order: %r" % sections
missing = [s for s in expected if s not in sections and s not in ("SAVECURPOS",)]
assert not missing, "sections missing: %r" % missing
assert len(keys["ALLDATA"]) == 138 + 12, "ALLDATA has %d keys" % len(keys["ALLDATA"])
assert keys["ALLDATA"][:3] == ["STARTSIZE", "STARTPOS", "FIRSTX"], keys["ALLDATA"][:3]
assert len(keys["ALLDATA2"]) == 134, "ALLDATA2 has %d keys" % len(keys["ALLDATA2"])
assert len(keys["KEYEXEDATA"]) == 88 * 4, "KEYEXEDATA has %d keys" % len(keys["KEYEXEDATA"])
assert all(k[:2] in ("N_", "S_", "C_", "A_") for k in keys["KEYEXEDATA"]), "bad key names in KEYEXEDATA"
assert len(keys["WAV"]) == 23 and keys["WAV"][0] == "COPY" and keys["WAV"][-1] == "QUIT"
assert len(keys["DIRHISTORY"]) == 100
colour = dict(l.split("=", 1) for l in lines if l.startswith("READ_ONLY_COLOR="))
assert colour["READ_ONLY_COLOR"] == "0000ff", colour
PY
cp "$ini" "$GUI_DIR/first-save.ini"

# A hand-edited file: the frame must open at FIRSTWIDE x FIRSTHEIGHT.
python3 - "$ini" <<'PY'
import sys
path = sys.argv[1]
text = open(path, "rb").read()[2:].decode("utf-16-le")
out = []
for line in text.split("\r\n"):
    key = line.split("=", 1)[0]
    if key == "STARTSIZE": line = "STARTSIZE=2"
    elif key == "STARTPOS": line = "STARTPOS=1"
    elif key == "FIRSTX": line = "FIRSTX=40"
    elif key == "FIRSTY": line = "FIRSTY=30"
    elif key == "FIRSTWIDE": line = "FIRSTWIDE=900"
    elif key == "FIRSTHEIGHT": line = "FIRSTHEIGHT=650"
    out.append(line)
open(path, "wb").write(b"\xff\xfe" + "\r\n".join(out).encode("utf-16-le"))
PY
gui_start_zq
sleep 0.5
read -r x y w h < <(gui_geometry "$GUI_WID")
gui_screenshot settings_file-startsize2 >/dev/null
# The X window leaves out Wine's caption and borders, so sizes are compared
# with the first run's default 640x480 frame.
[ $((w - w0)) -eq 260 ] && [ $((h - h0)) -eq 170 ] || gui_fail "frame grew by $((w - w0))x$((h - h0)), expected 260x170"
[ "$x" -ge 40 ] && [ "$x" -le 50 ] && [ "$y" -ge 30 ] && [ "$y" -le 60 ] || gui_fail "frame is at ${x},${y}, expected near 40,30"
quit_from_keyboard
python3 - "$ini" <<'PY' || gui_fail "the last size was not recorded"
import sys
text = open(sys.argv[1], "rb").read()[2:].decode("utf-16-le")
values = dict(l.split("=", 1) for l in text.split("\r\n") if "=" in l and l.split("=")[0] in ("ENDWIDE", "ENDHEIGHT", "STARTSIZE"))
assert values["STARTSIZE"] == "2", values
assert values["ENDWIDE"] == "900" and values["ENDHEIGHT"] == "650", values
PY

# Read-only: the quit says the save failed, and the file and the Windows
# directory are as they were.
windows_ini="$WINEPREFIX/drive_c/windows/zq.ini"
windows_before="$(stat -c %Y "$windows_ini" 2>/dev/null || echo none)"
cp "$ini" "$GUI_DIR/read-only-before.ini"
chmod 444 "$ini"
gui_start_zq
dlg="$(gui_keys_until_title '^終了しますか$' alt+f x)" || gui_fail "the quit dialog did not appear"
gui_keys_until_gone "$dlg" '^終了しますか$' Return || gui_fail "the quit question did not take Return"
box="$(gui_wait_title '^設定の保存$' 15)" || gui_fail "no message about the failed save"
sleep 0.5
shot="$(gui_screenshot settings_file-save-failed)"
# The box's face (Wine's light grey) must be on the screen, not only its window in a list.
[ "$(gui_count_colour "$shot" 245,245,245)" -gt 10000 ] || gui_fail "the message is not on the screen"
gui_keys_until_gone "$box" '^設定の保存$' Return || gui_fail "the message did not take Return"
gui_wait_exit 15 || gui_fail "zq did not end after the message"
chmod 644 "$ini"
cmp -s "$ini" "$GUI_DIR/read-only-before.ini" || gui_fail "the read-only zq.ini was changed"
[ "$(stat -c %Y "$windows_ini" 2>/dev/null || echo none)" = "$windows_before" ] ||
  gui_fail "the save went to the Windows directory"
ls "$GUI_APP"/zq.ini.* >/dev/null 2>&1 && gui_fail "a temporary file was left: $(ls "$GUI_APP"/zq.ini.*)"

# Unreadable: UTF-16 without a byte-order mark.
python3 - "$ini" <<'PY'
import sys
open(sys.argv[1], "wb").write("[ALLDATA]\r\nSTARTSIZE=2\r\n".encode("utf-16-le"))
PY
cp "$ini" "$GUI_DIR/unreadable.ini"
gui_start_zq
quit_from_keyboard
cmp -s "$GUI_APP/zq.ini.bak" "$GUI_DIR/unreadable.ini" || gui_fail "the unreadable zq.ini was not kept as zq.ini.bak"
[ "$(head -c 2 "$ini" | od -An -tx1 | tr -d ' ')" = "fffe" ] || gui_fail "zq.ini was not written anew"
echo "PASS: settings_file"
