# Sourced by the scripts: one Wine prefix for the build tree, made quiet and unattended,
# and (for headless runs) one Xvfb display that is stopped again by its PID.
WINE_SESSION_ROOT=${WINE_SESSION_ROOT:-$(pwd)/build}
export WINEPREFIX=${WINEPREFIX:-$WINE_SESSION_ROOT/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
XVFB_PID=""

# With "managed" the prefix keeps Wine's defaults, so a window manager stacks and closes the
# calendar like any window (the run command); without it the windows are unmanaged, which
# headless tests need.
prepare_wine_prefix() {
  if [ "${1:-}" = managed ]; then
    if [ ! -f "$WINEPREFIX/.velmora-ready" ]; then
      mkdir -p "$WINEPREFIX"
      wineboot -i >/dev/null 2>&1 || true
      wineserver -w || true
      touch "$WINEPREFIX/.velmora-ready"
    fi
  elif [ ! -f "$WINEPREFIX/.velmora-ready" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    # Without a window manager, managed windows make every dialog close wait; turn them off.
    cat > "$WINEPREFIX/velmora.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
"Decorated"="N"
REG
    wine regedit /S "$(winepath -w "$WINEPREFIX/velmora.reg" 2>/dev/null)" >/dev/null 2>&1 || true
    wineserver -w || true
    touch "$WINEPREFIX/.velmora-ready"
  fi
  # Wine's own symbol face for the calendar's arrow buttons is only found in the prefix.
  if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ -d "$WINEPREFIX/drive_c/windows/Fonts" ]; then
    cp -n /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
}

start_xvfb() {
  local display=91
  # Other sessions pick displays the same way: one that another Xvfb took first in the
  # meantime makes ours end at once, and the next free one is tried.
  while :; do
    while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
      display=$((display + 1))
    done
    # No reset when the last client goes: a probe or a short-lived client must not wipe it.
    Xvfb ":${display}" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    # Ready once it answers a client; under load that can take a while after its socket shows.
    for _ in $(seq 1 200); do
      kill -0 "$XVFB_PID" 2>/dev/null || break
      xprop -display ":${display}" -root >/dev/null 2>&1 && break
      sleep 0.1
    done
    kill -0 "$XVFB_PID" 2>/dev/null && break
    display=$((display + 1))
  done
  export DISPLAY=":${display}"
}

start_wine_session() {
  start_xvfb
  prepare_wine_prefix
  # A running wineserver and desktop before CTest, so no Wine helper holds CTest's pipes.
  wineserver -p
  wine cmd /c exit >/dev/null 2>&1 || true
}

# For the scripts that take the calendar's pictures: a private display and the prefix, and a
# fresh program folder in $folder holding the built program and an empty data folder. The
# calendar a script starts goes in $calendar_pid; it, the display and the folder go at exit.
# The shipped program (build/win/dist), or with "test" its test build (build/win/testbin),
# which runs on the clock in VELMORA_NOW.
start_picture_session() {
  local build=build/win/dist
  [ "${1:-}" = test ] && build=build/win/testbin
  start_xvfb
  calendar_pid=""
  folder=$(mktemp -d)
  trap stop_picture_session EXIT
  prepare_wine_prefix
  cp "$build/Calendar.exe" "$build/TOOLS.DLL" "$folder/"
  mkdir -p "$folder/data"
}

stop_picture_session() {
  if [ -n "$calendar_pid" ]; then kill "$calendar_pid" 2>/dev/null || true; fi
  stop_wine_session
  rm -rf "$folder"
}

stop_wine_session() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}

# The calendar on a Linux desktop. Wine maps its window above the others and tells the window
# manager nothing of a window kept at the bottom, so the run command asks the window manager
# for it: the calendar's X window gets _NET_WM_STATE_BELOW, which keeps it beneath every
# ordinary window whatever raises it (a click, an activation). Runs until the process ends.
# The calendar's own window, not every window of the program: its message boxes carry its
# title and its dialogs its class, and a box kept below would leave it waiting unseen. The
# calendar's window is the program's one window without a frame (no caption, no border).
calendar_x_window() {
  local window
  for window in $({ wmctrl -lx 2>/dev/null || true; } |
    awk 'tolower($3) == "calendar.exe.calendar.exe" { print $1 }'); do
    # Flags with the decorations bit (Wine sets functions and decorations), decorations none.
    if xprop -id "$window" _MOTIF_WM_HINTS 2>/dev/null |
      grep -E '= 0x[0-9a-f]*[2367abef], 0x[0-9a-f]+, 0x0(,|$)' >/dev/null; then
      echo "$window"
      return 0
    fi
  done
}

keep_calendar_below() {
  local pid=$1 window pause=0.2
  command -v wmctrl >/dev/null || return 0
  while kill -0 "$pid" 2>/dev/null; do
    window=$(calendar_x_window)
    if [ -n "$window" ]; then
      if ! xprop -id "$window" _NET_WM_STATE 2>/dev/null | grep _NET_WM_STATE_BELOW >/dev/null; then
        wmctrl -i -r "$window" -b add,below 2>/dev/null || true
      fi
      pause=1
    fi
    sleep "$pause"
  done
}

# Asks the calendar to close as its menu's Close does, so it saves its position, and waits
# for it to end.
close_calendar() {
  local pid=$1
  kill -0 "$pid" 2>/dev/null || return 0
  wine taskkill /im Calendar.exe >/dev/null 2>&1 || true
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  echo "The calendar did not close; stopping it." >&2
  kill "$pid" 2>/dev/null || true
}
