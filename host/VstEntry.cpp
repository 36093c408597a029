#include "VstBoundary.h"

#include <utility>

// JUCE's VST client is compiled with its entry renamed to juceVSTPluginMain and its call of
// the product's factory renamed to createPluginFilterForVst (host/CMakeLists.txt), so that
// the exported VSTPluginMain is this layer's and the layer learns which processor the
// wrapper got.
extern "C" AEffect* juceVSTPluginMain (audioMasterCallback);

namespace
{
    thread_local juce::AudioProcessor* processorJustCreated = nullptr;

    VstBoundary::Created createThroughJuce (audioMasterCallback wrapperCallback)
    {
        processorJustCreated = nullptr;
        auto* effect = juceVSTPluginMain (wrapperCallback);
        return { effect, std::exchange (processorJustCreated, nullptr) };
    }
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilterForVst();

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilterForVst()
{
    processorJustCreated = createPluginFilter();
    return processorJustCreated;
}

extern "C" __attribute__ ((visibility ("default"))) AEffect* VSTPluginMain (audioMasterCallback host);

extern "C" __attribute__ ((visibility ("default"))) AEffect* VSTPluginMain (audioMasterCallback host)
{
    return VstBoundary::create (host, createThroughJuce);
}
