#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian machine. Idempotent: a second run
# only checks and returns. Third-party libraries for the Windows builds are built into
# build/deps/<arch>, never committed.
set -euo pipefail

top=$(cd "$(dirname "$0")/../.." && pwd)
deps="$top/build/deps"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

say() { printf '[setup] %s\n' "$*"; }

PACKAGES=(cmake g++ clang libclang-rt-14-dev mingw-w64 wine wine64 wine32:i386 xvfb
  libpng-dev zlib1g-dev libz-mingw-w64-dev libfreetype-dev libfontconfig-dev fonts-liberation
  libsndfile1-dev googletest libgtest-dev libbenchmark-dev ardour dpkg-dev
  libx11-dev libxext-dev libxtst-dev zam-plugins)

install_packages() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    say "enabling the i386 architecture for 32-bit Wine"
    $sudo dpkg --add-architecture i386
    need_update=1
  fi
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && [ -z "${need_update:-}" ] && return
  say "installing ${missing[*]}"
  $sudo apt-get update -q
  [ ${#missing[@]} -eq 0 ] || DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# libpng's upstream source comes from Debian's source archive, which needs a deb-src entry.
ensure_deb_src() {
  if grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ || grep -qs '^deb-src ' /etc/apt/sources.list; then
    return
  fi
  say "adding a deb-src entry for the Debian archive"
  local codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  $sudo tee /etc/apt/sources.list.d/fenwoxquil-src.sources >/dev/null <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $codename $codename-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: $codename-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  $sudo apt-get update -q
}

PNG_VERSION=1.6.39
PNG_TARBALL="libpng1.6_${PNG_VERSION}.orig.tar.gz"
PNG_SHA256=a00e9d2f2f664186e4202db9299397f851aea71b36a35e74910b8820e380d441

fetch_libpng_source() {
  local dir="$deps/src"
  mkdir -p "$dir"
  if [ -f "$dir/$PNG_TARBALL" ] && echo "$PNG_SHA256  $dir/$PNG_TARBALL" | sha256sum -c --quiet - 2>/dev/null; then
    return
  fi
  ensure_deb_src
  say "fetching libpng $PNG_VERSION source"
  # Only the upstream tarball matters; a missing Debian patch tarball is not an error.
  (cd "$dir" && apt-get source --download-only "libpng1.6=${PNG_VERSION}-2" >/dev/null 2>&1 ||
               apt-get source --download-only libpng1.6 >/dev/null 2>&1 || true)
  [ -f "$dir/$PNG_TARBALL" ] || { echo "setup: could not fetch $PNG_TARBALL" >&2; exit 1; }
  if ! echo "$PNG_SHA256  $dir/$PNG_TARBALL" | sha256sum -c --quiet -; then
    rm -f "$dir/$PNG_TARBALL"
    echo "setup: $PNG_TARBALL does not match its SHA-256; removed" >&2
    exit 1
  fi
}

# cross_build <arch> <name> <source-dir> [cmake args...]: configure, build and install into the prefix.
cross_build() {
  local arch=$1 name=$2 src=$3
  shift 3
  local work="$deps/work/$arch/$name"
  rm -rf "$work"
  mkdir -p "$work"
  cmake -S "$src" -B "$work" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps/$arch" "$@" >"$work/build.log" 2>&1 &&
  cmake --build "$work" -j"$(nproc)" >>"$work/build.log" 2>&1 &&
  cmake --install "$work" >>"$work/build.log" 2>&1 || { echo "setup: building $name for $arch failed; see $work/build.log" >&2; exit 1; }
  rm -rf "$work"
}

build_libpng() {
  local arch=$1 stamp="$deps/$arch/.libpng-$PNG_VERSION"
  [ -f "$stamp" ] && return
  fetch_libpng_source
  say "building static libpng $PNG_VERSION for $arch"
  local src="$deps/src/libpng-$PNG_VERSION"
  [ -d "$src" ] || tar -xzf "$deps/src/$PNG_TARBALL" -C "$deps/src"
  cross_build "$arch" libpng "$src" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DPNG_BUILD_ZLIB=OFF -DSKIP_INSTALL_PROGRAMS=ON
  touch "$stamp"
}

build_googletest() {
  local arch=$1 version stamp
  version=$(dpkg-query -W -f='${Version}' googletest)
  stamp="$deps/$arch/.googletest-$version"
  [ -f "$stamp" ] && return
  say "building GoogleTest $version for $arch"
  cross_build "$arch" googletest /usr/src/googletest -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF
  touch "$stamp"
}

install_packages
mkdir -p "$deps"
for arch in win64 win32; do
  build_libpng "$arch"
  build_googletest "$arch"
done
say "ready"
