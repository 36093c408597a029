#include "WindowArt.h"

#include "Palette.h"

namespace WindowArt
{
    namespace
    {
        constexpr int closeButtonWidth = 22, closeButtonHeight = 28;   // as high as the title bar
        constexpr int iconSide = 16;
        constexpr int stripDepth = 8, stripLength = 32;

        juce::Image drawCloseButton (bool pressed)
        {
            juce::Image image (juce::Image::ARGB, closeButtonWidth, closeButtonHeight, true);
            juce::Graphics g (image);
            const auto face = juce::Rectangle<float> (2.5f, 5.5f, 17.0f, 17.0f);

            g.setColour (Palette::shadow);
            g.fillRoundedRectangle (face.translated (0.0f, 1.0f), 3.0f);
            g.setGradientFill (juce::ColourGradient (pressed ? Palette::tab : Palette::plate.brighter (0.35f), 0.0f, face.getY(),
                                                     pressed ? Palette::plateRecess : Palette::tab, 0.0f, face.getBottom(), false));
            g.fillRoundedRectangle (face.translated (0.0f, pressed ? 1.0f : 0.0f), 3.0f);
            g.setColour (juce::Colours::white.withAlpha (0.6f));
            g.drawRoundedRectangle (face.translated (0.0f, pressed ? 1.0f : 0.0f), 3.0f, 1.0f);

            const auto c = face.getCentre().translated (0.0f, pressed ? 1.0f : 0.0f);
            juce::Path cross;
            cross.startNewSubPath (c.x - 3.5f, c.y - 3.5f);
            cross.lineTo (c.x + 3.5f, c.y + 3.5f);
            cross.startNewSubPath (c.x + 3.5f, c.y - 3.5f);
            cross.lineTo (c.x - 3.5f, c.y + 3.5f);
            g.setColour (pressed ? Palette::amber : Palette::print);
            g.strokePath (cross, juce::PathStrokeType (1.8f, juce::PathStrokeType::mitered, juce::PathStrokeType::rounded));
            return image;
        }

        /** A lamp with two interleaved waves: the two chorus paths. */
        juce::Image drawTitleIcon()
        {
            juce::Image image (juce::Image::ARGB, iconSide, iconSide, true);
            juce::Graphics g (image);
            const auto disc = juce::Rectangle<float> (0.5f, 0.5f, iconSide - 1.0f, iconSide - 1.0f);

            g.setGradientFill (juce::ColourGradient (Palette::plate.brighter (0.3f), 0.0f, 0.0f,
                                                     Palette::topBar, 0.0f, (float) iconSide, false));
            g.fillEllipse (disc);
            g.setColour (Palette::print.withAlpha (0.8f));
            g.drawEllipse (disc, 1.0f);

            for (int path = 0; path < 2; ++path)
            {
                juce::Path wave;
                const float phase = path * juce::MathConstants<float>::pi;

                for (float x = 3.0f; x <= 13.0f; x += 0.5f)
                {
                    const float y = 8.0f + 3.0f * std::sin ((x - 3.0f) / 10.0f * juce::MathConstants<float>::twoPi + phase);
                    x == 3.0f ? wave.startNewSubPath (x, y) : wave.lineTo (x, y);
                }

                g.setColour (path == 0 ? Palette::amber : Palette::print);
                g.strokePath (wave, juce::PathStrokeType (1.4f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
            }

            return image;
        }

        /** A band of brushed aluminium with an amber pinstripe on its inner edge; the same
            along its whole length, so the frame can stretch it. */
        juce::Image drawStrip (bool horizontal, bool innerEdgeAtEnd)
        {
            const int width = horizontal ? stripLength : stripDepth;
            const int height = horizontal ? stripDepth : stripLength;
            juce::Image image (juce::Image::ARGB, width, height, true);
            juce::Graphics g (image);

            for (int d = 0; d < stripDepth; ++d)
            {
                const int fromInner = innerEdgeAtEnd ? stripDepth - 1 - d : d;
                auto colour = Palette::plate.brighter (0.25f * (float) fromInner / stripDepth);

                if (fromInner == 1)
                    colour = Palette::amber;
                else if (fromInner == 0)
                    colour = Palette::shadow;

                g.setColour (colour);

                if (horizontal)
                    g.fillRect (0, d, width, 1);
                else
                    g.fillRect (d, 0, 1, height);
            }

            return image;
        }
    }

    std::map<juce::String, juce::Image> render()
    {
        return { { "WindowCloseButton.png", drawCloseButton (false) },
                 { "WindowCloseButtonPressed.png", drawCloseButton (true) },
                 { "WindowTitleIcon.png", drawTitleIcon() },
                 { "WindowDecorationTop.png", drawStrip (true, true) },
                 { "WindowDecorationBottom.png", drawStrip (true, false) },
                 { "WindowDecorationLeft.png", drawStrip (false, true) },
                 { "WindowDecorationRight.png", drawStrip (false, false) } };
    }
}
