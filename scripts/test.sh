#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages
configure_and_build -DHALVENEK_BUILD_TESTS=ON
cd "$HALVENEK_BUILD"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure --parallel "$HALVENEK_JOBS"
