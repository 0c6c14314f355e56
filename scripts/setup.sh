#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Quick when everything is already there: apt is only called for what is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build ccache pkg-config clang-format bc time dpkg-dev file
  libcurl4-openssl-dev zlib1g-dev libsqlite3-dev libpsl-dev publicsuffix libexpat1-dev libc-ares-dev
  libpoppler-glib-dev libzip-dev
  libgtest-dev libgmock-dev libbenchmark-dev libldns-dev
  libcpp-httplib-dev libcli11-dev nlohmann-json3-dev
  qt6-base-dev qt6-qpa-plugins xvfb xauth fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
