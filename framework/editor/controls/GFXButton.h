#pragma once

#include "BaseGFXController.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The skin's `Button`: raises one event on a click and another on a click with Ctrl held,
    optionally repeating while held down. Its tooltip names the event a click would raise. */
class GFXButton : public BaseGFXController,
                  public juce::Button
{
public:
    // Controller listeners and the JUCE base's own listeners share the name.
    using GUIController::addListener;
    using juce::Button::addListener;

    explicit GFXButton (const juce::String& name);

    void setAction (const juce::String& type, int eventNumber, const juce::String& eventName) override;
    void configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                           EventsMap& events, BasePluginEditor* editor) override;

    void mouseEnter (const juce::MouseEvent&) override;
    void modifierKeysChanged (const juce::ModifierKeys&) override;

    int getClickEvent() const noexcept            { return clickEvent; }
    int getCtrlClickEvent() const noexcept        { return ctrlClickEvent; }

    /** The delays of the auto-repeat set from the skin: the first repeat and the repeats after
        it, in milliseconds; both -1 when the button does not repeat. */
    std::pair<int, int> getRepeatDelays() const noexcept { return repeatDelays; }

    static constexpr int firstRepeatDelayMs = 1000;
    static constexpr int repeatIntervalMs = 100;

    /** Reads `clickEvent` ("onPress" or "onRelease"; other values change nothing),
        shared by the button classes. */
    static void readClickEvent (const juce::XmlElement& element, juce::Button& button);

    /** The frame paintButton draws: 1 while over and held down, else 0. */
    static int frameFor (bool isOver, bool isDown)  { return isOver && isDown ? 1 : 0; }

protected:
    using juce::Button::clicked;
    void clicked (const juce::ModifierKeys&) override;
    void paintButton (juce::Graphics&, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    /** The placeholder of a button without picture. */
    void paintPlaceholder (juce::Graphics&, bool isOverAndDown);

private:
    void updateTooltip (const juce::ModifierKeys&);

    int clickEvent = -1, ctrlClickEvent = -1;
    juce::String clickEventName, ctrlClickEventName;
    std::pair<int, int> repeatDelays { -1, -1 };
};
