#include "DefaultResourceCheckBox.h"

DefaultResourceCheckBox::DefaultResourceCheckBox (const juce::String& text)
    : checkBox (text)
{
    checkBox.addListener (this);
    pathComponent.addListener (this);
    addAndMakeVisible (checkBox);
    addAndMakeVisible (pathComponent);
    updateEnabledState();
    childBoundsChanged (nullptr);
}

DefaultResourceCheckBox::~DefaultResourceCheckBox() = default;

void DefaultResourceCheckBox::setPath (const juce::String& path)
{
    checkBox.setChecked (path.isNotEmpty(), false);
    pathComponent.setPath (path, false);
    updateEnabledState();
}

void DefaultResourceCheckBox::setChecked (bool shouldBeChecked)
{
    checkBox.setChecked (shouldBeChecked, false);
    updateEnabledState();
}

void DefaultResourceCheckBox::checkBoxChanged (CheckBox*)
{
    updateEnabledState();
    tellListeners();
}

void DefaultResourceCheckBox::pathChanged (PathComponent*)
{
    tellListeners();
}

void DefaultResourceCheckBox::tellListeners()
{
    listeners.callLastToFirst ([this] (Listener& l) { l.defaultResourceChanged (this); });
}

void DefaultResourceCheckBox::updateEnabledState()
{
    pathComponent.setEnabled (checkBox.isChecked());
}

void DefaultResourceCheckBox::childBoundsChanged (juce::Component*)
{
    const int height = juce::jmax (checkBox.getHeight(), pathComponent.getHeight());

    if (height != getHeight())
        setSize (getWidth(), height);
}

void DefaultResourceCheckBox::resized()
{
    checkBox.setTopLeftPosition (0, (getHeight() - checkBox.getHeight()) / 2);
    const int pathX = checkBox.getRight() + pathGap;
    pathComponent.setBounds (pathX, (getHeight() - pathComponent.getHeight()) / 2,
                             juce::jmax (0, getWidth() - pathX), pathComponent.getHeight());
}
