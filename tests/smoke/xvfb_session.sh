# Sourced by the scripts that need a real X server: starts a private Xvfb on a free
# display, exports DISPLAY, and stops it on exit. Screen size: XVFB_SCREEN.
#
# The X tools (xdotool, xprop) read window names in the locale's character set, so they
# run in a UTF-8 one whatever the machine has configured; the program itself starts
# with the locale the caller gave it (start_program).
readonly TOOL_LOCALE=C.UTF-8
source "$(dirname "${BASH_SOURCE[0]}")/require_packages.sh"
require_packages xvfb xdotool
xtool() { LC_ALL=$TOOL_LOCALE "$@"; }

xvfb_start() {
    XVFB_LOG=$(mktemp)
    local attempt
    for attempt in 1 2 3; do
        xvfb_launch && xvfb_answers && break
        echo "Xvfb (attempt $attempt) gave no display that answers; its log:" >&2
        sed 's/^/    /' "$XVFB_LOG" >&2
        xvfb_stop
        [ "$attempt" -lt 3 ] || return 1
    done
    # Qt wants a private runtime folder; give it one instead of a warning.
    if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
        XDG_RUNTIME_DIR=$(mktemp -d)
        chmod 700 "$XDG_RUNTIME_DIR"
        export XDG_RUNTIME_DIR
    fi
    trap 'xvfb_stop' EXIT
}

# Starts Xvfb on the first free display and exports DISPLAY once Xvfb reports it.
xvfb_launch() {
    local screen=${XVFB_SCREEN:-1280x1024x24}
    local fifo number
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$fifo" >"$XVFB_LOG" 2>&1 &
    XVFB_PID=$!
    read -r -t 10 number <"$fifo" || number=
    rm -f "$fifo"
    [ -n "$number" ] || return 1
    export DISPLAY=":$number"
}

# Whether a client gets through to the display: Xvfb reporting its number has not
# always been enough for the first client under a loaded machine.
xvfb_answers() {
    local tries
    for tries in $(seq 50); do
        timeout 5 xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
        kill -0 "$XVFB_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

xvfb_stop() {
    local pid
    for pid in ${APP_PID:-} ${XVFB_PID:-}; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -f "${XVFB_LOG:-}"
}

# Starts the program and waits for its window; sets APP_PID and WINDOW_ID.
start_program() {
    "$@" &
    APP_PID=$!
    WINDOW_ID=$(timeout 20 env LC_ALL=$TOOL_LOCALE xdotool search --sync --onlyvisible \
        --name 'ZelkorV1.2版' | head -n 1) || true
    [ -n "$WINDOW_ID" ] || { echo "no window titled ZelkorV1.2版 appeared" >&2; return 1; }
}
