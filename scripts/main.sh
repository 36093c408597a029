#!/usr/bin/env bash
# Installs what is missing, builds every plug-in format and says where they are.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages
configure_and_build -DHALVENEK_BUILD_TESTS=OFF

artefacts="$HALVENEK_BUILD/Halvenek_artefacts/Release"
echo
echo "Built plug-ins:"
echo "  VST 2.4:    $artefacts/VST/libHalvenek.so"
echo "  LV2:        $artefacts/LV2/Halvenek.lv2"
echo "  VST3:       $artefacts/VST3/Halvenek.vst3"
echo "  Standalone: $artefacts/Standalone/Halvenek"
