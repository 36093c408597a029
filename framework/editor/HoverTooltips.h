#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** The tooltip window of a component, there only while the mouse is over it.

    JUCE's tooltip window asks the window system where the mouse is every 123 ms, and as a
    global mouse listener it makes the desktop ask again every 100 ms; an open editor that
    nobody points at would wake the process for that about twenty times a second. So the
    window is created when the mouse enters the component or one of its children, and
    deleted (after the event that reported it has finished) once the mouse is elsewhere. */
class HoverTooltips : private juce::MouseListener,
                      private juce::AsyncUpdater
{
public:
    explicit HoverTooltips (juce::Component& owner);
    ~HoverTooltips() override;

    /** Deletes the window at once, whatever the mouse does (the owner was hidden). */
    void close();

    bool isOpen() const noexcept    { return window != nullptr; }

private:
    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void handleAsyncUpdate() override;

    bool isMouseOverOwner() const;

    juce::Component& owner;
    std::unique_ptr<juce::TooltipWindow> window;
};
