#include "DefaultResourcesRadioButtons.h"

DefaultResourcesRadioButtons::DefaultResourcesRadioButtons (const juce::String& title, const juce::StringArray& options)
    : RadioButtons (title, options)
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

void DefaultResourcesRadioButtons::updateSize()
{
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
