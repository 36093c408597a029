#include "GFXSwitch.h"

#include "SkinReading.h"
#include "../../parameters/NumberText.h"

GFXSwitch::GFXSwitch (const juce::String& name)
    : GFXSlider (name, 0.005)
{
    setSliderStyle (juce::Slider::RotaryVerticalDrag);
}

void GFXSwitch::configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                  EventsMap& events, BasePluginEditor* editor)
{
    GFXSlider::configureFromXml (element, parameters, events, editor);

    const auto styleText = SkinReading::getText (element, "style");

    if (styleText.equalsIgnoreCase ("Rotary"))
        setStyle (rotary);
    else if (styleText.equalsIgnoreCase ("Horizontal"))
        setStyle (horizontal);
    else if (styleText.equalsIgnoreCase ("Vertical"))
        setStyle (vertical);
}

void GFXSwitch::setStyle (Style newStyle)
{
    style = newStyle;

    switch (style)
    {
        case vertical:   setSliderStyle (juce::Slider::LinearVertical); break;
        case horizontal: setSliderStyle (juce::Slider::LinearHorizontal); break;
        case rotary:     setSliderStyle (juce::Slider::RotaryVerticalDrag); break;
    }
}

double GFXSwitch::getValueProportion() const
{
    return (getValue() - getMinimum()) / (getMaximum() - getMinimum());
}

juce::String GFXSwitch::formatUnboundValue (double value) const
{
    return NumberText::formatG9 (value);
}
