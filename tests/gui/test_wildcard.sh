#!/usr/bin/env bash
# The wildcard dialog from the keyboard: F opens it on the active pane, the
# pattern typed there filters the listing and heads the pattern history,
# which zq keeps in zq.ini (WILDCARD FILTER0) at exit.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin wildcard

tree="$GUI_DIR/tree"
mkdir -p "$tree/sub"
for n in one two three; do echo "$n" >"$tree/$n.txt"; done
for n in a b c d e f; do echo "$n" >"$tree/$n.dat"; done
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$(gui_winpath "$tree")" "SECONDFILEOPEN=0" \
  "[WILDCARD]" "FILTER0=*.dat" "FILTER1=*.TXT"

gui_start_zq
for ((i = 0; i < 50; i++)); do
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$GUI_WID" ] && break
  gui_focus "$GUI_WID"
  sleep 0.1
done
sleep 1
start="$(gui_screenshot wildcard-1-start)"

dlg="$(gui_keys_until_title '^ワイルドカードの設定$' f)" || gui_fail "the wildcard dialog did not appear"
gui_focus "$dlg"
sleep 0.3
gui_screenshot wildcard-2-dialog >/dev/null
# The pattern starts selected, so typing replaces it.
gui_type '*.txt'
sleep 0.3
gui_screenshot wildcard-3-typed >/dev/null
gui_keys_until_gone "$dlg" '^ワイルドカードの設定$' Return || gui_fail "the wildcard dialog did not close"
gui_focus "$GUI_WID"
sleep 0.8
filtered="$(gui_screenshot wildcard-4-filtered)"
# File names are drawn in the file colour (yellow by default): six rows of
# names fewer leave far fewer yellow pixels.
lost=$(($(gui_count_colour "$start" 255,255,0) - $(gui_count_colour "$filtered" 255,255,0)))
[ "$lost" -ge 300 ] || gui_fail "the listing did not shrink to the *.txt files (yellow pixels lost: $lost)"

gui_quit q

# The typed pattern moves the equal entry ignoring case to the front, in the new spelling.
f0="$(gui_ini_value WILDCARD FILTER0)"
f1="$(gui_ini_value WILDCARD FILTER1)"
f2="$(gui_ini_value WILDCARD FILTER2)"
[ "$f0" = "*.txt" ] || gui_fail "FILTER0 is '$f0', expected '*.txt'"
[ "$f1" = "*.dat" ] || gui_fail "FILTER1 is '$f1', expected '*.dat'"
[ -z "$f2" ] || gui_fail "FILTER2 is '$f2', expected nothing"
echo "PASS: wildcard"
