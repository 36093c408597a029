#pragma once

#include "GUIController.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The sign cell of a numeric display: a two-frame picture, frame 1 showing minus. */
class NumericDisplaySign : public juce::Component
{
public:
    /** Takes the picture and its frame size. */
    void setPicture (const juce::Image& picture);
    void setNegative (bool shouldShowMinus);
    bool isNegative() const noexcept { return negative; }
    void paint (juce::Graphics&) override;

private:
    juce::Image image;
    bool negative = false;
};

/** A digit cell of a numeric display: an eleven-frame picture, frame 0 blank and frames 1
    to 10 the digits 0 to 9. Its weight is the value of one step of the digit. */
class NumericDisplayDigit : public juce::Component
{
public:
    explicit NumericDisplayDigit (double digitWeight) : weight (digitWeight) {}

    static constexpr int numFrames = 11;
    static constexpr int blankFrame = 0;

    /** Takes the picture and its frame size. */
    void setPicture (const juce::Image& picture);
    void setFrame (int newFrame);
    int getFrame() const noexcept            { return frame; }
    double getWeight() const noexcept        { return weight; }

    /** Digits of the integer part may be blanked as leading zeros; decimals never are. */
    bool isIntegerDigit() const noexcept     { return weight >= 1.0; }

    void paint (juce::Graphics&) override;

private:
    juce::Image image;
    const double weight;
    int frame = blankFrame;
};

/** The skin's `NumericDisplay`: a number shown digit by digit from digit pictures, with a
    sign cell when the range reaches below zero. Dragging up or down changes the value: in
    continuous mode over the whole range, otherwise by steps of the digit that was pressed. */
class NumericDisplay : public GUIController,
                       public juce::Component
{
public:
    explicit NumericDisplay (const juce::String& name);
    ~NumericDisplay() override;

    void updateFromParameter (Parameter&) override;
    void configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                           EventsMap& events, BasePluginEditor* editor) override;

    /** Shows a value, clamped to the display's range when it has one. */
    void setDisplayedValue (double value);
    double getDisplayedValue() const noexcept       { return displayedValue; }

    int getNumDigits() const                        { return digits.size(); }
    NumericDisplayDigit* getDigit (int index) const { return digits[index]; }
    NumericDisplaySign* getSign() const             { return sign.get(); }
    bool isContinuous() const noexcept              { return continuous; }

    /** The weight of the first digit: a power of ten, else 10 ^ (digits - 1). */
    static double firstDigitWeight (double requested, int numDigits);

    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void enablementChanged() override               { setDisplayedValue (displayedValue); }

    static constexpr int pixelsForFullRange = 250;
    static constexpr int pixelsPerDigitStep = 10;

private:
    void buildCells (const juce::XmlElement& element, int numDigits, double firstWeight);
    void layoutCells (int totalWidth);
    double clampToRange (double value) const;

    double minValue = 0.0, maxValue = 0.0;
    bool continuous = false;
    double displayedValue = 0.0;
    std::unique_ptr<NumericDisplaySign> sign;
    juce::OwnedArray<NumericDisplayDigit> digits;

    double valueOnMouseDown = 0.0;
    double stepOnMouseDown = 0.0;
};
