#include "MeterArt.h"

#include "Palette.h"

#include <cmath>

namespace MeterArt
{
    namespace
    {
        constexpr float sweep = 0.8f;   // radians either side of upright

        float meterValueForDecibels (float decibels)   { return decibels / 30.0f + 0.8f; }

        juce::Point<float> alongNeedle (juce::Point<float> pivot, float radius, float value)
        {
            const float angle = -sweep + 2.0f * sweep * value;
            return { pivot.x + radius * std::sin (angle), pivot.y - radius * std::cos (angle) };
        }

        void drawArc (juce::Graphics& g, juce::Point<float> pivot, float radius, float from, float to, float thickness)
        {
            juce::Path arc;
            arc.addCentredArc (pivot.x, pivot.y, radius, radius, 0.0f,
                               -sweep + 2.0f * sweep * from, -sweep + 2.0f * sweep * to, true);
            g.strokePath (arc, juce::PathStrokeType (thickness));
        }
    }

    void drawVuMeter (juce::Graphics& g, const Engraving& engraving, juce::Rectangle<float> area,
                      float value, const juce::String& channel)
    {
        // Black bezel around a backlit face.
        g.setColour (juce::Colour (0xff0d0d0e));
        g.fillRoundedRectangle (area, 3.0f);
        const auto face = area.reduced (2.5f);

        g.setGradientFill (juce::ColourGradient (Palette::meterFace.brighter (0.1f), face.getCentreX(), face.getY() + face.getHeight() * 0.35f,
                                                 Palette::meterFaceEdge, face.getX(), face.getBottom(), true));
        g.fillRoundedRectangle (face, 2.0f);

        const juce::Point<float> pivot (face.getCentreX(), face.getBottom() + 15.0f);
        const float scaleRadius = 44.0f;

        g.saveState();
        g.reduceClipRegion (face.toNearestInt());

        // Scale: black up to 0 dB, a heavier red band above it.
        g.setColour (Palette::meterInk);
        drawArc (g, pivot, scaleRadius, 0.0f, meterValueForDecibels (0.0f), 0.9f);
        g.setColour (Palette::meterRed);
        drawArc (g, pivot, scaleRadius + 1.2f, meterValueForDecibels (0.0f), 1.0f, 3.0f);

        const float tickDecibels[] = { -20.0f, -10.0f, -7.0f, -5.0f, -3.0f, -2.0f, -1.0f, 0.0f, 1.0f, 2.0f, 3.0f, 6.0f };

        for (float db : tickDecibels)
        {
            const float v = meterValueForDecibels (db);
            const bool major = db == -20.0f || db == -10.0f || db == -5.0f || db == 0.0f;
            g.setColour (db > 0.0f ? Palette::meterRed : Palette::meterInk);
            g.drawLine ({ alongNeedle (pivot, scaleRadius, v), alongNeedle (pivot, scaleRadius + (major ? 5.0f : 3.5f), v) },
                        major ? 1.1f : 0.8f);
        }

        const auto font = engraving.getFonts().bold (7.5f);
        g.setFont (font);

        const std::pair<float, const char*> labels[] = { { -20.0f, "20" }, { -10.0f, "10" }, { -5.0f, "5" }, { 0.0f, "0" } };

        for (auto& [db, text] : labels)
        {
            g.setColour (Palette::meterInk);
            g.drawText (text, juce::Rectangle<float> (16.0f, 8.0f).withCentre (alongNeedle (pivot, scaleRadius + 10.0f, meterValueForDecibels (db))),
                        juce::Justification::centred, false);
        }

        g.setColour (Palette::meterRed);
        g.drawText ("+", juce::Rectangle<float> (10.0f, 8.0f).withCentre (alongNeedle (pivot, scaleRadius + 8.0f, 0.93f)),
                    juce::Justification::centred, false);
        g.setColour (Palette::meterInk);
        g.drawText ("-", juce::Rectangle<float> (10.0f, 8.0f).withCentre (alongNeedle (pivot, scaleRadius + 9.0f, 0.03f)),
                    juce::Justification::centred, false);

        g.setFont (engraving.getFonts().bold (9.0f));
        g.drawText ("VU", juce::Rectangle<float> (30.0f, 10.0f).withCentre ({ pivot.x, face.getBottom() - 14.0f }),
                    juce::Justification::centred, false);
        g.setFont (engraving.getFonts().bold (8.0f));
        g.drawText (channel, juce::Rectangle<float> (10.0f, 9.0f).withPosition (face.getX() + 2.0f, face.getBottom() - 11.0f),
                    juce::Justification::centred, false);

        // Needle with its shadow on the face, then the housing that hides the pivot.
        const auto tip = alongNeedle (pivot, scaleRadius + 4.0f, value);
        const auto root = alongNeedle (pivot, 12.0f, value);
        g.setColour (juce::Colours::black.withAlpha (0.18f));
        g.drawLine ({ root.translated (1.5f, 1.5f), tip.translated (1.5f, 1.5f) }, 1.2f);
        g.setColour (juce::Colour (0xff15110d));
        g.drawLine ({ root, tip }, 1.1f);

        const auto housing = juce::Rectangle<float> (face.getWidth() * 0.5f, 12.0f).withCentre ({ pivot.x, face.getBottom() + 1.0f });
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff3a3734), 0.0f, housing.getY(),
                                                 juce::Colour (0xff0f0e0d), 0.0f, housing.getBottom(), false));
        g.fillRoundedRectangle (housing, 4.0f);
        g.restoreState();

        // Glass: a soft reflection across the upper half.
        g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.22f), face.getX(), face.getY(),
                                                 juce::Colours::white.withAlpha (0.0f), face.getX() + face.getWidth() * 0.4f, face.getCentreY(), false));
        g.fillRoundedRectangle (face.withHeight (face.getHeight() * 0.45f), 2.0f);
        g.setColour (juce::Colours::black.withAlpha (0.55f));
        g.drawRoundedRectangle (face, 2.0f, 1.0f);
    }

    void drawLamp (juce::Graphics& g, juce::Rectangle<float> area, float brightness, juce::Colour lit, juce::Colour dark)
    {
        // A black holder with a domed lens; a lit lens lights up the holder's rim too.
        const auto holder = area.reduced (0.5f);
        g.setColour (juce::Colours::black.withAlpha (0.5f));
        g.fillEllipse (holder.translated (0.0f, 0.8f));
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff4a4c50), holder.getX(), holder.getY(),
                                                 juce::Colour (0xff101112), holder.getRight(), holder.getBottom(), false));
        g.fillEllipse (holder);
        g.setColour (lit.withAlpha (0.5f * brightness));
        g.fillEllipse (holder);

        const auto lens = holder.reduced (holder.getWidth() > 10.0f ? 2.0f : 1.5f);
        const auto colour = dark.interpolatedWith (lit, brightness);
        const auto hotSpot = colour.interpolatedWith (juce::Colour (0xfffff4c8), 0.75f * brightness * brightness);
        g.setGradientFill (juce::ColourGradient (hotSpot, lens.getCentreX(), lens.getCentreY() - lens.getHeight() * 0.1f,
                                                 colour.darker (0.45f * (1.0f - brightness) + 0.1f), lens.getRight(), lens.getBottom(), true));
        g.fillEllipse (lens);

        g.setColour (juce::Colours::white.withAlpha (0.2f + 0.3f * brightness));
        g.fillEllipse (lens.withSizeKeepingCentre (lens.getWidth() * 0.4f, lens.getHeight() * 0.28f)
                           .translated (-lens.getWidth() * 0.1f, -lens.getHeight() * 0.22f));
    }
}
