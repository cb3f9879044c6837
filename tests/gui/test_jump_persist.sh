#!/usr/bin/env bash
# Bookmarks survive a run: zq.ini starts with two jump groups, the first
# holding a directory that has since been deleted.  J (@AddDirJump) on the
# directory "keep" asks for the group ("グループの選択"), adds it to the
# second one and says so; J again says it is there already.  After quitting,
# JUMPDATA holds both groups, the new bookmark once under TODIR0100, the
# deleted directory's bookmark unchanged, and ORDER_LIST_DIR_JUMP is written.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin jump_persist

expect_ini() {
  local got
  got="$(gui_ini_value "$1" "$2")"
  [ "$got" = "$3" ] || gui_fail "[$1] $2 is '$got', expected '$3'"
}
add_to_second_group() {
  local dlg box
  gui_focus "$GUI_WID"
  dlg="$(gui_keys_until_title '^グループの選択$' j)" || gui_fail "$1: no group question"
  gui_focus "$dlg"
  gui_key Down Return
  box="$(gui_wait_title '^ディレクトリジャンプへの追加$' 10)" || gui_fail "$1: no message after adding"
  gui_screenshot "jump_persist-$1" >/dev/null
  gui_keys_until_gone "$box" '^ディレクトリジャンプへの追加$' Return || gui_fail "$1: the message did not close"
}

mkdir -p "$GUI_DIR/keep"
gone="$(gui_winpath "$GUI_DIR/deleted")"
here="$(gui_winpath "$GUI_DIR")"
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$here" "SECONDFILEOPEN=0" "STARTENDDIR=0" \
  "[ALLDATA2]" "SUMDIRJUMPGROUP=2" "[KEYEXEDATA]" "N_J=@AddDirJump" \
  "[JUMPDATA]" "GROUP0=main" "TODIR0=$gone" "DIRKEY0=A" "GROUP1=second"
gui_start_zq
# ".", "..", app, keep, …: the cursor starts on "..".
gui_key Down Down
add_to_second_group added
add_to_second_group again
gui_quit alt+f x

expect_ini ALLDATA2 SUMDIRJUMPGROUP 2
expect_ini JUMPDATA GROUP0 main
expect_ini JUMPDATA TODIR0 "$gone"
expect_ini JUMPDATA DIRKEY0 A
expect_ini JUMPDATA GROUP1 second
expect_ini JUMPDATA TODIR0100 "$here\\keep"
expect_ini JUMPDATA TODIR0101 ""
[ -n "$(gui_ini_value ORDER_LIST_DIR_JUMP DISPLAY0)" ] || gui_fail "ORDER_LIST_DIR_JUMP was not written"
echo "PASS: jump_persist"
