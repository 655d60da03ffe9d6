#!/usr/bin/env bash
# Takes a screenshot of Tintry under a virtual display, with the settings given
# as "key=value" pairs for the converter's section. Usage:
#   tools/screenshot.sh OUT.png [lang=Deutsch] [inICC=...] [outICC=...] [monitorICC=...] [wait=SECONDS]
#                       [size=WIDTHxHEIGHT] [type="X Y TEXT"]... [xdo="xdotool arguments"]...
# type= clicks at X,Y in the window and types TEXT there (a spin box, say).
# Needs xvfb-run and ImageMagick's import (make deps installs both) and, for
# type=, xdotool.
set -euo pipefail
out=$(realpath -m "$1"); shift
top=$(cd "$(dirname "$0")/.." && pwd)
bin="$top/build/app/tintry"
cfg=$(mktemp -d)
trap 'rm -rf "$cfg"' EXIT
dir=$(dirname "$(realpath "$bin")")
name="tintry-$(printf '%s' "$dir" | sha1sum | cut -c1-12)"
mkdir -p "$cfg/tintry"
lang=""; wait=3; width=780; height=580; tintry=(); typing=""
for kv in "$@"; do
  case "$kv" in
    lang=*) lang="${kv#lang=}" ;;
    wait=*) wait="${kv#wait=}" ;;
    size=*) width="${kv#size=}"; height="${width#*x}"; width="${width%x*}" ;;
    xdo=*) typing+="xdotool ${kv#xdo=}; sleep 0.8; " ;;
    type=*) set -- ${kv#type=}; x=$1; y=$2; shift 2
            typing+="xdotool mousemove $x $y click --repeat 3 1 type '$*'; xdotool key Tab; sleep 0.3; " ;;
    *) tintry+=("$kv") ;;
  esac
done
{
  echo "[kvmainwindow]"; echo "lang=$lang"; echo "width=$((width - 20))"; echo "height=$((height - 20))"
  echo "[tintry]"; for kv in "${tintry[@]}"; do echo "$kv"; done
} > "$cfg/tintry/$name.ini"
XDG_CONFIG_HOME="$cfg" xvfb-run -a -s "-screen 0 ${width}x${height}x24" bash -c "
  '$bin' & pid=\$!
  sleep $wait
  $typing
  sleep 0.5
  import -window root '$out'
  kill \$pid; wait \$pid || true"
echo "wrote $out"
