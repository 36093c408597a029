#include "GFXSlider.h"

#include "PlaceholderDrawing.h"

GFXSlider::GFXSlider (const juce::String& name, double interval)
    : juce::Slider (name)
{
    setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    setRange (0.0, 1.0, interval);
    setValue (0.0, juce::dontSendNotification);
}

void GFXSlider::updateFromParameter (Parameter& changed)
{
    setValue (changed.getNormalisedValue(), juce::dontSendNotification);
}

void GFXSlider::configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                  EventsMap& events, BasePluginEditor* editor)
{
    BaseGFXController::configureFromXml (element, parameters, events, editor);
    setBounds (getFrameBounds());
    repaint();
}

int GFXSlider::getFrameToDraw() const
{
    if (! isEnabled())
        return 0;

    return frameForValue (getValueProportion(), getNumFrames());
}

void GFXSlider::paint (juce::Graphics& g)
{
    if (getImage().isValid())
        drawFrame (g, getFrameToDraw());
    else
        paintPlaceholder (g);
}

void GFXSlider::paintPlaceholder (juce::Graphics& g)
{
    preparePlaceholderFont (g);

    auto* bound = getParameter();
    const auto valueText = bound != nullptr ? bound->getText() : formatUnboundValue (getValue());
    const auto nameText = bound != nullptr ? bound->getName() : juce::String();

    PlaceholderDrawing::drawOutline (g, getLocalBounds(), PlaceholderDrawing::grey (0.7f));
    juce::Slider::paint (g);
    PlaceholderDrawing::drawTopAndBottomTexts (g, getLocalBounds(), valueText, nameText);
}
