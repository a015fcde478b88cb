#!/usr/bin/env bash
# The layers include one way: the engine and the framework at the bottom,
# then the resources and the window-free logic, then the screens (input,
# output, never each other), then the application. Lists every include that
# runs against them and fails if there is one. Usage: check_layers.sh SOURCE_DIR
set -uo pipefail
cd "${1:-.}"
status=0
# layer folder, then the pattern of what it must not include
rules=(
  "engine|\"nubora/"
  "framework|\"nubora/(resources|logic|input|output|app)/"
  "resources|\"nubora/(logic|input|output|app)/"
  "logic|\"nubora/(framework|input|output|app)/|\"nubora/resources/(artwork|messages|string_table|code_view_layout|input_screen_layout)\\.h"
  "input|\"nubora/(output|app)/"
  "output|\"nubora/(input|app)/"
  "cli|\"nubora/(input|output|app)/"
)
for rule in "${rules[@]}"; do
  layer=${rule%%|*}
  forbidden=${rule#*|}
  found=$(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]+($forbidden)" "$layer" \
    --include='*.h' --include='*.cpp' --include='*.c' --include='*.inc' 2>/dev/null)
  if [ -n "$found" ]; then
    echo "$layer/ includes against the layers:"
    echo "$found"
    status=1
  fi
done
exit $status
