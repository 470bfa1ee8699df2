#!/bin/sh
# run-test.sh for programs that make a GL context. Leak checking stays on; only the GL
# driver's own leaks are suppressed, by library name (lsan-gl-driver.supp). SDL loads and
# unloads the driver with each context: in a sanitizer build the driver is loaded once
# more for the whole run (after the sanitizer's runtime, which must come first), so that
# what it keeps stays reachable and its frames keep their library's name.
here=$(dirname "$0")
LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$here/lsan-gl-driver.supp"
export LSAN_OPTIONS
asan=$(ldd "$1" 2>/dev/null | awk '/libasan\.so/ { print $3; exit }')
if [ -n "$asan" ]; then
    for driver in /usr/lib/x86_64-linux-gnu/dri/swrast_dri.so /usr/lib64/dri/swrast_dri.so /usr/lib/dri/swrast_dri.so; do
        if [ -f "$driver" ]; then
            LD_PRELOAD="$asan $driver${LD_PRELOAD:+ $LD_PRELOAD}"
            export LD_PRELOAD
            break
        fi
    done
fi
exec "$here/run-test.sh" "$@"
