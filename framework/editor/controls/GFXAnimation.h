#pragma once

#include "BaseGFXController.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The skin's `Animation`: shows the frame of its filmstrip that a value selects (meters,
    LEDs). It follows its parameter when bound, or is set directly by the editor. */
class GFXAnimation : public BaseGFXController,
                     public juce::Component,
                     private juce::Timer
{
public:
    explicit GFXAnimation (const juce::String& name);

    void updateFromParameter (Parameter&) override;
    void configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                           EventsMap& events, BasePluginEditor* editor) override;
    void frameSizeChanged() override;
    void positionChanged() override;
    void blinkStateChanged() override   { repaint(); }

    /** Shows the frame of a normalised value; repaints only when the frame changes. */
    void setFromNormalisedValue (float value);

    /** Shows a frame directly; repaints only when it changes. */
    void setFrame (int frame);

    /** Shows a frame, then returns to the rest frame (0) after the given time. */
    void flash (int frame, int milliseconds);

    int getCurrentFrame() const noexcept { return currentFrame; }

    /** The frame paint draws: 0 while blinking, otherwise the current frame. */
    int getFrameToDraw() const           { return isBlinking() ? 0 : currentFrame; }

    void paint (juce::Graphics&) override;

private:
    void timerCallback() override;

    int currentFrame = 0;
    int restFrame = 0;
};
