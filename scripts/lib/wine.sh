# Shared by scripts/test, scripts/run and scripts/bench-wine: a private Wine
# prefix inside the build tree, an X server of our own on a display number no
# other run holds, and the clean-up that ends everything a script started,
# whether it finishes, fails or is stopped with Ctrl-C.

# The scripts run Wine only in prefixes of their own. A prefix inherited from
# the caller's shell must never be touched: the clean-up ends every program of
# the prefix in use.
unset WINEPREFIX

# Usage: wine_use_prefix DIR. Exports the Wine environment and creates the
# prefix on first use (with DISPLAY already set: a prefix made without an X
# server leaves later programs without a display driver), with crash dialogs off (a crash exits with code 5
# instead of hanging) and Wine drawing its own window frames.
wine_use_prefix() {
    export WINEPREFIX="$1"
    export WINEARCH=win64
    export WINEDEBUG=-all
    # No Mono or Gecko set-up; and no menu entries or icons made for the
    # Linux desktop from the prefix's shortcuts, which would land in the
    # real user's home.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
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
    wine_link_own_fonts
}

# Usage: wine_path_of DIR. The Windows path of an existing Unix folder:
# every prefix has the Unix root as its drive Z:.
wine_path_of() {
    local path
    path=$(cd "$1" && pwd -P)
    printf 'Z:%s\n' "${path//\//\\}"
}

# Wine's own fonts, from the Debian package fonts-wine.
wine_fonts=/usr/share/wine/fonts

# Usage: wine_link_own_fonts. Links Wine's own fonts into the prefix's Fonts
# folder, where Wine finds them. Debian's Wine 8 does not look where
# fonts-wine puts them, so without the links Wine draws the caption buttons
# without its Marlett symbol font, as the letters "0 1 r", and its dialogs
# without Tahoma. Runs on every use, so that a prefix made before this step
# gets the fonts too; a font of the same name already in the folder stays.
wine_link_own_fonts() {
    if [ ! -f "$wine_fonts/marlett.ttf" ]; then
        echo "wine: $wine_fonts/marlett.ttf is missing (package fonts-wine): caption buttons will show letters" >&2
        return 0
    fi
    local folder="$WINEPREFIX/drive_c/windows/Fonts" font
    mkdir -p "$folder"
    for font in "$wine_fonts"/*; do
        if [ ! -e "$folder/${font##*/}" ] && [ ! -L "$folder/${font##*/}" ]; then
            ln -s "$font" "$folder/"
        fi
    done
}

# Usage: wine_end_prefix SECONDS. Gives the programs of the prefix in use
# SECONDS to end on their own (Wine's services follow the last program within
# seconds), then ends whatever is left: after a time-out, Wine's processes
# may linger.
wine_end_prefix() {
    if [ -n "${WINEPREFIX:-}" ] && ! timeout "$1" wineserver -w 2>/dev/null; then
        wine_kill_prefix
    fi
}

# Usage: wine_kill_prefix. Ends every program of the prefix in use at once,
# the programs' children and Wine's services included.
wine_kill_prefix() {
    if [ -n "${WINEPREFIX:-}" ]; then
        timeout 30 wineserver -k 2>/dev/null || true
        timeout 30 wineserver -w 2>/dev/null || true
    fi
}

# Usage: xserver_start FIRST [Xvfb arguments...]. Starts Xvfb on the first
# display number from FIRST on that no other server holds, and sets DISPLAY
# and XSERVER_PID. Xvfb takes its number through a lock file that it creates
# atomically and refuses a number another server holds, so of two runs that
# reach for one number at the same instant, one gets it and the other moves
# on to the next.
xserver_start() {
    local number="$1"
    shift
    if [ $# -eq 0 ]; then
        set -- -screen 0 1280x800x24
    fi
    local last=$((number + 50)) status
    for ((; number <= last; number++)); do
        status=0
        xserver_try "$number" "$@" || status=$?
        case $status in
            0) return 0 ;;
            1) ;; # another server holds the number
            *) return 1 ;;
        esac
    done
    echo "xserver: no free display number up to :$last" >&2
    return 1
}

# Usage: xserver_try NUMBER [Xvfb arguments...]. Returns 0 once our Xvfb
# answers on NUMBER, 1 when it gave up because another server holds NUMBER,
# 2 when it failed otherwise.
xserver_try() {
    local number="$1"
    shift
    local log tries
    log=$(mktemp)
    # A session of its own keeps Ctrl-C from ending the server before the
    # Wine programs that draw on it; the clean-up stops it last.
    setsid Xvfb ":$number" -nolisten tcp "$@" >"$log" 2>&1 &
    XSERVER_PID=$!
    for ((tries = 0; tries < 100; tries++)); do
        if ! kill -0 "$XSERVER_PID" 2>/dev/null; then
            wait "$XSERVER_PID" 2>/dev/null || true
            XSERVER_PID=
            # Xvfb says "Server is already active" for a lock and "server
            # already running" for a listening socket another server holds.
            if grep -q 'already' "$log"; then
                rm -f "$log"
                return 1
            fi
            echo "xserver: Xvfb :$number did not start:" >&2
            cat "$log" >&2
            rm -f "$log"
            return 2
        fi
        # Until ours gives up, xdpyinfo may reach the server that holds the
        # number; the lock file names the holder.
        if [ "$(xserver_lock_holder "$number")" = "$XSERVER_PID" ] &&
            xdpyinfo -display ":$number" >/dev/null 2>&1; then
            rm -f "$log"
            export DISPLAY=":$number"
            return 0
        fi
        sleep 0.1
    done
    echo "xserver: Xvfb :$number did not answer" >&2
    xserver_stop
    rm -f "$log"
    return 2
}

# Usage: xserver_lock_holder NUMBER. Prints the PID in the display's lock file.
xserver_lock_holder() {
    tr -d ' \n' 2>/dev/null <"/tmp/.X$1-lock" || true
}

xserver_stop() {
    if [ -n "${XSERVER_PID:-}" ]; then
        kill "$XSERVER_PID" 2>/dev/null || true
        wait "$XSERVER_PID" 2>/dev/null || true
        XSERVER_PID=
    fi
}

# Usage: job_run COMMAND... Runs COMMAND in the background and waits for it;
# returns its status. Ctrl-C then reaches the script's traps at once: bash
# runs a trap only once the foreground command returns, and a command under
# `timeout` sits in a process group of its own, out of Ctrl-C's reach.
job_run() {
    "$@" &
    wait "$!"
}

# Usage: cleanup_on_exit. From here on, the script's end, normal, failed or by
# SIGINT (Ctrl-C), SIGTERM or SIGHUP, ends every program of the Wine prefix in
# use, every background job and the X server that the script started.
cleanup_on_exit() {
    # The traps may run while a command's output goes to a log file.
    exec {cleanup_stderr}>&2
    trap cleanup_at_exit EXIT
    trap 'cleanup_interrupted 130' INT
    trap 'cleanup_interrupted 143' TERM
    trap 'cleanup_interrupted 129' HUP
}

# Usage: cleanup_interrupted STATUS. Ends the prefix's programs at once rather
# than waiting for them, and everything else, then exits with STATUS. It does
# the whole clean-up itself: a signal that arrives during cleanup_at_exit
# ends the script without a second run of the exit trap.
cleanup_interrupted() {
    trap '' INT TERM HUP # a second Ctrl-C must not cut the clean-up short
    echo "interrupted: ending what this run started" >&"$cleanup_stderr"
    wine_kill_prefix
    cleanup_jobs_and_xserver
    exit "$1"
}

cleanup_at_exit() {
    wine_end_prefix 10
    cleanup_jobs_and_xserver
}

# Ends the background jobs still running, then the X server: the Wine
# programs that draw on it are gone by then.
cleanup_jobs_and_xserver() {
    local job
    for job in $(jobs -p); do
        if [ "$job" != "${XSERVER_PID:-}" ]; then
            kill "$job" 2>/dev/null || true
        fi
    done
    xserver_stop
}
