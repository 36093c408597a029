#include "Faceplate.h"

#include "KnobArt.h"
#include "Palette.h"

#include <cmath>

namespace
{
    using SkinLayout::Look;

    bool isPathRowControl (const SkinLayout::Control& control)
    {
        return control.bounds.getX() < SkinLayout::mixerBox().getX() && control.bounds.getY() >= SkinLayout::topBarHeight;
    }

    int rowTopOf (const SkinLayout::Control& control)
    {
        return control.bounds.getY() >= SkinLayout::pathRowTop[1] ? SkinLayout::pathRowTop[1] : SkinLayout::pathRowTop[0];
    }

    void fillRecess (juce::Graphics& g, juce::Rectangle<float> box, juce::Colour fill, float corner)
    {
        g.setColour (juce::Colours::white.withAlpha (0.07f));
        g.drawRoundedRectangle (box.translated (0.0f, 1.0f), corner, 1.0f);
        g.setColour (fill);
        g.fillRoundedRectangle (box, corner);

        // Inner shadow along the top edge.
        g.saveState();
        g.reduceClipRegion (box.toNearestInt());
        g.setGradientFill (juce::ColourGradient (juce::Colours::black.withAlpha (0.35f), 0.0f, box.getY(),
                                                 juce::Colours::transparentBlack, 0.0f, box.getY() + 5.0f, false));
        g.fillRect (box);
        g.restoreState();

        g.setColour (juce::Colours::black.withAlpha (0.7f));
        g.drawRoundedRectangle (box.reduced (0.5f), corner, 1.0f);
    }
}

juce::Image Faceplate::render() const
{
    juce::Image image (juce::Image::ARGB, SkinLayout::panelWidth, SkinLayout::panelHeight, true);
    paintPlate (image);

    juce::Graphics g (image);
    paintTopBar (g);
    paintSectionBoxes (g);

    for (auto& control : SkinLayout::controls())
        paintControlPrint (g, control);

    return image;
}

void Faceplate::paintPlate (juce::Image& image) const
{
    // Brushed aluminium, anodised dark: streaks run along x, each row a little different.
    juce::Random random (0x6a1e);
    const int width = image.getWidth(), height = image.getHeight();
    juce::Image::BitmapData pixels (image, juce::Image::BitmapData::writeOnly);

    for (int y = 0; y < height; ++y)
    {
        const float rowShade = (random.nextFloat() - 0.5f) * 0.035f;
        float streak = 0.0f;

        for (int x = 0; x < width; ++x)
        {
            streak += ((random.nextFloat() - 0.5f) * 0.02f - streak * 0.04f);
            const float light = 0.06f * (1.0f - (float) y / (float) height);
            const float shade = rowShade + streak + light + (random.nextFloat() - 0.5f) * 0.012f;
            pixels.setPixelColour (x, y, Palette::plate.withMultipliedBrightness (1.0f + shade * 3.0f));
        }
    }
}

void Faceplate::paintTopBar (juce::Graphics& g) const
{
    const juce::Rectangle<float> bar (0.0f, 0.0f, (float) SkinLayout::panelWidth, (float) SkinLayout::topBarHeight);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff1f1f21), 0.0f, 0.0f, Palette::topBar, 0.0f, bar.getBottom(), false));
    g.fillRect (bar);

    // A polished trim between the bar and the plate.
    g.setColour (Palette::chromeLight.withAlpha (0.35f));
    g.fillRect (bar.withTop (bar.getBottom() - 1.0f));
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.fillRect (bar.withTop (bar.getBottom()).withHeight (1.0f));

    const auto& fonts = engraving.getFonts();
    const auto wordmark = fonts.bold (17.0f).withExtraKerningFactor (0.04f);
    const float wordmarkWidth = wordmark.getStringWidthFloat ("Halvenek");
    engraving.print (g, "Halvenek", { 10.0f, 2.0f, wordmarkWidth + 4.0f, 20.0f }, juce::Justification::centredLeft, wordmark, Palette::print);

    engraving.print (g, "STEREO CHORUS", { 16.0f + wordmarkWidth, 6.0f, 120.0f, 12.0f }, juce::Justification::centredLeft,
                     fonts.caption (8.5f), Palette::amber);

    // The window of the preset name display.
    const auto& display = SkinLayout::find ("PresetNameDisplay");
    const auto window = display.bounds.toFloat().expanded (2.0f);
    g.setColour (juce::Colours::white.withAlpha (0.12f));
    g.drawRoundedRectangle (window.expanded (0.5f).translated (0.0f, 0.5f), 2.0f, 1.0f);
    g.setColour (juce::Colours::black);
    g.fillRoundedRectangle (window, 2.0f);
    g.setColour (juce::Colour (SkinLayout::displayBackgroundArgb));
    g.fillRect (display.bounds);

    engraving.print (g, "PRESET", { 272.0f, 6.0f, 54.0f, 12.0f }, juce::Justification::centredRight,
                     fonts.caption (8.0f), Palette::printDim);
}

void Faceplate::paintSectionBoxes (juce::Graphics& g) const
{
    for (int path = 0; path < 2; ++path)
    {
        const auto box = SkinLayout::pathRowBox (path).toFloat();
        fillRecess (g, box, Palette::plateRecess.withAlpha (0.55f), 4.0f);

        // The LFO controls and the path controls of a row, apart.
        const float x = (float) SkinLayout::lfoPathDivider;
        g.setColour (juce::Colours::black.withAlpha (0.55f));
        g.drawVerticalLine ((int) x, box.getY() + 8.0f, box.getBottom() - 8.0f);
        g.setColour (juce::Colours::white.withAlpha (0.08f));
        g.drawVerticalLine ((int) x + 1, box.getY() + 8.0f, box.getBottom() - 8.0f);

        paintPathTab (g, path);
    }

    fillRecess (g, SkinLayout::mixerBox().toFloat(), Palette::plateRecess.withAlpha (0.55f), 4.0f);
}

void Faceplate::paintPathTab (juce::Graphics& g, int path) const
{
    const auto tab = SkinLayout::pathTab (path).toFloat().reduced (1.0f);
    juce::Path shape;
    shape.addRoundedRectangle (tab.getX(), tab.getY(), tab.getWidth(), tab.getHeight(), 3.5f, 3.5f, true, false, true, false);
    g.setColour (Palette::tab);
    g.fillPath (shape);
    g.setColour (Palette::amber.withAlpha (0.55f));
    g.fillRect (tab.withX (tab.getRight() - 1.5f).withWidth (1.5f).reduced (0.0f, 3.0f));

    const auto& fonts = engraving.getFonts();
    const float top = (float) SkinLayout::pathRowTop[path];
    engraving.print (g, "PATH", { tab.getX(), top + 4.0f, tab.getWidth() - 1.0f, 9.0f }, juce::Justification::centred,
                     fonts.caption (7.0f), Palette::printDim);
    engraving.print (g, juce::String (path + 1), { tab.getX(), top + 11.0f, tab.getWidth() - 1.0f, 17.0f },
                     juce::Justification::centred, fonts.bold (17.0f), Palette::print);
}

juce::Rectangle<float> Faceplate::captionAbove (const SkinLayout::Control& control) const
{
    const auto centre = control.centre();

    if (isPathRowControl (control))
        return { centre.x - 30.0f, (float) rowTopOf (control) + 5.0f, 60.0f, 11.0f };

    float reach = (float) control.bounds.getHeight() * 0.5f + 1.0f;

    if (control.look != Look::bbdButton)
    {
        // Clear the scale, and the mark at its top when it has one.
        const bool markOnTop = std::any_of (control.scale.begin(), control.scale.end(),
                                            [] (const SkinLayout::ScaleMark& mark) { return mark.position > 0.3f && mark.position < 0.7f; });
        reach = KnobArt::geometry (control.look).tickOuter + (markOnTop ? 11.0f : 1.5f);
    }

    return { centre.x - 30.0f, centre.y - reach - 11.0f, 60.0f, 11.0f };
}

void Faceplate::paintControlPrint (juce::Graphics& g, const SkinLayout::Control& control) const
{
    const auto& fonts = engraving.getFonts();

    switch (control.look)
    {
        case Look::smallKnob:
        case Look::outputKnob:
        {
            const auto geometry = KnobArt::geometry (control.look);
            engraving.printKnobScale (g, control.centre(), geometry.tickInner, geometry.tickOuter, control.scale, control.unit);
            engraving.printCaption (g, control.title, captionAbove (control));
            break;
        }

        case Look::rateKnob:
        case Look::bbdButton:
            engraving.printCaption (g, control.title, captionAbove (control));
            break;

        case Look::waveformKnob:
            paintWaveformSymbols (g, control);
            engraving.printCaption (g, control.title, captionAbove (control));
            break;

        case Look::tempoSyncSwitch:
            paintTempoSyncLabels (g, control);
            engraving.printCaption (g, control.title, captionAbove (control));
            break;

        case Look::lfoLed:
            engraving.print (g, control.title, control.bounds.toFloat().withY ((float) control.bounds.getBottom() + 1.0f).expanded (8.0f, 0.0f).withHeight (10.0f),
                             juce::Justification::centred, fonts.caption (7.5f), Palette::printDim);
            break;

        case Look::lockSwitch:
            engraving.print (g, control.title, control.bounds.toFloat().withY ((float) control.bounds.getY() - 10.0f).withX ((float) SkinLayout::pathTab (1).getX())
                                                    .withWidth ((float) SkinLayout::pathTab (1).getWidth() - 1.0f).withHeight (10.0f),
                             juce::Justification::centred, fonts.caption (7.5f), Palette::printDim);
            break;

        case Look::noteRateSwitch:
        case Look::optionsButton:
        case Look::previousButton:
        case Look::nextButton:
        case Look::browseButton:
        case Look::vuMeter:
        case Look::syncLed:
        case Look::presetDisplay:
            break;
    }
}

void Faceplate::paintWaveformSymbols (juce::Graphics& g, const SkinLayout::Control& control) const
{
    const auto centre = control.centre();

    for (int position = 0; position < control.frames; ++position)
    {
        const float angle = SkinLayout::knobAngle ((float) position / (float) (control.frames - 1));
        const juce::Point<float> dot (centre.x + 18.5f * std::sin (angle), centre.y - 18.5f * std::cos (angle));
        const juce::Point<float> symbol (centre.x + 27.0f * std::sin (angle), centre.y - 27.0f * std::cos (angle));

        g.setColour (Palette::print);
        g.fillEllipse (juce::Rectangle<float> (2.2f, 2.2f).withCentre (dot));

        const auto area = juce::Rectangle<float> (11.0f, 6.0f).withCentre (symbol);
        g.setColour (Palette::shadow.withAlpha (0.8f));
        Engraving::strokeWaveform (g, position, area.translated (0.0f, 1.0f), 1.1f);
        g.setColour (Palette::print);
        Engraving::strokeWaveform (g, position, area, 1.1f);
    }
}

void Faceplate::paintTempoSyncLabels (juce::Graphics& g, const SkinLayout::Control& control) const
{
    const auto font = engraving.getFonts().regular (Engraving::scaleTextHeight);
    const auto bounds = control.bounds.toFloat();

    // Labels alternate above and below the slot, so each has the room of two positions.
    for (int position = 0; position < control.frames; ++position)
    {
        const float x = bounds.getX() + SkinLayout::horizontalSwitchPositionX (position, control.frames, control.bounds.getWidth());
        const bool above = position % 2 == 0;
        const float y = above ? bounds.getY() - 10.0f : bounds.getBottom() + 0.5f;

        g.setColour (Palette::printDim);
        g.drawVerticalLine ((int) x, above ? bounds.getY() - 1.5f : bounds.getBottom() - 1.0f,
                            above ? bounds.getY() + 1.0f : bounds.getBottom() + 1.5f);
        engraving.print (g, SkinLayout::tempoSyncText (position), { x - 16.0f, y, 32.0f, 10.0f },
                         juce::Justification::centred, font, Palette::printDim.brighter (0.15f));
    }
}
