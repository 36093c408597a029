#include "GFXMultiStateButton.h"

#include "GFXButton.h"
#include "PlaceholderDrawing.h"
#include "SkinReading.h"
#include "../../parameters/XmlReading.h"

GFXMultiStateButton::GFXMultiStateButton (const juce::String& name)
    : juce::Button (name)
{
}

void GFXMultiStateButton::setAction (const juce::String& type, int eventNumber, const juce::String&)
{
    if (type == "onClick")
        clickEvent = eventNumber;
    else if (type == "onClickWithCtrl")
        ctrlClickEvent = eventNumber;
}

void GFXMultiStateButton::updateFromParameter (Parameter& changed)
{
    setState (frameForValue (changed.getNormalisedValue(), numStates));
}

void GFXMultiStateButton::setState (int newState)
{
    if (newState == state)
        return;

    state = newState;
    repaint();
}

void GFXMultiStateButton::showStateFor (int newState, int milliseconds)
{
    setState (newState);
    startTimer (milliseconds);
}

void GFXMultiStateButton::setInverted (bool shouldBeInverted)
{
    inverted = shouldBeInverted;
    repaint();
}

void GFXMultiStateButton::configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                            EventsMap& events, BasePluginEditor* editor)
{
    // The number of frames follows the states and the style, not framesNum.
    GUIController::configureFromXml (element, parameters, events, editor);

    if (XmlReading::hasTag (element, "MultiStateButton"))
    {
        const auto styleText = SkinReading::getText (element, "style");

        if (styleText == "2D")
            style3D = false;
        else if (styleText == "3D")
            style3D = true;

        const int statesFromSkin = SkinReading::getInt (element, "states");

        if (statesFromSkin > 1)
            numStates = statesFromSkin;

        GFXButton::readClickEvent (element, *this);
        setRadioGroupId (SkinReading::getInt (element, "radioGroupId"));
    }

    readPosition (element);
    readSize (element);

    if (auto* gfx = SkinReading::getChild (element, "gfx"))
        loadFilmstrip (SkinReading::getText (*gfx, "resource"), framesForStyle());

    setBounds (getFrameBounds());
    repaint();
}

void GFXMultiStateButton::frameSizeChanged()
{
    setSize (getFrameWidth(), getFrameHeight());
}

void GFXMultiStateButton::positionChanged()
{
    setTopLeftPosition (getLeft(), getTop());
}

void GFXMultiStateButton::clicked (const juce::ModifierKeys& modifiers)
{
    const auto event = modifiers.isCtrlDown() ? ctrlClickEvent : clickEvent;

    if (event != -1)
        fireEvent (event);
}

void GFXMultiStateButton::timerCallback()
{
    stopTimer();

    if (state != 0)
    {
        state = 0;
        repaint();
    }
}

int GFXMultiStateButton::getFrameToDraw (bool isOver, bool isDown) const
{
    const int pressed = style3D && isOver && isDown ? 1 : 0;

    if (isBlinking())
        return pressed;

    int shownState = state;

    if (inverted)
        shownState = state == 0 ? numStates - 1 : 0;

    return style3D ? shownState * 2 + pressed : shownState;
}

void GFXMultiStateButton::paintButton (juce::Graphics& g, bool isOver, bool isDown)
{
    if (getImage().isValid())
    {
        drawFrame (g, getFrameToDraw (isOver, isDown));
        return;
    }

    const auto fill = PlaceholderDrawing::grey (isOver && isDown ? 0.4f : 0.9f);
    const auto diameter = (float) state / (float) (numStates - 1) * 10.0f + 2.0f;
    PlaceholderDrawing::drawDotSquare (g, getLocalBounds(), fill, diameter);
}
