#!/usr/bin/env bash
# GUI test harness: runs the real zq.exe on a private X server, sends keys,
# takes screenshots and cleans up only what it started, also when a test fails.
#
#   source tests/gui/harness.sh
#   gui_begin NAME            private Xvfb + a private copy of build/bin
#   gui_start_zq [ARGS…]      start zq.exe and wait for its main window
#   gui_key KEY…              xdotool key names: ctrl+q, shift+Down, alt+f, Return
#   gui_wait_title REGEX      wait for a top-level window whose title matches
#   gui_screenshot NAME       build/screenshots/NAME.png
#   gui_wait_exit [SECONDS]   wait for zq.exe to end
#   gui_answer_boxes_until_gone REGEX   answer zq's caption-less boxes with OK
#   gui_fail MESSAGE          fail the test (cleanup still runs)

source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/wine-env"

GUI_NAME=""
GUI_DIR=""
GUI_PID=""
GUI_WID=""

gui_end() {
  local rc=$?
  if [ -n "$GUI_PID" ] && kill -0 "$GUI_PID" 2>/dev/null; then
    kill "$GUI_PID" 2>/dev/null
    sleep 0.3
    kill -9 "$GUI_PID" 2>/dev/null
    wait "$GUI_PID" 2>/dev/null
  fi
  GUI_PID=""
  zq_stop_xvfb
  return $rc
}

gui_fail() {
  echo "GUI TEST FAILED [$GUI_NAME]: $*" >&2
  [ -n "${DISPLAY:-}" ] && gui_screenshot "${GUI_NAME}-failure" >/dev/null 2>&1
  # What zq said on its way out (Wine's own errors land here) tells a crash from a slow start.
  if [ -n "$GUI_PID" ] && ! kill -0 "$GUI_PID" 2>/dev/null; then echo "zq has ended" >&2; fi
  [ -s "${GUI_DIR:-}/stderr.txt" ] && tail -n 15 "$GUI_DIR/stderr.txt" >&2
  exit 1
}

# Ends a test that needs 32-bit Windows programs as skipped (exit 77) on a
# machine whose kernel runs no 32-bit programs at all; call it before gui_begin.
gui_needs_32bit() {
  /usr/lib/wine/wine --version >/dev/null 2>&1 && return 0
  echo "skipped: this machine's kernel runs no 32-bit programs (wine32 cannot start)"
  exit 77
}

gui_begin() {
  GUI_NAME="$1"
  [ -f "$ZQ_BUILD/bin/zq.exe" ] || { echo "harness: build/bin/zq.exe missing" >&2; exit 1; }
  trap gui_end EXIT
  trap 'exit 1' INT TERM
  zq_start_xvfb || gui_fail "no X server"
  # Each test gets a Wine session of its own: Wine's desktop and server keep
  # input state from the zq of an earlier test (after the mouse test's shell
  # menu, a drag of the next zq's caption unmapped its window).  A fresh
  # server costs about a second.
  zq_wine_end
  zq_wine_ready
  # Settings live beside the program, so each test runs its own copy.
  GUI_DIR="$ZQ_BUILD/gui/$GUI_NAME"
  rm -rf "$GUI_DIR"
  mkdir -p "$GUI_DIR/app" "$ZQ_BUILD/screenshots"
  cp -r "$ZQ_BUILD/bin/." "$GUI_DIR/app/"
  rm -f "$GUI_DIR/app/zq.ini" "$GUI_DIR/app/zq.log"
  export GUI_DIR GUI_APP="$GUI_DIR/app"
  gui_wait_no_other_zq
}

# A zq of an earlier test that is still ending holds the single-instance
# mutex in the shared wineserver, and a new zq would hand over to it and end.
gui_wait_no_other_zq() {
  local i
  for ((i = 0; i < 150; i++)); do
    pgrep -f "$ZQ_BUILD/gui/.*/zq\.exe" >/dev/null || return 0
    sleep 0.1
  done
  echo "harness: an earlier zq.exe is still running; ending it" >&2
  pkill -9 -f "$ZQ_BUILD/gui/.*/zq\.exe"
  sleep 0.5
}

# Prints the X window ids whose title matches REGEX (xdotool's --name).
gui_find() {
  xdotool search --name "$1" 2>/dev/null
}

gui_wait_title() {
  local regex="$1" limit="${2:-20}" i
  for ((i = 0; i < limit * 10; i++)); do
    local w
    w="$(gui_find "$regex" | head -1)"
    if [ -n "$w" ]; then
      echo "$w"
      return 0
    fi
    if [ -n "$GUI_PID" ] && ! kill -0 "$GUI_PID" 2>/dev/null; then
      return 1
    fi
    sleep 0.1
  done
  return 1
}

gui_start_zq() {
  ( cd "$GUI_APP" && exec "$ZQ_WINE" "$GUI_APP/zq.exe" "$@" ) >"$GUI_DIR/stdout.txt" 2>"$GUI_DIR/stderr.txt" &
  GUI_PID=$!
  GUI_WID="$(gui_wait_title ' - zq$' 30)" ||
    gui_fail "the main window did not appear$(kill -0 "$GUI_PID" 2>/dev/null || echo " (zq ended at once: $(head -c 300 "$GUI_DIR/stderr.txt"))")"
  gui_focus "$GUI_WID"
  sleep 0.3
}

# Makes WID the window that takes the keys.  Wine's windows are unmanaged here
# (no window manager on the display): Wine routes keys to the window that is
# active on the Windows side, and X focus alone does not make a window active.
# A window manager, when the user picks a window, hands it the focus with a
# WM_TAKE_FOCUS message; that is sent here as well, and Wine then activates it.
gui_focus() {
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1" 2>/dev/null
  gui_take_focus "$1"
}

gui_take_focus() {
  python3 - "$1" <<'PY'
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
class ClientMessage(ctypes.Structure):  # XClientMessageEvent, padded to the size of an XEvent
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("l", ctypes.c_long * 5), ("pad", ctypes.c_long * 24)]
d = x.XOpenDisplay(None)
if not d:
    sys.exit(1)
ev = ClientMessage(type=33, window=int(sys.argv[1]), format=32)  # 33: ClientMessage
ev.message_type = x.XInternAtom(d, b"WM_PROTOCOLS", 0)
ev.l[0] = x.XInternAtom(d, b"WM_TAKE_FOCUS", 0)  # l[1] = 0: CurrentTime
sent = x.XSendEvent(d, ev.window, 0, 0, ctypes.byref(ev))
x.XSync(d, 0)
x.XCloseDisplay(d)
sys.exit(0 if sent else 1)
PY
}

gui_key() {
  local k
  for k in "$@"; do
    xdotool key --clearmodifiers --delay 40 "$k"
    sleep 0.15
  done
}

# Sends KEYS… until a window titled REGEX appears (a loaded machine may drop
# or outrun keys sent to a menu that is still opening); prints its id.
# Between tries, Escape closes whatever half-opened.
gui_keys_until_title() {
  local regex="$1" try w
  shift
  for try in 1 2 3 4; do
    [ -n "$GUI_WID" ] && gui_focus "$GUI_WID"
    local k
    for k in "$@"; do
      xdotool key --clearmodifiers "$k"
      sleep "0.$((try * 2))"
    done
    if w="$(gui_wait_title "$regex" $((3 * try)))"; then
      echo "$w"
      return 0
    fi
    xdotool key Escape
    sleep 0.3
    xdotool key Escape
  done
  return 1
}

# Sends KEYS… to the window WID until no window titled REGEX is left.
gui_keys_until_gone() {
  local wid="$1" regex="$2" try
  shift 2
  for try in 1 2 3 4; do
    gui_focus "$wid"
    sleep "0.$((try * 2))"
    local k
    for k in "$@"; do xdotool key --clearmodifiers "$k"; done
    local i
    for ((i = 0; i < 10 * try; i++)); do
      [ -z "$(gui_find "$regex")" ] && return 0
      sleep 0.1
    done
  done
  return 1
}

# The first visible window titled REGEX (Wine keeps hidden dialogs as unmapped
# windows, which gui_find still finds).
gui_visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }

# Waits up to TENTHS (default 100) tenths of a second for a visible window
# titled REGEX; prints its id.
gui_wait_visible() {
  local i w
  for ((i = 0; i < ${2:-100}; i++)); do
    w="$(gui_visible "$1")"
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits up to TENTHS (default 300) tenths of a second until no window titled REGEX is visible.
gui_wait_hidden() {
  local i
  for ((i = 0; i < ${2:-300}; i++)); do
    [ -z "$(gui_visible "$1")" ] && return 0
    sleep 0.1
  done
  return 1
}

# The visible caption-less windows of zq's own process: its message boxes
# (and open menus).  Wine's desktop window has no title either but belongs to
# another process: X focus moved there makes Wine hand the foreground to the
# desktop, where keys go lost.
gui_boxes() {
  xdotool search --all --onlyvisible --pid "$GUI_PID" --name '^$' 2>/dev/null
}

# Prints the first of zq's caption-less boxes once one shows, within SECONDS
# (10); fails when none came.
gui_wait_box() {
  local limit="${1:-10}" i w
  for ((i = 0; i < limit * 10; i++)); do
    w="$(gui_boxes | head -1)"
    [ -n "$w" ] && printf '%s\n' "$w" && return 0
    sleep 0.1
  done
  return 1
}

# Presses KEY until one of zq's caption-less boxes shows (10 s), then answers
# it with Return; fails when none came.
gui_key_expect_box() {
  local key="$1" i w
  for ((i = 0; i < 100; i++)); do
    ((i % 40 == 0)) && gui_focus "$GUI_WID" && gui_key "$key"
    w="$(gui_boxes | head -1)"
    if [ -n "$w" ]; then
      gui_focus "$w"
      xdotool key --clearmodifiers Return
      for ((i = 0; i < 50; i++)); do
        gui_boxes | grep -qx "$w" || return 0
        sleep 0.1
      done
      return 1
    fi
    sleep 0.1
  done
  return 1
}

# Answers zq's caption-less boxes (a worker's end message, owned by the
# operation's dialog) with Return, each made the active window first, until no
# window titled REGEX is left.
gui_answer_boxes_until_gone() { gui_answer_boxes_until gone "$@"; }

# The same until a window titled REGEX is there (a box before the next picture).
gui_answer_boxes_until_title() { gui_answer_boxes_until there "$@"; }

gui_answer_boxes_until() {
  local want="$1" regex="$2" limit="${3:-20}" i now
  for ((i = 0; i < limit * 4; i++)); do
    now=gone
    [ -n "$(gui_find "$regex")" ] && now=there
    [ "$now" = "$want" ] && return 0
    gui_answer_boxes
  done
  return 1
}

gui_answer_boxes() {
  local w
  for w in $(gui_boxes); do
    gui_focus "$w"
    xdotool key --clearmodifiers Return
  done
  sleep 0.25
}

# Ends the picture display whose title matches REGEX: Escape asks, Return answers.
gui_end_pictures() {
  local ask
  gui_focus "$GUI_WID"
  ask="$(gui_keys_until_title '^画像の表示の終了の確認$' Escape)" || gui_fail "Escape did not ask whether to end"
  gui_keys_until_gone "$ask" '^画像の表示の終了の確認$' Return || gui_fail "the question did not take Return"
  gui_wait_gone "$1" 10 || gui_fail "the picture display did not end"
}

# Puts the x64 build of the run-length test plug-in into the program's spi folder.
gui_add_rle_plugin() {
  local spi="$ZQ_BUILD/cmake/tests/testdlls/spi64/zqrle.sph"
  [ -f "$spi" ] || gui_fail "no x64 test plug-in to test with"
  cp "$spi" "$GUI_APP/spi/zqrle.sph"
}

# Writes PATH: a 1 x 1 picture of that plug-in whose mode byte 2 makes its
# GetPicture sleep for good, as a plug-in that never returns does.
gui_hanging_picture() { printf 'ZQRL\001\000\001\000\002\000\000\000\001\020\040\060' >"$1"; }

# Fails unless one of SUSIEDATA's first eight records is RECORD, after the quit.
gui_expect_susie_record() {
  local n
  for n in 0 1 2 3 4 5 6 7; do
    [ "$(gui_ini_value SUSIEDATA "PLUGINFILE$n")" = "$1" ] && return 0
  done
  gui_fail "SUSIEDATA holds no record $1"
}

# The Windows form of a Linux path under Wine's Z: drive.
gui_winpath() { printf 'Z:%s' "${1//\//\\}"; }

# Writes zq.ini beside the test's program as the program writes it (UTF-16LE
# with a byte-order mark, CRLF), one argument a line: gui_write_ini "[ALLDATA]" "STARTSIZE=2".
gui_write_ini() {
  python3 - "$GUI_APP/zq.ini" "$@" <<'PY'
import sys
open(sys.argv[1], "wb").write(b"\xff\xfe" + "".join(l + "\r\n" for l in sys.argv[2:]).encode("utf-16-le"))
PY
}

# Waits until no window titled REGEX is left.
gui_wait_gone() {
  local regex="$1" limit="${2:-20}" i
  for ((i = 0; i < limit * 10; i++)); do
    [ -z "$(gui_find "$regex")" ] && return 0
    sleep 0.1
  done
  return 1
}

gui_type() {
  xdotool type --delay 40 "$1"
}

gui_screenshot() {
  local out="$ZQ_BUILD/screenshots/$1.png"
  import -display "$DISPLAY" -window root "$out" 2>/dev/null || gui_fail "screenshot failed"
  echo "$out"
}

gui_wait_exit() {
  local limit="${1:-20}" i
  for ((i = 0; i < limit * 10; i++)); do
    if ! kill -0 "$GUI_PID" 2>/dev/null; then
      wait "$GUI_PID" 2>/dev/null
      GUI_EXIT=$?
      GUI_PID=""
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Window geometry as "X Y W H" (X11 view, including what Wine draws).
gui_geometry() {
  xdotool getwindowgeometry --shell "$1" | awk -F= '/^X=/{x=$2}/^Y=/{y=$2}/^WIDTH=/{w=$2}/^HEIGHT=/{h=$2}END{print x, y, w, h}'
}

# Number of pixels of colour RGB ("255,255,0") in a screenshot.
gui_count_colour() {
  convert "$1" -fill black +opaque "rgb($2)" -fill white -opaque "rgb($2)" -format '%[fx:int(mean*w*h)]' info:
}

# Quits zq through its quit question (KEYS… open it) and waits for its end.
gui_quit() {
  local dlg
  dlg="$(gui_keys_until_title '^終了しますか$' "$@")" || gui_fail "the quit dialog did not appear"
  gui_keys_until_gone "$dlg" '^終了しますか$' Return || gui_fail "the quit question did not take Return"
  gui_wait_exit 15 || gui_fail "zq did not end after the quit question"
}

# Waits up to 5 s for zq's main window title to match REGEX; fails with WHAT otherwise.
gui_expect_title() {
  local regex="$1" what="$2" i
  for i in $(seq 1 50); do
    [[ "$(xdotool getwindowname "$GUI_WID")" =~ $regex ]] && return 0
    sleep 0.1
  done
  gui_fail "$what: the title is '$(xdotool getwindowname "$GUI_WID")'"
}

# The X clipboard as text (Wine offers the Windows clipboard there); empty when it holds none.
gui_clipboard() {
  python3 - <<'PY'
import tkinter
root = tkinter.Tk()
root.withdraw()
try:
    print(root.clipboard_get(), end="")
except tkinter.TclError:
    pass
root.destroy()
PY
}

# Takes the clipboard and lets it go again holding "-", so that a copy that
# does nothing is seen.
gui_clear_clipboard() {
  python3 - <<'PY'
import tkinter
root = tkinter.Tk()
root.withdraw()
root.clipboard_clear()
root.clipboard_append("-")
root.update()
root.destroy()
PY
}

# The name the cursor memory (SAVECURPOS) holds for directory DIR, compared
# ignoring case; empty when it holds none.
gui_remembered_cursor() {
  INI="$GUI_APP/zq.ini" DIR="$1" python3 - <<'PY'
import os
text = open(os.environ["INI"], "rb").read().decode("utf-16")
values, section = {}, ""
for line in text.splitlines():
    if line.startswith("["):
        section = line
    elif section == "[SAVECURPOS]" and "=" in line:
        key, value = line.split("=", 1)
        values[key] = value
for key, value in values.items():
    if key.startswith("DIR") and value.lower() == os.environ["DIR"].lower():
        print(values.get("NAME" + key[3:], ""))
        break
PY
}

# The value of KEY in [SECTION] of the zq.ini that zq wrote (empty when absent).
gui_ini_value() {
  INI="$GUI_APP/zq.ini" SECTION="$1" KEY="$2" python3 - <<'PY'
import os
data = open(os.environ["INI"], "rb").read()
text = data.decode("utf-16") if data[:2] in (b"\xff\xfe", b"\xfe\xff") else data.decode("cp932")
section = ""
for line in text.splitlines():
    if line.startswith("["):
        section = line
    elif section == "[" + os.environ["SECTION"] + "]" and line.startswith(os.environ["KEY"] + "="):
        print(line.split("=", 1)[1])
        break
PY
}
