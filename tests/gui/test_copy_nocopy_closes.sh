#!/usr/bin/env bash
# A copy onto a file of the same name, answered "コピーしない": the job has
# nothing left to do, so its dialog closes at once and the old file stays.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin copy_nocopy_closes

src="$GUI_DIR/src"
dst="$GUI_DIR/dst"
mkdir -p "$src" "$dst"
echo new >"$src/a.txt"
echo old >"$dst/a.txt"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$src")" "SECONDDIRECTORY=$(gui_winpath "$dst")" \
  "SECONDFILEOPEN=1"

gui_start_zq
gui_key Down Down  # from "." over ".." to a.txt
dlg="$(gui_keys_until_title '^ファイルのコピー$' c)" || gui_fail "the copy dialog did not appear"
gui_focus "$dlg"
gui_key Return
way="$(gui_wait_title '^コピー条件$' 10)" || gui_fail "the same-name question did not appear"
gui_screenshot copy_nocopy_closes-question >/dev/null
gui_focus "$way"
gui_key alt+s
xdotool key --clearmodifiers Return
start=$(date +%s%N)
gui_wait_gone '^ファイルのコピー$' 10 || gui_fail "the copy dialog did not close"
ms=$((($(date +%s%N) - start) / 1000000))
[ "$ms" -lt 1000 ] || gui_fail "the copy dialog stayed ${ms} ms after its job had ended"
[ "$(cat "$dst/a.txt")" = old ] || gui_fail "a.txt was overwritten although the answer was not to copy"
gui_quit alt+f x
echo "PASS: copy_nocopy_closes (${ms} ms)"
