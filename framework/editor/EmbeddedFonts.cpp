#include "EmbeddedFonts.h"

#include "EmbeddedTypeface.h"
#include "HalvenekUiAssets.h"

JUCE_IMPLEMENT_SINGLETON (EmbeddedFonts)

EmbeddedFonts::EmbeddedFonts()
    : regular (new EmbeddedTypeface (HalvenekUiAssets::tahoma_ttf, (size_t) HalvenekUiAssets::tahoma_ttfSize)),
      bold (new EmbeddedTypeface (HalvenekUiAssets::tahomabd_ttf, (size_t) HalvenekUiAssets::tahomabd_ttfSize))
{
    juce::LookAndFeel::setDefaultLookAndFeel (this);

    // Fonts resolved before the embedded typefaces were there must be looked up again.
    juce::Typeface::clearTypefaceCache();
}

EmbeddedFonts::~EmbeddedFonts()
{
    if (&juce::LookAndFeel::getDefaultLookAndFeel() == this)
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);

    juce::Typeface::clearTypefaceCache();
    clearSingletonInstance();
}

void EmbeddedFonts::install()
{
    getInstance();
}

juce::Typeface::Ptr EmbeddedFonts::getTypeface (bool wantBold)
{
    auto& fonts = *getInstance();
    return wantBold ? fonts.bold : fonts.regular;
}

juce::Typeface::Ptr EmbeddedFonts::getTypefaceForFont (const juce::Font& font)
{
    return font.isBold() ? bold : regular;
}
