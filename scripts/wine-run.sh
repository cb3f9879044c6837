#!/usr/bin/env bash
# Runs one Windows executable under zq's Wine environment (the CMake emulator).
source "$(dirname "${BASH_SOURCE[0]}")/wine-env"
zq_wine_ready
exec "$ZQ_WINE" "$@"
