#!/bin/sh
# Runs one test program headless: SDL's offscreen video and dummy audio drivers, Mesa's
# software renderer. With --no-leak-check first, LeakSanitizer is off (for programs that
# make a GL context: Mesa keeps allocations of its own until exit).
if [ "$1" = "--no-leak-check" ]; then
    shift
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
    export ASAN_OPTIONS
fi
SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-offscreen}"
SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
LIBGL_ALWAYS_SOFTWARE="${LIBGL_ALWAYS_SOFTWARE:-1}"
export SDL_VIDEODRIVER SDL_AUDIODRIVER LIBGL_ALWAYS_SOFTWARE
exec "$@"
