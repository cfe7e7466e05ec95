#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zendra developers
# SPDX-License-Identifier: GPL-3.0-or-later

# End-to-end checks of the real program under a virtual X server with a
# window manager, driven by a real keyboard (xdotool): what the offscreen
# platform cannot show, because it has no keyboard grabs, no focus and no
# window manager. Each check waits for windows by name, never by a fixed
# sleep alone.
#
#   e2e_check.sh ZENDRA CHECK     (CHECK: keyboard | close | open | focus | grid | geometry |
#                                        busy | practice | accessibility)
#
# Starts a virtual X server of its own when no display is set.
# With pipefail, no grep -q reads a pipe: it stops reading early, and the
# writer's broken pipe would fail the pipeline.
set -uo pipefail

zendra=$(realpath "$1")
check=$2
here=$(dirname "$(realpath "$0")")

# The accessibility check reads the program through the AT-SPI bus, which a
# session bus announces: one of its own, so that it never meets a desktop's
# and goes away with the check.
if [ "$check" = accessibility ] && [ -z "${ZENDRA_E2E_SESSION:-}" ]; then
    ZENDRA_E2E_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/zendra-e2e-XXXXXX")  # no dot: .out is added
trap 'kill $(jobs -p) 2>/dev/null; wait; rm -rf "$work"' EXIT
cd "$work"

if [ -z "${DISPLAY:-}" ]; then
    # Xvfb chooses a free display number itself and writes it to descriptor
    # 3. Choosing one beforehand, as xvfb-run -a does, races with a server
    # of an earlier check that is still going away and with any other X
    # server that starts meanwhile.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || { echo "FAIL $check: no X server"; cat "$work/xvfb.log"; exit 1; }
    export DISPLAY=":$(head -n 1 "$work/display")"
fi
# The server takes connections once xdpyinfo can talk to it.
for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
printf 'Exercise\r\nA\r\n2, 2\r\n4, 2\r\n2, 2\r\nb\r\n2, 1\r\n4\r\n3\r\n' >system.dat

fail() {
    echo "FAIL $check: $*"
    exit 1
}

# Now and then a client of a new X server fails to connect, on a busy
# machine more often: the window manager and the program are started again
# when they do not come up.
wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep "window id" >/dev/null; }
for _ in 1 2 3 4 5; do
    openbox >>"$work/openbox.log" 2>&1 &
    wm=$!
    # Up once it has claimed the root window (before, xprop says there is
    # "no such atom on any window").
    for _ in $(seq 100); do
        wm_up && break
        kill -0 "$wm" 2>/dev/null || break
        sleep 0.1
    done
    wm_up && break
    kill "$wm" 2>/dev/null
    wait "$wm" 2>/dev/null
done
wm_up || fail "no window manager on $DISPLAY: $(cat "$work/openbox.log")"

# waitfor NAME [SECONDS]: the id of a visible window whose name is NAME.
waitfor() {
    local id
    for _ in $(seq $((${2:-15} * 10))); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# ended: true once the program has ended, within 5 s.
ended() {
    for _ in $(seq 50); do
        kill -0 "$program" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# gone NAME: true once no visible window has that name.
gone() {
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# x COMMAND...: an X client that must reach the server, tried again when
# it could not connect.
x() {
    for _ in 1 2 3 4 5; do
        "$@" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

keys() { x xdotool key --delay 60 "$@"; sleep 0.3; }

# command NAME KEY...: the keys of a menu command, sent again until the
# window NAME shows. The first keys of a check can reach a new main window
# before it has the keyboard (a busy machine shows this), and are then lost.
command() {
    local name=$1
    shift
    for _ in 1 2 3; do
        keys "$@"
        waitfor "$name" 5 >/dev/null && return 0
        keys Escape Escape
    done
    return 1
}
type_text() { x xdotool type --delay 30 "$1"; sleep 0.3; }

if [ "$check" = accessibility ]; then
    # Qt joins the accessibility bus only if it is announced when the
    # program starts (or later), and only when asked to, with no desktop
    # setting to say a screen reader is on.
    /usr/libexec/at-spi-bus-launcher --launch-immediately >>"$work/atspi.log" 2>&1 &
    a11y_up() {
        dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
            org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep true >/dev/null
    }
    for _ in $(seq 100); do
        a11y_up && break
        sleep 0.1
    done
    a11y_up || fail "no AT-SPI bus: $(cat "$work/atspi.log")"
    export QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
fi
# The distribution's Python, which has the AT-SPI bindings.
atspi() { /usr/bin/python3 "$here/atspi_check.py" "$@"; }

launch() {
    for _ in 1 2 3; do
        "$zendra" &
        program=$!
        for _ in $(seq 200); do
            main=$(xdotool search --onlyvisible --name "^Zendra\$" 2>/dev/null | head -n 1)
            [ -n "$main" ] && return 0
            kill -0 "$program" 2>/dev/null || break
            sleep 0.1
        done
        kill "$program" 2>/dev/null
        wait "$program" 2>/dev/null
    done
    return 1
}
launch || fail "the main window did not appear"
# Keys reach it once the window manager has framed it and given it the
# focus.
for _ in $(seq 100); do
    xprop -id "$main" _NET_FRAME_EXTENTS 2>/dev/null | grep = >/dev/null && break
    sleep 0.1
done
x xdotool windowactivate --sync "$main"
sleep 0.5

case $check in
keyboard)
    # Read file by typing a name and Enter; the name completer must not keep
    # the keyboard afterwards: Alt+M at once opens the Matrices menu, whose
    # W opens Write file.
    command " Read File of Matrices " alt+m r || fail "Read file did not open"
    keys ctrl+a
    type_text "sys"
    sleep 0.5
    type_text "tem.dat"
    keys Return
    gone " Read File of Matrices " || fail "Read file did not close"
    keys alt+m w
    waitfor " Write File " 5 >/dev/null || fail "Alt+M went nowhere after Read file"
    keys Escape
    ;;
close)
    # A listing viewer is open when the window manager closes the main
    # window: the program ends.
    command "Write Matrices to a File" alt+m l || fail "List matrix did not open"
    keys ctrl+a
    type_text "answers"
    keys Return
    waitfor "Select matrices for printing" >/dev/null || fail "no selection of matrices"
    keys Down Return
    # The viewer's caption is the path in lower case.
    waitfor "${work,,}/answers.out" >/dev/null || fail "no viewer"
    x wmctrl -i -c "$main"
    ended || fail "the program still runs with its main window closed"
    echo "PASS $check"
    exit 0
    ;;
open)
    # After Write file, File > Open has Write file's title but opens: Enter
    # on an existing file opens it in an editor window and asks nothing.
    command " Write File " alt+m w || fail "Write file did not open"
    keys Escape
    gone " Write File " || fail "Write file did not close"
    keys alt+f o
    waitfor " Write File " >/dev/null || fail "File > Open did not open"
    keys ctrl+a
    type_text "$work/system.dat"
    keys Return
    # An overwrite question would be a window of that same name.
    sleep 1
    gone " Write File " || fail "File > Open asked a question or did not open the file"
    ;;
focus)
    # After Find Next the text has the keyboard: typed text replaces the
    # found word, and Save (Ctrl+S) writes the untitled DOC1.dat here.
    # Ctrl+N opens no window of its own to wait for: a dialog that comes and
    # goes first shows that the keyboard has reached the main window.
    command " Write File " alt+m w || fail "the main window has no keyboard"
    keys Escape
    gone " Write File " || fail "Write file did not close"
    keys ctrl+n
    sleep 0.5
    type_text "abc def abc"
    keys ctrl+Home
    keys alt+e s f
    waitfor "Find" >/dev/null || fail "the find dialog did not open"
    type_text "def"
    keys Return
    sleep 0.5
    type_text "XYZ"
    keys ctrl+s
    for _ in $(seq 30); do
        [ -f DOC1.dat ] && break
        sleep 0.1
    done
    [ "$(cat DOC1.dat 2>/dev/null)" = "abc XYZ abc" ] ||
        fail "the text was not typed into the editor after Find Next: '$(cat DOC1.dat 2>/dev/null)'"
    ;;
grid)
    # New matrix from the keyboard alone: the counts by their Alt keys, the
    # values by typing with Tab between them, OK by Ctrl+Enter; Write file
    # then stores the matrix.
    command "New matrix" alt+m m || fail "New matrix did not open"
    keys alt+r ctrl+a
    type_text "2"
    keys Return alt+o ctrl+a
    type_text "2"
    keys Return Tab
    for value in 1 7/4 3; do
        type_text "$value"
        keys Tab
    done
    type_text "4.5"
    keys ctrl+Return
    gone "New matrix" || fail "OK did not close New matrix"
    keys alt+m w
    waitfor " Write File " >/dev/null || fail "Write file did not open"
    keys ctrl+a
    type_text "$work/grid.dat"
    keys Return
    for _ in $(seq 30); do
        [ -s grid.dat ] && break
        sleep 0.1
    done
    grep -q "^A" grid.dat && grep -q "2, 2" grid.dat ||
        fail "no 2 x 2 matrix A in the file written: $(od -c grid.dat 2>/dev/null | head -n 5)"
    cat grid.dat
    ;;
practice)
    # Practise row operations from the keyboard alone: Alt+L P, the matrix
    # chosen with the arrow key, three operations typed, each with Enter,
    # and Alt+F to finish; the log opens as a worked solution, and Write
    # file then stores rowops(A), the identity, after A and b.
    command " Read File of Matrices " alt+m r || fail "Read file did not open"
    keys ctrl+a
    type_text "$work/system.dat"
    keys Return
    gone " Read File of Matrices " || fail "Read file did not close"
    command "Matrix Selection List" alt+l p || fail "Practise row operations did not ask for a matrix"
    keys Down Return
    waitfor "Practise row operations: A" >/dev/null || fail "no practice window: $(wmctrl -l)"
    for operation in "R1 <- (1/4) R1" "R2 - 2R1 -> R2" "R1 = R1 - (1/2) R2"; do
        type_text "$operation"
        keys Return
    done
    keys alt+f
    # A name is a pattern: its brackets are escaped.
    waitfor 'Worked solution: rowops\(A\)' >/dev/null || fail "Finish showed no log: $(wmctrl -l)"
    gone "Practise row operations: A" || fail "the practice window stayed open after Finish"
    x xdotool windowactivate --sync "$main"
    sleep 0.5
    command " Write File " alt+m w || fail "Write file did not open"
    keys ctrl+a
    type_text "$work/practised.dat"
    keys Return
    for _ in $(seq 30); do
        [ -s practised.dat ] && break
        sleep 0.1
    done
    tr -d '\r' <practised.dat >practised.txt
    grep -A 4 "^rowops(A)\$" practised.txt >result.txt
    [ "$(sed -n 2p result.txt)" = "2, 2" ] &&
        awk 'NR == 3 { ok = $1 == 1 && $2 == 0 } NR == 4 { ok = ok && $1 == 0 && $2 == 1 }
             END { exit !ok }' result.txt ||
        fail "no 2 x 2 identity rowops(A) in the file written: $(cat practised.txt 2>/dev/null)"
    cat result.txt
    ;;
accessibility)
    # What a screen reader reads: the matrix in View matrix's results form,
    # line by line, and a typed cell of New matrix with its headers.
    command " Read File of Matrices " alt+m r || fail "Read file did not open"
    keys ctrl+a
    type_text "$work/system.dat"
    keys Return
    gone " Read File of Matrices " || fail "Read file did not close"
    command "Matrix Selection List" alt+m v || fail "View matrix did not ask for a matrix"
    keys Down Return
    waitfor "Matrix View" >/dev/null || fail "no results form: $(wmctrl -l)"
    # Both are read even when the first fails, to show all that is missing.
    atspi view "A" "2, 2" "  4.00000   2.00000" "  2.00000   2.00000" || failed=1
    keys alt+c
    gone "Matrix View" || fail "the results form did not close"
    command "New matrix" alt+m m || fail "New matrix did not open"
    keys Right
    type_text "7/4"
    keys Return
    atspi grid 1 2 "7/4" || failed=1
    [ -z "${failed:-}" ] || exit 1
    ;;
busy)
    # Long exact work: the window manager's close box of the main window,
    # pressed while the progress dialog shows, cancels the work and ends
    # the program (a modal dialog would have made the close box do nothing).
    awk 'BEGIN { srand(5); printf "Wide\r\nW\r\n50, 50\r\n";
        for (i = 0; i < 50; i++) { for (j = 0; j < 50; j++)
            printf "%s%.15E", (j ? " " : ""), (1 + 9 * rand()) * 10 ^ int(600 * rand() - 300);
            printf "\r\n" } }' >wide.dat
    command " Read File of Matrices " alt+m r || fail "Read file did not open"
    keys ctrl+a
    type_text "$work/wide.dat"
    keys Return
    gone " Read File of Matrices " || fail "Read file did not close"
    keys alt+l w
    command "Matrix Selection List" alt+l d || fail "Determinant did not ask for a matrix"
    keys Down Return
    waitfor "Exact work in progress" 10 >/dev/null || fail "no progress dialog: $(wmctrl -l)"
    x wmctrl -i -c "$main"
    ended || fail "the program still runs 5 s after its main window was closed"
    echo "PASS $check"
    exit 0
    ;;
geometry)
    # The start-up size and place are the whole window's, frame included:
    # the middle quarter of the 1024 x 768 screen.
    sleep 1
    extents=$(x xprop -id "$main" _NET_FRAME_EXTENTS) || fail "no frame extents"
    read -r left right top bottom < <(echo "$extents" | sed 's/.*= //; s/,//g')
    info=$(x xwininfo -id "$main") || fail "no window information"
    left_x=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
    top_y=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
    w=$(echo "$info" | sed -n 's/.*Width: *//p')
    h=$(echo "$info" | sed -n 's/.*Height: *//p')
    frame="$((left_x - left)) $((top_y - top)) $((w + left + right)) $((h + top + bottom))"
    [ "$frame" = "256 192 512 384" ] || fail "the frame is at $frame, not 256 192 512 384"
    ;;
*)
    fail "unknown check"
    ;;
esac

kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
echo "PASS $check"
