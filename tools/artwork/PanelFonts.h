#pragma once

#include <juce_graphics/juce_graphics.h>

/** The faceplate's lettering: Wine's Tahoma, read from the font files so that every build
    draws the same glyphs. */
class PanelFonts
{
public:
    /** Loads regular and bold Tahoma from a folder; false when either is missing. */
    bool load (const juce::File& folder);

    juce::Font regular (float height) const;
    juce::Font bold (float height) const;

    /** Bold capitals spaced out a little, the way silkscreened captions are set. */
    juce::Font caption (float height) const;

private:
    juce::Typeface::Ptr regularFace, boldFace;
};
