# shellcheck shell=bash
# Sourced by scripts/gui-test: the frame at 144 DPI (Wine's LogPixels), checked in process by the
# application tests and looked at on a screenshot. The prefix goes back to 96 DPI afterwards,
# also when the run is interrupted.

_dpi_set() {
  if [[ $1 == default ]]; then
    wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
  else
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  fi
  # The system DPI is read when the Wine session starts.
  wineserver -k 2>/dev/null || true
  timeout 30 wineserver -w 2>/dev/null || true
}

test_frame_at_144_dpi() {
  local preset=$1 name="frame at 144 DPI ($1)" log=$WORK/dpi-$1.log shot=$SHOTS/frame-144dpi-$1.png
  local tests=$ROOT/build/$preset/tests/veilo-tests-app.exe
  [[ -f $tests ]] || { fail "$name" "$tests is missing"; return; }
  veilo_at_exit '_dpi_set default'
  _dpi_set 144
  local status=0
  VEILO_EXPECT_DPI=144 timeout 300 wine "$tests" --gtest_filter='FrameTest.StartsWith*:PaintingTest.EveryZoom*' \
    >"$log" 2>&1 || status=$?
  grep -E '^\[ +(OK|FAILED|PASSED) ' "$log" | sed 's/^/    /'
  wine "$ROOT/build/$preset/veilo.exe" "$(veilo_windows_path "$ROOT/resources/sample/sample.bmp")" >/dev/null 2>&1 &
  local pid=$!
  if drv "$preset" wait --class MDIClass --timeout-ms 60000 >/dev/null; then
    sleep 0.5
    veilo_screenshot "$shot"
  fi
  kill "$pid" 2>/dev/null || true
  _dpi_set default
  if [[ $status -ne 0 ]]; then
    fail "$name" "the application tests at 144 DPI failed (see $log)"
  else
    echo "    screenshot: ${shot#"$ROOT"/}"
    pass "$name"
  fi
}

# Every dialog opened in process at 96 and at 144 DPI: its controls and texts fit (checked by the
# test), and a picture of each goes to build/screenshots/dialog-NAME[-en]-DPIdpi.png.
test_dialogs_at_96_and_144_dpi() {
  local preset=$1 name="dialogs at 96 and 144 DPI ($1)" tests=$ROOT/build/$1/tests/veilo-tests-app.exe
  [[ -f $tests ]] || { fail "$name" "$tests is missing"; return; }
  local shots_win status=0 dpi
  shots_win=$(veilo_windows_path "$SHOTS")
  veilo_at_exit '_dpi_set default'
  for dpi in 96 144; do
    [[ $dpi == 96 ]] && _dpi_set default || _dpi_set "$dpi"
    VEILO_SHOT_DIR=$shots_win timeout 300 wine "$tests" --gtest_filter='DialogLayoutTest.*' \
      >"$WORK/dialogs-$dpi-$preset.log" 2>&1 || status=$?
    grep -E '^\[ +(OK|FAILED|PASSED) |Failure|needs|outside|larger' "$WORK/dialogs-$dpi-$preset.log" | sed "s/^/    $dpi dpi: /"
  done
  _dpi_set default
  if [[ $status -ne 0 ]]; then
    fail "$name" "a dialog does not fit (see $WORK/dialogs-*-$preset.log)"
  else
    echo "    screenshots: build/screenshots/dialog-*.png"
    pass "$name"
  fi
}
