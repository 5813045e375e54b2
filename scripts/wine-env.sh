# Sourced: a Wine prefix of the build's own, with the null graphics driver so
# that windows work without a display. Starts a persistent wineserver;
# call stop_wine when done.
WINE_BUILD_DIR="${WINE_BUILD_DIR:-$(pwd)/build/windows}"
export WINEPREFIX="${VARNEL_WINEPREFIX:-$WINE_BUILD_DIR/wineprefix}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
export WINEARCH=win64

# start_wine [null|x11] [DESKTOP]: with a DESKTOP size (1280x800), programs
# open on a desktop of Wine's own that draws their frames and title bars, in
# Wine's Light visual style.
start_wine() {
  local graphics="${1:-null}" desktop="${2:-}"
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
  local explorer='HKCU\Software\Wine\Explorer'
  local themes='HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager'
  if [[ -n "$desktop" ]]; then
    wine reg add "$explorer" /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add "$explorer\Desktops" /v Default /d "$desktop" /f >/dev/null 2>&1
    wine reg add "$themes" /v ThemeActive /d 1 /f >/dev/null 2>&1
    wine reg add "$themes" /v DllName \
      /d 'C:\windows\resources\themes\light\light.msstyles' /f >/dev/null 2>&1
    wine reg add "$themes" /v ColorName /d Blue /f >/dev/null 2>&1
    wine reg add "$themes" /v SizeName /d NormalSize /f >/dev/null 2>&1
    # Wine draws title bar buttons in its Marlett font, which it finds only
    # among the prefix's own fonts.
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/{marlett,tahoma,tahomabd}.ttf "$WINEPREFIX/drive_c/windows/Fonts/" \
      2>/dev/null || true
  else
    wine reg delete "$explorer" /v Desktop /f >/dev/null 2>&1 || true
    wine reg delete "$themes" /v ThemeActive /f >/dev/null 2>&1 || true
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
