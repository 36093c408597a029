#include "WindowComponent.h"

#include "../editor/DefaultLookAndFeel.h"

namespace
{
    constexpr int titleBarExtraHeight = 43;   // title bar, its margins and the frame's
    constexpr int closeButtonRightMargin = 10;
    constexpr int defaultCloseButtonSide = 16;
}

WindowComponent::WindowComponent()
    : titleIcon (WindowPictures::getTitleIcon())
{
    closeButton.setSize (defaultCloseButtonSide, defaultCloseButtonSide);
    closeButton.addListener (this);
    addAndMakeVisible (closeButton);
    takeCloseButtonPictures();
}

WindowComponent::~WindowComponent()
{
    closeButton.removeListener (this);
}

//==============================================================================
void WindowComponent::setTitle (const juce::String& newTitle)
{
    if (newTitle == title)
        return;

    title = newTitle;

    if (titleBarShown)
        repaint();
}

void WindowComponent::setRounded (bool shouldBeRounded)
{
    rounded = shouldBeRounded;
    repaint();
}

void WindowComponent::setTitleBarShown (bool shouldBeShown)
{
    titleBarShown = shouldBeShown;
    closeButton.setVisible (shouldBeShown);
    resized();
    repaint();
}

void WindowComponent::setBorderShown (bool shouldBeShown)
{
    borderShown = shouldBeShown;
    resized();
    repaint();
}

void WindowComponent::setDecorationPosition (int newPosition)
{
    decorationPosition = newPosition;
    decorationStrip = WindowPictures::getDecorationStrip (newPosition);
    resized();
    repaint();
}

//==============================================================================
int WindowComponent::getDecorationDepth() const
{
    switch (decorationPosition)
    {
        case WindowPictures::topDecoration:
        case WindowPictures::bottomDecoration:  return decorationStrip.getHeight();
        case WindowPictures::leftDecoration:
        case WindowPictures::rightDecoration:   return decorationStrip.getWidth();
        default:                                return 0;
    }
}

void WindowComponent::setContentSize (int contentWidth, int contentHeight)
{
    int width = contentWidth + 2 * frameMargin;
    int height = contentHeight + (titleBarShown ? titleBarExtraHeight : 2 * frameMargin);

    if (borderShown)
    {
        width += 2 * borderThickness;
        height += 2 * borderThickness;
    }

    if (decorationPosition == WindowPictures::topDecoration || decorationPosition == WindowPictures::bottomDecoration)
        height += getDecorationDepth();
    else
        width += getDecorationDepth();

    setSize (juce::jmax (minimumWidth, width), juce::jmax (minimumHeight, height));
}

juce::Rectangle<int> WindowComponent::getContentBounds() const
{
    auto area = getLocalBounds();

    if (borderShown)
        area.reduce (borderThickness, borderThickness);

    const int depth = getDecorationDepth();

    switch (decorationPosition)
    {
        case WindowPictures::topDecoration:     area.removeFromTop (depth); break;
        case WindowPictures::bottomDecoration:  area.removeFromBottom (depth); break;
        case WindowPictures::leftDecoration:    area.removeFromLeft (depth); break;
        case WindowPictures::rightDecoration:   area.removeFromRight (depth); break;
        default: break;
    }

    area.reduce (juce::jmin (frameMargin, area.getWidth() / 2), juce::jmin (frameMargin, area.getHeight() / 2));

    if (titleBarShown)
        area.removeFromTop (titleBarSpace);

    return area;
}

//==============================================================================
void WindowComponent::resized()
{
    const int width = getWidth();
    const int buttonWidth = closeButton.getWidth();
    const int iconWidth = titleIcon.getWidth();

    closeButton.setTopLeftPosition (width - buttonWidth - closeButtonRightMargin, titleBarInset);
    titleBarBounds = { titleBarInset, titleBarInset, width - 2 * titleBarInset, titleBarHeight };
    titleTextBounds = { iconWidth + 14, titleBarInset, width - buttonWidth - iconWidth - 28, titleBarHeight };
}

void WindowComponent::lookAndFeelChanged()
{
    takeCloseButtonPictures();
}

// A window built before it joins the editor gets the editor's look only then.
void WindowComponent::parentHierarchyChanged()
{
    takeCloseButtonPictures();
}

void WindowComponent::takeCloseButtonPictures()
{
    if (auto* look = DefaultLookAndFeel::of (*this))
    {
        const auto normal = look->getCloseButtonImage (false);
        const auto pressed = look->getCloseButtonImage (true);

        if (normal.isValid())
            closeButton.setImages (true, false, true,
                                   normal, 1.0f, {},
                                   normal, 1.0f, juce::Colours::white.withAlpha (0.25f),
                                   pressed.isValid() ? pressed : normal, 1.0f, {});
    }

    resized();
}

void WindowComponent::buttonClicked (juce::Button* button)
{
    if (button == &closeButton)
        hide();
}

//==============================================================================
void WindowComponent::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();

    g.setColour (findColour (DefaultLookAndFeel::windowBackgroundColourId));

    if (rounded)
        g.fillRoundedRectangle (borderShown ? bounds.reduced (1.0f) : bounds, cornerRadius);
    else
        g.fillAll();

    paintDecoration (g);

    if (borderShown)
    {
        g.setColour (findColour (DefaultLookAndFeel::windowBorderColourId));
        const auto outline = bounds.reduced (borderThickness * 0.5f);

        if (rounded)
            g.drawRoundedRectangle (outline, cornerRadius, (float) borderThickness);
        else
            g.drawRect (bounds, (float) borderThickness);
    }

    if (titleBarShown)
        paintTitleBar (g);
}

void WindowComponent::paintDecoration (juce::Graphics& g)
{
    if (! decorationStrip.isValid())
        return;

    const int stripWidth = decorationStrip.getWidth(), stripHeight = decorationStrip.getHeight();
    juce::Rectangle<int> area;

    switch (decorationPosition)
    {
        case WindowPictures::topDecoration:     area = { 0, 0, getWidth(), stripHeight }; break;
        case WindowPictures::bottomDecoration:  area = { 0, getHeight() - stripHeight, getWidth(), stripHeight }; break;
        case WindowPictures::leftDecoration:    area = { 0, 0, stripWidth, getHeight() }; break;
        case WindowPictures::rightDecoration:   area = { getWidth() - stripWidth, 0, stripWidth, getHeight() }; break;
        default:                                return;
    }

    g.drawImage (decorationStrip, area.toFloat(), juce::RectanglePlacement::stretchToFit);
}

void WindowComponent::paintTitleBar (juce::Graphics& g)
{
    const auto bar = titleBarBounds.toFloat();
    const auto textColour = findColour (DefaultLookAndFeel::windowTitleTextColourId);

    g.setColour (findColour (DefaultLookAndFeel::windowTitleBarColourId));
    g.fillRoundedRectangle (bar.reduced (1.0f), 4.0f);
    g.setColour (textColour);
    g.drawRoundedRectangle (bar, 5.0f, 1.0f);

    if (titleIcon.isValid())
        g.drawImageAt (titleIcon, titleBarBounds.getX() + 3, titleBarBounds.getY() + 2);

    g.setFont (titleFont);
    g.drawText (title, titleTextBounds, juce::Justification::centredLeft, true);
}
