#!/usr/bin/env bash
# The core's libraries refer to no symbol that Qt Gui or Qt Widgets defines,
# and the command-line program loads neither library.
#   check-layers.sh TINTRY_CHART QT_GUI_LIB QT_WIDGETS_LIB CORE_LIB...
set -euo pipefail
cli=$1 gui=$2 widgets=$3
shift 3

upper=$(mktemp) used=$(mktemp)
trap 'rm -f "$upper" "$used"' EXIT
nm -D --defined-only "$gui" "$widgets" 2>/dev/null | awk 'NF == 3 { print $3 }' | sort -u >"$upper"
nm --undefined-only "$@" 2>/dev/null | awk 'NF > 0 && !/:$/ { print $NF }' | sort -u >"$used"
bad=$(comm -12 "$upper" "$used" | head -20)
if [ -n "$bad" ]; then
    echo "the core refers to Qt Gui or Qt Widgets:"
    c++filt <<<"$bad"
    exit 1
fi
if ldd "$cli" | grep -E 'libQt6(Gui|Widgets)'; then
    echo "tintry-chart loads Qt Gui or Qt Widgets"
    exit 1
fi
echo "layers hold: $(wc -l <"$used") symbols the core needs, none from Qt Gui or Qt Widgets"
