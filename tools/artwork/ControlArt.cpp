#include "ControlArt.h"

#include "ButtonArt.h"
#include "KnobArt.h"
#include "MeterArt.h"
#include "Palette.h"
#include "SwitchArt.h"

#include <cmath>

juce::Image ControlArt::renderFilmstrip (const SkinLayout::Control& control) const
{
    const auto bounds = control.bounds;
    juce::Image strip (juce::Image::ARGB, bounds.getWidth(), bounds.getHeight() * control.frames, true);
    juce::Graphics g (strip);

    for (int frame = 0; frame < control.frames; ++frame)
    {
        juce::Graphics::ScopedSaveState state (g);
        g.setOrigin ({ 0, frame * bounds.getHeight() });
        g.reduceClipRegion (0, 0, bounds.getWidth(), bounds.getHeight());
        g.drawImageAt (faceplate.getClippedImage (bounds), 0, 0);
        paintFrame (g, control, frame);
    }

    return strip;
}

void ControlArt::paintFrame (juce::Graphics& g, const SkinLayout::Control& control, int frame) const
{
    using SkinLayout::Look;

    const auto area = control.bounds.withZeroOrigin().toFloat();
    const auto centre = control.centre() - control.bounds.getPosition().toFloat();
    const float proportion = control.frames > 1 ? (float) frame / (float) (control.frames - 1) : 0.0f;

    switch (control.look)
    {
        case Look::smallKnob:
        case Look::outputKnob:
            KnobArt::drawRoundKnob (g, centre, KnobArt::geometry (control.look).skirtRadius, SkinLayout::knobAngle (proportion));
            break;

        case Look::waveformKnob:
            KnobArt::drawPointerKnob (g, centre, 16.5f, SkinLayout::knobAngle (proportion));
            break;

        case Look::rateKnob:
            paintRateKnob (g, control, SkinLayout::knobAngle (proportion));
            break;

        case Look::tempoSyncSwitch:
            SwitchArt::drawTempoSync (g, area, frame, control.frames);
            break;

        case Look::noteRateSwitch:
            SwitchArt::drawNoteRate (g, engraving, area, frame, control.frames);
            break;

        case Look::lockSwitch:
            SwitchArt::drawBatToggle (g, area, frame == 1);
            break;

        case Look::optionsButton:
        case Look::previousButton:
        case Look::nextButton:
        case Look::browseButton:
            ButtonArt::drawPushButton (g, engraving, control.look, area, frame == 1);
            break;

        case Look::bbdButton:
            // 0 off, 1 off and held, 2 on, 3 on and held.
            ButtonArt::drawLampButton (g, area, frame >= 2, frame % 2 == 1);
            break;

        case Look::vuMeter:
            MeterArt::drawVuMeter (g, engraving, area, proportion, control.title);
            break;

        case Look::lfoLed:
            MeterArt::drawLamp (g, area, std::sqrt (proportion), Palette::lampAmber, Palette::amberDark);
            break;

        case Look::syncLed:
            MeterArt::drawLamp (g, area, (float) frame, Palette::red, Palette::redDark);
            break;

        case Look::presetDisplay:
            break;
    }
}

void ControlArt::paintRateKnob (juce::Graphics& g, const SkinLayout::Control& control, float angle) const
{
    // The free-rate scale is printed in the knob's own frames: the note-rate switch on the
    // same spot replaces it while the LFO follows the tempo.
    const auto centre = control.centre() - control.bounds.getPosition().toFloat();
    const auto geometry = KnobArt::geometry (control.look);

    engraving.printKnobScale (g, centre, geometry.tickInner, geometry.tickOuter, control.scale, control.unit);
    KnobArt::drawRoundKnob (g, centre, geometry.skirtRadius, angle);
}
