#!/usr/bin/env bash
# The layers include one way: the engine, the CP932 text and the framework at
# the bottom, then the resources and the window-free logic, then the screens'
# host, the screens (input, output, never each other), then the application.
# The window-free places (the text, the resources' strings, the logic and
# nubora-qr) include nothing of the framework or Qt and declare no Qt class.
# Lists every include that runs against them and fails if there is one.
# Usage: check_layers.sh SOURCE_DIR
set -uo pipefail
cd "${1:-.}"
status=0
qt_resources='"nubora/resources/(artwork|messages|string_table|code_view_layout|input_screen_layout)\.h'
# folders or files, then the pattern of what they must not include
rules=(
  "engine|\"nubora/"
  "text|\"nubora/(engine|framework|resources|logic|screens|input|output|app)/|<Q"
  "framework|\"nubora/(resources|logic|screens|input|output|app)/"
  "resources|\"nubora/(logic|screens|input|output|app)/"
  "resources/src/string_table.cpp resources/src/message_kinds.cpp resources/include/nubora/resources/string_texts.h resources/include/nubora/resources/message_kinds.h|\"nubora/framework/|$qt_resources|<Q"
  "logic|\"nubora/(framework|screens|input|output|app)/|$qt_resources|<Q"
  "screens|\"nubora/(input|output|app)/"
  "input|\"nubora/(output|app)/"
  "output|\"nubora/(input|app)/"
  "cli|\"nubora/(framework|screens|input|output|app)/|$qt_resources|<Q"
)
check() {
  local what=$1 pattern=$2 found
  # shellcheck disable=SC2086 # `what` lists several places
  found=$(grep -rnE "$pattern" $what --include='*.h' --include='*.cpp' --include='*.c' --include='*.inc' 2>/dev/null)
  if [ -n "$found" ]; then
    echo "$3"
    echo "$found"
    status=1
  fi
}
for rule in "${rules[@]}"; do
  places=${rule%%|*}
  forbidden=${rule#*|}
  check "$places" "^[[:space:]]*#[[:space:]]*include[[:space:]]+($forbidden)" "$places: includes against the layers:"
done
# A forward declaration names a Qt class as surely as an include does.
check "text logic cli" "^[[:space:]]*class[[:space:]]+Q[A-Za-z]*[[:space:]]*;" "window-free code naming Qt classes:"
exit $status
