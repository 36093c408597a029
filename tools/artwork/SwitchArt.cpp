#include "SwitchArt.h"

#include "Palette.h"

namespace SwitchArt
{
    void drawSlot (juce::Graphics& g, juce::Rectangle<float> slot)
    {
        const float corner = juce::jmin (slot.getWidth(), slot.getHeight()) * 0.5f;
        g.setColour (juce::Colours::white.withAlpha (0.12f));
        g.fillRoundedRectangle (slot.translated (0.0f, 1.0f), corner);
        g.setColour (juce::Colour (0xff070708));
        g.fillRoundedRectangle (slot, corner);
        g.setColour (juce::Colours::black);
        g.drawRoundedRectangle (slot.reduced (0.3f), corner, 0.8f);
    }

    void drawSliderCap (juce::Graphics& g, juce::Rectangle<float> cap, bool vertical)
    {
        g.setColour (juce::Colours::black.withAlpha (0.45f));
        g.fillRoundedRectangle (cap.translated (0.0f, 1.5f).expanded (0.5f), 2.0f);

        g.setGradientFill (juce::ColourGradient (Palette::chromeLight, cap.getX(), cap.getY(),
                                                 Palette::chromeDark, cap.getX(), cap.getBottom(), false));
        g.fillRoundedRectangle (cap, 2.0f);

        // Ridges across the cap to push it by.
        g.setColour (juce::Colour (0xff3a3d41).withAlpha (0.8f));

        if (vertical)
        {
            g.drawHorizontalLine ((int) cap.getCentreY(), cap.getX() + 2.0f, cap.getRight() - 2.0f);
        }
        else
        {
            for (float x = cap.getCentreX() - 2.0f; x <= cap.getCentreX() + 2.5f; x += 2.0f)
                g.drawVerticalLine ((int) x, cap.getY() + 2.5f, cap.getBottom() - 2.5f);
        }

        g.setColour (juce::Colour (0xff26282b));
        g.drawRoundedRectangle (cap.reduced (0.3f), 2.0f, 0.8f);
    }

    void drawTempoSync (juce::Graphics& g, juce::Rectangle<float> area, int position, int positions)
    {
        const float centreY = area.getCentreY();
        const float firstX = area.getX() + SkinLayout::horizontalSwitchPositionX (0, positions, (int) area.getWidth());
        const float lastX = area.getX() + SkinLayout::horizontalSwitchPositionX (positions - 1, positions, (int) area.getWidth());

        drawSlot (g, { firstX - 4.0f, centreY - 2.5f, lastX - firstX + 8.0f, 5.0f });

        const float x = area.getX() + SkinLayout::horizontalSwitchPositionX (position, positions, (int) area.getWidth());
        drawSliderCap (g, juce::Rectangle<float> (11.0f, 13.0f).withCentre ({ x, centreY }), false);
    }

    void drawNoteRate (juce::Graphics& g, const Engraving& engraving, juce::Rectangle<float> area, int position, int positions)
    {
        const float centreX = area.getCentreX();
        const int height = (int) area.getHeight();
        auto yOf = [&] (int p) { return area.getY() + SkinLayout::verticalSwitchPositionY (p, positions, height); };

        drawSlot (g, { centreX - 2.5f, yOf (positions - 1) - 4.0f, 5.0f, yOf (0) - yOf (positions - 1) + 8.0f });

        const auto font = engraving.getFonts().regular (Engraving::scaleTextHeight);

        // Labels alternate sides so that neighbouring positions never crowd each other.
        for (int p = 0; p < positions; ++p)
        {
            const float y = yOf (p);
            const bool left = p % 2 == 0;
            const bool chosen = p == position;

            g.setColour (chosen ? Palette::amber : Palette::printDim);
            g.drawLine (left ? centreX - 7.0f : centreX + 4.5f, y, left ? centreX - 4.5f : centreX + 7.0f, y, 1.0f);

            const juce::Rectangle<float> label (left ? area.getX() : centreX + 8.0f, y - 5.0f,
                                                centreX - 8.0f - area.getX(), 10.0f);
            engraving.print (g, SkinLayout::noteRateText (p), label,
                             left ? juce::Justification::centredRight : juce::Justification::centredLeft,
                             font, chosen ? Palette::amber : Palette::printDim.brighter (0.1f));
        }

        drawSliderCap (g, juce::Rectangle<float> (12.0f, 7.0f).withCentre ({ centreX, yOf (position) }), true);
    }

    void drawBatToggle (juce::Graphics& g, juce::Rectangle<float> area, bool on)
    {
        const auto centre = area.getCentre();

        // Hexagonal nut and the bushing the lever comes out of.
        juce::Path nut;
        nut.addPolygon (centre, 6, 6.0f, juce::MathConstants<float>::pi / 6.0f);
        g.setColour (juce::Colours::black.withAlpha (0.45f));
        g.fillPath (nut, juce::AffineTransform::translation (0.0f, 1.5f));
        g.setGradientFill (juce::ColourGradient (Palette::chromeLight, centre.x - 4.0f, centre.y - 5.0f,
                                                 Palette::chromeDark, centre.x + 4.0f, centre.y + 5.0f, false));
        g.fillPath (nut);
        g.setColour (juce::Colour (0xff2a2c2f));
        g.strokePath (nut, juce::PathStrokeType (0.7f));

        g.setColour (juce::Colour (0xff1a1b1d));
        g.fillEllipse (juce::Rectangle<float> (6.0f, 6.0f).withCentre (centre));

        // The lever: a tapered chrome bat seen from the front, tip towards the thrown side.
        const float direction = on ? -1.0f : 1.0f;
        const float tipY = centre.y + direction * (area.getHeight() * 0.5f - 2.5f);

        juce::Path lever;
        lever.startNewSubPath (centre.x - 1.6f, centre.y);
        lever.lineTo (centre.x - 2.6f, tipY);
        lever.lineTo (centre.x + 2.6f, tipY);
        lever.lineTo (centre.x + 1.6f, centre.y);
        lever.closeSubPath();

        g.setColour (juce::Colours::black.withAlpha (0.4f));
        g.fillPath (lever, juce::AffineTransform::translation (1.0f, 1.5f));
        g.setGradientFill (juce::ColourGradient (Palette::chromeDark, centre.x - 2.6f, 0.0f,
                                                 Palette::chromeDark, centre.x + 2.6f, 0.0f, false));
        g.fillPath (lever);
        g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.9f), centre.x - 0.5f, 0.0f,
                                                 juce::Colours::white.withAlpha (0.0f), centre.x + 2.0f, 0.0f, false));
        g.fillPath (lever);

        const auto tip = juce::Rectangle<float> (6.5f, 4.5f).withCentre ({ centre.x, tipY });
        g.setGradientFill (juce::ColourGradient (Palette::chromeLight, tip.getX(), tip.getY(),
                                                 Palette::chromeDark, tip.getRight(), tip.getBottom(), false));
        g.fillEllipse (tip);
        g.setColour (juce::Colour (0xff2a2c2f));
        g.drawEllipse (tip, 0.6f);
    }
}
