#!/usr/bin/env bash
# A copy that overwrites a file is killed half-way: C copies a 300 MB file onto
# a same-named small file, the same-name question is answered "上書き(&W)", and
# zq.exe is stopped the moment its temporary file appears beside the old one
# (so the copy is provably in flight), checked, then killed with kill -9.  The
# old file must be untouched, and nothing partial may carry its name.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin copy_kill_overwrite

src="$GUI_DIR/src"
dst="$GUI_DIR/dst"
mkdir -p "$src" "$dst"
printf 'the old file\n' >"$dst/big.bin"
# Sparse, so cheap to make; non-zero at the end so that a finished copy would show.
truncate -s 300M "$src/big.bin"
printf 'tail' | dd of="$src/big.bin" bs=1 seek=$((300 * 1048576 - 4)) conv=notrunc status=none

gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$src")" "SECONDDIRECTORY=$(gui_winpath "$dst")" "SECONDFILEOPEN=1"

gui_start_zq
# The watcher stops zq.exe as soon as a temporary file of ours exists, or the
# old file is no longer what it was (a copy written in place); it polls
# every few milliseconds with shell built-ins only (a read with a time-out on a
# pipe nobody writes to), so that it sees even a fast copy.
mkfifo "$GUI_DIR/tick"
(
  shopt -s nullglob
  exec 3<>"$GUI_DIR/tick"
  end=$((SECONDS + 90))
  while ((SECONDS < end)); do
    found=("$dst"/big.bin.~zq*.tmp)
    old=""
    read -r old <"$dst/big.bin"
    if ((${#found[@]})) || [ "$old" != "the old file" ]; then
      kill -STOP "$GUI_PID"
      echo "${found[0]:-$dst/big.bin}" >"$GUI_DIR/stopped"
      exit 0
    fi
    read -rt 0.003 -u 3 _
  done
) &
watcher=$!
# A failure before the watcher is done must not leave it polling.
trap 'rc=$?; kill "$watcher" 2>/dev/null; (exit $rc); gui_end' EXIT

gui_key shift+Home
dlg="$(gui_keys_until_title '^ファイルのコピー$' c)" || gui_fail "the copy dialog did not appear"
gui_focus "$dlg"
gui_key Return
way="$(gui_wait_title '^コピー条件$' 20)" || gui_fail "the same-name question did not appear"
gui_focus "$way"
gui_key alt+w Return
wait "$watcher"
[ -s "$GUI_DIR/stopped" ] || gui_fail "no temporary file appeared: the copy was never seen in flight"
temporary="$(cat "$GUI_DIR/stopped")"
written=$(stat -c %s "$temporary" 2>/dev/null || echo 0)

kill -9 "$GUI_PID"
kill -CONT "$GUI_PID" 2>/dev/null
wait "$GUI_PID" 2>/dev/null
GUI_PID=""
echo "killed with $written of $((300 * 1048576)) bytes in $(basename "$temporary")"

[ "$(cat "$dst/big.bin")" = "the old file" ] || gui_fail "the old file did not survive the kill"
others="$(find "$dst" -mindepth 1 ! -name big.bin ! -name 'big.bin.~zq*.tmp' | wc -l)"
[ "$others" -eq 0 ] || gui_fail "unexpected files in the destination: $(ls "$dst")"
cmp -s <(tail -c 4 "$src/big.bin") <(printf 'tail') || gui_fail "the source changed"
echo "PASS: copy_kill_overwrite"
