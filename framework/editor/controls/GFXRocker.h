#pragma once

#include "BaseGFXController.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The skin's `Rocker`: a two-sided switch that raises the "less" or the "more" event
    (or their Ctrl variants) when one of its halves is pressed, once per press. Its picture
    has three frames: less pressed, rest, more pressed. */
class GFXRocker : public BaseGFXController,
                  public juce::Component
{
public:
    enum Type
    {
        vertical = 0,
        horizontal = 1
    };

    enum Side
    {
        lessSide = 0,
        restSide = 1,
        moreSide = 2
    };

    explicit GFXRocker (const juce::String& name);

    void setAction (const juce::String& type, int eventNumber, const juce::String& eventName) override;
    void configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                           EventsMap& events, BasePluginEditor* editor) override;

    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;

    Type getType() const noexcept           { return type; }
    Side getPressedSide() const noexcept    { return pressedSide; }

    /** The rest frame while a press is dragged outside the rocker, else the pressed side. */
    int getFrameToDraw() const              { return draggedOutside ? restSide : pressedSide; }

private:
    bool isMoreHalf (juce::Point<int> position) const;

    Type type = vertical;
    int lessEvent = -1, moreEvent = -1, lessCtrlEvent = -1, moreCtrlEvent = -1;
    Side pressedSide = restSide;
    bool draggedOutside = false;
};
