#!/usr/bin/env bash
# Installs what is missing, builds every plug-in format and the renderer, installs the
# plug-ins for the current user and renders the demo to a WAV file.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages
configure_and_build -DHALVENEK_BUILD_TESTS=OFF

cmake --install "$HALVENEK_BUILD" --prefix "$HOME" > /dev/null
echo
echo "Installed the plug-ins for $(id -un):"
echo "  VST 2.4: $HOME/.vst/libHalvenek.so"
echo "  LV2:     $HOME/.lv2/Halvenek.lv2"
echo "  VST3:    $HOME/.vst3/Halvenek.vst3"
echo "  (the Standalone app: $HALVENEK_BUILD/Halvenek_artefacts/Release/Standalone/Halvenek)"

demo="$HALVENEK_BUILD/halvenek-demo.wav"
echo
"$HALVENEK_BUILD/halvenek-render" "$demo"

echo
echo "Listen to the demo:  $demo"
echo "Render your own file: $HALVENEK_BUILD/halvenek-render IN.wav OUT.wav   (see --help)"
