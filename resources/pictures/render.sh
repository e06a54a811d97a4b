#!/usr/bin/env bash
# Regenerates svg/*.svg from make_svg.py and renders every picture to the
# JPEGs the windows load: NAME.jpg at the picture box's size and NAME@2x.jpg
# at twice that size for high-DPI screens.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cd "$here"

need=()
command -v rsvg-convert >/dev/null 2>&1 || need+=(librsvg2-bin)
# the real ImageMagick, not some other convert on PATH
[ -x /usr/bin/convert ] || need+=(imagemagick)
[ -f /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf ] || need+=(fonts-dejavu-core)
command -v python3 >/dev/null 2>&1 || need+=(python3)
command -v fc-match >/dev/null 2>&1 || need+=(fontconfig)
if [ ${#need[@]} -gt 0 ]; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${need[@]}"
fi

python3 make_svg.py

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

render() { # svg out.jpg scale
    local svg=$1 out=$2 scale=$3 w h
    w=$(sed -n 's/.*<svg [^>]*width="\([0-9]*\)".*/\1/p' "$svg" | head -n1)
    h=$(sed -n 's/.*<svg [^>]*height="\([0-9]*\)".*/\1/p' "$svg" | head -n1)
    rsvg-convert -w $((w * scale)) -h $((h * scale)) -b white -o "$tmp/p.png" "$svg"
    # baseline JPEG, no metadata, full-resolution chroma so thin coloured
    # lines stay clean
    /usr/bin/convert "$tmp/p.png" -alpha remove -alpha off -colorspace sRGB \
        -type TrueColor -depth 8 -strip -interlace None \
        -sampling-factor 1x1 -quality 92 "jpeg:$out"
}

for svg in svg/*.svg; do
    name=$(basename "$svg" .svg)
    render "$svg" "$name.jpg" 1
    render "$svg" "$name@2x.jpg" 2
    echo "$name.jpg $name@2x.jpg"
done
