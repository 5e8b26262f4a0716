#!/bin/sh
# Builds the parsers' fuzz targets with clang and its sanitizers, apart from the main g++ build,
# and runs each for the given number of seconds (default 20) on a copy of its seed corpus; 0 seconds
# only builds. A target is rebuilt only when a source it reads is newer than it.
#   fuzz/run.sh [seconds] [target...]     targets: plan building spaces (default: all three)
# The target commands (every command through the page's bridge) is the CMake build's fuzz-commands
# (in ${TOLVA_BUILD_DIR:-build}), built with g++ and its own mutating driver; it runs for the given
# seconds on the seeds from the examples and fuzz/corpus/commands.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
out=${TOLVA_FUZZ_DIR:-$root/build-fuzz}
seconds=${1:-20}
[ $# -gt 0 ] && shift
targets=${*:-plan building spaces}
cxx=${CXX_FUZZ:-clang++-14}
# RapidJSON 1.1.0's stack does arithmetic on its null start pointer before its first allocation
# (internal/stack.h); that one check is left out so the sanitizers report our faults.
flags="-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
    -fno-sanitize=pointer-overflow -Wall -Wextra -Werror"
sources="$root/Src/Parsers/*.cpp $root/Src/Logging/Logger.cpp $root/Host/GSRoot/UniString.cpp
    $root/Host/StandIn/CodePage.cpp $here/ReportSink.cpp"
read_folders="$root/Src/Parsers $root/Src/Model $root/Src/Logging $root/Host/GSRoot $root/Host/API
    $root/Host/Brep $root/Host/Geometry $root/Host/Model3D
    $root/Host/StandIn/CodePage.hpp $root/Host/StandIn/CodePage.cpp $here"
# The DevKit's include folders the logger's host header reaches, and the stand-in's own folder for
# the default code page the host's text conversion follows.
devkit="-I$root/Host/API -I$root/Host/GSRoot -I$root/Host/InputOutput -I$root/Host/Model3D -I$root/Host/Brep
    -I$root/Host/Geometry -I$root/Host"
mkdir -p "$out"
for target in $targets; do
    if [ "$target" = commands ]; then
        build=${TOLVA_BUILD_DIR:-$root/build}
        cmake --build "$build" --target fuzz-commands >/dev/null
        [ "$seconds" -eq 0 ] && continue
        "$build/fuzz/fuzz-commands" -seconds="$seconds" -seed="$(date +%s)" -last="$out/commands-last-input" \
            "$root/fuzz/corpus/commands" >"$out/commands.log" 2>&1 || { tail -n 20 "$out/commands.log"; exit 1; }
        tail -n 20 "$out/commands.log"
        continue
    fi
    case $target in
    plan) main=FuzzPlanTemplate.cpp seeds=plans ;;
    building) main=FuzzBuildingData.cpp seeds=buildings ;;
    spaces) main=FuzzSpacesData.cpp seeds=spaces ;;
    *) echo "unknown target $target" >&2; exit 2 ;;
    esac
    binary=$out/fuzz-$target
    # shellcheck disable=SC2086
    if [ ! -x "$binary" ] || [ -n "$(find $read_folders -newer "$binary" -print -quit)" ]; then
        $cxx $flags -I"$root/Src" $devkit -I"$here" $sources "$here/$main" -o "$binary.new"
        mv "$binary.new" "$binary"
    fi
    [ "$seconds" -eq 0 ] && continue
    corpus=$out/corpus-$target
    mkdir -p "$corpus"
    cp "$root/examples/$seeds"/*.json "$corpus/"
    # The log goes to a file first, so that a crash fails the script (a pipe would keep tail's status).
    status=0
    "$binary" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 -artifact_prefix="$out/$target-" \
        "$corpus" >"$out/$target.log" 2>&1 || status=$?
    tail -n 20 "$out/$target.log"
    [ $status -eq 0 ] || exit $status
done
