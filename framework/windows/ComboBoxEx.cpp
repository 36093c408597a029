#include "ComboBoxEx.h"

ComboBoxEx::ComboBoxEx (const juce::String& name)
    : juce::Component (name)
{
    menu.addListener (this);
    addChildComponent (menu.getPopupComponent());
}

ComboBoxEx::~ComboBoxEx()
{
    menu.removeListener (this);
}

void ComboBoxEx::setSelectedId (int itemId, bool notify)
{
    const bool changed = itemId != selectedId;
    selectedId = itemId;
    updateText();

    if (changed && notify)
        listeners.callLastToFirst ([this] (Listener& l) { l.comboBoxExChanged (this); });
}

void ComboBoxEx::updateText()
{
    const auto* item = menu.findItem (selectedId);
    const auto itemText = item != nullptr ? item->text : juce::String();
    const bool enabled = item != nullptr && item->enabled;
    const auto newText = itemText.isNotEmpty() ? itemText : juce::String (noSelectionText);

    menu.setItemTicked (selectedId, true, true);

    if (newText != text || enabled != selectedItemEnabled)
    {
        text = newText;
        selectedItemEnabled = enabled;
        repaint();
    }
}

void ComboBoxEx::popupMenuItemChosen (PopupMenuEx*, int itemId, bool)
{
    if (itemId != selectedId)
        setSelectedId (itemId);
}

void ComboBoxEx::mouseDown (const juce::MouseEvent&)
{
    menu.getPopupComponent().showAt (PseudoModalComponent::atPoint, { 0, getHeight() }, this);
}

juce::Font ComboBoxEx::getTextFont() const
{
    return juce::Font ("Tahoma", 13.0f, selectedItemEnabled ? juce::Font::plain : juce::Font::italic);
}

void ComboBoxEx::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    const float width = bounds.getWidth(), height = bounds.getHeight();

    g.setColour (juce::Colour (0xffe3e3e3));
    g.fillRoundedRectangle (bounds, 4.0f);
    g.setColour (juce::Colours::white);
    g.drawRoundedRectangle (bounds.reduced (0.5f), 4.0f, 1.0f);

    g.setColour (juce::Colours::black);
    g.setFont (getTextFont());
    g.drawText (text, 4, 0, getWidth(), getHeight(), juce::Justification::centredLeft, true);

    g.setColour (juce::Colour (0xffbfbfbf));
    g.drawVerticalLine (getWidth() - 13, 2.0f, height - 2.0f);

    juce::Path arrow;
    arrow.addTriangle (width - 10.5f, height / 2 - 3.0f, width - 4.5f, height / 2 - 3.0f, width - 7.5f, height / 2 + 3.0f);
    g.setColour (juce::Colours::black);
    g.fillPath (arrow);
}
