#include "EmbeddedTypeface.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

/** The FreeType library and face, each typeface with its own, so that no two threads share one. */
struct EmbeddedTypeface::FaceHolder
{
    FT_Library library {};
    FT_Face face {};

    ~FaceHolder()
    {
        if (face != nullptr)
            FT_Done_Face (face);

        if (library != nullptr)
            FT_Done_FreeType (library);
    }
};

namespace
{
    /** Turns a FreeType outline into a path, y pointing down and scaled to the font height. */
    struct OutlineToPath
    {
        juce::Path& path;
        float scale;

        juce::Point<float> toPoint (const FT_Vector* v) const noexcept  { return { (float) v->x * scale, (float) v->y * -scale }; }

        static OutlineToPath& of (void* user) noexcept  { return *static_cast<OutlineToPath*> (user); }

        static int moveTo (const FT_Vector* to, void* user)
        {
            auto& self = of (user);

            if (! self.path.isEmpty())
                self.path.closeSubPath();

            self.path.startNewSubPath (self.toPoint (to));
            return 0;
        }

        static int lineTo (const FT_Vector* to, void* user)
        {
            auto& self = of (user);
            self.path.lineTo (self.toPoint (to));
            return 0;
        }

        static int conicTo (const FT_Vector* control, const FT_Vector* to, void* user)
        {
            auto& self = of (user);
            self.path.quadraticTo (self.toPoint (control), self.toPoint (to));
            return 0;
        }

        static int cubicTo (const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void* user)
        {
            auto& self = of (user);
            self.path.cubicTo (self.toPoint (control1), self.toPoint (control2), self.toPoint (to));
            return 0;
        }
    };
}

EmbeddedTypeface::EmbeddedTypeface (const void* fontData, size_t fontDataSize)
    : face (std::make_unique<FaceHolder>())
{
    if (FT_Init_FreeType (&face->library) != 0
         || FT_New_Memory_Face (face->library, static_cast<const FT_Byte*> (fontData), (FT_Long) fontDataSize, 0, &face->face) != 0
         || face->face->ascender - face->face->descender <= 0)
    {
        face.reset();
        return;
    }

    FT_Select_Charmap (face->face, FT_ENCODING_UNICODE);

    const auto& ft = *face->face;
    unitsToHeight = 1.0f / (float) (ft.ascender - ft.descender);
    setCharacteristics (ft.family_name, ft.style_name, (float) ft.ascender * unitsToHeight, L' ');
}

EmbeddedTypeface::~EmbeddedTypeface() = default;

bool EmbeddedTypeface::loadGlyphIfPossible (juce::juce_wchar character)
{
    if (face == nullptr)
        return false;

    const auto ft = face->face;
    const auto glyphIndex = FT_Get_Char_Index (ft, (FT_ULong) character);

    if (FT_Load_Glyph (ft, glyphIndex, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP | FT_LOAD_IGNORE_TRANSFORM | FT_LOAD_NO_HINTING) != 0
         || ft->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
        return false;

    juce::Path shape;
    OutlineToPath converter { shape, unitsToHeight };
    const FT_Outline_Funcs funcs { &OutlineToPath::moveTo, &OutlineToPath::lineTo, &OutlineToPath::conicTo,
                                   &OutlineToPath::cubicTo, 0, 0 };

    if (FT_Outline_Decompose (&ft->glyph->outline, &funcs, &converter) != 0)
        return false;

    if (! shape.isEmpty())
        shape.closeSubPath();

    addGlyph (character, shape, (float) ft->glyph->metrics.horiAdvance * unitsToHeight);

    if (FT_HAS_KERNING (ft))
        addKerningFrom (character, glyphIndex);

    return true;
}

void EmbeddedTypeface::addKerningFrom (juce::juce_wchar character, unsigned int glyphIndex)
{
    const auto ft = face->face;
    FT_UInt nextGlyph = 0;

    for (auto next = FT_Get_First_Char (ft, &nextGlyph); nextGlyph != 0; next = FT_Get_Next_Char (ft, next, &nextGlyph))
    {
        FT_Vector kerning;

        if (FT_Get_Kerning (ft, glyphIndex, nextGlyph, FT_KERNING_UNSCALED, &kerning) == 0 && kerning.x != 0)
            addKerningPair (character, (juce::juce_wchar) next, (float) kerning.x * unitsToHeight);
    }
}
