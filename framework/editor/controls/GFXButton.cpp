#include "GFXButton.h"

#include "PlaceholderDrawing.h"
#include "SkinReading.h"
#include "../../parameters/XmlReading.h"

namespace
{
    juce::Font placeholderFont()    { return juce::Font (12.0f, juce::Font::plain); }
}

GFXButton::GFXButton (const juce::String& name)
    : juce::Button (name)
{
    const int width = name.isEmpty() ? 18 : placeholderFont().getStringWidth (name) + 8;
    setSize (width, 18);
}

void GFXButton::setAction (const juce::String& type, int eventNumber, const juce::String& eventName)
{
    if (type == "onClick")
    {
        clickEvent = eventNumber;
        clickEventName = eventName;
    }
    else if (type == "onClickWithCtrl")
    {
        ctrlClickEvent = eventNumber;
        ctrlClickEventName = eventName;
    }
}

void GFXButton::readClickEvent (const juce::XmlElement& element, juce::Button& button)
{
    const auto clickEventText = SkinReading::getText (element, "clickEvent");

    if (clickEventText == "onPress")
        button.setTriggeredOnMouseDown (true);
    else if (clickEventText == "onRelease")
        button.setTriggeredOnMouseDown (false);
}

void GFXButton::configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                  EventsMap& events, BasePluginEditor* editor)
{
    BaseGFXController::configureFromXml (element, parameters, events, editor);

    // A subclass configured from another element keeps these defaults.
    if (XmlReading::hasTag (element, "Button"))
    {
        readClickEvent (element, *this);

        if (SkinReading::getText (element, "autorepeat") == "yes")
            repeatDelays = { firstRepeatDelayMs, repeatIntervalMs };
        else
            repeatDelays = { -1, -1 };

        setRepeatSpeed (repeatDelays.first, repeatDelays.second);
    }

    setBounds (getFrameBounds());
    repaint();
}

void GFXButton::clicked (const juce::ModifierKeys& modifiers)
{
    const auto event = modifiers.isCtrlDown() ? ctrlClickEvent : clickEvent;

    if (event != -1)
        fireEvent (event);
}

void GFXButton::updateTooltip (const juce::ModifierKeys& modifiers)
{
    setTooltip (modifiers.isCtrlDown() && ctrlClickEvent != -1 ? ctrlClickEventName : clickEventName);
}

void GFXButton::mouseEnter (const juce::MouseEvent& e)
{
    juce::Button::mouseEnter (e);
    updateTooltip (e.mods);
}

void GFXButton::modifierKeysChanged (const juce::ModifierKeys& modifiers)
{
    juce::Button::modifierKeysChanged (modifiers);
    updateTooltip (modifiers);
}

void GFXButton::paintButton (juce::Graphics& g, bool isOver, bool isDown)
{
    if (getImage().isValid())
        drawFrame (g, frameFor (isOver, isDown));
    else
        paintPlaceholder (g, isOver && isDown);
}

void GFXButton::paintPlaceholder (juce::Graphics& g, bool isOverAndDown)
{
    g.fillAll (PlaceholderDrawing::grey (isOverAndDown ? 0.4f : 0.9f));
    PlaceholderDrawing::drawOutline (g, getLocalBounds(), juce::Colours::black);

    if (getName().isEmpty())
        return;

    g.setFont (placeholderFont());
    g.setColour (isEnabled() ? juce::Colours::black : juce::Colour (0xff808080));
    g.drawText (getName(), getLocalBounds(), juce::Justification::centred, true);
}
