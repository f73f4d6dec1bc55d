#!/usr/bin/env bash
# Installs the Debian packages of deps/debian-packages.txt that are missing.
# Usage: deps/install.sh build|test   ("test" installs the build packages too)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
kind=${1:-build}

wanted=()
while read -r group name; do
  case "$group" in ''|'#'*) continue ;; esac
  if [ "$group" = build ] || [ "$kind" = test ]; then wanted+=("$name"); fi
done < "$here/debian-packages.txt"

missing=()
for p in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The tests run number formatting once under a Russian locale (decimal comma).
if [ "$kind" = test ] && ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
  $sudo localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi
