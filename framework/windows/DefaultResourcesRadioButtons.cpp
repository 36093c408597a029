#include "DefaultResourcesRadioButtons.h"

DefaultResourcesRadioButtons::DefaultResourcesRadioButtons (const juce::String& titleText, const juce::StringArray& optionTexts)
    : RadioButtons (titleText, optionTexts)
{
    pathComponent.addListener (this);
    addAndMakeVisible (pathComponent);
    selectionChanged();
    updateSize();
}

DefaultResourcesRadioButtons::~DefaultResourcesRadioButtons() = default;

void DefaultResourcesRadioButtons::selectionChanged()
{
    pathComponent.setEnabled (getSelected() >= 0 && getSelected() == getLastRow());
}

void DefaultResourcesRadioButtons::pathChanged (PathComponent*)
{
    setSelected (getSelected(), true);
}

// The path's height settles when its button meets the look-and-feel.
void DefaultResourcesRadioButtons::childBoundsChanged (juce::Component* child)
{
    if (child == &pathComponent && pathComponent.getHeight() != pathHeight)
        takeLookAndFeel();
}

void DefaultResourcesRadioButtons::updateSize()
{
    pathHeight = pathComponent.getHeight();
    const int extra = juce::jmax (0, pathComponent.getHeight() - getRowHeight());
    setSize (getWidth(), getHeight() + extra);
}

void DefaultResourcesRadioButtons::resized()
{
    RadioButtons::resized();

    if (getLastRow() < 0)
        return;

    const auto row = getOptionTextBounds (getLastRow());
    const int x = row.getX() + getOptionTextWidth (getLastRow()) + getTextGap();
    pathComponent.setBounds (x, row.getCentreY() - pathComponent.getHeight() / 2,
                             juce::jmax (0, getWidth() - getButtonInset() - x), pathComponent.getHeight());
}
