# Shared by the scripts that run the programs: one virtual X display with a
# compositor and one persistent wineserver for the whole run, all stopped by
# stop_display. Without the compositor a layered window shows opaque.
. scripts/wine-env.sh
XVFB_PID="" COMPOSITOR_PID="" DPI_SET=""
DPI_KEY='HKCU\Control Panel\Desktop'

start_display() {  # screen geometry, e.g. 1024x768x24; dots per inch if not Wine's 96
    # Xvfb takes a free display number itself and says which: a number picked
    # here from the lock files could be taken meanwhile by a display started
    # in another checkout, whose compositor and tests would then share it.
    local number i
    number=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp 3>"$number" >/dev/null 2>&1 &
    XVFB_PID=$!
    for i in $(seq 100); do  # written once it takes connections
        [ -s "$number" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    export DISPLAY=":$(cat "$number")"
    rm -f "$number"
    [ "$DISPLAY" != ":" ] && xdpyinfo >/dev/null 2>&1 || { echo "display: Xvfb did not start"; return 1; }
    xcompmgr >/dev/null 2>&1 &
    COMPOSITOR_PID=$!
    for i in $(seq 100); do
        xwininfo -root -children 2>/dev/null | grep -q '"xcompmgr"' && break
        kill -0 "$COMPOSITOR_PID" 2>/dev/null || { echo "display: xcompmgr did not start"; return 1; }
        sleep 0.1
    done
    export VELTRIN_COMPOSITOR=xcompmgr  # the tests of translucency on the screen run only with it
    wineserver -k 2>/dev/null || true  # a server left from an earlier run may know another display
    wineserver -p
    # Start Wine's own services now, detached from our output: started later by
    # a test, they would inherit its pipes and keep the test runner waiting.
    wine64 cmd /c exit </dev/null >/dev/null 2>&1
    # Read by each program as it starts; stop_display puts back Wine's default.
    if [ -n "${2:-}" ]; then
        wine64 reg add "$DPI_KEY" /v LogPixels /t REG_DWORD /d "$2" /f </dev/null >/dev/null 2>&1 && DPI_SET=1
    fi
}

stop_display() {
    # Each step tolerates a process already gone: under `set -e` a failed kill
    # or the status of a killed process must not skip the steps after it.
    if [ -n "$DPI_SET" ]; then
        wine64 reg delete "$DPI_KEY" /v LogPixels /f </dev/null >/dev/null 2>&1 || true
        DPI_SET=""
    fi
    wineserver -k 2>/dev/null || true
    stop_process "$COMPOSITOR_PID"
    COMPOSITOR_PID=""
    stop_process "$XVFB_PID"
    XVFB_PID=""
}

stop_process() {  # pid, or nothing
    [ -n "$1" ] || return 0
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

winepath_of() {  # a Unix path as Windows programs under Wine name it
    printf 'Z:%s' "$(realpath "$1" | tr / '\\')"
}
