#include "DesktopPopOut.h"

DesktopPopOut::DesktopPopOut (juce::Component& poppingComponent, std::function<void()> homeLost)
    : component (poppingComponent), onHomeLost (std::move (homeLost))
{
}

DesktopPopOut::StandIn::StandIn (DesktopPopOut& popOut)
    : owner (popOut)
{
    setWantsKeyboardFocus (false);
    setMouseClickGrabsKeyboardFocus (false);
}

void DesktopPopOut::StandIn::mouseDown (const juce::MouseEvent&)
{
    if (owner.out)
        owner.component.toFront (true);
}

DesktopPopOut::~DesktopPopOut()
{
    stopWatching();

    if (out)
        component.removeFromDesktop();
}

bool DesktopPopOut::popOut()
{
    auto* parent = component.getParentComponent();

    if (out || parent == nullptr)
        return false;

    const juce::ScopedValueSetter<bool> changingPlaces (moving, true);
    const auto screenBounds = component.getScreenBounds();
    home = parent;
    homeBounds = component.getBounds();
    home->addComponentListener (this);
    out = true;

    parent->removeChildComponent (&component);
    parent->addAndMakeVisible (standIn);
    standIn.setBounds (homeBounds);
    component.setBounds (screenBounds);
    component.addToDesktop (juce::ComponentPeer::windowIsTemporary);
    component.setVisible (true);
    component.toFront (true);
    component.grabKeyboardFocus();
    return true;
}

bool DesktopPopOut::bringBack()
{
    if (! out)
        return false;

    const juce::ScopedValueSetter<bool> changingPlaces (moving, true);
    out = false;
    stopWatching();
    component.removeFromDesktop();

    if (auto* standInParent = standIn.getParentComponent())
        standInParent->removeChildComponent (&standIn);

    if (home != nullptr)
    {
        home->addAndMakeVisible (component);
        component.setBounds (homeBounds);
    }

    // Back in place the component must not keep the focus: the next click has to give
    // it the focus again to start another edit. The window it came back to gets the
    // keyboard back, as before the edit, so that this click reaches it.
    if (component.hasKeyboardFocus (true))
        component.giveAwayKeyboardFocus();

    if (auto* window = component.getPeer(); window != nullptr && component.isShowing())
        window->grabFocus();

    home = nullptr;
    return true;
}

void DesktopPopOut::checkHome()
{
    if (out && ! moving && (home == nullptr || ! home->isShowing()) && onHomeLost != nullptr)
        onHomeLost();
}

void DesktopPopOut::componentBeingDeleted (juce::Component&)
{
    stopWatching();
    home = nullptr;
    checkHome();
}

void DesktopPopOut::stopWatching()
{
    if (home != nullptr)
        home->removeComponentListener (this);
}
