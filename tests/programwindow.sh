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

# Copies the window's terms out through the spectrum's Ctrl+Shift+C and sets
# `terms` to the table the clipboard then holds. Needs `window`, `X` and `Y`.
copy_terms() {
    xclip -selection clipboard -i </dev/null
    xdotool windowfocus --sync "$window" mousemove $((X + 650)) $((Y + 110)) click 1
    sleep 0.5
    xdotool key ctrl+shift+c
    terms=""
    for _ in $(seq 50); do
        terms=$(xclip -selection clipboard -o 2>/dev/null || true)
        [[ $terms == Амплитуда* ]] && return 0
        sleep 0.1
    done
    return 1
}
