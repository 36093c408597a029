#include "PanelFonts.h"

namespace
{
    juce::Typeface::Ptr loadTypeface (const juce::File& file)
    {
        juce::MemoryBlock data;

        if (! file.loadFileAsData (data) || data.isEmpty())
            return nullptr;

        return juce::Typeface::createSystemTypefaceFor (data.getData(), data.getSize());
    }
}

bool PanelFonts::load (const juce::File& folder)
{
    regularFace = loadTypeface (folder.getChildFile ("tahoma.ttf"));
    boldFace = loadTypeface (folder.getChildFile ("tahomabd.ttf"));
    return regularFace != nullptr && boldFace != nullptr;
}

juce::Font PanelFonts::regular (float height) const  { return juce::Font (regularFace).withHeight (height); }
juce::Font PanelFonts::bold (float height) const     { return juce::Font (boldFace).withHeight (height); }

juce::Font PanelFonts::caption (float height) const
{
    return bold (height).withExtraKerningFactor (0.03f);
}
