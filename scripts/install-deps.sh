#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the run need, and any further packages
# named as arguments (what only fuzzing or benchmarking needs). A second run installs nothing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-qpa-plugins
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libsndfile1-dev libmpg123-dev libsimpleini-dev
  lame
  googletest libgtest-dev
  xvfb xauth x11-utils
  sox adwaita-icon-theme fonts-dejavu-core
  dpkg-dev desktop-file-utils appstream lintian devscripts
  parallel
  dosfstools fusefat
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
