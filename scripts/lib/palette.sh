# Starting Merulan.exe under Wine from the scripts; sourced. Expects the windows preset to be built.
WINE_RUN=build/windows/wine-run.sh

# The display of the build's private Xvfb (started if needed).
private_display() {
    "$WINE_RUN" --prepare >/dev/null
    echo ":$(head -n 1 build/windows/wine/display)"
}

# The X window of the palette on a display, waiting up to 20 s for it.
wait_for_palette() {
    local display=$1 window=""
    for _ in $(seq 1 200); do
        window=$(xwininfo -display "$display" -root -tree 2>/dev/null |
            awk '/"Merulan": \("merulan.exe"/ {print $1; exit}')
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { echo "the palette's window did not appear on $display" >&2; return 1; }
    sleep 1 # its first paint
    echo "$window"
}

# Ends a process this script started and everything it started, by their ids.
stop_tree() {
    local pid=$1 child
    for child in $(ps -o pid= --ppid "$pid" 2>/dev/null); do
        stop_tree "$child"
    done
    kill "$pid" 2>/dev/null || true
}
