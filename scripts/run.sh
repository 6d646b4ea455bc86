#!/usr/bin/env bash
# Installs what is missing, builds the release and starts the program from its build folder.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages "${BUILD_PACKAGES[@]}"
build release -DBUILD_TESTING=OFF
exec "$ROOT/build/release/bin/dimoro"
