#!/usr/bin/env bash
# Installs what the build, the tests and the demo need on a Debian bookworm machine (as root),
# and fetches the earcut header from Debian's source package into .deps/.
# Idempotent: quiet and quick when everything is already there.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
deps="$top/.deps"

packages=(
  cmake g++ clang make ccache pkg-config
  rapidjson-dev libboost-dev duktape-dev
  libcurl4-openssl-dev libcpp-httplib-dev libssl-dev libbrotli-dev zlib1g-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  librsvg2-bin dpkg-dev xz-utils
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
  trap 'rm -rf "$work"' EXIT
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
