#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

/** The images a `TextButtonEx` is drawn from: the two caps and the middle piece, released
    and pressed, and a highlight laid over the whole button while the mouse is over it. */
struct TextButtonPictures
{
    juce::Image left, middle, right;
    juce::Image pressedLeft, pressedMiddle, pressedRight;
    juce::Image highlight;

    bool isComplete() const;
};

/** Fonts, colours, metrics and the small built-in pictures of everything in the editor
    that is not drawn from the skin. Each editor owns one and sets it on itself; components
    that need the extras check that their look-and-feel is one of these. All text uses the
    embedded Tahoma. */
class DefaultLookAndFeel : public juce::LookAndFeel_V2
{
public:
    /** Colours of the framework's own components. */
    enum ColourIds
    {
        basicColour0Id = 0,
        basicColour1Id = 1,
        basicColour2Id = 2,
        basicColour3Id = 3,

        generalBackgroundColourId = 0x0F000000,

        windowBackgroundColourId = 0x0F001000,
        windowBorderColourId = 0x0F001001,
        windowTitleBarColourId = 0x0F001002,
        windowTitleTextColourId = 0x0F001003,
        windowDecorationColourId = 0x0F001004,

        firstListPaletteColourId = 0x0F001100,          // nine entries
        firstKeyboardColourId = 0x0F002100,             // five entries
        pathBoxColourId = 0x0F002200,
        pathTextColourId = 0x0F002201,
        radioButtonsTextColourId = 0x0F002202,
        tabBackgroundColourId = 0x0F003000,
        tabTextColourId = 0x0F003001,
        tabOutlineColourId = 0x0F003002,
        firstColumnBrowserColourId = 0x0F003100,        // nine entries

        statusBarBackgroundColourId = 0x0F004001,
        statusBarTextColourId = 0x0F004002
    };

    DefaultLookAndFeel();
    ~DefaultLookAndFeel() override;

    /** The look-and-feel of a component when it is a DefaultLookAndFeel, else null. */
    static DefaultLookAndFeel* of (juce::Component&);

    /** The font of plain texts in the framework's windows: Tahoma 13. */
    juce::Font getStandardFont() const                      { return standardFont; }

    //==============================================================================
    // Pictures and metrics of the framework's check boxes, radio buttons, path rows,
    // windows, tabs and status bar.
    juce::Image getCheckBoxImage (bool ticked) const        { return ticked ? checkBoxOn : checkBoxOff; }
    juce::Font getCheckBoxFont() const                      { return standardFont; }
    int getCheckBoxTextGap() const                          { return 5; }

    juce::Image getRadioButtonImage (bool selected) const   { return selected ? radioButtonOn : radioButtonOff; }
    juce::Font getRadioButtonsTitleFont() const             { return secondFont; }
    juce::Font getRadioButtonsOptionFont() const            { return standardFont; }
    int getRadioButtonsTitleInset() const                   { return 13; }
    int getRadioButtonsTitleMargin() const                  { return 4; }
    int getRadioButtonsButtonInset() const                  { return 6; }
    int getRadioButtonsVerticalMargin() const               { return 2; }
    int getRadioButtonsRowHeight() const                    { return 20; }
    float getRadioButtonsCornerRadius() const               { return 4.0f; }
    int getRadioButtonsTextGap() const                      { return 6; }

    juce::Font getPathFont() const                          { return secondFont; }
    int getPathTextHeight() const                           { return 13; }
    int getPathMargin() const                               { return 4; }
    juce::BorderSize<int> getWindowContentInsets() const    { return { 18, 8, 8, 8 }; }
    juce::Font getTextButtonExFont() const                    { return secondFont; }

    int getTabBarDepth() const                              { return 23; }
    int getTabIndent() const                                { return 8; }

    juce::Font getStatusBarFont() const                     { return standardFont; }
    int getStatusBarHeight() const                          { return 16; }

    int getBorderThickness() const                          { return 1; }
    int getSeparatorThickness() const                       { return 1; }

    /** The pictures of a text button; style 1 is the small button beside a path, any
        other style the standard dialog button. */
    const TextButtonPictures& getTextButtonPictures (int style) const;

    /** The close button of the framework's windows, released or pressed. */
    juce::Image getCloseButtonImage (bool pressed) const    { return pressed ? closeButtonPressed : closeButton; }

    /** The arrow of the framework's scroll and menu buttons, pointing up, and its turned
        copies pointing right, down and left. */
    const juce::Path& getArrow (int quarterTurns) const     { return arrows[(size_t) (quarterTurns & 3)]; }

    //==============================================================================
    juce::Typeface::Ptr getTypefaceForFont (const juce::Font&) override;
    int getTabButtonOverlap (int tabDepth) override;
    int getTabButtonSpaceAroundImage() override;
    int getDefaultScrollbarWidth() override;
    int getScrollbarButtonSize (juce::ScrollBar&) override;

private:
    void setColourTable();
    void drawPictures();

    juce::Font standardFont, secondFont;
    std::array<juce::Path, 4> arrows;
    juce::Image checkBoxOff, checkBoxOn, radioButtonOff, radioButtonOn;
    juce::Image closeButton, closeButtonPressed;
    TextButtonPictures dialogButton, smallButton;
};
