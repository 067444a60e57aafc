#!/usr/bin/env bash
# Runs the sample flows and copies their pictures to docs/, where the README
# shows them. Needs the built batch program (build/apps/tessival-batch) and
# draws on a virtual display when there is no real one.
#
#   examples/make-pictures.sh
set -euo pipefail

cd "$(dirname "$0")/.."
root=$PWD
batch=$root/build/apps/tessival-batch
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

draw() {
    if [ -n "${DISPLAY:-}" ]; then
        "$@"
    else
        xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
    fi
}

cd "$work"
draw "$batch" "$root/examples/membrane/membrane.plst" -o membrane.cvx --section y=40 membrane-section.png
draw "$batch" "$root/examples/cantilever/cantilever.plst" -o cantilever.cvx --section y=12 cantilever-section.png
draw "$batch" "$root/examples/electroplated/electroplated.plst" -o electroplated.cvx \
    --section y=28 electroplated-section.png
draw "$batch" "$root/examples/mems-switch/mems-switch.plst" -o mems-switch.cvx --length-unit 1um \
    --section y=20 mems-switch-section.png
cp membrane.png membrane-section.png cantilever.png cantilever-section.png electroplated.png \
    electroplated-section.png mems-switch.png mems-switch-section.png "$root/docs/"
echo "Pictures written to $root/docs/" >&2
