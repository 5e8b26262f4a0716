#!/usr/bin/env bash
# Installs what the build, the tests and the demo need on a Debian bookworm machine (as root),
# fetches the earcut header from Debian's source package into .deps/, builds sentry-native
# 0.16.3 there and unpacks Archicad 29's DevKit headers there for the DevKit checks.
# Idempotent: quiet and quick when everything is already there.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
deps="$top/.deps"
scratch=()
trap 'rm -rf "${scratch[@]}"' EXIT

packages=(
  cmake g++ clang make ccache pkg-config
  rapidjson-dev libboost-dev duktape-dev
  libcurl4-openssl-dev libcpp-httplib-dev libssl-dev libbrotli-dev zlib1g-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  librsvg2-bin dpkg-dev xz-utils git
  clang-14 mingw-w64-x86-64-dev g++-mingw-w64-x86-64-posix python3-clang-14
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages (${missing[*]}); run this script as root to install them" >&2
    exit 1
  fi
  echo "setup: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq >/dev/null || { echo "setup: apt-get update failed" >&2; exit 1; }
  if ! apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
    for p in "${missing[@]}"; do
      apt-cache show "$p" >/dev/null 2>&1 || echo "setup: package '$p' cannot be had from the configured sources" >&2
    done
    echo "setup: installing packages failed" >&2
    exit 1
  fi
fi

earcut_version="1.0.1-2"
earcut_orig="python-mapbox-earcut_1.0.1.orig.tar.gz"
earcut_sha256="88b439b7623c8dc81eec33281254b0b508bb2a0e0e8b82cb68f4c7c0c4208b0e"
header="$deps/include/mapbox/earcut.hpp"

if [ ! -f "$header" ]; then
  work=$(mktemp -d)
  scratch+=("$work")
  mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$work/dl"
  . /etc/os-release
  codename=${VERSION_CODENAME:-bookworm}
  uri=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null \
        | grep -oE 'https?://[^ ]+/debian/?$|https?://[^ ]+/debian ' | head -1 | tr -d ' ' || true)
  uri=${uri:-http://deb.debian.org/debian}
  echo "deb-src $uri $codename main" >"$work/sources.list"
  apt_opts=(-o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
            -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache" -o APT::Get::List-Cleanup=0)
  apt-get "${apt_opts[@]}" update -qq >/dev/null 2>&1 || { echo "setup: cannot read the deb-src index at $uri" >&2; exit 1; }
  (cd "$work/dl" && apt-get "${apt_opts[@]}" source --download-only -qq "python-mapbox-earcut=$earcut_version" >/dev/null 2>&1) \
    || { echo "setup: cannot download the source package python-mapbox-earcut=$earcut_version" >&2; exit 1; }
  tarball="$work/dl/$earcut_orig"
  [ -f "$tarball" ] || { echo "setup: $earcut_orig missing from the download" >&2; exit 1; }
  actual=$(sha256sum "$tarball" | cut -d' ' -f1)
  if [ "$actual" != "$earcut_sha256" ]; then
    echo "setup: $earcut_orig has sha256 $actual, expected $earcut_sha256" >&2
    exit 1
  fi
  mkdir -p "$work/x"
  tar -xzf "$tarball" -C "$work/x" --wildcards '*/include/mapbox/earcut.hpp' '*/LICENSE*' 2>/dev/null \
    || tar -xzf "$tarball" -C "$work/x" --wildcards '*/include/mapbox/earcut.hpp'
  found=$(find "$work/x" -path '*include/mapbox/earcut.hpp' | head -1)
  [ -n "$found" ] || { echo "setup: earcut.hpp not found in $earcut_orig" >&2; exit 1; }
  mkdir -p "$deps/include/mapbox"
  cp "$found" "$header"
  licence=$(find "$(dirname "$(dirname "$(dirname "$found")")")" -maxdepth 1 -iname 'LICENSE*' | head -1)
  [ -n "$licence" ] && cp "$licence" "$deps/include/mapbox/LICENSE.earcut"
fi

# Tarballs no registry carries are kept beside the repository: ../shared/deps of the main checkout.
shared_dirs=("$top/../shared/deps")
common=$(git -C "$top" rev-parse --path-format=absolute --git-common-dir 2>/dev/null || true)
if [ -n "$common" ] && [ "$(cd "$(dirname "$common")" && pwd)" != "$top" ]; then
  shared_dirs+=("$(dirname "$common")/../shared/deps")   # a worktree: beside the main checkout
fi

# sentry-native, the error- and crash-reporting library: the release tarball from the shared
# folder, checked by its sha256; without it, the same tag from the project's public repository,
# checked by its commit. Built once as a shared library with the inproc crash back end and the
# curl transport (crashpad is Windows' back end here).
sentry_version="0.16.3"
sentry_tarball="sentry-native-$sentry_version.tar.gz"
sentry_sha256="ae1e6fe7adf395d329c4fa732823b54caaf8292bfaf013a4099512134d347140"
sentry_commit="033a39c5b473eed2cc7335e3bd4c1943e1196ed3"
sentry_repository="https://github.com/getsentry/sentry-native.git"
sentry_prefix="$deps/sentry-native"

if [ ! -f "$sentry_prefix/lib/libsentry.so" ] || [ "$(cat "$sentry_prefix/VERSION" 2>/dev/null)" != "$sentry_version" ]; then
  work=$(mktemp -d)
  scratch+=("$work")
  archive=""
  for dir in "${shared_dirs[@]}"; do
    [ -f "$dir/$sentry_tarball" ] && { archive="$dir/$sentry_tarball"; break; }
  done
  if [ -n "$archive" ]; then
    actual=$(sha256sum "$archive" | cut -d' ' -f1)
    if [ "$actual" != "$sentry_sha256" ]; then
      echo "setup: $archive has sha256 $actual, expected $sentry_sha256" >&2
      exit 1
    fi
    tar -xzf "$archive" -C "$work"
    source_dir="$work/sentry-native-$sentry_version"
  else
    echo "setup: $sentry_tarball not found in ${shared_dirs[*]}; fetching tag $sentry_version from $sentry_repository" >&2
    source_dir="$work/sentry-native"
    git -c advice.detachedHead=false clone -q --depth 1 --branch "$sentry_version" "$sentry_repository" "$source_dir" \
      || { echo "setup: cannot fetch sentry-native $sentry_version: put $sentry_tarball (sha256 $sentry_sha256) into ../shared/deps beside the repository" >&2; exit 1; }
    actual=$(git -C "$source_dir" rev-parse HEAD)
    if [ "$actual" != "$sentry_commit" ]; then
      echo "setup: sentry-native tag $sentry_version is commit $actual, expected $sentry_commit" >&2
      exit 1
    fi
  fi
  [ -f "$source_dir/CMakeLists.txt" ] || { echo "setup: no CMakeLists.txt in the sentry-native source" >&2; exit 1; }
  echo "setup: building sentry-native $sentry_version into .deps/ (about a minute)" >&2
  log="$work/build.log"
  if ! { cmake -S "$source_dir" -B "$work/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
           -DCMAKE_INSTALL_PREFIX="$sentry_prefix" -DCMAKE_INSTALL_LIBDIR=lib \
           -DSENTRY_BACKEND=inproc -DSENTRY_TRANSPORT=curl -DSENTRY_BUILD_SHARED_LIBS=ON \
           -DSENTRY_BUILD_TESTS=OFF -DSENTRY_BUILD_EXAMPLES=OFF \
         && cmake --build "$work/build" -j "$(nproc)" \
         && rm -rf "$sentry_prefix" && cmake --install "$work/build"; } >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "setup: building sentry-native failed" >&2
    exit 1
  fi
  cp "$source_dir/LICENSE" "$sentry_prefix/LICENSE"
  echo "$sentry_version" >"$sentry_prefix/VERSION"
fi

# Archicad 29's DevKit, its headers only, for the tests that check the add-on against them
# (Tools/devkit-check): the tarball from the shared folder, checked by its sha256. No public source
# carries it, so without it this says so and goes on; those tests then fail and say why.
devkit_version="29.3100"
devkit_tarball="archicad-devkit-$devkit_version-headers.tar.gz"
devkit_sha256="f0a6800bf66660e592ca35a0511abd939c84857eff001f3ce6c1e0dbc91e3cf0"
devkit_dir="$deps/archicad-devkit-$devkit_version"

if [ "$(cat "$devkit_dir/SHA256" 2>/dev/null)" != "$devkit_sha256" ] || [ ! -f "$devkit_dir/Support/Inc/ACAPinc.h" ]; then
  archive=""
  for dir in "${shared_dirs[@]}"; do
    [ -f "$dir/$devkit_tarball" ] && { archive="$dir/$devkit_tarball"; break; }
  done
  if [ -z "$archive" ]; then
    if [ ! -f "$devkit_dir/Support/Inc/ACAPinc.h" ]; then
      echo "setup: $devkit_tarball not found in ${shared_dirs[*]}; the DevKit checks will fail until it is there" >&2
    fi
  else
    actual=$(sha256sum "$archive" | cut -d' ' -f1)
    if [ "$actual" != "$devkit_sha256" ]; then
      echo "setup: $archive has sha256 $actual, expected $devkit_sha256" >&2
      exit 1
    fi
    mkdir -p "$deps"
    work=$(mktemp -d "$deps/.devkit.XXXXXX")
    scratch+=("$work")
    tar -xzf "$archive" -C "$work" "archicad-devkit-$devkit_version/Support"
    [ -f "$work/archicad-devkit-$devkit_version/Support/Inc/ACAPinc.h" ] \
      || { echo "setup: no Support/Inc/ACAPinc.h in $devkit_tarball" >&2; exit 1; }
    echo "$devkit_sha256" >"$work/archicad-devkit-$devkit_version/SHA256"
    rm -rf "$devkit_dir"
    mv "$work/archicad-devkit-$devkit_version" "$devkit_dir"
  fi
fi
