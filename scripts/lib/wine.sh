# Shared by scripts/test and scripts/run: a private Wine prefix inside the
# build tree and an X server of our own, stopped by its PID.

# Usage: wine_use_prefix DIR. Exports the Wine environment and creates the
# prefix on first use (with DISPLAY already set: a prefix made without an X
# server leaves later programs without a display driver), with crash dialogs off (a crash exits with code 5
# instead of hanging) and Wine drawing its own window frames.
wine_use_prefix() {
    export WINEPREFIX="$1"
    export WINEARCH=win64
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/.vantrel-ready" ]; then
        mkdir -p "$WINEPREFIX"
        timeout 300 wineboot --init >/dev/null 2>&1 || true
        timeout 60 wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
            /v Debugger /t REG_SZ /d '' /f >/dev/null 2>&1
        timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
        timeout 60 wineserver -w || true
        local debugger
        debugger=$(timeout 60 wine reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger 2>/dev/null | tr -d '\r' | grep -c 'Debugger' || true)
        if [ "$debugger" -lt 1 ]; then
            echo "wine: could not switch off the crash debugger in $WINEPREFIX" >&2
            return 1
        fi
        touch "$WINEPREFIX/.vantrel-ready"
    fi
}

# Usage: xserver_start NUMBER [Xvfb arguments...]. Sets DISPLAY and XSERVER_PID.
xserver_start() {
    local number="$1"
    shift
    if [ $# -eq 0 ]; then
        set -- -screen 0 1280x800x24
    fi
    # A stale lock from a killed server would make Xvfb refuse the number.
    if [ -f "/tmp/.X${number}-lock" ] && ! kill -0 "$(tr -d ' ' <"/tmp/.X${number}-lock")" 2>/dev/null; then
        rm -f "/tmp/.X${number}-lock" "/tmp/.X11-unix/X${number}"
    fi
    Xvfb ":$number" -nolisten tcp "$@" >/dev/null 2>&1 &
    XSERVER_PID=$!
    export DISPLAY=":$number"
    local tries=0
    until xdpyinfo >/dev/null 2>&1; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ] || ! kill -0 "$XSERVER_PID" 2>/dev/null; then
            echo "xserver: Xvfb :$number did not start" >&2
            return 1
        fi
        sleep 0.1
    done
}

xserver_stop() {
    if [ -n "${XSERVER_PID:-}" ]; then
        kill "$XSERVER_PID" 2>/dev/null || true
        wait "$XSERVER_PID" 2>/dev/null || true
        XSERVER_PID=
    fi
}

# A display number nobody uses yet, so parallel runs do not collide.
xserver_free_number() {
    local number=$1
    while [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ]; do
        number=$((number + 1))
    done
    echo "$number"
}
