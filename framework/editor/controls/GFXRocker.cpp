#include "GFXRocker.h"

#include "PlaceholderDrawing.h"
#include "SkinReading.h"
#include "../../parameters/XmlReading.h"

GFXRocker::GFXRocker (const juce::String& name)
    : juce::Component (name)
{
}

void GFXRocker::setAction (const juce::String& actionType, int eventNumber, const juce::String&)
{
    if (actionType == "onLessClick")
        lessEvent = eventNumber;
    else if (actionType == "onMoreClick")
        moreEvent = eventNumber;
    else if (actionType == "onLessClickWithCtrl")
        lessCtrlEvent = eventNumber;
    else if (actionType == "onMoreClickWithCtrl")
        moreCtrlEvent = eventNumber;
}

void GFXRocker::configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                  EventsMap& events, BasePluginEditor* editor)
{
    BaseGFXController::configureFromXml (element, parameters, events, editor);

    if (XmlReading::hasTag (element, "Rocker"))
    {
        const auto typeText = SkinReading::getText (element, "type");

        if (typeText == "vertical")
            type = vertical;
        else if (typeText == "horizontal")
            type = horizontal;
    }

    setBounds (getFrameBounds());
    repaint();
}

bool GFXRocker::isMoreHalf (juce::Point<int> position) const
{
    // The upper half of a vertical rocker and the right half of a horizontal one mean "more".
    return type == vertical ? position.y < getHeight() / 2
                            : position.x > getWidth() / 2;
}

void GFXRocker::mouseDown (const juce::MouseEvent& e)
{
    draggedOutside = false;

    const bool more = isMoreHalf (e.getPosition());
    const bool ctrl = e.mods.isCtrlDown();
    pressedSide = more ? moreSide : lessSide;

    const int event = more ? (ctrl ? moreCtrlEvent : moreEvent)
                           : (ctrl ? lessCtrlEvent : lessEvent);

    if (event != -1)
        fireEvent (event);

    repaint();
}

void GFXRocker::mouseDrag (const juce::MouseEvent& e)
{
    // A press dragged off the rocker shows the rest frame; back over it, the pressed side again.
    draggedOutside = ! getLocalBounds().contains (e.getPosition());
    repaint();
}

void GFXRocker::mouseUp (const juce::MouseEvent&)
{
    draggedOutside = false;
    pressedSide = restSide;
    repaint();
}

void GFXRocker::paint (juce::Graphics& g)
{
    if (getImage().isValid())
    {
        drawFrame (g, getFrameToDraw());
        return;
    }

    g.fillAll (PlaceholderDrawing::grey (0.9f));

    auto bounds = getLocalBounds();
    constexpr int gap = 2;
    auto moreHalf = type == vertical ? bounds.removeFromTop ((bounds.getHeight() - gap) / 2)
                                     : bounds.removeFromRight ((bounds.getWidth() - gap) / 2);
    auto lessHalf = type == vertical ? bounds.withTrimmedTop (gap) : bounds.withTrimmedRight (gap);

    const auto pressed = PlaceholderDrawing::grey (0.5f);
    const auto released = PlaceholderDrawing::grey (0.7f);
    g.setColour (pressedSide == moreSide ? pressed : released);
    g.fillRect (moreHalf);
    g.setColour (pressedSide == lessSide ? pressed : released);
    g.fillRect (lessHalf);

    PlaceholderDrawing::drawOutline (g, getLocalBounds(), juce::Colours::black);
}
