#pragma once

#include "GFXSlider.h"

/** The skin's `Switch`: a stepped control (201 positions) that is turned like a knob or
    slid along a horizontal or vertical track, by its `style`. */
class GFXSwitch : public GFXSlider
{
public:
    enum Style
    {
        vertical = 0,
        horizontal = 1,
        rotary = 2
    };

    explicit GFXSwitch (const juce::String& name);

    void configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                           EventsMap& events, BasePluginEditor* editor) override;

    Style getStyle() const noexcept { return style; }
    void setStyle (Style newStyle);

protected:
    double getValueProportion() const override;
    juce::String formatUnboundValue (double value) const override;

private:
    Style style = rotary;
};
