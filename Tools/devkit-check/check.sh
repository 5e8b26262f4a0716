#!/usr/bin/env bash
# Syntax-checks every translation unit of the add-on (Src/**/*.cpp) against the real Archicad DevKit's
# headers instead of the stand-in (Host/): one line per TU, the failing ones with their first errors,
# and a closing "N passed, M failed". The test SrcCompilesAgainstTheDevKit runs it (-q, the win path).
#
#   Tools/devkit-check/check.sh [-p win|mac|linux] [-j JOBS] [-o LOGDIR] [-q] [DEVKIT [PROJECT]]
#
#   DEVKIT   the DevKit's Support folder (the one holding Inc/ACAPinc.h and Modules/), or a folder above
#            it (searched three levels down); or the environment variable DEVKIT, else AC_API_DEVKIT_DIR,
#            else PROJECT/.deps/archicad-devkit-29.3100 (which Tools/setup.sh unpacks).
#   PROJECT  the project's checkout (the folder holding Src/); or PROJECT; default: the checkout this
#            script is in.
#   -p       the platform path the DevKit's headers take (PLATFORM; default win):
#              win    the add-on's own target: clang for x86_64-w64-mingw32, the MinGW-w64 headers for
#                     the Windows SDK and libstdc++, WINDOWS/UNICODE/_UNICODE defined
#              mac    Linux's C and C++ library with __APPLE__ and macintosh=1 defined
#              linux  the DevKit's own GS_LINUX branch (nothing defined)
#   -j       parallel compilers (JOBS; default 2)
#   -o       where the logs go (LOGDIR; default a new temporary folder): one .log per TU, errors.txt
#            with every error line (project paths relative to PROJECT, DevKit paths as DEVKIT/...)
#   -q       print only the failing TUs and the tally
#
# Other environment: CXX (default clang++-14, else clang++), DEPS (third-party folder with
# include/mapbox/earcut.hpp and sentry-native/include/sentry.h; default PROJECT/.deps), RAPIDJSON_INCLUDE
# (the folder above rapidjson/; default /usr/include), MINGW_SYSROOT (default /usr/x86_64-w64-mingw32),
# MINGW_GCC (the MinGW g++ folder holding include/c++; default the newest under
# /usr/lib/gcc/x86_64-w64-mingw32, the -posix one first), TU_TIMEOUT (seconds per TU; default 300),
# FIRST_ERRORS (error lines shown per failing TU; default 3), FLAGS_ONLY=1 (write the compiler's flags
# to LOGDIR/.flags.rsp, print that path and stop).
#
# Exit status: 0 when every TU passed, 1 when one failed, 2 when the check could not start (it says why).
# Everything under shims/ stands in for headers this DevKit edition (macOS) or this OS lacks; none of it
# is Archicad's.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
platform=${PLATFORM:-win}
jobs=${JOBS:-2}
logdir=${LOGDIR:-}
quiet=0
while getopts "p:j:o:qh" opt; do
    case $opt in
        p) platform=$OPTARG ;;
        j) jobs=$OPTARG ;;
        o) logdir=$OPTARG ;;
        q) quiet=1 ;;
        h) sed -n '2,34p' "$0"; exit 0 ;;
        *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))

die() { echo "devkit-check: $*" >&2; exit 2; }

project=${2:-${PROJECT:-$(dirname "$(dirname "$here")")}}
[ -d "$project/Src" ] || die "no Src/ in $project"
project=$(cd "$project" && pwd)
devkit=${1:-${DEVKIT:-${AC_API_DEVKIT_DIR:-$project/.deps/archicad-devkit-29.3100}}}
[ -d "$devkit" ] || die "no DevKit folder $devkit: Tools/setup.sh unpacks it from archicad-devkit-29.3100-headers.tar.gz \
in ../shared/deps beside the checkout; or name another (AC_API_DEVKIT_DIR, or the argument)"
if [ ! -f "$devkit/Inc/ACAPinc.h" ]; then
    found=$(find "$devkit" -maxdepth 4 -path '*/Inc/ACAPinc.h' -print -quit 2>/dev/null || true)
    [ -n "$found" ] || die "no Inc/ACAPinc.h in or below $devkit: not an Archicad API DevKit"
    devkit=$(dirname "$(dirname "$found")")
fi
devkit=$(cd "$devkit" && pwd)
deps=${DEPS:-$project/.deps}
rapidjson=${RAPIDJSON_INCLUDE:-/usr/include}
[ -f "$rapidjson/rapidjson/document.h" ] || die "no rapidjson/document.h in $rapidjson (Debian: rapidjson-dev)"
[ -f "$deps/include/mapbox/earcut.hpp" ] || die "no include/mapbox/earcut.hpp in $deps (Tools/setup.sh, or set DEPS)"
[ -f "$deps/sentry-native/include/sentry.h" ] || die "no sentry-native/include/sentry.h in $deps (Tools/setup.sh, or set DEPS)"

if [ -z "${CXX:-}" ]; then
    if command -v clang++-14 >/dev/null; then CXX=clang++-14; else CXX=clang++; fi
fi
command -v "$CXX" >/dev/null || die "no $CXX: the check needs clang (Debian: clang-14)"
"$CXX" --version 2>/dev/null | grep -q clang || die "$CXX is not clang (the Windows path needs clang's MinGW target)"

if [ -z "$logdir" ]; then logdir=$(mktemp -d "${TMPDIR:-/tmp}/devkit-check.XXXXXX"); fi
mkdir -p "$logdir"
logdir=$(cd "$logdir" && pwd)
rm -f "$logdir"/*.log "$logdir"/*.rc "$logdir/errors.txt"

# The version macros come from the project's top-level CMakeLists.txt, as Src/CMakeLists.txt passes them.
version=$(sed -n 's/^project([^)]*VERSION \([0-9][0-9]*\.[0-9][0-9]*\.[0-9][0-9]*\).*/\1/p' "$project/CMakeLists.txt" | head -1)
IFS=. read -r v_major v_minor v_patch <<<"${version:-0.0.0}"

args=(-fsyntax-only -std=c++20 -fno-color-diagnostics -fno-caret-diagnostics -ferror-limit=0 -w)
# The add-on's own include folders and defines (Src/CMakeLists.txt: TolvaCore, TolvaVersion, TolvaLogging).
args+=(-I"$project/Src" -I"$project/RFIX"
    -DTOLVA_VERSION_MAJOR="$v_major" -DTOLVA_VERSION_MINOR="$v_minor" -DTOLVA_VERSION_PATCH="$v_patch"
    '-DTOLVA_SENTRY_DSN="https://key@sentry.invalid/1"')
# The maker's add-on CMake template: ACExtension and the language everywhere.
args+=(-DACExtension -DUSE_INT)

# Third-party headers: RapidJSON through a folder of its own, so that the Windows path does not see
# Linux's /usr/include.
sysdir="$logdir/.thirdparty"
mkdir -p "$sysdir"
ln -sfn "$rapidjson/rapidjson" "$sysdir/rapidjson"
third=(-isystem "$sysdir" -isystem "$deps/include" -isystem "$deps/sentry-native/include")

case $platform in
    win)
        sysroot=${MINGW_SYSROOT:-/usr/x86_64-w64-mingw32}
        [ -f "$sysroot/include/windows.h" ] || die "no $sysroot/include/windows.h: the Windows path needs the MinGW-w64 headers (Debian: mingw-w64-x86-64-dev)"
        gcc=${MINGW_GCC:-}
        if [ -z "$gcc" ]; then
            for candidate in $(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*/include/c++ 2>/dev/null | sort -V -r); do
                gcc=$(dirname "$(dirname "$candidate")")
                case $gcc in *-posix) break ;; esac
            done
        fi
        [ -n "$gcc" ] && [ -d "$gcc/include/c++" ] || die "no MinGW libstdc++ headers: the Windows path needs them (Debian: g++-mingw-w64-x86-64-posix)"
        resource=$("$CXX" -print-resource-dir)
        args+=(--target=x86_64-w64-mingw32 -nostdinc
            -isystem "$gcc/include/c++" -isystem "$gcc/include/c++/x86_64-w64-mingw32"
            -isystem "$gcc/include/c++/backward" -isystem "$resource/include" -isystem "$sysroot/include"
            -DWINDOWS -DUNICODE -D_UNICODE -D_ITERATOR_DEBUG_LEVEL=0
            # MSVC's CRT brings the SAL annotations into every TU; GSMalloc.hpp uses them first.
            -include sal.h)
        shims=(-idirafter "$here/shims/win")
        ;;
    mac)
        # glibc declares getcwd noexcept; GSMalloc.hpp's getcwd macro would rename a later declaration.
        args+=(-U__linux__ -U__gnu_linux__ -D__APPLE__ -Dmacintosh=1 -include unistd.h)
        shims=(-idirafter "$here/shims/mac")
        ;;
    linux)
        shims=()
        ;;
    *) die "unknown platform $platform (win, mac or linux)" ;;
esac

# The DevKit's include folders, as the maker's template sets them up: Inc and every Modules/* folder.
dk=(-I"$devkit/Inc")
for module in "$devkit"/Modules/*/; do
    dk+=(-I"${module%/}")
done
rsp="$logdir/.flags.rsp"
: >"$rsp"
for arg in "${args[@]}" "${dk[@]}" "${third[@]}" "${shims[@]}"; do
    escaped=${arg//\\/\\\\}
    escaped=${escaped//\"/\\\"}
    printf '"%s"\n' "$escaped" >>"$rsp"
done

if [ "${FLAGS_ONLY:-0}" = 1 ]; then echo "$rsp"; exit 0; fi

mapfile -t tus < <(cd "$project" && find Src -name '*.cpp' | LC_ALL=C sort)
[ "${#tus[@]}" -gt 0 ] || die "no .cpp under $project/Src"

export CXX rsp logdir project
printf '%s\0' "${tus[@]}" | xargs -0 -P "$jobs" -n 1 bash -c '
    tu=$1
    log="$logdir/$(echo "$tu" | tr / _).log"
    set +e
    (cd "$project" && timeout "${TU_TIMEOUT:-300}" "$CXX" @"$rsp" "$tu") >"$log" 2>&1
    echo $? >"$log.rc"
' _

passed=0
failed=0
for tu in "${tus[@]}"; do
    log="$logdir/$(echo "$tu" | tr / _).log"
    rc=$(cat "$log.rc" 2>/dev/null || echo 1)
    # Paths as the project and the DevKit name them, not as this machine does.
    sed -i -e "s|$devkit/|DEVKIT/|g" -e "s|$project/||g" "$log"
    errors=$(grep -c ' error: ' "$log" || true)
    if [ "$rc" = 0 ]; then
        passed=$((passed + 1))
        [ "$quiet" = 1 ] || echo "PASS $tu"
    else
        failed=$((failed + 1))
        if [ "$rc" = 124 ]; then
            echo "FAIL $tu (timed out after ${TU_TIMEOUT:-300} s)"
        else
            echo "FAIL $tu ($errors error$([ "$errors" = 1 ] || echo s))"
        fi
        # The first errors; a unit that failed without one (a crash, a missing file) shows its last line.
        { grep -m "${FIRST_ERRORS:-3}" ' error: ' "$log" || tail -1 "$log"; } | sed 's/^/    /'
    fi
    grep ' error: ' "$log" >>"$logdir/errors.txt" || true
done
echo "logs: $logdir (platform $platform)" >&2
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
