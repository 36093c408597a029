#!/usr/bin/env bash
# Installs what is missing, builds every plug-in format and the renderer, installs the
# plug-ins for the current user and renders the demo to a WAV file.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages
configure_and_build -DHALVENEK_BUILD_TESTS=OFF

echo
echo "Installing the plug-ins for $(id -un):"
cmake --install "$HALVENEK_BUILD" --prefix "$HOME" | sed -n 's|^-- Installing: \(.*/\.\(vst\|lv2\|vst3\)/[^/]*\)$|  \1|p'

demo="$HALVENEK_BUILD/halvenek-demo.wav"
echo
"$HALVENEK_BUILD/halvenek-render" "$demo"

echo
echo "Listen to the demo:  $demo"
echo "Render your own file: $HALVENEK_BUILD/halvenek-render IN.wav OUT.wav   (see --help)"
