#include "HoverTooltips.h"

HoverTooltips::HoverTooltips (juce::Component& ownerToWatch)
    : owner (ownerToWatch)
{
    owner.addMouseListener (this, true);
}

HoverTooltips::~HoverTooltips()
{
    owner.removeMouseListener (this);
}

void HoverTooltips::close()
{
    cancelPendingUpdate();
    window.reset();
}

void HoverTooltips::mouseEnter (const juce::MouseEvent&)
{
    cancelPendingUpdate();

    if (window == nullptr && owner.isVisible())
        window = std::make_unique<juce::TooltipWindow> (&owner);
}

void HoverTooltips::mouseExit (const juce::MouseEvent&)
{
    // The exit may come from the tooltip window itself, which must not be deleted while
    // its own event is being delivered.
    if (window != nullptr && ! isMouseOverOwner())
        triggerAsyncUpdate();
}

void HoverTooltips::handleAsyncUpdate()
{
    if (! isMouseOverOwner())
        window.reset();
}

bool HoverTooltips::isMouseOverOwner() const
{
    // By the time a component hears of the exit, the mouse source already names the
    // component the mouse went to.
    auto* under = juce::Desktop::getInstance().getMainMouseSource().getComponentUnderMouse();
    return under != nullptr && (under == &owner || owner.isParentOf (under));
}
