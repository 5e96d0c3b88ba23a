#!/usr/bin/env bash
# Builds a Release build (build/release) and makes the Debian package from it with CPack:
# build/package/tavrel_<version>_<architecture>.deb. Installs what is missing first, dpkg-dev
# among it (dpkg-shlibdeps finds the libraries the package depends on). The package's
# maintainer field comes from the cache variable TAVREL_PACKAGE_MAINTAINER:
#   TAVREL_PACKAGE_MAINTAINER="Name <address>" bash scripts/package.sh
# Arguments (the install test's): another build folder and another folder for the package.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/release}"
out="${2:-$root/build/package}"

bash "$root/scripts/install-deps.sh"
maintainer=()
if [ -n "${TAVREL_PACKAGE_MAINTAINER:-}" ]; then
  maintainer=("-DTAVREL_PACKAGE_MAINTAINER=$TAVREL_PACKAGE_MAINTAINER")
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAVREL_BUILD_TESTS=OFF -DTAVREL_BUILD_BENCH=OFF \
  "${maintainer[@]}"
cmake --build "$build" -j "$(nproc)"

rm -rf "$out"
(cd "$build" && cpack -G DEB -B "$out")
rm -rf "$out/_CPack_Packages"
package="$(ls "$out"/*.deb)"
dpkg-deb -I "$package"
dpkg-deb -c "$package"
echo "package: $package"
