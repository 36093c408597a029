#include "CheckBox.h"

#include "../editor/DefaultLookAndFeel.h"

CheckBox::CheckBox (const juce::String& boxText)
    : text (boxText)
{
    setName (text);
    box.setClickingTogglesState (true);
    box.addListener (this);
    addAndMakeVisible (box);
    takeLookAndFeel();
}

CheckBox::~CheckBox() = default;

void CheckBox::setChecked (bool shouldBeChecked, bool notify)
{
    if (shouldBeChecked == isChecked())
        return;

    box.setToggleState (shouldBeChecked, juce::dontSendNotification);

    if (notify)
        listeners.callLastToFirst ([this] (Listener& l) { l.checkBoxChanged (this); });
}

void CheckBox::buttonClicked (juce::Button*)
{
    listeners.callLastToFirst ([this] (Listener& l) { l.checkBoxChanged (this); });
}

void CheckBox::mouseUp (const juce::MouseEvent& event)
{
    if (isEnabled() && event.mouseWasClicked() && getLocalBounds().contains (event.getPosition()))
        setChecked (! isChecked(), true);
}

void CheckBox::lookAndFeelChanged()      { takeLookAndFeel(); }
void CheckBox::parentHierarchyChanged()  { takeLookAndFeel(); }

void CheckBox::takeLookAndFeel()
{
    if (auto* lf = DefaultLookAndFeel::of (*this))
    {
        font = lf->getCheckBoxFont();
        gap = lf->getCheckBoxTextGap();
        const auto off = lf->getCheckBoxImage (false);
        const auto on = lf->getCheckBoxImage (true);
        box.setImages (true, false, true, off, 1.0f, {}, off, 1.0f, {}, on, 1.0f, {});
    }

    setSize (box.getWidth() + gap + font.getStringWidth (text),
             juce::jmax ((int) std::ceil (font.getHeight()), box.getHeight()));
    resized();
}

void CheckBox::resized()
{
    box.setTopLeftPosition (0, (getHeight() - box.getHeight()) / 2);
}

void CheckBox::paint (juce::Graphics& g)
{
    g.setColour (juce::Colours::black.withMultipliedAlpha (isEnabled() ? 1.0f : 0.5f));
    g.setFont (font);
    g.drawText (text, getLocalBounds().withTrimmedLeft (box.getWidth() + gap), juce::Justification::centredLeft, false);
}
