#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
tavelin_install_packages
tavelin_build -DTAVELIN_WERROR=ON
cd "$TAVELIN_BUILD"
ctest --output-on-failure -j "$(nproc)" "$@"
