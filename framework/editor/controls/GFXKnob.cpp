#include "GFXKnob.h"

#include "../../parameters/NumberText.h"

GFXKnob::GFXKnob (const juce::String& name)
    : GFXSlider (name, 0.0)
{
    setSliderStyle (juce::Slider::RotaryVerticalDrag);
}

double GFXKnob::getValueProportion() const
{
    const auto minimum = (float) getMinimum();
    return ((float) getValue() - minimum) / ((float) getMaximum() - minimum);
}

juce::String GFXKnob::formatUnboundValue (double value) const
{
    return NumberText::formatFixed (value, 6);
}

void GFXKnob::preparePlaceholderFont (juce::Graphics& g) const
{
    g.setFont (juce::Font (13.0f, juce::Font::plain));
}
