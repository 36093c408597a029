#pragma once

#include "GFXAnimation.h"

#include <array>
#include <limits>
#include <memory>

/** The skin's `PatternNumberDisplay`: four digit cells that show an integer parameter as a
    note name, as a two-digit number, or as a bank and slot.

    A digit picture holds a blank frame 0, the digits 0 to 9 in frames 1 to 10, then the
    note letters C to B in frames 11 to 17 and a dash in frame 18; the third cell's picture
    holds the sharp sign in frame 11 and the natural sign in frame 12. */
class PatternNumberDisplay : public GUIController,
                             public juce::Component
{
public:
    enum Mode
    {
        notePattern = 0,
        numericPattern = 1,
        bankAndSlotPattern = 2
    };

    struct Range
    {
        int minimum = 0, maximum = 0;
        int clamp (int value) const { return juce::jlimit (minimum, juce::jmax (minimum, maximum), value); }
    };

    /** What the cells have in common: the settings they read to choose a frame. */
    struct Pattern
    {
        Mode mode = notePattern;
        int slotMax = 12;
    };

    /** One cell; each position knows which frame it shows for a value in each mode. */
    class PatternNumberDisplayDigit : public GFXAnimation
    {
    public:
        using GFXAnimation::GFXAnimation;
        virtual int frameFor (int value, const Pattern& pattern) const = 0;

        static constexpr int blankFrame = 0;
        static constexpr int firstLetterFrame = 11;
        static constexpr int dashFrame = 18;
        static int digitFrame (int digit) { return digit + 1; }
    };

    class PatternNumberDisplayFirstDigit : public PatternNumberDisplayDigit
    {
    public:
        using PatternNumberDisplayDigit::PatternNumberDisplayDigit;
        int frameFor (int value, const Pattern& pattern) const override;
    };

    class PatternNumberDisplaySecondDigit : public PatternNumberDisplayDigit
    {
    public:
        using PatternNumberDisplayDigit::PatternNumberDisplayDigit;
        int frameFor (int value, const Pattern& pattern) const override;
    };

    class PatternNumberDisplayThirdDigit : public PatternNumberDisplayDigit
    {
    public:
        using PatternNumberDisplayDigit::PatternNumberDisplayDigit;
        int frameFor (int value, const Pattern& pattern) const override;
    };

    class PatternNumberDisplayFourthDigit : public PatternNumberDisplayDigit
    {
    public:
        using PatternNumberDisplayDigit::PatternNumberDisplayDigit;
        int frameFor (int value, const Pattern& pattern) const override;
    };

    explicit PatternNumberDisplay (const juce::String& name);

    void updateFromParameter (Parameter&) override;
    void configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                           EventsMap& events, BasePluginEditor* editor) override;
    void enablementChanged() override;

    /** Switches the pattern and shows the last value in it. */
    void setPatternMode (Mode newMode);
    Mode getPatternMode() const noexcept        { return pattern.mode; }

    /** Shows a value, clamped to the current mode's range. */
    void showValue (int value);
    int getShownValue() const noexcept          { return shownValue; }

    PatternNumberDisplayDigit& getCell (int index) const { return *cells[(size_t) index]; }

private:
    const Range& currentRange() const           { return ranges[(size_t) pattern.mode]; }
    void updateCells();

    Pattern pattern;
    std::array<Range, 3> ranges;
    int requestedValue = 0;
    int shownValue = std::numeric_limits<int>::min();
    std::array<std::unique_ptr<PatternNumberDisplayDigit>, 4> cells;
};
