#pragma once

#include "PseudoModalComponent.h"
#include "WindowPictures.h"

/** The framed dialog: a rounded window with a border, a title bar with icon, title and
    close button, and optionally a decoration strip along one side. Subclasses add their
    content as children and place it in `getContentBounds` when resized.

    Without title bar and border (the editor docks some windows under its skin that way)
    it is a plain panel in the window colour. */
class WindowComponent : public PseudoModalComponent,
                        public juce::Button::Listener
{
public:
    WindowComponent();
    ~WindowComponent() override;

    void setTitle (const juce::String& newTitle);
    const juce::String& getTitle() const noexcept       { return title; }

    void setRounded (bool shouldBeRounded);
    void setTitleBarShown (bool shouldBeShown);
    void setBorderShown (bool shouldBeShown);

    /** One of WindowPictures::Decoration: none, top, bottom, left or right. */
    void setDecorationPosition (int newPosition);

    bool isRounded() const noexcept                     { return rounded; }
    bool isTitleBarShown() const noexcept               { return titleBarShown; }
    bool isBorderShown() const noexcept                 { return borderShown; }
    int getDecorationPosition() const noexcept          { return decorationPosition; }

    /** Sizes the window around content of the given size (never below the minimum); the
        position stays. */
    void setContentSize (int contentWidth, int contentHeight);

    /** The area left for content inside frame, decoration and title bar. */
    juce::Rectangle<int> getContentBounds() const;

    juce::ImageButton& getCloseButton() noexcept        { return closeButton; }
    juce::Rectangle<int> getTitleBarBounds() const noexcept  { return titleBarBounds; }
    juce::Rectangle<int> getTitleTextBounds() const noexcept { return titleTextBounds; }
    const juce::Image& getDecorationStrip() const noexcept   { return decorationStrip; }

    /** The close button hides the window. */
    void buttonClicked (juce::Button*) override;

    void paint (juce::Graphics&) override;
    void resized() override;
    void lookAndFeelChanged() override;
    void parentHierarchyChanged() override;

    static constexpr int minimumWidth = 250, minimumHeight = 120;
    static constexpr int frameMargin = 5, borderThickness = 3, titleBarSpace = 33;
    static constexpr int titleBarInset = 8, titleBarHeight = 28;
    static constexpr float cornerRadius = 8.0f;

private:
    /** How much the decoration strip adds across its side: the height of a top or bottom
        strip, the width of a left or right one. */
    int getDecorationDepth() const;
    void paintDecoration (juce::Graphics&);
    void paintTitleBar (juce::Graphics&);
    void takeCloseButtonPictures();

    juce::ImageButton closeButton { "CloseButton" };
    juce::Image titleIcon, decorationStrip;
    juce::String title;
    juce::Font titleFont { "Tahoma", 15.0f, juce::Font::bold };
    bool rounded = true, titleBarShown = true, borderShown = true;
    int decorationPosition = WindowPictures::noDecoration;
    juce::Rectangle<int> titleBarBounds, titleTextBounds;
};
