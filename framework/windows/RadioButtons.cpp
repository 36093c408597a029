#include "RadioButtons.h"

#include "../editor/DefaultLookAndFeel.h"

RadioButtons::RadioButtons (const juce::String& titleText, const juce::StringArray& optionTexts)
    : title (titleText), options (optionTexts)
{
    for (int i = 0; i < options.size(); ++i)
    {
        auto* button = buttons.add (new juce::ImageButton ("RadioButton" + juce::String (i)));
        button->setClickingTogglesState (true);
        button->addListener (this);
        addAndMakeVisible (button);
    }

    takeLookAndFeel();
}

RadioButtons::~RadioButtons() = default;

void RadioButtons::setSelected (int index, bool notify)
{
    selected = juce::isPositiveAndBelow (index, options.size()) ? index : -1;

    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setToggleState (i == selected, juce::dontSendNotification);

    if (notify)
        listeners.callLastToFirst ([this] (Listener& l) { l.radioButtonsChanged (this); });

    selectionChanged();
}

void RadioButtons::buttonClicked (juce::Button* button)
{
    setSelected (buttons.indexOf (dynamic_cast<juce::ImageButton*> (button)), true);
}

//==============================================================================
void RadioButtons::lookAndFeelChanged()      { takeLookAndFeel(); }
void RadioButtons::parentHierarchyChanged()  { takeLookAndFeel(); }

void RadioButtons::takeLookAndFeel()
{
    if (auto* lf = DefaultLookAndFeel::of (*this))
    {
        titleFont = lf->getRadioButtonsTitleFont();
        optionFont = lf->getRadioButtonsOptionFont();
        titleInset = lf->getRadioButtonsTitleInset();
        titleMargin = lf->getRadioButtonsTitleMargin();
        buttonInset = lf->getRadioButtonsButtonInset();
        verticalMargin = lf->getRadioButtonsVerticalMargin();
        rowHeight = lf->getRadioButtonsRowHeight();
        cornerRadius = lf->getRadioButtonsCornerRadius();
        textGap = lf->getRadioButtonsTextGap();

        const auto off = lf->getRadioButtonImage (false);
        const auto on = lf->getRadioButtonImage (true);

        for (auto* button : buttons)
            button->setImages (true, false, true, off, 1.0f, {}, off, 1.0f, {}, on, 1.0f, {});
    }

    widestButton = tallestButton = widestText = 0;

    for (auto* button : buttons)
    {
        widestButton = juce::jmax (widestButton, button->getWidth());
        tallestButton = juce::jmax (tallestButton, button->getHeight());
    }

    for (int i = 0; i < options.size(); ++i)
        widestText = juce::jmax (widestText, getOptionTextWidth (i));

    const int titleHeight = (int) titleFont.getHeight();
    const int width = juce::jmax (getWidth(),
                                  titleFont.getStringWidth (title) + 2 * titleInset,
                                  widestText + 2 * buttonInset + textGap + widestButton + 2);
    setSize (width, options.size() * rowHeight + 2 * verticalMargin + titleHeight);
    updateSize();
    resized();
}

int RadioButtons::getFirstRowTop() const
{
    return (int) titleFont.getHeight() + verticalMargin;
}

int RadioButtons::getOptionTextWidth (int index) const
{
    return optionFont.getStringWidth (options[index]);
}

juce::Rectangle<int> RadioButtons::getOptionTextBounds (int index) const
{
    const int textX = widestButton + buttonInset + textGap + 1;
    return { textX, getFirstRowTop() + index * rowHeight, widestText, rowHeight };
}

void RadioButtons::resized()
{
    const int top = getFirstRowTop();

    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setTopLeftPosition (buttonInset + 1, top + i * rowHeight + (rowHeight - tallestButton) / 2);
}

void RadioButtons::paint (juce::Graphics& g)
{
    const int titleHeight = (int) titleFont.getHeight();
    const auto frame = getLocalBounds().withTrimmedTop (titleHeight / 2).toFloat().reduced (0.5f);

    g.setColour (juce::Colour (frameColour));
    g.drawRoundedRectangle (frame, cornerRadius, 1.0f);

    g.setColour (juce::Colour (titleBackgroundColour));
    g.fillRect (titleInset - titleMargin, 0, titleFont.getStringWidth (title) + 2 * titleMargin, titleHeight);

    g.setColour (juce::Colours::black);
    g.setFont (titleFont);
    g.drawText (title, titleInset, 0, getWidth() - 2 * titleInset, titleHeight, juce::Justification::centredLeft, false);

    g.setFont (optionFont);

    for (int i = 0; i < options.size(); ++i)
        g.drawText (options[i], getOptionTextBounds (i), juce::Justification::centredLeft, false);
}
