#!/usr/bin/env bash
# The fence between the layers: no file under engine/ or game/ includes an SDL, OpenGL,
# EGL or FFmpeg header, nor calls the C library's file, time, random or environment
# functions (or the C++ library's file streams, file system or clocks) directly; those
# go through compat/ and the engine's services. Within game/, ui/ and util/ stand below
# the game's areas: they include no header of scene/, interview/, pda/ or puzzles/.
# Usage: layer-fence.sh <source root>. Prints every offending line and fails when there
# is one.
set -uo pipefail
root=${1:?usage: layer-fence.sh <source root>}
cd "$root" || exit 2

# Lines allowed although they match, as "file:pattern" (the pattern is matched against
# the offending line). Keep this short and say why.
allowed=(
  # Number formatting with snprintf (the allocator's into fixed buffers, as it may not
  # allocate); none of these files touches a stream.
  'engine/container/LString.cpp:<cstdio>'
  'engine/memory/LHeap.cpp:<cstdio>'
  'engine/memory/LMemoryManager.cpp:<cstdio>'
)

headers='#\s*include\s*[<"](SDL2?/|SDL[_.]|GL/|GLES[0-9]*/|EGL/|KHR/|libav[a-z]*/|libsw[a-z]*/|libpostproc/|epoxy/|glad/|(c?stdio|stdio\.h|ctime|time\.h|sys/time\.h|sys/stat\.h|fcntl\.h|unistd\.h|dirent\.h|fstream|filesystem|random)[>"])'
# A call of one of these, unless it is a declaration (a type name before it, as in
# "LVector open(16, 256);").
calls='fopen|freopen|fdopen|fclose|fread|fwrite|fseeko?|ftello?|fflush|fgets|fputs|fgetc|fputc|fprintf|fscanf|tmpfile|tmpnam|remove|rename|unlink|opendir|readdir|stat|lstat|fstat|mkdir|open|close|read|write|time|clock|gettimeofday|clock_gettime|localtime(?:_r)?|gmtime(?:_r)?|strftime|mktime|rand|srand|random|srandom|[dlm]rand48|getenv|secure_getenv|setenv|putenv|unsetenv|system|popen'
types='std::(ifstream|ofstream|fstream|filebuf|filesystem::|random_device|mt19937|chrono::\w+_clock::now)'

# One pass over every file: line comments and string literals are dropped before the
# calls and types are looked for (include lines are looked at as written).
hits=$(find engine game -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z |
  FENCE_HEADERS="$headers" FENCE_CALLS="$calls" FENCE_TYPES="$types" xargs -0 perl -ne '
    BEGIN { ($h, $c, $t) = @ENV{qw(FENCE_HEADERS FENCE_CALLS FENCE_TYPES)}; }
    my $raw = $_;
    s{//.*}{}; s{"(?:[^"\\]|\\.)*"}{""}g;
    my $hit = $raw =~ /$h/ || /$t/;
    while (!$hit && /(\b\w+\s+)?(?<![\w.>:])((?:std)?::)?(?:$c)\s*\(/g) {
      $hit = !defined $1 || defined $2 || $1 =~ /^(return|else|case)\s/;
    }
    print "$ARGV:$.:$raw" if $hit;
    close ARGV if eof;')

# Prints each hit ("file:line:text") that no "file:pattern" entry of the named list allows
# (the pattern is matched anywhere in the line); 1 when one was printed.
report() {
  local -n list=$1
  local hit file line entry ok printed=0
  while IFS= read -r hit; do
    [ -n "$hit" ] || continue
    file=${hit%%:*}
    line=${hit#*:*:}
    ok=0
    for entry in "${list[@]}"; do
      [[ "$file" == "${entry%%:*}" && "$line" == *"${entry#*:}"* ]] && ok=1
    done
    if [ "$ok" -eq 0 ]; then
      echo "layer fence: $hit"
      printed=1
    fi
  done <<<"$2"
  return $printed
}

found=0
report allowed "$hits" || found=1

# Includes of the game's areas from its lowest parts, allowed as "file:header". The
# cut-scene player belongs to ui/ and yet drives the areas itself (it loads locations,
# shows the card, the PDA and the subtitle strip); keep the list from growing.
area_allowed=(
  'game/ui/GMCutScenePlayer.cpp:"interview/GMSubtitle.h"'
  'game/ui/GMCutScenePlayer.cpp:"pda/GMPDA.h"'
  'game/ui/GMCutScenePlayer.cpp:"pda/GMPDAMinimized.h"'
  'game/ui/GMCutScenePlayer.cpp:"scene/GMPlacard.h"'
  'game/ui/GMCutScenePlayer.cpp:"scene/GMScene.h"'
  'game/ui/GMCutScenePlayer.cpp:"scene/GMSceneManager.h"'
  'game/ui/GMCutScenePlayerTables.cpp:"interview/GMSubtitle.h"'
)
area_hits=$(find game/ui game/util -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z |
  xargs -0 grep -nE '^\s*#\s*include\s*"(scene|interview|pda|puzzles)/')
area_found=0
report area_allowed "$area_hits" || area_found=1

if [ "$found" -ne 0 ]; then
  echo "layer fence: engine/ and game/ reach past compat/ or the engine's services (above)"
fi
if [ "$area_found" -ne 0 ]; then
  echo "layer fence: game/ui/ or game/util/ include a header of scene/, interview/, pda/ or puzzles/ (above)"
fi
if [ "$found" -ne 0 ] || [ "$area_found" -ne 0 ]; then
  exit 1
fi
echo "layer fence: engine/ and game/ clean"
