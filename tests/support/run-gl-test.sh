#!/bin/sh
# run-test.sh for programs that make a GL context: leak detection off.
exec "$(dirname "$0")/run-test.sh" --no-leak-check "$@"
