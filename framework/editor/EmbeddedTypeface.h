#pragma once

#include <juce_graphics/juce_graphics.h>

#include <memory>

/** A typeface read by FreeType straight from font data compiled into the library.

    JUCE's own typeface from memory goes through its list of installed fonts, whose first
    use scans every system font folder; this one needs no system font at all. Glyph
    outlines and kerning are loaded on first use, in the same units as JUCE's typefaces,
    so the text looks the same.
*/
class EmbeddedTypeface : public juce::CustomTypeface
{
public:
    /** The data must outlive the typeface. A face FreeType cannot read has no glyphs. */
    EmbeddedTypeface (const void* fontData, size_t fontDataSize);
    ~EmbeddedTypeface() override;

    bool hasFace() const noexcept   { return face != nullptr; }

protected:
    bool loadGlyphIfPossible (juce::juce_wchar character) override;

private:
    struct FaceHolder;
    void addKerningFrom (juce::juce_wchar character, unsigned int glyphIndex);

    std::unique_ptr<FaceHolder> face;
    float unitsToHeight = 0.0f;   // font units to a fraction of the font height

    JUCE_DECLARE_NON_COPYABLE (EmbeddedTypeface)
};
