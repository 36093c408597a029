#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** Takes a text-editing component out of its parent and puts it on the desktop as a
    temporary window (no taskbar entry) at the same place on screen, so that it gets the
    keys even where a host keeps them from plug-in windows; and puts it back.

    While the component is out, the parent it left is watched: when that parent stops
    showing (the host closed the editor window) or is deleted, `onHomeLost` runs, so the
    owner can end its edit as on a loss of focus and leave no window behind.

    A stand-in holds the component's old place meanwhile. A click that reaches it was
    meant for the component (the second click of a double click that came before the
    new window was up): it gives the keyboard back to the component instead of letting
    the editor take it, which would end the edit that click has just started. */
class DesktopPopOut : private juce::ComponentListener
{
public:
    DesktopPopOut (juce::Component& component, std::function<void()> onHomeLost);
    ~DesktopPopOut() override;

    /** Moves the component onto the desktop and gives it the keyboard focus; false, with
        nothing changed, when it is out already or has no parent. */
    bool popOut();

    /** Moves the component back into the parent it left (as its topmost child, at its old
        bounds) without the keyboard focus; false when it was not out. A deleted parent
        leaves it parentless. */
    bool bringBack();

    bool isOut() const noexcept         { return out; }

    /** True while the component changes places: the focus changes this causes are not
        the user's and must not end an edit. */
    bool isMoving() const noexcept      { return moving; }

    juce::Component* getHome() const noexcept   { return home.getComponent(); }

private:
    void componentParentHierarchyChanged (juce::Component&) override   { checkHome(); }
    void componentVisibilityChanged (juce::Component&) override        { checkHome(); }
    void componentBeingDeleted (juce::Component&) override;
    void checkHome();
    void stopWatching();

    /** An invisible component in the old place that passes presses back. */
    struct StandIn : public juce::Component
    {
        explicit StandIn (DesktopPopOut& owner);
        void mouseDown (const juce::MouseEvent&) override;
        DesktopPopOut& owner;
    };

    juce::Component& component;
    std::function<void()> onHomeLost;
    juce::Component::SafePointer<juce::Component> home;
    juce::Rectangle<int> homeBounds;
    bool out = false, moving = false;
    StandIn standIn { *this };
};
