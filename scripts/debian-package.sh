#!/usr/bin/env bash
# Builds the Debian packages from the source packaging in debian/ as a distribution would:
# dpkg-buildpackage -us -uc -b on a copy of the committed tree (git archive), so that the build's
# files stay out of the checkout. The packages end up in build/debian/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build/debian"

bash "$root/scripts/install-deps.sh" debhelper
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/tavrel"
git -C "$root" archive HEAD | tar -x -C "$work/tavrel"
(cd "$work/tavrel" && dpkg-buildpackage -us -uc -b)
rm -rf "$out"
mkdir -p "$out"
cp "$work"/*.deb "$work"/*.buildinfo "$work"/*.changes "$out"/
ls -l "$out"
