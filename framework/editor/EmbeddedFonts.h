#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The Tahoma typefaces compiled into the plug-in, and the process-wide font lookup that
    resolves every font to them, so that all text looks the same on every machine.

    JUCE asks only the default look-and-feel which typeface a font uses; this object
    becomes that default while it exists (it is JUCE's standard look otherwise) and is
    deleted at shutdown. */
class EmbeddedFonts : private juce::LookAndFeel_V4,
                      private juce::DeletedAtShutdown
{
public:
    ~EmbeddedFonts() override;

    /** Makes every font of the process resolve to the embedded typefaces. */
    static void install();

    /** Tahoma, or Tahoma Bold. */
    static juce::Typeface::Ptr getTypeface (bool bold);

    JUCE_DECLARE_SINGLETON (EmbeddedFonts, false)

private:
    EmbeddedFonts();
    juce::Typeface::Ptr getTypefaceForFont (const juce::Font&) override;

    juce::Typeface::Ptr regular, bold;
};
