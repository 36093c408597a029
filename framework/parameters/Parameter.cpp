#include "Parameter.h"
#include "NumberText.h"

#include <cmath>
#include <limits>

namespace
{
    float clampNormalised (float x)
    {
        if (std::isnan (x))
            return 0.0f;

        return juce::jlimit (0.0f, 1.0f, x);
    }

    bool sameFloat (float a, float b)
    {
        return a == b || std::isnan (a) || std::isnan (b);
    }
}

//==============================================================================
Parameter::Parameter (int parameterIndex, const juce::String& parameterName, bool isAutomatable)
    : index (parameterIndex), name (parameterName), automatable (isAutomatable)
{
}

Parameter::~Parameter()
{
    cancelPendingUpdate();
}

void Parameter::handleAsyncUpdate()
{
    deferredListeners.callLastToFirst ([this] (Listener& l) { l.parameterChanged (*this); });
}

void Parameter::notifyListeners()
{
    immediateListeners.callLastToFirst ([this] (Listener& l) { l.parameterChanged (*this); });
    triggerUpdateFromAnyThread();
}

void Parameter::beginChangeGesture()
{
    immediateListeners.callLastToFirst ([this] (Listener& l) { l.parameterChangeGestureBegan (*this); });
}

void Parameter::endChangeGesture()
{
    immediateListeners.callLastToFirst ([this] (Listener& l) { l.parameterChangeGestureEnded (*this); });
}

void Parameter::valueWasChanged (bool notify)
{
    if (notify)
        notifyListeners();
}

//==============================================================================
FloatParameter::FloatParameter (int idx, const juce::String& nm, float minValue, float maxValue,
                                float initialValue, bool isAutomatable)
    : Parameter (idx, nm, isAutomatable), minimum (minValue), maximum (maxValue),
      value (juce::jlimit (minValue, maxValue, std::isnan (initialValue) ? minValue : initialValue))
{
}

std::unique_ptr<Parameter> FloatParameter::clone() const
{
    return std::make_unique<FloatParameter> (getIndex(), getName(), minimum, maximum, getValue(), isAutomatable());
}

float FloatParameter::clampToRange (float x) const
{
    if (std::isnan (x))
        return x;

    return juce::jlimit (minimum, maximum, x);
}

void FloatParameter::store (float newValue, bool notify)
{
    if (sameFloat (value.load(), newValue))
        return;

    value.store (newValue);
    valueWasChanged (notify);
}

float FloatParameter::getValue() const             { return value.load(); }
float FloatParameter::getNormalisedValue() const
{
    // An empty range is never defined by a product; answer 0 rather than divide by zero.
    return maximum > minimum ? (value.load() - minimum) / (maximum - minimum) : 0.0f;
}
int FloatParameter::getIntValue() const
{
    // Truncated toward zero; a range wider than an int saturates instead of overflowing.
    return (int) juce::jlimit ((double) std::numeric_limits<int>::min(), (double) std::numeric_limits<int>::max(),
                               std::trunc ((double) value.load()));
}


bool FloatParameter::getBoolValue() const
{
    const float v = value.load();
    return v - minimum >= maximum - v;
}

juce::String FloatParameter::getText() const       { return NumberText::formatFixed (value.load(), 9); }

void FloatParameter::setValue (float x, bool notify)            { store (clampToRange (x), notify); }
void FloatParameter::setIntValue (int i, bool notify)           { store (clampToRange ((float) i), notify); }
void FloatParameter::setBoolValue (bool b, bool notify)         { store (b ? maximum : minimum, notify); }

void FloatParameter::setNormalisedValue (float x, bool notify)
{
    store (minimum + clampNormalised (x) * (maximum - minimum), notify);
}

void FloatParameter::setText (const juce::String& text, bool notify)
{
    store (clampToRange ((float) NumberText::parseNumber (text)), notify);
}

void FloatParameter::setFromParameter (const Parameter& other, bool notify)
{
    store (clampToRange (other.getValue()), notify);
}

//==============================================================================
IntParameter::IntParameter (int idx, const juce::String& nm, int minValue, int maxValue,
                            int initialValue, bool isAutomatable)
    : Parameter (idx, nm, isAutomatable), minimum (minValue), maximum (maxValue),
      value (juce::jlimit (minValue, juce::jmax (minValue, maxValue), initialValue))
{
}

std::unique_ptr<Parameter> IntParameter::clone() const
{
    return std::make_unique<IntParameter> (getIndex(), getName(), minimum, maximum, getIntValue(), isAutomatable());
}

void IntParameter::setRange (int newMinimum, int newMaximum)
{
    minimum = newMinimum;
    maximum = juce::jmax (newMinimum, newMaximum);
    value.store (clampToRange (value.load()));
}

int IntParameter::clampToRange (long long x) const
{
    return (int) juce::jlimit ((long long) minimum, (long long) maximum, x);
}

void IntParameter::store (int newValue, bool notify)
{
    if (value.load() == newValue)
        return;

    value.store (newValue);
    valueWasChanged (notify);
}

float IntParameter::getValue() const    { return (float) value.load(); }
int IntParameter::getIntValue() const   { return value.load(); }
bool IntParameter::getBoolValue() const { return value.load() != minimum; }

float IntParameter::getNormalisedValue() const
{
    return maximum > minimum ? (float) (value.load() - minimum) / (float) (maximum - minimum) : 0.0f;
}

juce::String IntParameter::getText() const { return juce::String (value.load()); }

void IntParameter::setValue (float x, bool notify)
{
    // Truncate toward zero; NaN counts as 0 and the range limits anything beyond it.
    const double truncated = std::isnan (x) ? 0.0 : std::trunc ((double) x);
    store (clampToRange ((long long) juce::jlimit (-9.0e18, 9.0e18, truncated)), notify);
}

void IntParameter::setNormalisedValue (float x, bool notify)
{
    const double steps = (double) maximum - (double) minimum;
    store (clampToRange ((long long) minimum + (long long) std::floor (steps * clampNormalised (x) + 0.5)), notify);
}

void IntParameter::setIntValue (int i, bool notify)             { store (clampToRange (i), notify); }
void IntParameter::setBoolValue (bool b, bool notify)           { store (b ? maximum : minimum, notify); }

void IntParameter::setText (const juce::String& text, bool notify)
{
    store (clampToRange (NumberText::parseLeadingInteger (text)), notify);
}

void IntParameter::setFromParameter (const Parameter& other, bool notify)
{
    store (clampToRange (other.getIntValue()), notify);
}

//==============================================================================
BoolParameter::BoolParameter (int idx, const juce::String& nm, int style, bool initialValue, bool isAutomatable)
    : Parameter (idx, nm, isAutomatable), textStyle (style), value (initialValue)
{
}

std::unique_ptr<Parameter> BoolParameter::clone() const
{
    return std::make_unique<BoolParameter> (getIndex(), getName(), textStyle, getBoolValue(), isAutomatable());
}

float BoolParameter::getValue() const             { return value.load() ? 1.0f : 0.0f; }
float BoolParameter::getNormalisedValue() const   { return getValue(); }
int BoolParameter::getIntValue() const            { return value.load() ? 1 : 0; }
bool BoolParameter::getBoolValue() const          { return value.load(); }

juce::String BoolParameter::getText() const
{
    const bool on = value.load();

    switch (textStyle)
    {
        case 1:  return on ? "on" : "off";
        case 2:  return on ? "1" : "0";
        case 3:  return on ? "yes" : "no";
        default: return on ? "true" : "false";
    }
}

void BoolParameter::setBoolValue (bool b, bool notify)
{
    if (value.load() == b)
        return;

    value.store (b);
    valueWasChanged (notify);
}

void BoolParameter::setValue (float x, bool notify)             { setBoolValue (x != 0.0f, notify); }
void BoolParameter::setNormalisedValue (float x, bool notify)   { setBoolValue (x >= 0.5f, notify); }
void BoolParameter::setIntValue (int i, bool notify)            { setBoolValue (i != 0, notify); }
void BoolParameter::setFromParameter (const Parameter& other, bool notify) { setBoolValue (other.getBoolValue(), notify); }

void BoolParameter::setText (const juce::String& text, bool notify)
{
    if (text == "true" || text == "1" || text == "on" || text == "yes")
        setBoolValue (true, notify);
    else if (text == "false" || text == "0" || text == "off" || text == "no")
        setBoolValue (false, notify);
    else
        setNormalisedValue ((float) NumberText::parseNumber (text), notify);
}

//==============================================================================
EnumParameter::EnumParameter (int idx, const juce::String& nm, const juce::String& itemSpecification,
                              const juce::String& defaultText, bool isAutomatable)
    : IntParameter (idx, nm, 0, 0, 0, isAutomatable),
      items (parseItems (itemSpecification)),
      specification (itemSpecification)
{
    setRange (0, items.size() - 1);
    setIntValue (0, false);
    setText (defaultText, true);
}

juce::StringArray EnumParameter::parseItems (const juce::String& itemSpecification)
{
    juce::StringArray result;
    auto rest = itemSpecification;

    for (int split = rest.indexOfChar (';'); split >= 0; split = rest.indexOfChar (';'))
    {
        result.add (rest.substring (0, split));
        rest = rest.substring (split + 1);
    }

    if (rest.isNotEmpty())
        result.add (rest);

    return result;
}

std::unique_ptr<Parameter> EnumParameter::clone() const
{
    auto copy = std::make_unique<EnumParameter> (getIndex(), getName(), specification, juce::String(), isAutomatable());
    copy->setIntValue (getIntValue(), false);
    return copy;
}

juce::String EnumParameter::getText() const
{
    const int i = getIntValue();
    return juce::isPositiveAndBelow (i, items.size()) ? items[i] : juce::String();
}

void EnumParameter::setText (const juce::String& text, bool notify)
{
    const int item = items.indexOf (text, false);

    if (item >= 0)
        setIntValue (item, notify);
    else
        setNormalisedValue ((float) NumberText::parseNumber (text), notify);
}

//==============================================================================
namespace
{
    // Semitone -> letter and accidental, C = 0.
    const char* const noteNames[] = { "C-", "C#", "D-", "D#", "E-", "F-", "F#", "G-", "G#", "A-", "A#", "B-" };
    const int letterSemitones[] = { 9, 11, 0, 2, 4, 5, 7 }; // A B C D E F G
}

NoteParameter::NoteParameter (int idx, const juce::String& nm, int initialNote, bool isAutomatable)
    : IntParameter (idx, nm, 0, 127, initialNote, isAutomatable)
{
}

std::unique_ptr<Parameter> NoteParameter::clone() const
{
    return std::make_unique<NoteParameter> (getIndex(), getName(), getIntValue(), isAutomatable());
}

juce::String NoteParameter::noteName (int noteNumber)
{
    if (! juce::isPositiveAndBelow (noteNumber, 128))
        return {};

    const int octave = noteNumber / 12;
    return juce::String (noteNames[noteNumber % 12]) + (octave == 10 ? juce::String ("X") : juce::String (octave));
}

int NoteParameter::parseNoteName (const juce::String& text)
{
    if (text.length() != 3)
        return -1;

    const auto letter = text[0], accidental = text[1], octaveChar = text[2];

    if (letter < 'A' || letter > 'G' || (accidental != '-' && accidental != '#'))
        return -1;

    int octave;

    if (octaveChar == 'X')
        octave = 10;
    else if (octaveChar >= '0' && octaveChar <= '9')
        octave = (int) (octaveChar - '0');
    else
        return -1;

    int semitone = letterSemitones[letter - 'A'];

    // There is no E# or B#: the sharp is accepted and ignored there.
    if (accidental == '#' && letter != 'E' && letter != 'B')
        ++semitone;

    return juce::jlimit (0, 127, semitone + 12 * octave);
}

juce::String NoteParameter::getText() const
{
    return noteName (getIntValue());
}

void NoteParameter::setText (const juce::String& text, bool notify)
{
    const int note = parseNoteName (text);

    if (note >= 0)
        setIntValue (note, notify);
    else
        setNormalisedValue ((float) NumberText::parseNumber (text), notify);
}

//==============================================================================
StringParameter::StringParameter (int idx, const juce::String& nm, const juce::String& initialText, bool isAutomatable)
    : Parameter (idx, nm, isAutomatable), text (initialText)
{
}

std::unique_ptr<Parameter> StringParameter::clone() const
{
    return std::make_unique<StringParameter> (getIndex(), getName(), getText(), isAutomatable());
}

juce::String StringParameter::getText() const
{
    const juce::ScopedReadLock sl (lock);
    return text;
}

float StringParameter::getValue() const           { return (float) NumberText::parseNumber (getText()); }
float StringParameter::getNormalisedValue() const { return clampNormalised (getValue()); }

int StringParameter::getIntValue() const
{
    return (int) juce::jlimit ((long long) std::numeric_limits<int>::min(), (long long) std::numeric_limits<int>::max(),
                               NumberText::parseLeadingInteger (getText()));
}

bool StringParameter::getBoolValue() const
{
    // Consistent with setBoolValue, which writes "true" and "false".
    const auto t = getText();
    return t == "true" || NumberText::parseNumber (t) != 0.0;
}

void StringParameter::setText (const juce::String& newText, bool notify)
{
    {
        const juce::ScopedWriteLock sl (lock);

        if (text == newText)
            return;

        text = newText;
    }

    // Listeners are called after the lock is released: they take the processor lock,
    // which the audio thread may hold while it sets this text (a silent preset change).
    valueWasChanged (notify);
}

void StringParameter::setValue (float x, bool notify)            { setText (NumberText::formatG9 (x), notify); }
void StringParameter::setNormalisedValue (float x, bool notify)  { setText (NumberText::formatG9 (x), notify); }
void StringParameter::setIntValue (int i, bool notify)           { setText (juce::String (i), notify); }
void StringParameter::setBoolValue (bool b, bool notify)         { setText (b ? "true" : "false", notify); }
void StringParameter::setFromParameter (const Parameter& other, bool notify) { setText (other.getText(), notify); }
