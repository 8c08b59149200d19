#!/usr/bin/env bash
# Makes the Wine prefix the Windows tests share, anew: a Windows without
# anything installed, so that a test sees only what the program brings.
set -euo pipefail
command -v wine >/dev/null || { echo "SKIPPED: wine is missing"; exit 77; }
rm -rf "$WINEPREFIX"
wineboot --init
wineserver --wait
