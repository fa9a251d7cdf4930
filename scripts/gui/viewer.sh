# shellcheck shell=bash
# Sourced by scripts/gui-test: real X input on a running veilo.exe, checked from outside with
# veilo-gui-driver. Every wait has a time limit; every step leaves a screenshot.

# drv PRESET ARGS...: the driver's looking modes.
drv() {
  local preset=$1
  shift
  wine "$ROOT/build/$preset/tests/veilo-gui-driver.exe" "$@"
}

# wait_pane PRESET CHILD-ID TEXT SECONDS: until the frame's child shows TEXT.
wait_pane() {
  local preset=$1 id=$2 text=$3 seconds=$4 i got=""
  for ((i = 0; i < seconds * 4; i++)); do
    got=$(drv "$preset" text --child-id "$id" --timeout-ms 2000 2>/dev/null | tr -d '\r')
    [[ $got == "$text" ]] && return 0
    sleep 0.25
  done
  echo "    pane $id shows '$got', not '$text'"
  return 1
}

# wait_exit PID SECONDS: until the process has ended.
wait_exit() {
  local pid=$1 seconds=$2 i
  for ((i = 0; i < seconds * 10; i++)); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# wait_changed FILE STAMP SECONDS: until FILE's modification time differs from STAMP.
wait_changed() {
  local file=$1 stamp=$2 seconds=$3 i
  for ((i = 0; i < seconds * 10; i++)); do
    [[ $(stat -c %Y.%s "$file" 2>/dev/null) != "$stamp" ]] && return 0
    sleep 0.1
  done
  return 1
}

# Real keys go to the X window that has the keyboard focus. Under Wine's virtual desktop that
# may be the desktop's own window, or, once Wine gives them X windows of their own, one of Veilo's
# windows (the frame, or a dialog while one is open). Keys that land on the desktop's window
# while Veilo has windows of its own are lost, so the frame's window takes the focus then.
focus_for_keys() {
  local focus name veilo
  focus=$(xdotool getwindowfocus 2>/dev/null || true)
  name=""
  [[ -n $focus ]] && name=$(xdotool getwindowname "$focus" 2>/dev/null || true)
  [[ -n $name && $name != *"Wine desktop"* ]] && return 0
  veilo=$(xdotool search --name '^VEILO$' 2>/dev/null | head -n 1)
  if [[ -n $veilo ]]; then
    xdotool windowfocus "$veilo" 2>/dev/null || true
    sleep 0.3
  elif [[ -z $name ]]; then
    local desktop
    desktop=$(xdotool search --name 'Wine desktop' 2>/dev/null | head -n 1)
    [[ -n $desktop ]] && xdotool windowfocus "$desktop" 2>/dev/null
    sleep 0.3
  fi
  return 0
}

send_keys() {
  focus_for_keys
  xdotool key --delay 80 "$@"
}

# ready_for_input PRESET: Veilo's frame is Wine's foreground window and an X window of Wine
# that passes keys on has the focus.
ready_for_input() {
  drv "$1" wait --class VeiloMDIFrameClass --foreground --timeout-ms 30000 >/dev/null
  focus_for_keys
}

# Number of pixels that differ between two screenshots inside a rectangle L,T,R,B.
pixels_changed() {
  local a=$1 b=$2 rect=$3 left top right bottom count
  IFS=, read -r left top right bottom <<<"$rect"
  local crop="$((right - left))x$((bottom - top))+$left+$top"
  convert "$a" -crop "$crop" +repage "$WORK/changed-a.png"
  convert "$b" -crop "$crop" +repage "$WORK/changed-b.png"
  # compare prints the count on stderr and exits 1 when the pictures differ.
  count=$(compare -metric AE "$WORK/changed-a.png" "$WORK/changed-b.png" null: 2>&1 || true)
  [[ $count =~ ^[0-9]+ ]] && echo "${BASH_REMATCH[0]}" || echo 0
}

# Starts the viewer on a.bmp, zooms with F3/F4, steps with Space, saves with Ctrl+S, hands a
# file over from a second instance, and ends with Alt+F4, which writes the settings.
test_viewer_smoke() {
  local preset=$1 name="viewer ($1)" work=$WORK/viewer-$1 shots=$SHOTS/viewer-$1
  rm -rf "$work"
  mkdir -p "$work/pics"
  cp "$ROOT/build/$preset/veilo.exe" "$work/"
  convert -size 240x160 gradient:red-blue BMP3:"$work/pics/a.bmp"
  convert -size 200x180 gradient:yellow-green BMP3:"$work/pics/b.bmp"
  convert -size 160x120 gradient:white-black BMP3:"$work/pics/c.bmp"

  wine "$work/veilo.exe" "$(veilo_windows_path "$work/pics/a.bmp")" >"$work/veilo.log" 2>&1 &
  local pid=$!
  veilo_at_exit "kill $pid 2>/dev/null"
  local why=""
  smoke_steps "$preset" "$work" "$shots" "$pid" || why=$smoke_failure
  kill "$pid" 2>/dev/null || true
  if [[ -n $why ]]; then
    fail "$name" "$why"
  else
    echo "    screenshots: ${shots#"$ROOT"/}-*.png"
    pass "$name"
  fi
}

smoke_failure=""
smoke_steps() {
  local preset=$1 work=$2 shots=$3 pid=$4 doc rect
  doc=$(drv "$preset" wait --class MDIClass --caption a.bmp --timeout-ms 60000 | tr -d '\r') ||
    { smoke_failure="the document window of a.bmp did not appear"; return 1; }
  rect=$(awk '{print $(NF - 2)}' <<<"$doc")
  ready_for_input "$preset" || { smoke_failure="Veilo's frame never took the keyboard"; return 1; }
  veilo_screenshot "$shots-1-start.png"

  send_keys F3
  if ! wait_pane "$preset" 31 "150 %" 10; then
    # A first key that went astray: once more (should the first arrive late after all, F4 takes
    # the second step back).
    echo "    F3 again"
    send_keys F3
    if wait_pane "$preset" 31 "200 %" 5; then send_keys F4; fi
  fi
  wait_pane "$preset" 31 "150 %" 20 || { smoke_failure="F3 did not zoom in"; return 1; }
  sleep 0.3
  veilo_screenshot "$shots-2-zoom-in.png"
  [[ $(pixels_changed "$shots-1-start.png" "$shots-2-zoom-in.png" "$rect") -gt 1000 ]] ||
    { smoke_failure="the picture looks the same after F3"; return 1; }
  send_keys F4 F4
  wait_pane "$preset" 31 "90 %" 20 || { smoke_failure="F4 did not zoom out"; return 1; }

  send_keys space
  drv "$preset" wait --class MDIClass --caption b.bmp --timeout-ms 20000 >/dev/null ||
    { smoke_failure="Space did not step to b.bmp"; return 1; }
  wait_pane "$preset" 31 "100 %" 20 || { smoke_failure="the next picture is not at 100 %"; return 1; }
  sleep 0.3
  veilo_screenshot "$shots-3-next.png"

  local stamp
  stamp=$(stat -c %Y.%s "$work/pics/b.bmp")
  sleep 1.1  # a new modification time must be visible at one-second resolution
  send_keys ctrl+s
  # The gradient has more than 16 colours: the BMP options come first; OK keeps them all.
  drv "$preset" wait --class '#32770' --caption 'Bitmap Option' --timeout-ms 20000 >/dev/null ||
    { smoke_failure="Ctrl+S offered no BMP options"; return 1; }
  send_keys Return
  wait_changed "$work/pics/b.bmp" "$stamp" 20 || { smoke_failure="Ctrl+S did not write b.bmp"; return 1; }

  wine "$work/veilo.exe" "$(veilo_windows_path "$work/pics/c.bmp")" >"$work/second.log" 2>&1 &
  local second=$!
  wait_exit "$second" 60 || { smoke_failure="the second instance did not end"; return 1; }
  drv "$preset" wait --class MDIClass --caption c.bmp --timeout-ms 20000 >/dev/null ||
    { smoke_failure="the second instance did not hand c.bmp over"; return 1; }
  drv "$preset" wait --class VeiloMDIFrameClass --count 1 --timeout-ms 5000 >/dev/null ||
    { smoke_failure="the second instance showed a frame of its own"; return 1; }
  sleep 0.3
  veilo_screenshot "$shots-4-handed-over.png"

  rm -f "$work/veilo.ini"
  ready_for_input "$preset" || { smoke_failure="the frame did not come forward after the hand-over"; return 1; }
  send_keys alt+F4
  wait_exit "$pid" 60 || { smoke_failure="Alt+F4 did not end Veilo"; return 1; }
  grep -q '^Window Dimensions=' "$work/veilo.ini" 2>/dev/null ||
    { smoke_failure="Alt+F4 did not write veilo.ini"; return 1; }
  return 0
}
