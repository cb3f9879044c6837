#!/usr/bin/env bash
# "ネットワーク設定" from the keyboard (各種設定, the item before the last):
# the resource-name width and the two account switches are changed, the
# second stored account is edited in the account dialog (new user and
# password, saved), and OK takes it all over.  At exit zq.ini holds the
# switches and the accounts newest first: the edited one at the front, the
# other one behind it unchanged.  Under Wine there is no network, so the
# connection itself is left to the unit tests.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin netaccount

expect_ini() {
  local got
  got="$(gui_ini_value "$1" "$2")"
  [ "$got" = "$3" ] || gui_fail "[$1] $2 is '$got', expected '$3'"
}

gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$GUI_DIR")" "SECONDFILEOPEN=0" "STARTENDDIR=0" \
  "[ALLDATA2]" "AUTOACCOUNTCHECK=0" "SAVENETWORKPASSWORD=1" \
  "[NETWORK]" 'RES0=\\srv\share' "USER0=old" "PASS0=oldpw" 'RES1=\\srv2\x' "USER1=u1" "PASS1=p1" \
  "PROV1=Microsoft Windows Network"
gui_start_zq
dlg="$(gui_keys_until_title '^ネットワーク設定$' alt+d Up Up Return)" || gui_fail "the network settings did not open"
gui_focus "$dlg"
# The width field has the focus; then comment, provider, the two account switches, the list.
gui_key ctrl+a
gui_type "25"
gui_key Tab Tab Tab Tab Tab space Tab space Tab Down Tab
gui_screenshot netaccount-settings >/dev/null
acc="$(gui_keys_until_title '^ネットワークアカウント$' space)" || gui_fail "編集 did not open the account dialog"
gui_focus "$acc"
# A known user: the password has the focus.
gui_type "newpw"
gui_key shift+Tab ctrl+a
gui_type "taro"
gui_screenshot netaccount-account >/dev/null
gui_key Return
gui_wait_gone '^ネットワークアカウント$' 10 || gui_fail "the account dialog did not close"
gui_focus "$dlg"
gui_key Tab Return
gui_wait_gone '^ネットワーク設定$' 10 || gui_fail "the network settings did not close on OK"
gui_quit alt+f x

expect_ini ALLDATA2 NETRESOURCELONG 25
expect_ini ALLDATA2 AUTOACCOUNTCHECK 1
expect_ini ALLDATA2 SAVENETWORKPASSWORD 0
expect_ini NETWORK RES0 '\\srv2\x'
expect_ini NETWORK USER0 taro
expect_ini NETWORK PASS0 newpw
expect_ini NETWORK PROV0 "Microsoft Windows Network"
expect_ini NETWORK RES1 '\\srv\share'
expect_ini NETWORK USER1 old
expect_ini NETWORK PASS1 oldpw
expect_ini NETWORK RES2 ''
echo "PASS: netaccount"
