#!/usr/bin/env bash
# Installs, only when missing, the Debian packages the build and the tests need.
# Works as root on a clean Debian 12 (uses sudo when not root). The i686 DLL
# runs under Wine's 32-bit loader (wine32:i386): the i386 architecture is
# added to dpkg first when it is missing.
#
#   scripts/setup.sh [more packages...]
set -euo pipefail

packages=(
  cmake ninja-build g++ make
  libgtest-dev libgmock-dev libbenchmark-dev
  mingw-w64 mingw-w64-tools
  wine wine64 wine32:i386 wine64-tools libwine-dev nlohmann-json3-dev
  tzdata
)
packages+=("$@")
if [[ "${QV_SETUP_EXTRA:-}" != "" ]]; then
  read -r -a extra <<<"$QV_SETUP_EXTRA"
  packages+=("${extra[@]}")
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  echo "setup: all packages present"
  exit 0
fi

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
if [[ " ${missing[*]} " == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture"
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
echo "setup: installing ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
echo "setup: done"
