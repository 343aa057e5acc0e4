# Sourced by the scripts that need a real X server: starts a private Xvfb on a free
# display, exports DISPLAY, and stops it on exit. Screen size: XVFB_SCREEN.
#
# The X tools (xdotool, xprop) read window names in the locale's character set, so they
# run in a UTF-8 one whatever the machine has configured; the program itself starts
# with the locale the caller gave it (start_program).
readonly TOOL_LOCALE=C.UTF-8
xtool() { LC_ALL=$TOOL_LOCALE "$@"; }

xvfb_start() {
    local screen=${XVFB_SCREEN:-1280x1024x24}
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    # -noreset: by default the server resets whenever its last client leaves, and a
    # client connecting meanwhile (the program, as the accessibility bus launcher
    # lets go of the display) is dropped: "could not connect to display".
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$fifo" 2>/dev/null &
    XVFB_PID=$!
    local number
    read -r -t 10 number <"$fifo" || { echo "Xvfb did not start" >&2; return 1; }
    rm -f "$fifo"
    export DISPLAY=":$number"
    # Qt wants a private runtime folder; give it one instead of a warning.
    if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
        XDG_RUNTIME_DIR=$(mktemp -d)
        chmod 700 "$XDG_RUNTIME_DIR"
        export XDG_RUNTIME_DIR
    fi
    trap 'xvfb_stop' EXIT
}

xvfb_stop() {
    local pid
    for pid in ${APP_PID:-} ${XVFB_PID:-}; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
}

# Starts the program and waits for its window; sets APP_PID and WINDOW_ID.
start_program() {
    "$@" &
    APP_PID=$!
    WINDOW_ID=$(timeout 20 env LC_ALL=$TOOL_LOCALE xdotool search --sync --onlyvisible \
        --name 'ZelkorV1.2版' | head -n 1) || true
    [ -n "$WINDOW_ID" ] || { echo "no window titled ZelkorV1.2版 appeared" >&2; return 1; }
}
