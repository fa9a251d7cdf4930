# shellcheck shell=bash
# Sourced by scripts/gui-test (after viewer.sh, whose helpers it uses): masking with real mouse
# and keyboard input on a running veilo.exe. The saved files are compared pixel for pixel with
# what veilo-cli makes of the same picture, area and mask.

# click_at X Y [BUTTON]: a real click at a screen point of the virtual desktop.
mouse_to() { xdotool mousemove --sync "$1" "$2"; }

# same_pixels A B: the two pictures have the same size and pixels.
same_pixels() {
  local count
  count=$(compare -metric AE "$1" "$2" null: 2>&1 || true)
  [[ $count == 0 ]]
}

test_masking_smoke() {
  local preset=$1 name="masking ($1)" work=$WORK/masking-$1 shots=$SHOTS/masking-$1
  rm -rf "$work"
  mkdir -p "$work/pics"
  cp "$ROOT/build/$preset/veilo.exe" "$work/"
  convert -seed 4 -size 320x240 plasma:fractal BMP3:"$work/pics/photo.bmp"
  cp "$work/pics/photo.bmp" "$work/original.bmp"

  wine "$work/veilo.exe" "$(veilo_windows_path "$work/pics/photo.bmp")" >"$work/veilo.log" 2>&1 &
  local pid=$!
  veilo_at_exit "kill $pid 2>/dev/null"
  smoke_failure=""
  masking_steps "$preset" "$work" "$shots" "$pid" || true
  kill "$pid" 2>/dev/null || true
  if [[ -n $smoke_failure ]]; then
    fail "$name" "$smoke_failure"
  else
    echo "    screenshots: ${shots#"$ROOT"/}-*.png"
    pass "$name"
  fi
}

# The document window's client origin on the screen, from the driver's "client X,Y".
client_origin() { drv "$1" wait --class MDIClass --caption "$2" --timeout-ms 60000 | tr -d '\r' | awk '{print $NF}'; }

masking_steps() {
  local preset=$1 work=$2 shots=$3 pid=$4 origin x y stamp cli
  cli=$ROOT/build/$preset/veilo-cli.exe
  origin=$(client_origin "$preset" photo.bmp) || { smoke_failure="the document window did not appear"; return 1; }
  IFS=, read -r x y <<<"$origin"
  ready_for_input "$preset" || { smoke_failure="Veilo's frame never took the keyboard"; return 1; }

  # Drag from (13, 11) to (75, 60): with the area units at 8 that is (8, 8)-(72, 56).
  mouse_to $((x + 13)) $((y + 11))
  xdotool mousedown 1
  mouse_to $((x + 40)) $((y + 30))
  mouse_to $((x + 75)) $((y + 60))
  xdotool mouseup 1
  sleep 0.3
  veilo_screenshot "$shots-1-area.png"
  send_keys F8
  sleep 0.5
  veilo_screenshot "$shots-2-meko.png"
  stamp=$(stat -c %Y.%s "$work/pics/photo.bmp")
  sleep 1.1
  send_keys ctrl+s
  # A picture of more than 16 colours is offered a reduction first; OK keeps every colour.
  drv "$preset" wait --class '#32770' --caption 'Bitmap Option' --timeout-ms 20000 >/dev/null ||
    { smoke_failure="Ctrl+S offered no BMP options"; return 1; }
  sleep 0.3
  veilo_screenshot "$shots-2b-bmp-options.png"
  send_keys Return
  wait_changed "$work/pics/photo.bmp" "$stamp" 20 || { smoke_failure="Ctrl+S did not write the picture"; return 1; }
  wine "$cli" mask "$(veilo_windows_path "$work/original.bmp")" "$(veilo_windows_path "$work/expected-meko.bmp")" \
    --area 8,8,72,56 meko >/dev/null 2>&1 || { smoke_failure="veilo-cli could not mask"; return 1; }
  same_pixels "$work/pics/photo.bmp" "$work/expected-meko.bmp" ||
    { smoke_failure="the saved picture is not the Meko-masked area veilo-cli gives"; return 1; }

  # The option dialogs, to look at: the area options at the pointer, the CP code.
  mouse_to $((x + 150)) $((y + 100))
  xdotool click 3
  drv "$preset" wait --class '#32770' --timeout-ms 20000 >/dev/null || { smoke_failure="no area options"; return 1; }
  sleep 0.3
  veilo_screenshot "$shots-3-area-options.png"
  send_keys Escape
  drv "$preset" wait --class '#32770' --count 0 --timeout-ms 20000 >/dev/null
  send_keys ctrl+F10
  drv "$preset" wait --class '#32770' --caption 'CP MASK' --timeout-ms 20000 >/dev/null ||
    { smoke_failure="Ctrl+F10 showed no CP dialog"; return 1; }
  sleep 0.3
  veilo_screenshot "$shots-4-cp-dialog.png"
  send_keys Escape
  drv "$preset" wait --class '#32770' --count 0 --timeout-ms 20000 >/dev/null

  # Ctrl+double-click: the whole picture; F5 negates it.
  mouse_to $((x + 100)) $((y + 100))
  xdotool keydown ctrl click --repeat 2 --delay 80 1 keyup ctrl
  sleep 0.3
  send_keys F5
  stamp=$(stat -c %Y.%s "$work/pics/photo.bmp")
  sleep 1.1
  send_keys ctrl+s
  drv "$preset" wait --class '#32770' --caption 'Bitmap Option' --timeout-ms 20000 >/dev/null ||
    { smoke_failure="the second Ctrl+S offered no BMP options"; return 1; }
  send_keys Return
  wait_changed "$work/pics/photo.bmp" "$stamp" 20 || { smoke_failure="the second Ctrl+S wrote nothing"; return 1; }
  wine "$cli" mask "$(veilo_windows_path "$work/expected-meko.bmp")" "$(veilo_windows_path "$work/expected-all.bmp")" \
    --area 0,0,320,240 neg >/dev/null 2>&1 || { smoke_failure="veilo-cli could not negate"; return 1; }
  same_pixels "$work/pics/photo.bmp" "$work/expected-all.bmp" ||
    { smoke_failure="Ctrl+double-click and F5 did not negate the whole picture"; return 1; }
  sleep 0.3
  veilo_screenshot "$shots-5-negated.png"
  return 0
}
