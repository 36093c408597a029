#include "PatternNumberDisplay.h"

#include "SkinReading.h"

namespace
{
    // Semitones of an octave as note letters (C D E F G A B = 0 to 6) and sharps.
    constexpr int noteLetters[12] = { 0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6 };
    constexpr bool noteIsSharp[12] = { false, true, false, true, false, false, true, false, true, false, true, false };

    int slotNumber (int value, const PatternNumberDisplay::Pattern& pattern)
    {
        return (value - 1) % pattern.slotMax + 1;
    }

    using Digit = PatternNumberDisplay::PatternNumberDisplayDigit;
}

int PatternNumberDisplay::PatternNumberDisplayFirstDigit::frameFor (int value, const Pattern& pattern) const
{
    switch (pattern.mode)
    {
        case notePattern:         return firstLetterFrame;
        case bankAndSlotPattern:  return (value - 1) / pattern.slotMax + 2;
        case numericPattern:      break;
    }

    return blankFrame;
}

int PatternNumberDisplay::PatternNumberDisplaySecondDigit::frameFor (int value, const Pattern& pattern) const
{
    switch (pattern.mode)
    {
        case notePattern:         return firstLetterFrame + noteLetters[value % 12];
        case numericPattern:      return digitFrame ((value / 10) % 10);
        case bankAndSlotPattern:  return dashFrame;
    }

    return blankFrame;
}

int PatternNumberDisplay::PatternNumberDisplayThirdDigit::frameFor (int value, const Pattern& pattern) const
{
    switch (pattern.mode)
    {
        case notePattern:         return noteIsSharp[value % 12] ? firstLetterFrame : firstLetterFrame + 1;
        case numericPattern:      return digitFrame (value % 10);
        case bankAndSlotPattern:  return digitFrame ((slotNumber (value, pattern) / 10) % 10);
    }

    return blankFrame;
}

int PatternNumberDisplay::PatternNumberDisplayFourthDigit::frameFor (int value, const Pattern& pattern) const
{
    switch (pattern.mode)
    {
        case notePattern:         return digitFrame (value / 12);
        case bankAndSlotPattern:  return digitFrame (slotNumber (value, pattern) % 10);
        case numericPattern:      break;
    }

    return blankFrame;
}

PatternNumberDisplay::PatternNumberDisplay (const juce::String& name)
    : juce::Component (name)
{
    cells[0] = std::make_unique<PatternNumberDisplayFirstDigit> ("firstDigit");
    cells[1] = std::make_unique<PatternNumberDisplaySecondDigit> ("secondDigit");
    cells[2] = std::make_unique<PatternNumberDisplayThirdDigit> ("thirdDigit");
    cells[3] = std::make_unique<PatternNumberDisplayFourthDigit> ("fourthDigit");

    for (auto& cell : cells)
        addAndMakeVisible (*cell);
}

void PatternNumberDisplay::configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                             EventsMap& events, BasePluginEditor* editor)
{
    GUIController::configureFromXml (element, parameters, events, editor);

    ranges[notePattern] = { SkinReading::getInt (element, "notePatternMin"), SkinReading::getInt (element, "notePatternMax") };
    ranges[numericPattern] = { SkinReading::getInt (element, "numericPatternMin"), SkinReading::getInt (element, "numericPatternMax") };
    ranges[bankAndSlotPattern] = { SkinReading::getInt (element, "bankAndSlotPatternMin"), SkinReading::getInt (element, "bankAndSlotPatternMax") };
    pattern.slotMax = juce::jmax (1, SkinReading::getInt (element, "slotMax", 12));

    if (auto* pos = SkinReading::getChild (element, "pos"))
        setTopLeftPosition (SkinReading::getInt (*pos, "left"), SkinReading::getInt (*pos, "top"));

    if (auto* size = SkinReading::getChild (element, "size"))
        setSize (SkinReading::getInt (*size, "width"), SkinReading::getInt (*size, "height"));

    // Each cell reads its picture from its own element and sits right of the one before.
    const char* const cellElements[] = { "firstDigit", "secondDigit", "thirdDigit", "fourthDigit" };
    int x = 0;

    for (size_t i = 0; i < cells.size(); ++i)
    {
        auto& cell = *cells[i];

        if (auto* cellElement = SkinReading::getChild (element, cellElements[i]))
            cell.configureFromXml (*cellElement, parameters, events, editor);

        cell.setTopLeftPosition (x, 0);
        x += cell.getWidth();
    }

    shownValue = std::numeric_limits<int>::min();
    showValue (requestedValue);
}

void PatternNumberDisplay::updateFromParameter (Parameter& changed)
{
    showValue (changed.getIntValue());
}

void PatternNumberDisplay::setPatternMode (Mode newMode)
{
    pattern.mode = newMode;
    shownValue = std::numeric_limits<int>::min();
    showValue (requestedValue);
}

void PatternNumberDisplay::showValue (int value)
{
    requestedValue = value;
    const int clamped = currentRange().clamp (value);

    if (clamped == shownValue)
        return;

    shownValue = clamped;
    updateCells();
}

void PatternNumberDisplay::enablementChanged()
{
    updateCells();
}

void PatternNumberDisplay::updateCells()
{
    // Negative values have no pattern; they show as 0 (and slot 1 of the first bank).
    const int value = juce::jmax (pattern.mode == bankAndSlotPattern ? 1 : 0, shownValue);

    for (auto& cell : cells)
        cell->setFrame (isEnabled() ? cell->frameFor (value, pattern) : Digit::blankFrame);
}
