#pragma once

#include "AudioThreadSafeAsyncUpdater.h"
#include "ListenerArray.h"

#include <juce_events/juce_events.h>

#include <atomic>
#include <memory>

/** A typed value that the host, the editor, presets and MIDI control can change.

    The value converts to and from a normalised value (0 to 1), a real value, an integer,
    a boolean and a text. A change with notification calls the immediate listeners at once
    on the changing thread (last registered first) and the deferred listeners later on the
    message thread; several changes before the message thread gets to it make one call.

    The immediate list is filled during initialisation only; the deferred list is used on
    the message thread only. Neither list is locked.
*/
class Parameter : public AudioThreadSafeAsyncUpdater
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void parameterChanged (Parameter&) = 0;
        virtual void parameterChangeGestureBegan (Parameter&) {}
        virtual void parameterChangeGestureEnded (Parameter&) {}
    };

    Parameter (int index, const juce::String& name, bool automatable = false);
    ~Parameter() override;

    void handleAsyncUpdate() override;

    /** A copy with index, name, automatable flag, range and value, and no listeners. */
    virtual std::unique_ptr<Parameter> clone() const = 0;

    virtual float getValue() const = 0;
    virtual float getNormalisedValue() const = 0;
    virtual int getIntValue() const = 0;
    virtual bool getBoolValue() const = 0;
    virtual juce::String getText() const = 0;

    virtual void setValue (float value, bool notify) = 0;
    virtual void setNormalisedValue (float value, bool notify) = 0;
    virtual void setIntValue (int value, bool notify) = 0;
    virtual void setBoolValue (bool value, bool notify) = 0;
    virtual void setText (const juce::String& text, bool notify) = 0;
    virtual void setFromParameter (const Parameter& other, bool notify) = 0;

    int getIndex() const noexcept                  { return index; }
    const juce::String& getName() const noexcept   { return name; }
    bool isAutomatable() const noexcept            { return automatable; }
    void setAutomatable (bool shouldBeAutomatable) { automatable = shouldBeAutomatable; }

    void addListener (Listener* listener)           { immediateListeners.add (listener); }
    void removeListener (Listener* listener)        { immediateListeners.remove (listener); }
    void addAsyncListener (Listener* listener)      { deferredListeners.add (listener); }
    void removeAsyncListener (Listener* listener)   { deferredListeners.remove (listener); }

    /** Calls the immediate listeners now and schedules the deferred ones. */
    void notifyListeners();

    /** Tells the immediate listeners that a user's edit starts or ends. */
    void beginChangeGesture();
    void endChangeGesture();

protected:
    /** Called by the setters after a new value has been stored. */
    void valueWasChanged (bool notify);

private:
    const int index;
    const juce::String name;
    bool automatable;
    ListenerArray<Listener> immediateListeners, deferredListeners;

    JUCE_DECLARE_NON_COPYABLE (Parameter)
};

//==============================================================================
class FloatParameter : public Parameter
{
public:
    FloatParameter (int index, const juce::String& name, float minimum = 0.0f, float maximum = 1.0f,
                    float initialValue = 0.0f, bool automatable = false);

    std::unique_ptr<Parameter> clone() const override;

    float getValue() const override;
    float getNormalisedValue() const override;
    int getIntValue() const override;
    bool getBoolValue() const override;
    juce::String getText() const override;

    void setValue (float value, bool notify) override;
    void setNormalisedValue (float value, bool notify) override;
    void setIntValue (int value, bool notify) override;
    void setBoolValue (bool value, bool notify) override;
    void setText (const juce::String& text, bool notify) override;
    void setFromParameter (const Parameter& other, bool notify) override;

    float getMinimum() const noexcept { return minimum; }
    float getMaximum() const noexcept { return maximum; }

private:
    void store (float newValue, bool notify);
    float clampToRange (float value) const;

    const float minimum, maximum;
    std::atomic<float> value;
};

//==============================================================================
class IntParameter : public Parameter
{
public:
    IntParameter (int index, const juce::String& name, int minimum = 0, int maximum = 1,
                  int initialValue = 0, bool automatable = false);

    std::unique_ptr<Parameter> clone() const override;

    float getValue() const override;
    float getNormalisedValue() const override;
    int getIntValue() const override;
    bool getBoolValue() const override;
    juce::String getText() const override;

    void setValue (float value, bool notify) override;
    void setNormalisedValue (float value, bool notify) override;
    void setIntValue (int value, bool notify) override;
    void setBoolValue (bool value, bool notify) override;
    void setText (const juce::String& text, bool notify) override;
    void setFromParameter (const Parameter& other, bool notify) override;

    int getMinimum() const noexcept { return minimum; }
    int getMaximum() const noexcept { return maximum; }

protected:
    /** Changes the range (used while a subclass is built) and clamps the value into it. */
    void setRange (int newMinimum, int newMaximum);
    void store (int newValue, bool notify);
    int clampToRange (long long value) const;

private:
    int minimum, maximum;
    std::atomic<int> value;
};

//==============================================================================
class BoolParameter : public Parameter
{
public:
    /** Text styles: 0 "true"/"false", 1 "on"/"off", 2 "1"/"0", 3 "yes"/"no"; others read as 0. */
    BoolParameter (int index, const juce::String& name, int textStyle = 0,
                   bool initialValue = false, bool automatable = false);

    std::unique_ptr<Parameter> clone() const override;

    float getValue() const override;
    float getNormalisedValue() const override;
    int getIntValue() const override;
    bool getBoolValue() const override;
    juce::String getText() const override;

    void setValue (float value, bool notify) override;
    void setNormalisedValue (float value, bool notify) override;
    void setIntValue (int value, bool notify) override;
    void setBoolValue (bool value, bool notify) override;
    void setText (const juce::String& text, bool notify) override;
    void setFromParameter (const Parameter& other, bool notify) override;

    int getTextStyle() const noexcept { return textStyle; }

private:
    const int textStyle;
    std::atomic<bool> value;
};

//==============================================================================
/** An integer parameter whose values name the items of a list. */
class EnumParameter : public IntParameter
{
public:
    /** Items are the pieces of the item list before each ";", plus a non-empty rest. */
    EnumParameter (int index, const juce::String& name, const juce::String& itemSpecification,
                   const juce::String& defaultText, bool automatable = false);

    std::unique_ptr<Parameter> clone() const override;

    juce::String getText() const override;
    void setText (const juce::String& text, bool notify) override;

    const juce::StringArray& getItems() const noexcept       { return items; }
    const juce::String& getItemSpecification() const noexcept { return specification; }

    static juce::StringArray parseItems (const juce::String& itemSpecification);

private:
    const juce::StringArray items;
    const juce::String specification;
};

//==============================================================================
/** A MIDI note number 0 to 127, shown as a three-character note name such as "C#4". */
class NoteParameter : public IntParameter
{
public:
    NoteParameter (int index, const juce::String& name, int initialNote = 0, bool automatable = false);

    std::unique_ptr<Parameter> clone() const override;

    juce::String getText() const override;
    void setText (const juce::String& text, bool notify) override;

    /** The note name of a note number; empty for notes outside 0 to 127. */
    static juce::String noteName (int noteNumber);

    /** The note number of a three-character note name, or -1 when the text is not one. */
    static int parseNoteName (const juce::String& text);
};

//==============================================================================
/** A text value, guarded by a reader-writer lock. */
class StringParameter : public Parameter
{
public:
    StringParameter (int index, const juce::String& name, const juce::String& initialText = {},
                     bool automatable = false);

    std::unique_ptr<Parameter> clone() const override;

    float getValue() const override;
    float getNormalisedValue() const override;
    int getIntValue() const override;
    bool getBoolValue() const override;
    juce::String getText() const override;

    void setValue (float value, bool notify) override;
    void setNormalisedValue (float value, bool notify) override;
    void setIntValue (int value, bool notify) override;
    void setBoolValue (bool value, bool notify) override;
    void setText (const juce::String& text, bool notify) override;
    void setFromParameter (const Parameter& other, bool notify) override;

private:
    juce::String text;
    juce::ReadWriteLock lock;
};
