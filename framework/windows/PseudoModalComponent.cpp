#include "PseudoModalComponent.h"

PseudoModalComponent::CoveringWindow::CoveringWindow (PseudoModalComponent& dialog)
    : owner (dialog)
{
    setWantsKeyboardFocus (true);
}

void PseudoModalComponent::CoveringWindow::paint (juce::Graphics& g)
{
    if (owner.shouldDarkenBackground())
        g.fillAll (juce::Colours::black.withAlpha (darkeningOpacity));
}

void PseudoModalComponent::CoveringWindow::resized()
{
    owner.positionWindow();
}

void PseudoModalComponent::CoveringWindow::parentSizeChanged()
{
    fillParent();
}

void PseudoModalComponent::CoveringWindow::parentHierarchyChanged()
{
    fillParent();
}

void PseudoModalComponent::CoveringWindow::fillParent()
{
    if (auto* parent = getParentComponent())
        setBounds (parent->getLocalBounds());
}

//==============================================================================
PseudoModalComponent::PseudoModalComponent() = default;

PseudoModalComponent::~PseudoModalComponent()
{
    detach();
}

void PseudoModalComponent::detach()
{
    // The covering window is a member: take it out of the editor and this dialog out of
    // it while both are still whole, whichever of dialog and editor goes first.
    if (getParentComponent() == &coveringWindow)
        coveringWindow.removeChildComponent (this);

    if (auto* desktop = coveringWindow.getParentComponent())
        desktop->removeChildComponent (&coveringWindow);
}

bool PseudoModalComponent::isAttached() const noexcept
{
    return getParentComponent() == &coveringWindow && coveringWindow.getParentComponent() != nullptr;
}

bool PseudoModalComponent::isShown() const noexcept
{
    return isAttached() && coveringWindow.isVisible();
}

void PseudoModalComponent::show()
{
    showInMode (centred, position, nullptr);
}

void PseudoModalComponent::showAt (int mode, juce::Point<int> point, juce::Component* relativeTo)
{
    showInMode (mode, point, relativeTo);
}

void PseudoModalComponent::showInMode (int mode, juce::Point<int> point, juce::Component* relativeTo)
{
    if (! isAttached())
        attach();

    if (! isAttached())
    {
        setVisible (true);
        return;
    }

    if (coveringWindow.isVisible())
        return;

    positionMode = mode;
    position = relativeTo != nullptr ? coveringWindow.getLocalPoint (relativeTo, point) : point;

    coveringWindow.setVisible (true);
    coveringWindow.toFront (true);
    modalStateChanged();
    positionWindow();
}

void PseudoModalComponent::hide()
{
    if (! isAttached())
    {
        setVisible (false);
        return;
    }

    if (! coveringWindow.isVisible())
        return;

    coveringWindow.setVisible (false);
    coveringWindow.toBack();
    modalStateChanged();
}

juce::Component* PseudoModalComponent::findDesktop() const
{
    for (auto* parent = getParentComponent(); parent != nullptr; parent = parent->getParentComponent())
        if (dynamic_cast<Desktop*> (parent) != nullptr)
            return parent;

    return nullptr;
}

void PseudoModalComponent::attach()
{
    auto* desktop = findDesktop();

    if (desktop == nullptr)
        return;

    setVisible (true);
    coveringWindow.addAndMakeVisible (this);
    coveringWindow.setVisible (false);
    desktop->addChildComponent (coveringWindow);
    coveringWindow.toBack();
}

void PseudoModalComponent::positionWindow()
{
    if (positionMode == atPoint)
        setTopLeftPosition (position);
    else if (auto* parent = getParentComponent())
        setCentrePosition (parent->getWidth() / 2, parent->getHeight() / 2);
}
