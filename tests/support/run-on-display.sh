#!/bin/sh
# Runs one program on an X server of its own (Xvfb) with a window manager (Openbox), as on a
# user's desktop: the program's windows are mapped, decorated, activated and painted by a real
# window system. The server picks a free display number itself, so runs in parallel, or by
# other users of the machine, never meet.
#
#   run-on-display.sh PROGRAM [ARGUMENTS...]
#
# Exits with the program's status; 1 when the server or the window manager did not start.
set -u

work=$(mktemp -d "${TMPDIR:-/tmp}/lumeo-display.XXXXXX") || exit 1
xvfb=""
wm=""

stop()
{
    if [ -n "$wm" ]; then kill "$wm" 2>/dev/null; wait "$wm" 2>/dev/null; fi
    if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; fi
    rm -rf "$work"
}
trap stop EXIT
trap 'exit 1' HUP INT TERM

# Waits up to ten seconds for the condition given as a command.
wait_until()
{
    what=$1
    shift
    tries=0
    until "$@"; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ]; then
            echo "run-on-display: $what did not start" >&2
            cat "$work/log" >&2
            exit 1
        fi
        sleep 0.1
    done
}

# 96 dots per inch, as the window designs assume; 24-bit colour, so that grabs are exact.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 3>"$work/display" >"$work/log" 2>&1 &
xvfb=$!
wait_until Xvfb grep -qs '[0-9]' "$work/display"
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY

openbox --sm-disable --startup "touch $work/ready" >>"$work/log" 2>&1 &
wm=$!
wait_until Openbox test -e "$work/ready"

"$@"
status=$?
exit "$status"
