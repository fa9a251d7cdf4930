# shellcheck shell=bash
# Sourced by scripts/gui-test: veilo.scr as Windows runs it. "/s" shows the folder that win.ini
# names, full screen; a mouse move after its first three seconds ends it, and the program with it.
# "/p" ends at once; "/c" shows the settings, whose OK writes win.ini. The prefix's own win.ini is
# put back as it was afterwards, also when the run is interrupted.

_saver_win_ini() { echo "$WINEPREFIX/drive_c/windows/win.ini"; }

# Saves the prefix's win.ini once (a missing one is remembered as missing).
_saver_backup_win_ini() {
  local backup=$WORK/win.ini.before-screensaver
  [[ -e $backup || -e $backup.none ]] && return 0
  if [[ -f $(_saver_win_ini) ]]; then cp -p "$(_saver_win_ini)" "$backup"; else touch "$backup.none"; fi
  veilo_at_exit _saver_restore_win_ini
}

_saver_restore_win_ini() {
  local backup=$WORK/win.ini.before-screensaver
  if [[ -f $backup ]]; then
    cp -p "$backup" "$(_saver_win_ini)" && rm -f "$backup"
  elif [[ -f $backup.none ]]; then
    rm -f "$(_saver_win_ini)" "$backup.none"
  fi
}

# The screen saver's keys, as the settings dialog writes them.
_saver_write_win_ini() {
  printf '[veilo by Kestrani]\r\nSLD_PATH=%s\r\nSLD_TM=%s\r\n' "$1" "$2" >"$(_saver_win_ini)"
}

test_screen_saver() {
  local preset=$1 name="screen saver ($1)" work=$WORK/saver-$1 shot=$SHOTS/screensaver-$1.png
  local scr=$ROOT/build/$preset/veilo.scr
  [[ -f $scr ]] || { fail "$name" "$scr is missing (build the $preset preset first)"; return; }
  rm -rf "$work"
  mkdir -p "$work/pics"
  convert -size 320x240 gradient:red-blue BMP3:"$work/pics/a.bmp"
  convert -size 240x320 gradient:yellow-green BMP3:"$work/pics/b.bmp"
  convert -size 200x200 gradient:white-black BMP3:"$work/pics/c.bmp"
  cp "$scr" "$work/"
  _saver_backup_win_ini
  local why=""
  saver_steps "$preset" "$work" "$shot" || why=$saver_failure
  _saver_restore_win_ini
  if [[ -n $why ]]; then
    fail "$name" "$why"
  else
    local shown=${shot#"$ROOT"/}
    echo "    screenshots: $shown, ${shown%.png}-settings.png"
    pass "$name"
  fi
}

saver_failure=""
saver_steps() {
  local preset=$1 work=$2 shot=$3 pid window rect
  # "/s" does nothing while another Veilo runs: the earlier tests' frames must be gone.
  drv "$preset" wait --class VeiloMDIFrameClass --count 0 --timeout-ms 30000 >/dev/null ||
    { saver_failure="a Veilo frame of an earlier test is still open"; return 1; }

  wine "$work/veilo.scr" /p 1234 >"$work/preview.log" 2>&1 &
  pid=$!
  veilo_at_exit "kill $pid 2>/dev/null"
  wait_exit "$pid" 60 || { saver_failure="\"/p\" did not end at once"; return 1; }

  _saver_write_win_ini "$(veilo_windows_path "$work/pics")" 2
  wine "$work/veilo.scr" /s >"$work/saver.log" 2>&1 &
  pid=$!
  veilo_at_exit "kill $pid 2>/dev/null"
  window=$(drv "$preset" wait --class SLIDE --timeout-ms 60000 | tr -d '\r') ||
    { saver_failure="no SLIDE window appeared"; return 1; }
  local seen=$SECONDS
  rect=$(awk '{print $(NF - 2)}' <<<"$window")
  sleep 0.5  # the first picture is drawn
  veilo_screenshot "$shot"
  local colours left top right bottom
  IFS=, read -r left top right bottom <<<"$rect"
  colours=$(convert "$shot" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage -format '%k' info:)
  [[ $colours -gt 16 ]] || { saver_failure="the show looks empty on $shot ($colours colours)"; return 1; }
  kill -0 "$pid" 2>/dev/null || { saver_failure="the screen saver ended by itself"; return 1; }

  # Past the first three seconds (counted from when the window was made, before it was seen).
  while ((SECONDS - seen < 4)); do sleep 0.2; done
  kill -0 "$pid" 2>/dev/null || { saver_failure="the screen saver ended without input"; return 1; }
  xdotool mousemove $((left + 100)) $((top + 100))
  sleep 0.2
  xdotool mousemove $((left + 300)) $((top + 250))
  wait_exit "$pid" 30 || { saver_failure="moving the mouse did not end the screen saver"; return 1; }

  # "/c": the settings show win.ini's values; OK writes them back.
  local stamp
  stamp=$(stat -c %Y.%s "$(_saver_win_ini)")
  sleep 1.1  # a new modification time must be visible at one-second resolution
  wine "$work/veilo.scr" /c >"$work/settings.log" 2>&1 &
  pid=$!
  veilo_at_exit "kill $pid 2>/dev/null"
  drv "$preset" wait --class '#32770' --caption 'スクリーンセーバーの設定' --foreground --timeout-ms 60000 >/dev/null ||
    { saver_failure="\"/c\" showed no settings dialog"; return 1; }
  sleep 0.3
  veilo_screenshot "${shot%.png}-settings.png"
  send_keys Return
  wait_exit "$pid" 30 || { saver_failure="OK did not close the settings"; return 1; }
  wait_changed "$(_saver_win_ini)" "$stamp" 5 || { saver_failure="OK did not write win.ini"; return 1; }
  grep -q '^SLD_TM=2' "$(_saver_win_ini)" || { saver_failure="win.ini lost SLD_TM"; return 1; }
  return 0
}
