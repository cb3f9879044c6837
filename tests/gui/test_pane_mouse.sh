#!/usr/bin/env bash
# The Filer with the mouse: a click on the lower pane makes it the active one
# (the title names its directory), a click on a file of the upper pane puts the
# cursor there and C copies that file to the lower pane; Ctrl-click marks two
# files for the next copy, a double click enters a directory, the wheel moves
# the cursor, a right click opens the shell's menu for the entry.  What arrives on the disk says where each click landed.  Then, at
# 480x360 with the panes side by side, the cursor bar stays inside its pane.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin pane_mouse

src="$GUI_DIR/src"
dst="$GUI_DIR/dst"
mkdir -p "$src/sub" "$dst"
for n in a b c d; do echo "$n" >"$src/$n.txt"; done
for n in 1 2 3 4 5 6 7; do echo "$n" >"$src/sub/s$n.txt"; done
src_w="$(gui_winpath "$src")"
dst_w="$(gui_winpath "$dst")"

# A known client size, no header and tall lines: a row's middle is found
# without knowing the font to the pixel.  The background and line colours are
# ones nothing else uses, so the screenshots show where the client area and the
# cursor bar are.
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$src_w" "SECONDDIRECTORY=$dst_w" "SECONDFILEOPEN=1" \
  "STARTSIZE=5" "FIRSTWIDE=640" "FIRSTHEIGHT=480" "FONTHEIGHT=-16" "WINDOWDEVIDEWAY=0" \
  "[ALLDATA2]" "WRITEHEADERTYPE=0" "ADD_HEIGHT_ONE_LINE=10" \
  "[COLORDATA]" "BACK_GROUND_COLOR=600000" "LINE_COLOR=ff00ff"

gui_start_zq
sleep 1

# The client area: the bounding box of the background colour (its last lines are
# always background), with the size of FIRSTWIDE x FIRSTHEIGHT.
client_origin() {
  local box w h x y
  SHOT="$(gui_screenshot "pane_mouse-$1")"
  box="$(convert "$SHOT" -fill black +opaque 'rgb(0,0,96)' -fill white -opaque 'rgb(0,0,96)' -format '%@' info:)"
  IFS='x+' read -r w h x y <<<"$box"
  CX=$x
  CY=$((y + h - $2))
}
client_origin 1-start 480
LH=$((17 + 10))  # the font's line (IPAGothic at 16 pixels: 17) and ADD_HEIGHT_ONE_LINE
# Upper pane: its title line, then ".", "..", "sub", a.txt, b.txt, c.txt, d.txt.
row_y() { echo $((CY + (1 + $1) * LH + LH / 2)); }
click() { xdotool mousemove "$1" "$2" click "${3:-1}"; sleep 0.4; }
title() { xdotool getwindowname "$GUI_WID"; }

[ "$(title)" = "$src_w - zq" ] || gui_fail "title at start is '$(title)', expected '$src_w - zq'"

# A click anywhere in the lower pane activates it.
click $((CX + 300)) $((CY + 400))
[ "$(title)" = "$dst_w - zq" ] || gui_fail "after a click on the lower pane the title is '$(title)'"

# A click on b.txt: the upper pane is active again with its cursor there.
click $((CX + 40)) "$(row_y 4)"
[ "$(title)" = "$src_w - zq" ] || gui_fail "after a click on the upper pane the title is '$(title)'"
gui_screenshot pane_mouse-2-clicked-b >/dev/null
copy_and_wait() {
  local dlg
  dlg="$(gui_keys_until_title '^ファイルのコピー$' c)" || gui_fail "the copy dialog did not appear ($1)"
  gui_focus "$dlg"
  gui_key Return
  gui_wait_gone '^ファイルのコピー$' 30 || gui_fail "the copy dialog did not close ($1)"
  sleep 0.3
}
copy_and_wait "cursor on b.txt"
[ "$(cat "$dst/b.txt" 2>/dev/null)" = b ] || gui_fail "the click on b.txt did not put the cursor there"
[ "$(ls "$dst" | wc -l)" -eq 1 ] || gui_fail "more than b.txt was copied: $(ls "$dst")"

# Ctrl-click marks a.txt and d.txt (and only those) for the next copy.
xdotool mousemove $((CX + 40)) "$(row_y 3)" keydown ctrl click 1 keyup ctrl
sleep 0.3
xdotool mousemove $((CX + 40)) "$(row_y 6)" keydown ctrl click 1 keyup ctrl
sleep 0.4
gui_screenshot pane_mouse-3-ctrl-marked >/dev/null
copy_and_wait "marked a.txt and d.txt"
[ "$(cat "$dst/a.txt" 2>/dev/null)" = a ] || gui_fail "a.txt, Ctrl-clicked, was not copied"
[ "$(cat "$dst/d.txt" 2>/dev/null)" = d ] || gui_fail "d.txt, Ctrl-clicked, was not copied"
[ ! -e "$dst/c.txt" ] || gui_fail "c.txt was copied without being marked"

# A double click on "sub" enters it, as Return does.
xdotool mousemove $((CX + 40)) "$(row_y 2)" click --repeat 2 --delay 60 1
sleep 0.6
[ "$(title)" = "$src_w\\sub - zq" ] || gui_fail "a double click on sub left the title at '$(title)'"

# In sub (".", "..", s1.txt …) a click puts the cursor on s1.txt; one notch
# of the wheel moves it three entries on, to s4.txt.
click $((CX + 40)) "$(row_y 2)"
xdotool click 5
sleep 0.4
copy_and_wait "after the wheel"
[ "$(cat "$dst/s4.txt" 2>/dev/null)" = 4 ] || gui_fail "the wheel did not move the cursor three entries: $(ls "$dst")"

# A right click puts the cursor on s5.txt and opens the shell's menu for it;
# Escape closes the menu and C copies the entry the click chose.
before="$(gui_screenshot pane_mouse-4-before-right-click)"
xdotool mousemove $((CX + 40)) "$(row_y 6)" click 3
sleep 1.5
after="$(gui_screenshot pane_mouse-5-shell-menu)"
changed="$(compare -metric AE "$before" "$after" null: 2>&1 | cut -d' ' -f1)"
[ "${changed%.*}" -gt 2000 ] || gui_fail "a right click showed no menu ($changed pixels changed)"
xdotool key Escape
sleep 0.5
kill -0 "$GUI_PID" 2>/dev/null || gui_fail "zq ended while its shell menu was open"
copy_and_wait "after the right click"
[ "$(cat "$dst/s5.txt" 2>/dev/null)" = 5 ] || gui_fail "the right click did not put the cursor on s5.txt: $(ls "$dst")"

# Side by side at 480x360 a cell (name and size, 43 characters) is far wider
# than a pane (30): the cursor bar of the left pane must end at the border, not
# run under the right pane.
gui_quit alt+f x
gui_write_ini "[ALLDATA]" "FIRSTDIRECTORY=$src_w" "SECONDDIRECTORY=$dst_w" "SECONDFILEOPEN=1" \
  "STARTSIZE=5" "FIRSTWIDE=480" "FIRSTHEIGHT=360" "WINDOWDEVIDEWAY=1" \
  "[COLORDATA]" "BACK_GROUND_COLOR=600000" "LINE_COLOR=ff00ff"
gui_start_zq
sleep 1
# A cursor move repaints only the cells that changed: the left pane alone.
gui_key Down Down
sleep 0.5
client_origin 6-side-by-side-480x360 360
# Below the header (five lines, also framed in LINE_COLOR) and the title lines.
top=$((CY + 6 * 17))
bar="$(convert "$SHOT" -crop "480x$((CY + 360 - top))+$CX+$top" +repage -fill black +opaque 'rgb(255,0,255)' \
  -fill white -opaque 'rgb(255,0,255)' -format '%@' info:)"
IFS='x+' read -r bw bh bx by <<<"$bar"
[ "${bw:-0}" -gt 0 ] || gui_fail "no cursor bar found"
[ $((bx + bw)) -le $((240 + 8)) ] || gui_fail "the cursor bar runs into the right pane: $bar (client at $CX,$CY)"
gui_quit alt+f x
echo "PASS: pane_mouse"
