# Sourced by the tests that drive the real program on an X display.

# Finds the program's window once it stays, and sets `window`, `X` and `Y`
# (the top-left corner of its client area). Under Wine a window can be found
# while it is being replaced, and asking for its geometry then fails; so the
# search is repeated until both succeed, for up to 20 seconds.
find_program_window() {
    local geometry
    for _ in $(seq 200); do
        window=$(xdotool search --onlyvisible --name 'Негармонические колебания' 2>/dev/null | head -n 1 || true)
        if [[ -n $window ]] && geometry=$(xdotool getwindowgeometry --shell "$window" 2>/dev/null); then
            eval "$geometry"
            return 0
        fi
        sleep 0.1
    done
    echo "FAIL: the program's window did not appear"
    return 1
}
