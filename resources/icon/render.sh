#!/usr/bin/env bash
# Renders the icon's PNG sizes from ortix-t.svg; run after changing the drawing and commit the PNGs.
set -euo pipefail
cd "$(dirname "$0")"
command -v rsvg-convert >/dev/null 2>&1 || {
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends librsvg2-bin
}
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" -o "ortix-t-$size.png" ortix-t.svg
done
