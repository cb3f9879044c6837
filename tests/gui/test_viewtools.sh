#!/usr/bin/env bash
# The text box and the tag dialog, driven by keys.  A key bound to @TextBox
# opens "テキストボックス"; typed text, Escape (which only hides it), the key
# again and more text reach zq_TextBox.txt beside the program when zq ends,
# as one byte-order mark and UTF-16.  Started again, the box shows the text
# with the caret at its end, so a typed "!" lands behind it.  A key bound to
# @Viewtagview shows the tag dialog for the MPEG file under the cursor, with
# the file's name as its title; it follows the cursor to the next file.  The
# dialog's place goes to VIEWTAGVIEWX/Y; set there by hand, the next run
# shows it there and keeps it.  A key bound to @MakeMp3Tag writes the title
# typed into "MP3タグ作成" as the file's tag; one bound to @AllmakeMp3Tag gives
# both marked files the artist typed, keeping a.mp3's title and naming the
# untagged b.mp3 by its file name.  @Textprint on a text, with no printer on
# this machine, answers with a message and the Viewer goes on.  The Viewer
# settings and the per-extension rows (two pages of five) are edited by keys
# from the settings menu and reach zq.ini.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin viewtools

files="$GUI_DIR/files"
mkdir -p "$files"
python3 - "$files" <<'PY'
import sys
d = sys.argv[1]
def syncsafe(n):
    return bytes((n >> s) & 0x7F for s in (21, 14, 7, 0))
def mp3(title):
    body = b"\x01" + b"\xff\xfe" + title.encode("utf-16-le")
    frame = b"TIT2" + len(body).to_bytes(4, "big") + b"\0\0" + body
    audio = b"".join(b"\xff\xfb\x90\x40" + bytes(413) for _ in range(4))
    return b"ID3\x03\0\0" + syncsafe(len(frame)) + frame + audio
open(d + "/a.mp3", "wb").write(mp3("最初の曲"))
open(d + "/b.mp3", "wb").write(mp3("次の曲"))
open(d + "/c.txt", "wb").write("印刷する行\r\n".encode("cp932") * 50)
PY
winfiles="$(gui_winpath "$files")"
ini=("[ALLDATA]" "FIRSTDIRECTORY=$winfiles" "NOTVIEWUPDIR=1" "NOTVIEWCURRENTDIR=1" "[KEYEXEDATA]" "N_T=@TextBox"
  "N_Y=@Viewtagview" "N_M=@MakeMp3Tag" "N_N=@AllmakeMp3Tag" "[VIEWKEYEXEDATA]" "N_P=@Textprint" "N_X=@Closeviewer")
gui_write_ini "${ini[@]}"
gui_start_zq

box="$(gui_keys_until_title '^テキストボックス$' t)" || gui_fail "@TextBox showed no text box"
gui_focus "$box"
gui_type "memo one"
gui_key Escape
gui_wait_hidden '^テキストボックス$' || gui_fail "Escape did not hide the text box"
gui_focus "$GUI_WID"
gui_key t
box="$(gui_wait_visible '^テキストボックス$')" || gui_fail "@TextBox did not show the hidden box again"
gui_focus "$box"
gui_type " two"
gui_key Escape
gui_wait_hidden '^テキストボックス$' || gui_fail "Escape did not hide the text box the second time"

gui_focus "$GUI_WID"
gui_key y
tag="$(gui_wait_visible '^a\.mp3$')" || gui_fail "@Viewtagview did not show the tag of a.mp3"
gui_screenshot viewtools-tag-a >/dev/null
gui_focus "$GUI_WID"
gui_key Down
gui_wait_visible '^b\.mp3$' >/dev/null || gui_fail "the tag dialog did not follow the cursor to b.mp3"
gui_key y
gui_wait_hidden '^b\.mp3$' || gui_fail "@Viewtagview did not hide the tag dialog again"

gui_focus "$GUI_WID"
gui_key Up
dlg="$(gui_keys_until_title '^MP3タグ作成$' m)" || gui_fail "@MakeMp3Tag showed no tag dialog"
gui_focus "$dlg"
gui_type "新しい曲"
sleep 0.5
gui_keys_until_gone "$dlg" '^MP3タグ作成$' Return || gui_fail "the tag dialog did not take Return"
gui_focus "$GUI_WID"
gui_key space space
dlg="$(gui_keys_until_title '^MP3タグ一括作成$' n)" || gui_fail "@AllmakeMp3Tag showed no tag dialog"
gui_focus "$dlg"
gui_key Tab
gui_type "歌手"
sleep 0.5
gui_keys_until_gone "$dlg" '^MP3タグ一括作成$' Return || gui_fail "the bulk tag dialog did not take Return"
python3 - "$files" <<'PY' || gui_fail "the MP3 tags were not written as typed"
import sys
def tag(name):
    block = open(sys.argv[1] + "/" + name, "rb").read()[-128:]
    assert block[:3] == b"TAG", name + " has no tag"
    field = lambda at, n: block[at:at + n].split(b"\0")[0].decode("cp932").rstrip()
    return field(3, 30), field(33, 30)
got = (tag("a.mp3"), tag("b.mp3"))
sys.exit(0 if got == (("新しい曲", "歌手"), ("b", "歌手")) else print(got) or 1)
PY
gui_focus "$GUI_WID"
gui_key Up

# No printer here: @Textprint must say so, and the Viewer goes on.
gui_focus "$GUI_WID"
gui_key Down
gui_key v
sleep 1
refusal="$(gui_keys_until_title '^テキストの印刷$' p)" || gui_fail "@Textprint without a printer gave no message"
gui_screenshot viewtools-print-refused >/dev/null
gui_keys_until_gone "$refusal" '^テキストの印刷$' Return || gui_fail "the printing message did not take Return"
sleep 1
[ -z "$(gui_visible '印刷')" ] || gui_fail "another printing message followed ours"
kill -0 "$GUI_PID" 2>/dev/null || gui_fail "zq ended after @Textprint"
gui_focus "$GUI_WID"
gui_key x

# The Viewer's settings through the settings menu, by keys only.
dlg="$(gui_keys_until_title '^ビューアーの設定$' alt+d v)" || gui_fail "the Viewer settings dialog did not open"
gui_focus "$dlg"
gui_type "6"
gui_keys_until_gone "$dlg" '^ビューアーの設定$' Return || gui_fail "the Viewer settings dialog did not take Return"
dlg="$(gui_keys_until_title '^拡張子別の表示設定$' alt+d k)" || gui_fail "the per-extension dialog did not open"
gui_focus "$dlg"
gui_type "log"
gui_key Tab
gui_type "120"
gui_key Tab
gui_type "2"
gui_key alt+n
gui_type "md"
gui_key Tab
gui_type "60"
gui_key alt+b
gui_keys_until_gone "$dlg" '^拡張子別の表示設定$' Return || gui_fail "the per-extension dialog did not take Return"
gui_focus "$GUI_WID"
gui_quit q

python3 - "$GUI_APP/zq_TextBox.txt" <<'PY' || gui_fail "zq_TextBox.txt is not the mark and the typed text"
import sys
data = open(sys.argv[1], "rb").read()
expected = b"\xff\xfe" + "memo one two".encode("utf-16-le")
sys.exit(0 if data == expected else print(repr(data)) or 1)
PY
[ "$(gui_ini_value ALLDATA TABCARAMES)" = 6 ] || gui_fail "TABCARAMES is not the 6 typed into the dialog"
kinds="$(for k in KIND0 KINDWORDS0 KINDTAB0 KIND5 KINDWORDS5 KIND1; do printf '%s,' "$(gui_ini_value VIEWERSETTING $k)"; done)"
[ "$kinds" = "log,120,2,md,60,," ] || gui_fail "the per-extension rows came back as $kinds"
x="$(gui_ini_value ALLDATA2 VIEWTAGVIEWX)"
y="$(gui_ini_value ALLDATA2 VIEWTAGVIEWY)"
[ -n "$x" ] && [ -n "$y" ] && [ "$x$y" != "00" ] || gui_fail "VIEWTAGVIEWX/Y were not written back ($x,$y)"
# Placed elsewhere by hand: the next run must put it there.
python3 - "$GUI_APP/zq.ini" <<'PY'
import re, sys
text = open(sys.argv[1], "rb").read().decode("utf-16")
text = re.sub(r"(?m)^VIEWTAGVIEWX=[^\r\n]*", "VIEWTAGVIEWX=320", text)
text = re.sub(r"(?m)^VIEWTAGVIEWY=[^\r\n]*", "VIEWTAGVIEWY=240", text)
open(sys.argv[1], "wb").write(b"\xff\xfe" + text.encode("utf-16-le"))
PY

gui_start_zq
box="$(gui_keys_until_title '^テキストボックス$' t)" || gui_fail "@TextBox showed no text box after a restart"
gui_focus "$box"
gui_type "!"
gui_key Escape
gui_wait_hidden '^テキストボックス$' || gui_fail "Escape did not hide the text box after a restart"
gui_focus "$GUI_WID"
gui_key y
tag="$(gui_wait_visible '^a\.mp3$')" || gui_fail "@Viewtagview did not show the tag after a restart"
read -r tx ty _ _ <<<"$(gui_geometry "$tag")"
[ "$tx" -ge 300 ] && [ "$tx" -le 340 ] && [ "$ty" -ge 220 ] && [ "$ty" -le 260 ] ||
  gui_fail "the tag dialog came back at $tx,$ty, not near 320,240"
gui_focus "$GUI_WID"
gui_quit q
[ "$(gui_ini_value ALLDATA2 VIEWTAGVIEWX),$(gui_ini_value ALLDATA2 VIEWTAGVIEWY)" = "320,240" ] ||
  gui_fail "the tag dialog's place was not kept"
python3 - "$GUI_APP/zq_TextBox.txt" <<'PY' || gui_fail "the caret was not at the end of the loaded text"
import sys
data = open(sys.argv[1], "rb").read()
sys.exit(0 if data == b"\xff\xfe" + "memo one two!".encode("utf-16-le") else print(repr(data)) or 1)
PY
gui_end
