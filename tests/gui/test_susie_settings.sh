#!/usr/bin/env bash
# The Susie plug-ins at start-up: with no SUSIEDIRECTORY zq scans the spi
# folder beside itself and, at quit, records ifwic.sph in SUSIEDATA, ended by
# an empty PLUGINFILE value.  A plug-in the user disabled stays disabled over
# a rescan (HIGHLOADSPI=0); with HIGHLOADSPI=1 a stored record is kept as it
# is, a new plug-in is appended with its whole record, and the directory may
# carry a trailing backslash.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
gui_begin susie_settings
[ -f "$GUI_APP/spi/ifwic.sph" ] || gui_fail "the program's spi folder holds no ifwic.sph"
# The records below are those of the image plug-in alone.
rm -f "$GUI_APP/spi/axzip.sph"

# Prints the PLUGINFILE values of [SUSIEDATA] in file order, one a line, an empty one as "<empty>".
plugin_values() {
  INI="$GUI_APP/zq.ini" python3 - <<'PY'
import os
text = open(os.environ["INI"], "rb").read()[2:].decode("utf-16-le")
section = ""
for line in text.split("\r\n"):
    if line.startswith("["):
        section = line
    elif section == "[SUSIEDATA]" and line.startswith("PLUGINFILE"):
        key, value = line.split("=", 1)
        print(key + "=" + (value or "<empty>"))
PY
}

expect_plugins() {
  local got
  got="$(plugin_values)"
  [ "$got" == "$1" ] || gui_fail "$2: PLUGINFILE values are
$got"
}

run_and_quit() {
  gui_start_zq
  gui_quit alt+f x
  [ "$GUI_EXIT" -eq 0 ] || gui_fail "zq ended with exit code $GUI_EXIT"
}

run_and_quit
expect_plugins "PLUGINFILE0=@ifwic.sph
PLUGINFILE1=<empty>" "first start"
[ -z "$(gui_ini_value SUSIEDATA SUSIEDIRECTORY)" ] || gui_fail "SUSIEDIRECTORY was filled in"

gui_write_ini "[ALLDATA]" "HIGHLOADSPI=0" "[SUSIEDATA]" "PLUGINFILE0=ifwic.sph" "PLUGINFILE1=gone.sph"
run_and_quit
expect_plugins "PLUGINFILE0=ifwic.sph
PLUGINFILE1=<empty>" "a disabled plug-in, a vanished one"

spi="$(gui_winpath "$GUI_APP/spi")\\"
gui_write_ini "[ALLDATA]" "HIGHLOADSPI=1" "[SUSIEDATA]" "SUSIEDIRECTORY=$spi" "PLUGINFILE0=old.sph,00AM,*.lzh,Old"
run_and_quit
got="$(plugin_values)"
python3 - "$got" <<'PY' || gui_fail "HIGHLOADSPI=1: PLUGINFILE values are
$got"
import sys
lines = sys.argv[1].split("\n")
assert len(lines) == 3, lines
assert lines[0] == "PLUGINFILE0=old.sph,00AM,*.lzh,Old", lines[0]
name, version, patterns, type_name = lines[1].split("=", 1)[1].split(",", 3)
assert (name, version) == ("@ifwic.sph", "00IN"), lines[1]
assert {"*.png", "*.jpg", "*.jpeg", "*.bmp"} <= set(patterns.split("&")), patterns
assert type_name, "no type name"
assert lines[2] == "PLUGINFILE2=<empty>", lines[2]
PY
echo "PASS: susie_settings"
