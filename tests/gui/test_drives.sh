#!/usr/bin/env bash
# The drive list, on W: mapped onto a folder of this test (mapped before the
# test's Wine session starts, so that the platform lists the letter).
# First run, the pane in W:\sub: BackSpace climbs to "W:", BackSpace again
# shows the drive list (the title names it); quitting there stores the last
# real directory, "W:", as ENDDIRECTORY, never the list's title.
# Second run, in W:\sub: F9 (bound to @Drivelist) shows the list with the
# cursor on W:, and Return enters W:; F9 again, the letter C (DRIVELISTCURJUMP)
# moves the cursor to C:, Return enters C:, and ENDDIRECTORY is then "C:".
# Before that, F7 (@Rename) on W: changes its volume label: written, or
# refused with the program's message.
# Third run, V: enabled as a virtual drive whose store (V_Drive.ini) holds
# V:\docs with a.txt and gone.txt, only a.txt real: Return at "V:" enters
# V:\docs (the title says it is virtual); F8 (@Tonetwork) shows the network
# listing, empty under Wine, and BackSpace there leads to the drive list with
# the cursor on V:, Return goes back to "V:".  At the end the store is saved:
# a.txt is kept, gone.txt (no real file at load) is not.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

drive="$ZQ_BUILD/gui-drive-w"
link="$WINEPREFIX/dosdevices/w:"
rm -rf "$drive"
mkdir -p "$drive/sub"
printf 'w\n' >"$drive/sub/file.txt"
mkdir -p "$WINEPREFIX/dosdevices"
ln -sfn "$drive" "$link"
gui_begin drives
trap 'rc=$?; rm -f "$link"; rm -rf "$drive"; (exit $rc); gui_end' EXIT

expect_end_directory() {
  local got
  got="$(gui_ini_value ALLDATA ENDDIRECTORY)"
  [ "$got" = "$1" ] || gui_fail "$2: ENDDIRECTORY is '$got', expected '$1'"
}

settings=("[ALLDATA]" "FIRSTDIRECTORY=W:\\sub" "SECONDFILEOPEN=0" "DRIVELISTCURJUMP=1" "STARTENDDIR=0"
  "[KEYEXEDATA]" "N_F9=@Drivelist" "N_F7=@Rename")

gui_write_ini "${settings[@]}"
gui_start_zq
gui_expect_title '^W:\\sub' "the start directory"
gui_key BackSpace
gui_expect_title '^W:( |\()' "BackSpace in W:\\sub"
gui_key BackSpace
gui_expect_title '^論理ドライブリスト - zq$' "BackSpace at the root of W:"
sleep 1.5
gui_screenshot drives-list >/dev/null
gui_quit alt+o x
expect_end_directory "W:" "quitting in the drive list"

gui_write_ini "${settings[@]}"
gui_start_zq
gui_expect_title '^W:\\sub' "the start directory"
gui_key F9
gui_expect_title '^論理ドライブリスト - zq$' "@Drivelist"
gui_key Return
gui_expect_title '^W:( |\()' "Return on the line the list started on"
gui_key F9
gui_expect_title '^論理ドライブリスト - zq$' "@Drivelist from the root"
# F7 (@Rename) on the line of W: asks for its volume label; the platform keeps
# a label of a mapped folder in a file at its root, or refuses with a message.
dlg="$(gui_keys_until_title '^Wドライブのボリュームラベルの変更$' F7)" || gui_fail "@Rename on W: asked for no label"
gui_focus "$dlg"
gui_key ctrl+a
gui_type "ZQLABEL"
gui_key Return
gui_wait_gone '^Wドライブのボリュームラベルの変更$' 10 || gui_fail "the label dialog did not close"
sleep 1
gui_screenshot drives-label >/dev/null
if grep -q ZQLABEL "$drive/.windows-label" 2>/dev/null; then
  echo "note: the label of W: was written"
else
  box="$(gui_boxes | head -1)"
  [ -n "$box" ] || gui_fail "the label was neither written nor refused with a message"
  gui_focus "$box"
  gui_key Return
  echo "note: the platform refused the label of W:"
fi
gui_focus "$GUI_WID"
gui_key c
gui_screenshot drives-cursor-on-c >/dev/null
gui_key Return
gui_expect_title '^C:( |\()' "C and Return in the drive list"
gui_quit alt+f x
expect_end_directory "C:" "quitting after entering C: from the list"
real="$GUI_DIR/real"
mkdir -p "$real"
printf 'real a\n' >"$real/a.txt"
python3 - "$GUI_APP/V_Drive.ini" "$(gui_winpath "$real")" <<'PY'
import sys
lines = ["[DIR]", "00000=V:\\docs", "[FILE]", "F00000=a.txt", "R00000=" + sys.argv[2], "P00000=V:\\docs",
         "F00001=gone.txt", "R00001=" + sys.argv[2], "P00001=V:\\docs"]
open(sys.argv[1], "wb").write("".join(l + "\r\n" for l in lines).encode("cp932"))
PY
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=V:" "SECONDFILEOPEN=0" "STARTENDDIR=0" "[VIRTUALDRIVE]" "VDRIVE=1" \
  "[KEYEXEDATA]" "N_F8=@Tonetwork"
gui_start_zq
gui_expect_title '^V:\(仮想ドライブ\)' "the virtual drive's root"
gui_key Return
gui_expect_title '^V:\\docs\(仮想ドライブ\)' "Return on docs in the virtual drive"
sleep 0.5
gui_screenshot drives-virtual >/dev/null
gui_key F8
gui_expect_title '^\\\\ - zq$' "@Tonetwork"
gui_screenshot drives-network >/dev/null
gui_key BackSpace
gui_expect_title '^論理ドライブリスト - zq$' "BackSpace at the top of the network"
gui_key Return
gui_expect_title '^V:\(仮想ドライブ\)' "Return on the virtual drive's line"
gui_quit alt+f x
expect_end_directory "V:" "quitting on the virtual drive"
store="$(python3 -c 'import sys; print(open(sys.argv[1], "rb").read().decode("utf-16"))' "$GUI_APP/V_Drive.ini")" ||
  gui_fail "the virtual drive's store was not saved as zq writes its files"
grep -q '^F00000=a.txt' <<<"$store" || gui_fail "the store lost a.txt: $store"
grep -q 'gone.txt' <<<"$store" && gui_fail "the store kept gone.txt, whose real file was never there: $store"
grep -q '^00000=V:\\docs' <<<"$store" || gui_fail "the store lost the directory docs: $store"
echo "PASS: drives"
