#!/usr/bin/env bash
# What the BinaryEditor's GUI tests share (sourced after harness.sh).

# FILE against ORIGINAL with the given "offset=hex" bytes replaced.
expect_bytes() {
  python3 - "$@" <<'PY' || gui_fail "the bytes of $1 on disk are not the expected ones"
import sys
path, orig = sys.argv[1], sys.argv[2]
want = bytearray(open(orig, "rb").read())
for pair in sys.argv[3:]:
    at, value = pair.split("=")
    want[int(at)] = int(value, 16)
got = open(path, "rb").read()
if got != bytes(want):
    diff = [i for i in range(max(len(got), len(want))) if i >= len(got) or i >= len(want) or got[i] != want[i]]
    print("differs at %s (size %d, expected %d)" % (diff[:8], len(got), len(want)), file=sys.stderr)
    sys.exit(1)
PY
}

# Waits for the save question; prints its window.
save_question() {
  gui_wait_title '^ファイルの保存$' 10
}

# Waits for one of zq's caption-less boxes, takes a screenshot of it (NAME),
# copies its text (Ctrl+C in a message box), answers it with Return and
# prints the text.  Wine's boxes copy nothing: the text is then empty, and
# the screenshot shows it.
box_text() {
  local i w text=""
  for ((i = 0; i < 100; i++)); do
    w="$(gui_boxes | head -1)"
    [ -n "$w" ] && break
    sleep 0.1
  done
  [ -n "$w" ] || return 1
  gui_screenshot "${GUI_NAME}-box-$1" >/dev/null
  gui_clear_clipboard
  gui_focus "$w"
  sleep 0.2
  xdotool key --clearmodifiers ctrl+c
  sleep 0.3
  text="$(gui_clipboard | tr -d '\r')"
  [ "$text" = "-" ] && text=""
  xdotool key --clearmodifiers Return
  for ((i = 0; i < 50; i++)); do
    gui_boxes | grep -qx "$w" || break
    sleep 0.1
  done
  printf '%s' "$text"
}

# Expects a box (NAME for its screenshot) whose text, when it can be read,
# contains WANT; WHAT names the step for the failure.
expect_box() {
  local want="$1" what="$2" name="$3" text
  text="$(box_text "$name")" || gui_fail "$what: no message came"
  [ -z "$text" ] || [[ "$text" == *"$want"* ]] || gui_fail "$what: the message was '${text:0:200}', not '$want'"
}

# Opens a dialog titled REGEX with KEYS… in zq's window, types TEXT into its
# first field and leaves it with the further keys (Tab, arrows, Return…);
# a key "=TEXT" types TEXT.
dialog() {
  local regex="$1" keys="$2" text="$3" dlg k
  shift 3
  dlg="$(gui_keys_until_title "$regex" $keys)" || gui_fail "$keys showed no dialog $regex"
  gui_focus "$dlg"
  sleep 0.2
  [ -n "$text" ] && gui_type "$text"
  for k in "$@"; do
    if [ "${k:0:1}" = "=" ]; then gui_type "${k:1}"; else gui_key "$k"; fi
  done
  gui_wait_gone "$regex" 5 || gui_fail "the dialog $regex did not close"
  sleep 0.3
}

# Escape in the editor; the save question must come (WHAT says why it
# matters) and takes KEY (y or n).
leave_answering() {
  local key="$1" what="$2" box
  gui_focus "$GUI_WID"
  gui_key Escape
  box="$(save_question)" || gui_fail "$what: leaving did not ask to save"
  gui_keys_until_gone "$box" '^ファイルの保存$' "$key" || gui_fail "the save question did not take $key"
  sleep 0.5
}

# Whether the window WID is mapped (a dialog that ended is not, even while
# Wine still keeps its X window).
is_visible() { xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$1"; }

# Sends KEY to the window WID, and again while that very window stays (a key
# sent just as a new dialog takes the focus can go lost); a later window of
# the same title is never sent anything.
answer_window() {
  local wid="$1" key="$2" try i
  for try in 1 2 3; do
    is_visible "$wid" || return 0
    gui_focus "$wid"
    sleep 0.3
    xdotool key --clearmodifiers "$key"
    for ((i = 0; i < 30; i++)); do
      is_visible "$wid" || return 0
      sleep 0.1
    done
  done
  return 1
}

# Waits up to 10 s for a visible window titled REGEX other than the window
# NOT (an earlier one of the same title); prints it.
next_visible() {
  local regex="$1" not="$2" i w
  for ((i = 0; i < 100; i++)); do
    w="$(xdotool search --onlyvisible --name "$regex" 2>/dev/null | grep -vx "$not" | head -1)"
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}
