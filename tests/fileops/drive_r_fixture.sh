#!/usr/bin/env bash
# Maps drive R: of the test prefix onto a temporary folder for one test run, so
# that the file-operation tests can work at a drive root:
#   drive_r_fixture.sh setup | cleanup
# The folder also holds what only the Linux side can make: links that lead
# back into their own tree (loop/link -> loop/src, loop/src/inner/back ->
# loop/src, and the same in loopdel/top for a delete; links out of a tree
# being deleted, linkdel/top/out and linkdel/out, to outside/keep) and,
# where the file system allows it, a file that cannot be deleted (immutable/locked.txt, chattr +i;
# immutable/UNAVAILABLE says it could not be made).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env"
link="$WINEPREFIX/dosdevices/r:"

cleanup() {
  local target
  target="$(readlink "$link" 2>/dev/null)" || target=""
  rm -f "$link"
  if [ -n "$target" ] && [[ "$target" == /tmp/zq-drive-r.* ]]; then
    chattr -R -i "$target" 2>/dev/null
    rm -rf "$target"
  fi
}

case "${1:-}" in
  setup)
    cleanup
    mkdir -p "$WINEPREFIX/dosdevices" || exit 1
    target="$(mktemp -d /tmp/zq-drive-r.XXXXXX)" || exit 1
    mkdir -p "$target/loop/src/inner" "$target/immutable"
    printf 'f\n' >"$target/loop/src/inner/f.txt"
    ln -s src "$target/loop/link"
    ln -s .. "$target/loop/src/inner/back"
    mkdir -p "$target/loopdel/top/inner"
    printf 'f\n' >"$target/loopdel/top/inner/f.txt"
    ln -s .. "$target/loopdel/top/inner/back"
    mkdir -p "$target/outside/keep" "$target/linkdel/top"
    printf 'keep\n' >"$target/outside/keep/k.txt"
    ln -s ../../outside/keep "$target/linkdel/top/out"
    ln -s ../outside/keep "$target/linkdel/out"
    printf 'locked\n' >"$target/immutable/locked.txt"
    chattr +i "$target/immutable/locked.txt" 2>/dev/null || touch "$target/immutable/UNAVAILABLE"
    ln -sfn "$target" "$link"
    ;;
  cleanup) cleanup ;;
  *)
    echo "usage: $0 setup|cleanup" >&2
    exit 2
    ;;
esac
