#!/usr/bin/env bash
# Delete into the recycle bin: with DELETETODUST=1 the dialog starts with
# "ごみ箱へ移動" checked; the marked file leaves its folder and turns up in
# the trash (Wine's recycle bin is the XDG trash, kept inside the build folder).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin delete_to_trash

dir="$GUI_DIR/bin_victims"
mkdir -p "$dir/keepdir"
name="ごみ-$$-$RANDOM.txt"
printf 'to the bin\n' >"$dir/$name"
trash="$XDG_DATA_HOME/Trash/files"

winpath() { printf 'Z:%s' "${1//\//\\}"; }
python3 - "$GUI_APP/zq.ini" "$(winpath "$dir")" <<'PY'
import sys
path, first = sys.argv[1:3]
text = "[ALLDATA]\r\nFIRSTDIRECTORY=%s\r\nSECONDDIRECTORY=%s\r\nDELETETODUST=1\r\n" % (first, first)
with open(path, "wb") as f:
    f.write(b"\xff\xfe" + text.encode("utf-16-le"))
PY

gui_start_zq
gui_key Home
dlg="$(gui_keys_until_title '^ファイルの削除$' d)" || gui_fail "the delete dialog did not appear"
gui_screenshot delete_to_trash-dialog >/dev/null
gui_focus "$dlg"
gui_key Return
for ((i = 0; i < 200; i++)); do
  [ -z "$(gui_find '^ファイルの削除$')" ] && break
  sleep 0.1
done
[ -z "$(gui_find '^ファイルの削除$')" ] || gui_fail "the delete dialog did not close"

[ ! -e "$dir/$name" ] || gui_fail "the file is still in its folder"
[ "$(cat "$trash/$name" 2>/dev/null)" = "to the bin" ] || gui_fail "the file is not in the trash ($trash)"
rm -f "$trash/$name" "$XDG_DATA_HOME/Trash/info/$name.trashinfo"
[ -d "$dir/keepdir" ] || gui_fail "the unmarked directory was touched"

dlg="$(gui_keys_until_title '^終了しますか$' alt+f x)" || gui_fail "the quit dialog did not appear"
gui_focus "$dlg"
gui_key Return
gui_wait_exit 15 || gui_fail "zq did not end after the delete"
echo "PASS: delete_to_trash"
