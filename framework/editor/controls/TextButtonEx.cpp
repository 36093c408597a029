#include "TextButtonEx.h"

TextButtonEx::TextButtonEx (const juce::String& name, const juce::String& buttonText, int buttonStyle)
    : GFXButton (name), style (buttonStyle)
{
    setButtonText (buttonText);
    updateSize();
}

void TextButtonEx::lookAndFeelChanged()
{
    GFXButton::lookAndFeelChanged();
    takeLookAndFeel();
}

void TextButtonEx::parentHierarchyChanged()
{
    GFXButton::parentHierarchyChanged();
    takeLookAndFeel();
}

void TextButtonEx::takeLookAndFeel()
{
    auto* defaultLookAndFeel = DefaultLookAndFeel::of (*this);

    if (defaultLookAndFeel == nullptr)
        return;

    font = defaultLookAndFeel->getTextButtonExFont();
    pictures = defaultLookAndFeel->getTextButtonPictures (style);

    if (pictures.isComplete())
    {
        leftCapWidth = pictures.left.getWidth();
        rightCapWidth = pictures.right.getWidth();
        capHeight = pictures.left.getHeight();
    }

    updateSize();
}

void TextButtonEx::updateSize()
{
    textWidth = font.getStringWidth (getButtonText());
    setSize (textWidth + leftCapWidth + rightCapWidth, capHeight);
}

void TextButtonEx::paintButton (juce::Graphics& g, bool isOver, bool isDown)
{
    if (! pictures.isComplete())
    {
        GFXButton::paintButton (g, isOver, isDown);
        return;
    }

    const bool pressed = isOver && isDown;
    const int height = getHeight();
    const int middleWidth = juce::jmax (0, getWidth() - leftCapWidth - rightCapWidth);

    g.setOpacity (isEnabled() ? 1.0f : 0.5f);
    g.drawImage (pressed ? pictures.pressedLeft : pictures.left, 0, 0, leftCapWidth, height,
                 0, 0, leftCapWidth, pictures.left.getHeight());
    g.drawImage (pressed ? pictures.pressedMiddle : pictures.middle, leftCapWidth, 0, middleWidth, height,
                 0, 0, pictures.middle.getWidth(), pictures.middle.getHeight());
    g.drawImage (pressed ? pictures.pressedRight : pictures.right, leftCapWidth + middleWidth, 0, rightCapWidth, height,
                 0, 0, rightCapWidth, pictures.right.getHeight());

    if (isOver && ! isDown && isEnabled())
        g.drawImage (pictures.highlight, 0, 0, getWidth(), height,
                     0, 0, pictures.highlight.getWidth(), pictures.highlight.getHeight());

    g.setOpacity (1.0f);
    g.setFont (font);
    g.setColour (isEnabled() ? juce::Colours::black : juce::Colour (0xff808080));
    g.drawText (getButtonText(), leftCapWidth, 0, middleWidth, height, juce::Justification::centred, false);
}
