#!/usr/bin/env bash
# One-time set-up of a Wine prefix for the tests (tools/wine-run.sh runs it with WINEPREFIX set).
# - Wine's own stand-ins for the Windows fonts (package fonts-wine: MS Sans Serif, Tahoma behind
#   "MS Shell Dlg", ...) go into the prefix's Fonts folder, where Wine finds them; without them every
#   dialog is laid out in a Linux font of other widths, and the sheet's fit is not measured as on Windows.
set -u
fonts=/usr/share/wine/fonts
target=$WINEPREFIX/drive_c/windows/Fonts
[ -d "$fonts" ] || exit 0
mkdir -p "$target"
cp -n "$fonts"/* "$target"/ 2>/dev/null
exit 0
