#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# As root it installs what is missing; otherwise it prints the one line to run.
set -euo pipefail

PACKAGES=(
  build-essential cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libjpeg62-turbo-dev libjpeg-turbo-progs
  libgtest-dev libbenchmark-dev
  fonts-ipafont-gothic
  libfbclient2 firebird-dev firebird3.0-server-core firebird3.0-utils
  xvfb xauth imagemagick xdotool
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Run as root:" >&2
  echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
