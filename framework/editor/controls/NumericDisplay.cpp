#include "NumericDisplay.h"

#include "SkinReading.h"
#include "../../parameters/NumberText.h"
#include "../../parameters/XmlReading.h"
#include "../../plugin/Resources.h"

namespace
{
    juce::Image loadPicture (const juce::XmlElement* gfx)
    {
        juce::Image picture;

        if (gfx != nullptr)
            Resources::loadResourceImage (SkinReading::getText (*gfx, "resource"), picture);

        return picture;
    }

    void drawFrameOf (juce::Graphics& g, const juce::Image& image, int numFrames, int frame)
    {
        const int frameHeight = image.getHeight() / numFrames;
        g.drawImage (image, 0, 0, image.getWidth(), frameHeight, 0, frame * frameHeight, image.getWidth(), frameHeight);
    }
}

//==============================================================================
void NumericDisplaySign::setPicture (const juce::Image& picture)
{
    image = picture;

    if (image.isValid())
        setSize (image.getWidth(), image.getHeight() / 2);
}

void NumericDisplaySign::setNegative (bool shouldShowMinus)
{
    if (negative == shouldShowMinus)
        return;

    negative = shouldShowMinus;
    repaint();
}

void NumericDisplaySign::paint (juce::Graphics& g)
{
    if (image.isValid())
    {
        drawFrameOf (g, image, 2, negative ? 1 : 0);
    }
    else if (negative)
    {
        g.setColour (juce::Colours::black);
        g.drawText ("-", getLocalBounds(), juce::Justification::centred, false);
    }
}

//==============================================================================
void NumericDisplayDigit::setPicture (const juce::Image& picture)
{
    image = picture;

    if (image.isValid())
        setSize (image.getWidth(), image.getHeight() / numFrames);
}

void NumericDisplayDigit::setFrame (int newFrame)
{
    if (frame == newFrame)
        return;

    frame = newFrame;
    repaint();
}

void NumericDisplayDigit::paint (juce::Graphics& g)
{
    if (image.isValid())
    {
        drawFrameOf (g, image, numFrames, frame);
    }
    else if (frame != blankFrame)
    {
        g.setColour (juce::Colours::black);
        g.drawText (juce::String (frame - 1), getLocalBounds(), juce::Justification::centred, false);
    }
}

//==============================================================================
NumericDisplay::NumericDisplay (const juce::String& name)
    : juce::Component (name)
{
}

NumericDisplay::~NumericDisplay() = default;

double NumericDisplay::firstDigitWeight (double requested, int numDigits)
{
    if (requested > 0.0)
    {
        const auto exponent = std::round (std::log10 (requested));

        if (std::abs (std::pow (10.0, exponent) - requested) <= requested * 1.0e-9)
            return std::pow (10.0, exponent);
    }

    return std::pow (10.0, numDigits - 1);
}

void NumericDisplay::configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                       EventsMap& events, BasePluginEditor* editor)
{
    GUIController::configureFromXml (element, parameters, events, editor);

    const int numDigits = juce::jlimit (1, 16, SkinReading::getInt (element, "digitsNum", 1));
    minValue = NumberText::parseNumber (SkinReading::getText (element, "minValue"));
    maxValue = NumberText::parseNumber (SkinReading::getText (element, "maxValue"));
    continuous = SkinReading::getText (element, "control") == "continous";

    buildCells (element, numDigits,
                firstDigitWeight (NumberText::parseNumber (SkinReading::getText (element, "firstDigitOrder")), numDigits));

    if (auto* pos = SkinReading::getChild (element, "pos"))
        setTopLeftPosition (SkinReading::getInt (*pos, "left"), SkinReading::getInt (*pos, "top"));

    int width = 0, height = 0;

    if (auto* size = SkinReading::getChild (element, "size"))
    {
        width = SkinReading::getInt (*size, "width");
        height = SkinReading::getInt (*size, "height");
    }

    for (auto* digit : digits)
        height = juce::jmax (height, digit->getHeight());

    setSize (width, height);
    layoutCells (width);
    setSize (juce::jmax (width, digits.getLast()->getRight()), height);
    setDisplayedValue (displayedValue);
}

void NumericDisplay::buildCells (const juce::XmlElement& element, int numDigits, double firstWeight)
{
    removeAllChildren();
    sign.reset();
    digits.clear();

    if (minValue < 0.0)
    {
        sign = std::make_unique<NumericDisplaySign>();
        auto* signElement = SkinReading::getChild (element, "sign");
        sign->setPicture (loadPicture (signElement != nullptr ? SkinReading::getChild (*signElement, "gfx") : nullptr));
        addAndMakeVisible (*sign);
    }

    // Digit pictures come one per digit; when there are fewer, the last one is shared.
    juce::Array<const juce::XmlElement*> pictures;

    if (auto* digitsElement = SkinReading::getChild (element, "digits"))
        for (auto* gfx = XmlReading::firstChild (*digitsElement, "gfx"); gfx != nullptr; gfx = XmlReading::nextSibling (*gfx, "gfx"))
            pictures.add (gfx);

    for (int i = 0; i < numDigits; ++i)
    {
        auto* digit = digits.add (new NumericDisplayDigit (firstWeight / std::pow (10.0, i)));
        digit->setPicture (loadPicture (pictures.isEmpty() ? nullptr : pictures[juce::jmin (i, pictures.size() - 1)]));
        addAndMakeVisible (digit);
    }
}

void NumericDisplay::layoutCells (int totalWidth)
{
    juce::Array<juce::Component*> cells;

    if (sign != nullptr)
        cells.add (sign.get());

    for (auto* digit : digits)
        cells.add (digit);

    // Cells are as wide as their pictures; cells without one share what the size leaves.
    int widthOfPictures = 0, cellsWithoutPicture = 0;

    for (auto* cell : cells)
    {
        widthOfPictures += cell->getWidth();

        if (cell->getWidth() == 0)
            ++cellsWithoutPicture;
    }

    const int sharedWidth = cellsWithoutPicture > 0 ? juce::jmax (0, totalWidth - widthOfPictures) / cellsWithoutPicture : 0;
    int x = 0;

    for (auto* cell : cells)
    {
        const int width = cell->getWidth() > 0 ? cell->getWidth() : sharedWidth;
        cell->setBounds (x, 0, width, getHeight());
        x += width;
    }
}

double NumericDisplay::clampToRange (double value) const
{
    return maxValue > minValue ? juce::jlimit (minValue, maxValue, value) : value;
}

void NumericDisplay::updateFromParameter (Parameter& changed)
{
    setDisplayedValue (changed.getValue());
}

void NumericDisplay::setDisplayedValue (double value)
{
    displayedValue = clampToRange (value);

    const auto magnitude = std::abs (displayedValue);

    if (sign != nullptr)
        sign->setNegative (isEnabled() && displayedValue < 0.0);

    bool leadingZeros = true;

    for (int i = 0; i < digits.size(); ++i)
    {
        auto* digit = digits.getUnchecked (i);
        const bool isUnits = digit->isIntegerDigit() && (i + 1 == digits.size() || ! digits[i + 1]->isIntegerDigit());

        // A small epsilon keeps values like 0.3 from showing as 0.2999...
        const int figure = (int) std::fmod (std::floor (magnitude / digit->getWeight() + 1.0e-9), 10.0);
        leadingZeros = leadingZeros && figure == 0 && digit->isIntegerDigit() && ! isUnits;

        digit->setFrame (isEnabled() && ! leadingZeros ? figure + 1 : NumericDisplayDigit::blankFrame);
    }
}

void NumericDisplay::mouseDown (const juce::MouseEvent& e)
{
    valueOnMouseDown = displayedValue;
    stepOnMouseDown = 0.0;

    if (! continuous)
        for (auto* digit : digits)
            if (digit->getBounds().contains (e.getPosition()))
                stepOnMouseDown = digit->getWeight();

    notifyGestureStarted();
}

void NumericDisplay::mouseDrag (const juce::MouseEvent& e)
{
    const auto pixelsUp = (double) -e.getDistanceFromDragStartY();
    double value = valueOnMouseDown;

    if (continuous)
        value += pixelsUp / pixelsForFullRange * (maxValue - minValue);
    else
        value += std::trunc (pixelsUp / pixelsPerDigitStep) * stepOnMouseDown;

    value = clampToRange (value);

    if (value == displayedValue)
        return;

    setDisplayedValue (value);

    if (auto* bound = getParameter())
    {
        bound->setValue ((float) displayedValue, true);
        notifyValueChanged();
    }
}

void NumericDisplay::mouseUp (const juce::MouseEvent&)
{
    notifyGestureEnded();
}
