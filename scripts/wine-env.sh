# Sourced: a Wine prefix of the build's own, with the null graphics driver so
# that windows work without a display. Starts a persistent wineserver;
# call stop_wine when done.
WINE_BUILD_DIR="${WINE_BUILD_DIR:-$(pwd)/build/windows}"
export WINEPREFIX="${VARNEL_WINEPREFIX:-$WINE_BUILD_DIR/wineprefix}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
export WINEARCH=win64

start_wine() {
  local graphics="${1:-null}"
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "== creating the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1 </dev/null || true
    wineserver -w
  fi
  if [[ "$graphics" == null ]]; then
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  else
    wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1 || true
  fi
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  # Detached, so that it holds no terminal or pipe of ours open.
  (setsid wineserver -p >/dev/null 2>&1 </dev/null &)
  # Wine's services start with the first program and live on: start them now,
  # detached too, or they would hold the test runner's output pipe open.
  setsid wine wineboot >/dev/null 2>&1 </dev/null || true
}

stop_wine() {
  wineserver -k 2>/dev/null || true
}
