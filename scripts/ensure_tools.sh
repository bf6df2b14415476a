#!/usr/bin/env bash
# Makes sure the Debian packages the build needs are present, installing
# them when this user may (root or password-less sudo); otherwise prints the
# one command that installs them and fails. Further packages may be named
# as arguments.
set -euo pipefail

packages=(cmake g++ make libgtest-dev libcli11-dev nlohmann-json3-dev
          # the Python module and its tests
          pybind11-dev python3-pybind11 python3-dev python3-numpy python3-pandas
          python3-pytest python3-distributed "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

install=(apt-get install -y --no-install-recommends "${missing[@]}")
if [ "$(id -u)" -eq 0 ]; then
  apt-get update -qq && "${install[@]}"
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  sudo apt-get update -qq && sudo "${install[@]}"
else
  echo "Missing packages: ${missing[*]}. Install them with:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
