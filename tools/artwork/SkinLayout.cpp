#include "SkinLayout.h"

#include <cmath>

namespace SkinLayout
{
    namespace
    {
        constexpr int rateLeft = 32;
        constexpr int rateWidth = 54;
        constexpr int rateAreaBelowRowTop = 13;
        constexpr int rateAreaHeight = 72;
        constexpr int tempoSyncLeft = 91;
        constexpr int tempoSyncWidth = 62;
        constexpr int tempoSyncHeight = 16;
        constexpr int waveformCentreX = 191;
        constexpr int firstPathKnobCentreX = 250;
        constexpr int pathKnobSpacing = 46;

        constexpr int smallKnobSize = 36;
        constexpr int outputKnobSize = 40;

        // The mixer box holds two columns: the input stage and the mix on the left
        // (BBD, hi-pass, FX from top to bottom), the meters and the output on the right.
        constexpr int mixerLeftCentreX = 503;
        constexpr int mixerRightCentreX = 586;
        constexpr int bbdCentreY = 55;
        constexpr int hiPassCentreY = 111;
        constexpr int fxCentreY = 172;
        constexpr int outputCentreY = 174;

        juce::Rectangle<int> centredOn (int centreX, int centreY, int width, int height)
        {
            return { centreX - width / 2, centreY - height / 2, width, height };
        }

        juce::String pathNumber (int path)   { return juce::String (path + 1); }

        // The output knob's marks sit at the decibel values of the gain 4 x value^2.
        float outputPosition (float decibels)
        {
            return std::sqrt (std::pow (10.0f, decibels / 20.0f) / 4.0f);
        }

        // Where a free rate in hertz falls on the rate knob (the inverse of the rate curve).
        float ratePosition (float hertz)
        {
            return std::log ((hertz + 0.00263019462995602f) / 0.01263019463426548f) / 7.367528706904771f;
        }

        Control knob (juce::String name, juce::String parameter, juce::Point<int> centre, Look look,
                      juce::String title, std::vector<ScaleMark> scale, juce::String unit, float preview)
        {
            const int size = look == Look::outputKnob ? outputKnobSize : smallKnobSize;
            const int frames = look == Look::waveformKnob ? 6 : 61;

            return { "Knob", std::move (name), look, frames, centredOn (centre.x, centre.y, size, size),
                     std::move (parameter), {}, {}, {}, std::move (title), std::move (scale), std::move (unit), preview };
        }

        void addPath (std::vector<Control>& list, int path)
        {
            const auto lfo = "LFO" + pathNumber (path);
            const auto lfoParam = "LFO " + pathNumber (path) + " ";
            const int top = pathRowTop[path];
            const int centreY = top + knobCentreBelowRowTop;

            auto pathKnobCentre = [&] (int column) { return juce::Point<int> (firstPathKnobCentreX + column * pathKnobSpacing, centreY); };

            list.push_back (knob (lfo + "DepthKnob", lfoParam + "Depth", pathKnobCentre (0), Look::smallKnob,
                                  "DEPTH", { { 0.0f, "0" }, { 1.0f, "15" } }, "ms", 0.5f));
            list.push_back (knob (lfo + "OffsetKnob", lfoParam + "Offset", pathKnobCentre (1), Look::smallKnob,
                                  "OFFSET", { { 0.0f, "0" }, { 1.0f, "15" } }, "ms", 0.5f));
            list.push_back (knob (lfo + "StereoPhaseKnob", lfoParam + "Stereo Phase", pathKnobCentre (2), Look::smallKnob,
                                  "PHASE", { { 0.0f, juce::String::fromUTF8 ("0\xc2\xb0") }, { 1.0f, juce::String::fromUTF8 ("180\xc2\xb0") } }, {}, 0.5f));
            list.push_back (knob (lfo + "TremoloKnob", lfoParam + "Tremolo", pathKnobCentre (3), Look::smallKnob,
                                  "TREMOLO", { { 0.0f, "0" }, { 1.0f, "100" } }, "%", 0.5f));
            list.push_back (knob ("Path" + pathNumber (path) + "VolumeKnob", "Path " + pathNumber (path) + " Volume",
                                  pathKnobCentre (4), Look::smallKnob,
                                  "VOLUME", { { 0.0f, "0" }, { 1.0f, "100" } }, "%", 0.5f));
            list.push_back (knob (lfo + "WaveformKnob", lfoParam + "Waveform", { waveformCentreX, centreY }, Look::waveformKnob,
                                  "WAVE", {}, {}, 0.4f));

            list.push_back ({ "Switch", lfo + "TempoSyncSwitch", Look::tempoSyncSwitch, 4,
                              { tempoSyncLeft, centreY - tempoSyncHeight / 2, tempoSyncWidth, tempoSyncHeight },
                              lfoParam + "Sync", "Horizontal", {}, {}, "SYNC", {}, {}, path == 0 ? 0.0f : 0.34f });

            // The rate knob and the note-rate switch share one rectangle; the editor shows
            // one of them, so each carries its own marks in its frames under the one title.
            const juce::Rectangle<int> rateArea (rateLeft, top + rateAreaBelowRowTop, rateWidth, rateAreaHeight);

            list.push_back ({ "Knob", lfo + "RateSlider", Look::rateKnob, 61, rateArea, lfoParam + "Rate", {}, {}, {},
                              "RATE", { { 0.0f, ".01" }, { ratePosition (1.0f), "1" }, { 1.0f, "20" } }, "Hz", 0.5f });
            list.push_back ({ "Switch", lfo + "RateSwitch", Look::noteRateSwitch, 10, rateArea, lfoParam + "Note Rate",
                              "Vertical", {}, {}, {}, {}, {}, 0.45f });
        }

        std::vector<Control> buildControls()
        {
            std::vector<Control> list;

            auto button = [&] (juce::String name, Look look, juce::Rectangle<int> bounds, juce::String click, juce::String ctrlClick)
            {
                list.push_back ({ "Button", std::move (name), look, 2, bounds, {}, {}, std::move (click), std::move (ctrlClick),
                                  {}, {}, {}, 0.0f });
            };

            button ("OptionsButton", Look::optionsButton, { 573, 4, 52, 16 }, "Options", "About");
            button ("PrevPresetButton", Look::previousButton, { 330, 4, 18, 16 }, "Select previous preset", "Copy current preset");
            button ("NextPresetButton", Look::nextButton, { 507, 4, 18, 16 }, "Select next preset", "Paste copied preset");
            button ("BrowsePresetButton", Look::browseButton, { 528, 4, 18, 16 }, "Browse presets", "Store current preset");

            list.push_back ({ "Display", "PresetNameDisplay", Look::presetDisplay, 1, { 351, 5, 153, 14 },
                              "Current Preset Name", {}, {}, {}, {}, {}, {}, 0.0f });

            list.push_back ({ "Animation", "LeftVUMeter", Look::vuMeter, 12, { 547, 32, 78, 48 }, {}, {}, {}, {}, "L", {}, {}, 0.6f });
            list.push_back ({ "Animation", "RightVUMeter", Look::vuMeter, 12, { 547, 82, 78, 48 }, {}, {}, {}, {}, "R", {}, {}, 0.7f });

            list.push_back (knob ("OutputVolumeKnob", "Output Volume", { mixerRightCentreX, outputCentreY }, Look::outputKnob,
                                  "OUTPUT",
                                  { { 0.0f, "-inf" }, { outputPosition (-12.0f), "-12" }, { 0.5f, "0" },
                                    { outputPosition (6.0f), "+6" }, { 1.0f, "+12" } },
                                  "dB", 0.5f));

            addPath (list, 0);
            addPath (list, 1);

            const auto& tab2 = pathTab (1);
            list.push_back ({ "Switch", "LFO2SynchronizeSwitch", Look::lockSwitch, 2,
                              { tab2.getX() + 2, pathRowTop[1] + 61, 14, 24 }, "LFO 2 Synchronize", "Vertical",
                              {}, {}, "LOCK", {}, {}, 1.0f });

            list.push_back (knob ("HiPassKnob", "Hi Pass Frequency", { mixerLeftCentreX, hiPassCentreY }, Look::smallKnob,
                                  "HI PASS", { { 0.0f, "0" }, { 0.5f, "400" }, { 1.0f, "800" } }, "Hz", 0.25f));
            list.push_back (knob ("FXKnob", "FX", { mixerLeftCentreX, fxCentreY }, Look::smallKnob,
                                  "FX", { { 0.0f, "DRY" }, { 1.0f, "WET" } }, {}, 0.5f));

            list.push_back ({ "ToggleButton", "BBDSwitch", Look::bbdButton, 4, centredOn (mixerLeftCentreX, bbdCentreY, 30, 20),
                              "BBD", "3D", {}, {}, "BBD", {}, {}, 1.0f });

            for (int path = 0; path < 2; ++path)
            {
                const auto& tab = pathTab (path);
                list.push_back ({ "Animation", "LFO" + pathNumber (path) + "ValueLed", Look::lfoLed, 20,
                                  { tab.getCentreX() - 6, pathRowTop[path] + 27, 12, 12 }, {}, {}, {}, {},
                                  "LFO", {}, {}, path == 0 ? 0.8f : 0.3f });
            }

            list.push_back ({ "Animation", "LFO2SyncStateLed", Look::syncLed, 2,
                              { tab2.getX() + 16, pathRowTop[1] + 69, 8, 8 }, "LFO 2 Synchronize", {}, {}, {},
                              {}, {}, {}, 1.0f });
            return list;
        }
    }

    juce::Rectangle<int> pathRowBox (int path)  { return { 4, pathRowTop[path], 454, rowHeight }; }
    juce::Rectangle<int> pathTab (int path)     { return pathRowBox (path).withWidth (26); }
    juce::Rectangle<int> mixerBox()             { return { 462, pathRowTop[0], 167, pathRowTop[1] + rowHeight - pathRowTop[0] }; }

    juce::String Control::resourceName() const
    {
        return look == Look::presetDisplay ? juce::String ("DisplayFont.png") : name + ".png";
    }

    juce::Point<float> Control::centre() const
    {
        if (look == Look::rateKnob)
            return { bounds.toFloat().getCentreX(), (float) (bounds.getY() - rateAreaBelowRowTop + knobCentreBelowRowTop) };

        return bounds.toFloat().getCentre();
    }

    const std::vector<Control>& controls()
    {
        static const auto list = buildControls();
        return list;
    }

    const Control& find (const juce::String& name)
    {
        for (auto& control : controls())
            if (control.name == name)
                return control;

        jassertfalse;
        return controls().front();
    }

    int frameForValue (float value, int frames)
    {
        return (int) std::floor ((float) (frames - 1) * juce::jlimit (0.0f, 1.0f, value) + 0.5f);
    }

    float knobAngle (float proportion)
    {
        return juce::degreesToRadians (-135.0f + 270.0f * proportion);
    }

    float verticalSwitchPositionY (int position, int frames, int height)
    {
        const float span = (float) height - 2.0f * linearSwitchIndent;
        return linearSwitchIndent + span * (1.0f - (float) position / (float) (frames - 1));
    }

    float horizontalSwitchPositionX (int position, int frames, int width)
    {
        const float span = (float) width - 2.0f * linearSwitchIndent;
        return linearSwitchIndent + span * (float) position / (float) (frames - 1);
    }

    juce::String noteRateText (int frame)
    {
        static const char* const texts[] = { "16", "8", "4", "2", "1", "1/2", "1/4", "1/8", "1/16", "1/32" };
        return texts[juce::jlimit (0, 9, frame)];
    }

    juce::String tempoSyncText (int frame)
    {
        static const char* const texts[] = { "Off", "Full", "Dotted", "Triplet" };
        return texts[juce::jlimit (0, 3, frame)];
    }
}
