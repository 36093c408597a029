#pragma once

#include "SkinLayout.h"

#include <map>

/** The panel as the editor will show it: the background with every control at its skin
    position showing a typical value, for checking the artwork without the plug-in. */
namespace Preview
{
    /** Filmstrips are looked up by resource name. LFO 1 shows its rate knob, LFO 2 its
        note-rate switch, so one picture shows both. */
    juce::Image compose (const juce::Image& background, const std::map<juce::String, juce::Image>& filmstrips,
                         const juce::Image& font, const juce::String& presetName);
}
