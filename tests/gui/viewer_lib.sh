#!/usr/bin/env bash
# What the Viewer's GUI tests share (sourced after harness.sh).

# Copies with Ctrl+C and prints what arrived.  Wine takes the X clipboard
# over a little after its owner changes; a copy made in that moment can be
# emptied again by Wine, so an empty clipboard gets one more Ctrl+C.
copy() {
  local try i text=""
  for try in 1 2; do
    gui_clear_clipboard
    sleep 0.5
    gui_focus "$GUI_WID"
    gui_key ctrl+c
    for i in 1 2 3 4 5 6 7 8; do
      text="$(gui_clipboard)"
      [ -n "$text" ] && [ "$text" != "-" ] && break 2
      sleep 0.3
    done
  done
  printf '%s' "$text"
}

expect_clip() {
  local want="$1" what="$2" got
  got="$(copy)"
  [ "$got" = "$want" ] || gui_fail "$what: the clipboard holds '${got:0:120}', expected '${want:0:120}'"
}

# Opens the file that the keys given move the cursor to.
view_file() {
  gui_key "$@" v
  sleep 1
}

# The whole text of the open file, as copied.
copy_all() {
  gui_key ctrl+a
  copy | tr -d '\r'
}
