#pragma once

#include "GFXButton.h"
#include "../DefaultLookAndFeel.h"

/** A button with a text label on a three-piece picture (left cap, stretched middle, right
    cap) from the look-and-feel, used by the editor's windows. It sizes itself to its text. */
class TextButtonEx : public GFXButton
{
public:
    TextButtonEx (const juce::String& name, const juce::String& buttonText, int style = 0);

    int getStyle() const noexcept     { return style; }

    void lookAndFeelChanged() override;
    void parentHierarchyChanged() override;

protected:
    void paintButton (juce::Graphics&, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

private:
    void takeLookAndFeel();
    void updateSize();

    const int style;
    TextButtonPictures pictures;
    int leftCapWidth = 10, rightCapWidth = 10, capHeight = 20;
    int textWidth = 0;
    juce::Font font { 14.0f, juce::Font::plain };
};
