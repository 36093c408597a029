#include "KnobArt.h"

#include "Palette.h"

#include <cmath>

namespace KnobArt
{
    namespace
    {
        juce::Point<float> onCircle (juce::Point<float> centre, float radius, float angle)
        {
            return { centre.x + radius * std::sin (angle), centre.y - radius * std::cos (angle) };
        }

        juce::ColourGradient domeGradient (juce::Point<float> centre, float radius, juce::Colour light, juce::Colour dark)
        {
            juce::ColourGradient gradient (light.brighter (0.25f), centre.x - radius * 0.35f, centre.y - radius * 0.45f,
                                           dark, centre.x + radius * 0.6f, centre.y + radius * 0.8f, true);
            gradient.addColour (0.45, light);
            return gradient;
        }
    }

    Geometry geometry (SkinLayout::Look look)
    {
        if (look == SkinLayout::Look::outputKnob)
            return { 17.0f, 20.5f, 23.5f };

        return { 14.5f, 18.0f, 21.0f };
    }

    void drawShadow (juce::Graphics& g, juce::Point<float> centre, float radius)
    {
        for (int i = 3; i >= 1; --i)
        {
            const float spread = (float) i * 0.9f;
            g.setColour (juce::Colours::black.withAlpha (0.16f));
            g.fillEllipse (juce::Rectangle<float> (2.0f * (radius + spread), 2.0f * (radius + spread))
                               .withCentre (centre.translated (0.0f, 1.5f + (float) i * 0.4f)));
        }
    }

    void drawRoundKnob (juce::Graphics& g, juce::Point<float> centre, float skirtRadius, float angle)
    {
        drawShadow (g, centre, skirtRadius);

        // Skirt: the knurled rim, a shade darker than the cap.
        const auto skirt = juce::Rectangle<float> (2.0f * skirtRadius, 2.0f * skirtRadius).withCentre (centre);
        g.setGradientFill (domeGradient (centre, skirtRadius, Palette::ivory.darker (0.08f), Palette::ivoryShade.darker (0.35f)));
        g.fillEllipse (skirt);

        const float capRadius = skirtRadius * 0.78f;
        constexpr int grooves = 28;

        for (int i = 0; i < grooves; ++i)
        {
            const float a = angle + juce::MathConstants<float>::twoPi * (float) i / (float) grooves;
            const float lit = 0.5f + 0.5f * std::cos (a - 0.6f);
            g.setColour (juce::Colour (0xff4a3f2c).withAlpha (0.18f + 0.22f * (1.0f - lit)));
            g.drawLine ({ onCircle (centre, capRadius + 0.6f, a), onCircle (centre, skirtRadius - 0.4f, a) }, 0.8f);
        }

        g.setColour (juce::Colour (0xff3b3222).withAlpha (0.7f));
        g.drawEllipse (skirt.reduced (0.3f), 0.7f);

        // Cap: a dome with a bright rim on the lit side.
        const auto cap = juce::Rectangle<float> (2.0f * capRadius, 2.0f * capRadius).withCentre (centre);
        g.setColour (juce::Colour (0xff6d6046).withAlpha (0.55f));
        g.fillEllipse (cap.expanded (0.9f).translated (0.0f, 0.6f));
        g.setGradientFill (domeGradient (centre, capRadius, Palette::ivory, Palette::ivoryShade));
        g.fillEllipse (cap);
        g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.55f), centre.x, centre.y - capRadius,
                                                 juce::Colours::white.withAlpha (0.0f), centre.x, centre.y, false));
        g.drawEllipse (cap.reduced (0.6f), 0.9f);

        // Pointer: an engraved black line from near the centre to the rim.
        const auto from = onCircle (centre, skirtRadius * 0.18f, angle);
        const auto to = onCircle (centre, skirtRadius - 0.8f, angle);
        g.setColour (juce::Colour (0xff14110c));
        g.drawLine ({ from, to }, skirtRadius > 16.0f ? 2.4f : 2.0f);
    }

    void drawPointerKnob (juce::Graphics& g, juce::Point<float> centre, float radius, float angle)
    {
        // A tapered bar across a round hub, pointing with its long end.
        juce::Path bar;
        const float hub = radius * 0.56f;
        bar.startNewSubPath (-radius * 0.36f, radius * 0.62f);
        bar.cubicTo (-radius * 0.48f, 0.0f, -radius * 0.24f, -radius * 0.78f, 0.0f, -radius);
        bar.cubicTo (radius * 0.24f, -radius * 0.78f, radius * 0.48f, 0.0f, radius * 0.36f, radius * 0.62f);
        bar.quadraticTo (0.0f, radius * 0.82f, -radius * 0.36f, radius * 0.62f);
        bar.closeSubPath();
        bar.addEllipse (-hub, -hub, 2.0f * hub, 2.0f * hub);
        bar.setUsingNonZeroWinding (true);

        const auto placed = juce::AffineTransform::rotation (angle).translated (centre);

        juce::Path shadowPath (bar);
        shadowPath.applyTransform (placed.translated (0.0f, 1.8f));
        g.setColour (juce::Colours::black.withAlpha (0.4f));
        g.fillPath (shadowPath);

        juce::Path body (bar);
        body.applyTransform (placed);
        g.setGradientFill (domeGradient (centre, radius, Palette::ivory, Palette::ivoryShade.darker (0.1f)));
        g.fillPath (body);
        g.setColour (juce::Colour (0xff3b3222).withAlpha (0.75f));
        g.strokePath (body, juce::PathStrokeType (0.7f));

        // Top of the hub catches the light.
        g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.5f), centre.x, centre.y - hub,
                                                 juce::Colours::white.withAlpha (0.0f), centre.x, centre.y + hub * 0.3f, false));
        g.fillEllipse (juce::Rectangle<float> (2.0f * hub * 0.8f, 2.0f * hub * 0.8f).withCentre (centre));

        // Pointer line along the long end.
        g.setColour (juce::Colour (0xff14110c));
        g.drawLine ({ onCircle (centre, radius * 0.3f, angle), onCircle (centre, radius * 0.9f, angle) }, 1.6f);
    }
}
