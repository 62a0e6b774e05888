#!/usr/bin/env bash
# Installs the Debian packages tavelin needs (only those that are missing),
# then configures and builds it. Sourced by run-reader.sh and run-tests.sh.
set -euo pipefail

TAVELIN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TAVELIN_BUILD="${TAVELIN_BUILD:-$TAVELIN_ROOT/build}"

TAVELIN_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-webengine-dev qt6-tools-dev qt6-tools-dev-tools libgl-dev libxcb1-dev
  libcurl4-openssl-dev ca-certificates libboost-regex-dev libpugixml-dev
  libcpp-httplib-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool fonts-noto-cjk
  curl python3 python3-lxml
)

tavelin_install_packages() {
  local missing=()
  for p in "${TAVELIN_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

tavelin_build() {
  cmake -S "$TAVELIN_ROOT" -B "$TAVELIN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$TAVELIN_BUILD" -j "$(nproc)"
}
