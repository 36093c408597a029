#include "Engraving.h"

#include "Palette.h"

#include <cmath>

namespace
{
    juce::Point<float> onCircle (juce::Point<float> centre, float radius, float angle)
    {
        return { centre.x + radius * std::sin (angle), centre.y - radius * std::cos (angle) };
    }
}

void Engraving::print (juce::Graphics& g, const juce::String& text, juce::Rectangle<float> area,
                       juce::Justification justification, const juce::Font& font, juce::Colour colour) const
{
    g.setFont (font);
    g.setColour (Palette::shadow.withAlpha (0.8f));
    g.drawText (text, area.translated (0.0f, 1.0f), justification, false);
    g.setColour (colour);
    g.drawText (text, area, justification, false);
}

void Engraving::printCaption (juce::Graphics& g, const juce::String& text, juce::Rectangle<float> area) const
{
    print (g, text, area, juce::Justification::centred, fonts.caption (captionHeight), Palette::print);
}

void Engraving::printKnobScale (juce::Graphics& g, juce::Point<float> centre, float innerRadius, float outerRadius,
                                const std::vector<SkinLayout::ScaleMark>& marks, const juce::String& unit) const
{
    constexpr int ticks = 11;

    for (int i = 0; i < ticks; ++i)
    {
        const float angle = SkinLayout::knobAngle ((float) i / (float) (ticks - 1));
        const bool major = i == 0 || i == ticks - 1 || i == (ticks - 1) / 2;
        const auto from = onCircle (centre, major ? innerRadius - 1.0f : innerRadius, angle);
        const auto to = onCircle (centre, outerRadius, angle);

        g.setColour (major ? Palette::print : Palette::printDim);
        g.drawLine ({ from, to }, major ? 1.3f : 0.9f);
    }

    const auto font = fonts.regular (scaleTextHeight);

    for (auto& mark : marks)
    {
        const float angle = SkinLayout::knobAngle (mark.position);
        const float width = font.getStringWidthFloat (mark.text) + 1.0f;
        const float height = scaleTextHeight;
        juce::Point<float> at;

        if (mark.position <= 0.0f || mark.position >= 1.0f)
        {
            // The end marks sit right under the ends of the scale, clear of the neighbours.
            at = onCircle (centre, outerRadius, angle).translated (0.0f, height * 0.5f + 1.5f);
        }
        else
        {
            const float reach = outerRadius + 1.5f + std::abs (std::sin (angle)) * width * 0.5f
                                                   + std::abs (std::cos (angle)) * height * 0.5f;
            at = onCircle (centre, reach, angle);
        }

        print (g, mark.text, juce::Rectangle<float> (width + 4.0f, height + 2.0f).withCentre (at),
               juce::Justification::centred, font, Palette::printDim.brighter (0.15f));
    }

    if (unit.isNotEmpty())
        print (g, unit, juce::Rectangle<float> (24.0f, scaleTextHeight + 2.0f).withCentre ({ centre.x, centre.y + outerRadius - 1.0f }),
               juce::Justification::centred, font, Palette::printDim);
}

void Engraving::strokeWaveform (juce::Graphics& g, int waveform, juce::Rectangle<float> area, float thickness)
{
    const float l = area.getX(), r = area.getRight(), t = area.getY(), b = area.getBottom();
    const float w = area.getWidth(), mid = area.getCentreY();
    juce::Path path;

    switch (waveform)
    {
        case 0: // triangle: rises to the top at half a cycle
            path.startNewSubPath (l, b);
            path.lineTo (l + w * 0.5f, t);
            path.lineTo (r, b);
            break;

        case 1: // square
            path.startNewSubPath (l, b);
            path.lineTo (l, t);
            path.lineTo (l + w * 0.5f, t);
            path.lineTo (l + w * 0.5f, b);
            path.lineTo (r, b);
            path.lineTo (r, t);
            break;

        case 2: // sine
            for (int i = 0; i <= 24; ++i)
            {
                const float phase = (float) i / 24.0f;
                const juce::Point<float> p (l + w * phase, mid - std::sin (phase * juce::MathConstants<float>::twoPi) * (b - t) * 0.5f);

                if (i == 0)
                    path.startNewSubPath (p);
                else
                    path.lineTo (p);
            }
            break;

        case 3: // saw rising; the falling saw is the same ramp upside down
        case 4:
        {
            const bool rising = waveform == 3;
            const float start = rising ? b : t, end = rising ? t : b;
            path.startNewSubPath (l, start);
            path.lineTo (l + w * 0.5f, end);
            path.lineTo (l + w * 0.5f, start);
            path.lineTo (r, end);
            break;
        }

        default: // random: held steps
        {
            const float levels[] = { 0.35f, 0.0f, 0.8f, 0.2f, 1.0f };
            path.startNewSubPath (l, t + (b - t) * levels[0]);

            for (int i = 0; i < 5; ++i)
            {
                const float x0 = l + w * (float) i / 5.0f, x1 = l + w * (float) (i + 1) / 5.0f;
                const float y = t + (b - t) * levels[i];

                path.lineTo (x0, y);
                path.lineTo (x1, y);
            }
            break;
        }
    }

    g.strokePath (path, juce::PathStrokeType (thickness, juce::PathStrokeType::mitered, juce::PathStrokeType::butt));
}
