#!/bin/sh
# Runs one test program headless: SDL's offscreen video and dummy audio drivers, Mesa's
# software renderer. Leak checking stays on (run-gl-test.sh adds the GL driver's
# suppressions for programs that make a GL context).
SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-offscreen}"
SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
# The software renderer draws on the calling thread: tests run side by side, and its own
# threads only cost time in waking and waiting.
LP_NUM_THREADS="${LP_NUM_THREADS:-0}"
LIBGL_ALWAYS_SOFTWARE="${LIBGL_ALWAYS_SOFTWARE:-1}"
export SDL_VIDEODRIVER SDL_AUDIODRIVER LIBGL_ALWAYS_SOFTWARE LP_NUM_THREADS
exec "$@"
