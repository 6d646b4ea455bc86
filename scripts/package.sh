#!/usr/bin/env bash
# Installs what is missing, builds the release and makes the Debian package from it:
# build/release/dimoro-free_<version>_<architecture>.deb. See docs/packaging.md.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
build release -DBUILD_TESTING=OFF
cd "$ROOT/build/release"
rm -f dimoro-free_*.deb
cpack -G DEB >cpack.log || { cat cpack.log >&2; exit 1; }
echo "$ROOT/build/release/$(ls dimoro-free_*.deb)"
