#pragma once

#include "BaseGFXController.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** What the knob and the switch share: a JUCE slider from 0 to 1 whose value selects the
    frame of the filmstrip, with the slider's drags reported as gestures on the parameter
    and every user change written to it. Mouse and wheel handling are the slider's own. */
class GFXSlider : public BaseGFXController,
                  public juce::Slider
{
public:
    // Controller listeners and the JUCE base's own listeners share the name.
    using GUIController::addListener;
    using juce::Slider::addListener;

    void updateFromParameter (Parameter&) override;

    void configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                           EventsMap& events, BasePluginEditor* editor) override;

    /** The frame that paint draws: 0 while disabled, otherwise the value's frame. */
    int getFrameToDraw() const;

    void paint (juce::Graphics&) override;
    void startedDragging() override    { notifyGestureStarted(); }
    void stoppedDragging() override    { notifyGestureEnded(); }
    void valueChanged() override       { setParameterFromUser ((float) getValue()); }

protected:
    GFXSlider (const juce::String& name, double interval);

    /** The slider's position as a proportion of its range; the knob and the switch
        compute it in different precisions. */
    virtual double getValueProportion() const = 0;

    /** The placeholder's value text when no parameter is bound. */
    virtual juce::String formatUnboundValue (double value) const = 0;

    /** The font the placeholder sets, if any. */
    virtual void preparePlaceholderFont (juce::Graphics&) const {}

private:
    void paintPlaceholder (juce::Graphics&);
};
