#!/bin/sh
# Fails when any program given loads Qt's widgets library; lists those that do.
status=0
for program in "$@"; do
    if ldd "$program" | grep -q 'libQt6Widgets'; then
        echo "loads libQt6Widgets: $program"
        status=1
    fi
done
[ "$#" -gt 0 ] || { echo "no programs given"; exit 1; }
exit $status
