#include "framework/editor/EmbeddedTypeface.h"

#include "HalvenekUiAssets.h"

#include <gtest/gtest.h>

TEST (EmbeddedTypeface, MeasuresAndDrawsLikeJucesOwnTypefaceOfTheSameFont)
{
    for (const bool bold : { false, true })
    {
        const auto* data = bold ? HalvenekUiAssets::tahomabd_ttf : HalvenekUiAssets::tahoma_ttf;
        const auto size = (size_t) (bold ? HalvenekUiAssets::tahomabd_ttfSize : HalvenekUiAssets::tahoma_ttfSize);

        const juce::Typeface::Ptr embedded (new EmbeddedTypeface (data, size));
        const auto juces = juce::Typeface::createSystemTypefaceFor (data, size);
        EXPECT_EQ (embedded->getName(), "Tahoma");
        EXPECT_EQ (embedded->getStyle(), juces->getStyle());
        EXPECT_FLOAT_EQ (embedded->getAscent(), juces->getAscent());

        // Kerned pairs, accents and a character the font lacks.
        const juce::String text (juce::CharPointer_UTF8 ("AVAWAY Te Preset \xc3\xa9\xc3\xbc \xe2\x82\xac \xe4\xb8\xad"));
        EXPECT_FLOAT_EQ (embedded->getStringWidth (text), juces->getStringWidth (text)) << bold;

        juce::Array<int> embeddedGlyphs, jucesGlyphs;
        juce::Array<float> embeddedOffsets, jucesOffsets;
        embedded->getGlyphPositions (text, embeddedGlyphs, embeddedOffsets);
        juces->getGlyphPositions (text, jucesGlyphs, jucesOffsets);
        ASSERT_EQ (embeddedOffsets.size(), jucesOffsets.size());

        for (int i = 0; i < embeddedOffsets.size(); ++i)
            EXPECT_FLOAT_EQ (embeddedOffsets[i], jucesOffsets[i]) << i;

        for (int i = 0; i < embeddedGlyphs.size(); ++i)
        {
            juce::Path ours, theirs;
            embedded->getOutlineForGlyph (embeddedGlyphs[i], ours);
            juces->getOutlineForGlyph (jucesGlyphs[i], theirs);
            EXPECT_EQ (ours.getBounds(), theirs.getBounds()) << i;
        }
    }
}

TEST (EmbeddedTypeface, DataThatIsNoFontGivesATypefaceWithoutGlyphsOfItsOwn)
{
    const char garbage[] = "not a font at all, only some bytes";
    const auto typeface = std::make_unique<EmbeddedTypeface> (garbage, sizeof (garbage));
    EXPECT_FALSE (typeface->hasFace());

    // Every character is left to the fallback typeface, as one the font lacks would be.
    const auto fallback = juce::Font (juce::Font::getFallbackFontName(), juce::Font::getFallbackFontStyle(), 10.0f).getTypefacePtr();
    ASSERT_NE (fallback, nullptr);
    EXPECT_FLOAT_EQ (typeface->getStringWidth ("Halvenek"), fallback->getStringWidth ("Halvenek"));
}
