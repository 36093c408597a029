#pragma once

#include "BaseGFXController.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The skin's `MultiStateButton`: shows one of several states of its parameter and raises
    events on click and Ctrl-click; a click does not change the state. A 2D picture holds
    one frame per state, a 3D picture two (released, pressed). */
class GFXMultiStateButton : public BaseGFXController,
                            public juce::Button,
                            private juce::Timer
{
public:
    // Controller listeners and the JUCE base's own listeners share the name.
    using GUIController::addListener;
    using juce::Button::addListener;

    explicit GFXMultiStateButton (const juce::String& name);

    void setAction (const juce::String& type, int eventNumber, const juce::String& eventName) override;
    void updateFromParameter (Parameter&) override;
    void configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                           EventsMap& events, BasePluginEditor* editor) override;
    void frameSizeChanged() override;
    void positionChanged() override;
    void blinkStateChanged() override   { repaint(); }

    int getState() const noexcept       { return state; }
    int getNumStates() const noexcept   { return numStates; }
    bool is3D() const noexcept          { return style3D; }

    /** Shows a state directly (the editor's MIDI learn button); repaints on change. */
    void setState (int newState);

    /** Shows a state for a while, then falls back to state 0. */
    void showStateFor (int newState, int milliseconds);

    /** An inverted button shows the last state's frame for state 0 and frame 0 otherwise. */
    void setInverted (bool shouldBeInverted);

    int getFrameToDraw (bool isOver, bool isDown) const;

protected:
    using juce::Button::clicked;
    void clicked (const juce::ModifierKeys&) override;
    void paintButton (juce::Graphics&, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

private:
    /** Falls back to the rest state once a temporarily shown state has run out. */
    void timerCallback() override;

    int framesForStyle() const          { return style3D ? numStates * 2 : numStates; }

    int state = 0;
    int numStates = 2;
    int clickEvent = -1, ctrlClickEvent = -1;
    bool style3D = false;
    bool inverted = false;
};
