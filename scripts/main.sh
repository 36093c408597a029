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

# Ardour looks for VST 2.4 plug-ins only in system folders (no folder in the user's home).
ardour_vst_folder=/usr/local/lib/vst
ardour_hint=""
if [ "$(id -u)" -eq 0 ]; then
    install -D -m 644 "$HOME/.vst/libHalvenek.so" "$ardour_vst_folder/libHalvenek.so"
    echo "  VST 2.4 for Ardour: $ardour_vst_folder/libHalvenek.so"
else
    ardour_hint="Ardour: add $HOME/.vst in Preferences > Plugins > VST (or start it with LXVST_PATH=$HOME/.vst), or run this script as root to install into $ardour_vst_folder."
fi

demo="$HALVENEK_BUILD/halvenek-demo.wav"
echo
"$HALVENEK_BUILD/halvenek-render" "$demo"

echo
echo "Listen to the demo:  $demo"
echo "Render your own file: $HALVENEK_BUILD/halvenek-render IN.wav OUT.wav   (see --help)"

if [ -n "$ardour_hint" ]; then
    echo
    echo "$ardour_hint"
fi
