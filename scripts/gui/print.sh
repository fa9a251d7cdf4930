# shellcheck shell=bash
# Sourced by scripts/gui-test (after viewer.sh, whose helpers it uses): printing from a running
# veilo.exe with real keys, on the test printer that veilo-gui-driver installs (Wine's PostScript
# driver; Ghostscript renders each page to a PNG). Every wait has a time limit.

# The colour of the page's pixel X,Y as "R,G,B".
page_pixel() {
  convert "$1" -format '%[fx:int(255*p{'"$2"','"$3"'}.r)],%[fx:int(255*p{'"$2"','"$3"'}.g)],%[fx:int(255*p{'"$2"','"$3"'}.b)]' info:
}

# print_steps PRESET WORK SHOT PAGE PID: Ctrl+P and Enter on the open picture, then Alt+F4.
print_failure=""
print_steps() {
  local preset=$1 work=$2 shot=$3 page=$4 pid=$5 i
  drv "$preset" wait --class MDIClass --caption wide.bmp --timeout-ms 60000 >/dev/null ||
    { print_failure="the document window of wide.bmp did not appear"; return 1; }
  ready_for_input "$preset" || { print_failure="Veilo's frame never took the keyboard"; return 1; }
  send_keys ctrl+p
  drv "$preset" wait --class '#32770' --foreground --timeout-ms 20000 >/dev/null ||
    { print_failure="Ctrl+P showed no print dialog"; return 1; }
  sleep 0.3
  veilo_screenshot "$shot"
  send_keys Return
  for ((i = 0; i < 300; i++)); do
    [[ -s $page ]] && break
    sleep 0.1
  done
  [[ -s $page ]] || { print_failure="no page was printed within 30 s"; return 1; }
  ready_for_input "$preset" || { print_failure="the frame did not come back after printing"; return 1; }
  send_keys alt+F4
  wait_exit "$pid" 60 || { print_failure="Alt+F4 did not end Veilo"; return 1; }
  return 0
}

# A landscape picture (red top-left quarter, the rest blue) printed on the portrait page: turned a
# quarter clockwise, so the red corner is at the top right, and as wide as the printable area;
# devmode.prt is written next to the program and names the printer. A second run prints from
# what devmode.prt holds: with its orientation set to landscape there (the wide device mode's
# dmOrientation, 264 + 76 bytes into the file), the picture is not turned and the driver lays the
# landscape page on the sheet a quarter anticlockwise, so the red corner comes out at the bottom left.
test_print_smoke() {
  local preset=$1 name="print ($1)" work=$WORK/print-$1 shot=$SHOTS/print-$1-dialog.png
  local page_line page
  page_line=$(drv "$preset" printer 2>"$WORK/print-$1-printer.log" | tr -d '\r') || {
    echo "    skipped: $(cat "$WORK/print-$1-printer.log")"
    return
  }
  page=${page_line#page }
  rm -rf "$work" "$page"
  mkdir -p "$work"
  cp "$ROOT/build/$preset/veilo.exe" "$work/"
  convert -size 60x48 xc:blue -fill red -draw 'rectangle 0,0 29,23' BMP3:"$work/wide.bmp"

  wine "$work/veilo.exe" "$(veilo_windows_path "$work/wide.bmp")" >"$work/veilo.log" 2>&1 &
  local pid=$!
  veilo_at_exit "kill $pid 2>/dev/null"
  local why=""
  print_steps "$preset" "$work" "$shot" "$page" "$pid" || why=$print_failure
  kill "$pid" 2>/dev/null || true
  if [[ -z $why ]]; then
    cp "$page" "$SHOTS/print-$1-page.png"
    # The printed picture's box on the page: WIDTH HEIGHT LEFT TOP.
    local box width height left top
    box=$(convert "$page" -fuzz 20% -trim -format '%w %h %[fx:page.x] %[fx:page.y]' info:)
    read -r width height left top <<<"$box"
    local page_width
    page_width=$(identify -format '%w' "$page")
    # The test printer's printable area runs from 18 to 577 points across the 595-point page.
    local want_left=$((18 * page_width / 595)) want_width=$(((577 - 18) * page_width / 595))
    if ((left < want_left - 2 || left > want_left + 2 || width < want_width - 3 || width > want_width + 3)); then
      why="the picture is not as wide as the printable area (box $box, want +$want_left and width $want_width)"
    elif [[ $(page_pixel "$page" $((left + width - 4)) $((top + 3))) != 255,0,0 ]]; then
      why="the top-right corner is not red: the picture was not turned clockwise"
    elif [[ $(page_pixel "$page" $((left + 3)) $((top + 3))) != 0,0,255 ]]; then
      why="the top-left corner is not blue"
    elif ! [[ -s $work/devmode.prt ]] || ! head -c 260 "$work/devmode.prt" | grep -qa 'Veilo Test Printer'; then
      why="devmode.prt next to veilo.exe does not name the printer"
    fi
  fi
  if [[ -z $why ]]; then
    printf '\x02' | dd of="$work/devmode.prt" bs=1 seek=340 conv=notrunc 2>/dev/null
    rm -f "$page"
    wine "$work/veilo.exe" "$(veilo_windows_path "$work/wide.bmp")" >"$work/veilo-2.log" 2>&1 &
    pid=$!
    veilo_at_exit "kill $pid 2>/dev/null"
    print_steps "$preset" "$work" "$SHOTS/print-$1-dialog-2.png" "$page" "$pid" || why="second run: $print_failure"
    kill "$pid" 2>/dev/null || true
    if [[ -z $why ]]; then
      cp "$page" "$SHOTS/print-$1-page-landscape.png"
      box=$(convert "$page" -fuzz 20% -trim -format '%w %h %[fx:page.x] %[fx:page.y]' info:)
      read -r width height left top <<<"$box"
      if [[ $(page_pixel "$page" $((left + 3)) $((top + height - 4))) != 255,0,0 ||
            $(page_pixel "$page" $((left + 3)) $((top + 3))) != 0,0,255 ]]; then
        why="the second run did not print in the landscape orientation kept in devmode.prt"
      fi
    fi
  fi
  if [[ -n $why ]]; then
    fail "$name" "$why"
  else
    echo "    screenshots: ${shot#"$ROOT"/}, build/screenshots/print-$1-page.png"
    pass "$name"
  fi
}
