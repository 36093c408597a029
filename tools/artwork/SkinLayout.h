#pragma once

#include <juce_graphics/juce_graphics.h>

#include <vector>

/** Where everything sits on the 633 x 207 panel, and what each skin control is.

    One table feeds the faceplate's labels, the filmstrips and "skin.xml", so a label can
    never drift away from the control it names.
*/
namespace SkinLayout
{
    constexpr int panelWidth = 633;
    constexpr int panelHeight = 207;
    constexpr int topBarHeight = 24;

    constexpr int rowHeight = 86;
    constexpr int knobCentreBelowRowTop = 46;
    constexpr int pathRowTop[] = { 28, 118 };

    /** The row boxes of the two chorus paths and the mixer box. */
    juce::Rectangle<int> pathRowBox (int path);
    juce::Rectangle<int> pathTab (int path);
    juce::Rectangle<int> mixerBox();

    /** The x where the LFO controls of a row end and the path controls begin. */
    constexpr int lfoPathDivider = 226;

    /** How a control is drawn. */
    enum class Look
    {
        smallKnob,
        outputKnob,
        waveformKnob,
        rateKnob,
        tempoSyncSwitch,
        noteRateSwitch,
        lockSwitch,
        optionsButton,
        previousButton,
        nextButton,
        browseButton,
        bbdButton,
        vuMeter,
        lfoLed,
        syncLed,
        presetDisplay
    };

    /** A scale mark printed by a knob: where on its travel (0 to 1) and what it says. */
    struct ScaleMark
    {
        float position;
        juce::String text;
    };

    struct Control
    {
        juce::String element;
        juce::String name;
        Look look;
        int frames;
        juce::Rectangle<int> bounds;
        juce::String parameter;            // empty: not linked
        juce::String style;                // Switch and ToggleButton only
        juce::String clickAction, ctrlClickAction;
        juce::String title;                // printed above the control ("" for none)
        std::vector<ScaleMark> scale;      // knob scale labels
        juce::String unit;                 // printed under a knob, between its end labels
        float previewValue;                // normalised value the preview shows

        juce::String resourceName() const;
        /** The knob's axis; the rate knob sits high in its rectangle, level with the
            other knobs of its row. */
        juce::Point<float> centre() const;
    };

    /** The 33 controls of the product skin, in the order the skin lists them. */
    const std::vector<Control>& controls();

    const Control& find (const juce::String& name);

    /** Frame rule of the skin controls: the frame a normalised value selects. */
    int frameForValue (float value, int frames);

    /** Angle of a knob pointer in radians, clockwise from twelve o'clock, for a proportion
        of the knob's travel; the travel spans 270 degrees. */
    float knobAngle (float proportion);

    // JUCE insets a linear slider's track by the look-and-feel's thumb radius; the editor's
    // look (JUCE's V2 look) makes it min(7, half the slider's thickness) + 2, which is 9
    // pixels for every linear switch here. The marks sit where a click selects them.
    constexpr float linearSwitchIndent = 9.0f;

    /** The y of a vertical switch's position, in its own coordinates (position 0 at the
        bottom, as JUCE's vertical slider has it). */
    float verticalSwitchPositionY (int position, int frames, int height);

    /** The x of a horizontal switch's position, in its own coordinates. */
    float horizontalSwitchPositionX (int position, int frames, int width);

    /** The note value a note-rate frame stands for: frame 0 is the value 0, "16". */
    juce::String noteRateText (int frame);

    /** The names of the tempo-sync modes, by frame. */
    juce::String tempoSyncText (int frame);

    // The preset name display and its bitmap font.
    constexpr int fontGlyphWidth = 7;
    constexpr int fontHeight = 9;
    constexpr int fontFirstCharacter = 32;
    constexpr int fontGlyphCount = 96;
    constexpr juce::uint32 displayBackgroundArgb = 0xff170d04;
    constexpr juce::uint32 displayTextArgb = 0xffffb43c;
    constexpr juce::uint32 displayCaretArgb = 0xffffb43c;
}
