#include "DefaultLookAndFeel.h"

#include "EmbeddedFonts.h"
#include "../windows/WindowPictures.h"

namespace
{
    struct ColourEntry
    {
        int id;
        juce::uint32 argb;
    };

    const ColourEntry colourTable[] =
    {
        { juce::Slider::rotarySliderOutlineColourId, 0xff000000 },
        { juce::Slider::rotarySliderFillColourId,    0xff808080 },
        { juce::TooltipWindow::outlineColourId,      0xff444444 },
        { juce::TooltipWindow::textColourId,         0xff000000 },
        { juce::ScrollBar::thumbColourId,            0xff6e6e6e },
        { juce::ScrollBar::trackColourId,            0xffcccccc },

        { DefaultLookAndFeel::generalBackgroundColourId, 0xffe3e3e3 },

        { DefaultLookAndFeel::windowBackgroundColourId,  0xffc5c5c5 },
        { DefaultLookAndFeel::windowBorderColourId,      0xff444444 },
        { DefaultLookAndFeel::windowTitleBarColourId,    0xff444444 },
        { DefaultLookAndFeel::windowTitleTextColourId,   0xffffffff },
        { DefaultLookAndFeel::windowDecorationColourId,  0xffffffff },

        { DefaultLookAndFeel::firstListPaletteColourId + 0, 0xffc5c5c5 },
        { DefaultLookAndFeel::firstListPaletteColourId + 1, 0xffe3e3e3 },
        { DefaultLookAndFeel::firstListPaletteColourId + 2, 0xffffffff },
        { DefaultLookAndFeel::firstListPaletteColourId + 3, 0xffe3e3e3 },
        { DefaultLookAndFeel::firstListPaletteColourId + 4, 0xff000000 },
        { DefaultLookAndFeel::firstListPaletteColourId + 5, 0xffadadad },
        { DefaultLookAndFeel::firstListPaletteColourId + 6, 0xffffffff },
        { DefaultLookAndFeel::firstListPaletteColourId + 7, 0xff5b5b5b },
        { DefaultLookAndFeel::firstListPaletteColourId + 8, 0xffffffff },

        { DefaultLookAndFeel::firstKeyboardColourId + 0, 0xff000000 },
        { DefaultLookAndFeel::firstKeyboardColourId + 1, 0xffffffff },
        { DefaultLookAndFeel::firstKeyboardColourId + 2, 0xff000000 },
        { DefaultLookAndFeel::firstKeyboardColourId + 3, 0xffb2b2b2 },
        { DefaultLookAndFeel::firstKeyboardColourId + 4, 0xff7f7f7f },

        { DefaultLookAndFeel::pathBoxColourId,           0xffe3e3e3 },
        { DefaultLookAndFeel::pathTextColourId,          0xff000000 },
        { DefaultLookAndFeel::radioButtonsTextColourId,  0xffffffff },

        { DefaultLookAndFeel::tabBackgroundColourId,     0xffc5c5c5 },
        { DefaultLookAndFeel::tabTextColourId,           0xff000000 },
        { DefaultLookAndFeel::tabOutlineColourId,        0xff5b5b5b },

        { DefaultLookAndFeel::firstColumnBrowserColourId + 0, 0xffc5c5c5 },
        { DefaultLookAndFeel::firstColumnBrowserColourId + 1, 0xffe3e3e3 },
        { DefaultLookAndFeel::firstColumnBrowserColourId + 2, 0xffffffff },
        { DefaultLookAndFeel::firstColumnBrowserColourId + 3, 0xffe3e3e3 },
        { DefaultLookAndFeel::firstColumnBrowserColourId + 4, 0xff000000 },
        { DefaultLookAndFeel::firstColumnBrowserColourId + 5, 0xffadadad },
        { DefaultLookAndFeel::firstColumnBrowserColourId + 6, 0xffffffff },
        { DefaultLookAndFeel::firstColumnBrowserColourId + 7, 0xff5b5b5b },
        { DefaultLookAndFeel::firstColumnBrowserColourId + 8, 0xffffffff },

        { DefaultLookAndFeel::statusBarBackgroundColourId, 0xff444444 },
        { DefaultLookAndFeel::statusBarTextColourId,       0xffffffff },

        { DefaultLookAndFeel::basicColour0Id, 0xff000000 },
        { DefaultLookAndFeel::basicColour1Id, 0xffffffff },
        { DefaultLookAndFeel::basicColour2Id, 0xffffffff },
        { DefaultLookAndFeel::basicColour3Id, 0xffffff00 }
    };

    juce::Path makeArrow()
    {
        juce::Path arrow;
        arrow.startNewSubPath (4.0f, 11.0f);
        arrow.lineTo (4.0f, 8.0f);
        arrow.lineTo (1.75f, 8.0f);
        arrow.lineTo (6.5f, 1.6f);
        arrow.lineTo (11.25f, 8.0f);
        arrow.lineTo (9.0f, 8.0f);
        arrow.lineTo (9.0f, 11.0f);
        arrow.closeSubPath();
        return arrow;
    }

    //==============================================================================
    // The built-in pictures: small bevelled controls in the greys of the windows.
    constexpr int boxSide = 13;

    juce::Image drawCheckBox (bool ticked)
    {
        juce::Image image (juce::Image::ARGB, boxSide, boxSide, true);
        juce::Graphics g (image);
        const auto box = juce::Rectangle<float> (0.5f, 0.5f, boxSide - 1.0f, boxSide - 1.0f);

        g.setGradientFill (juce::ColourGradient (juce::Colour (0xffd8d8d8), 0.0f, 0.0f,
                                                 juce::Colours::white, 0.0f, (float) boxSide, false));
        g.fillRoundedRectangle (box, 2.0f);
        g.setColour (juce::Colour (0xff444444));
        g.drawRoundedRectangle (box, 2.0f, 1.0f);

        if (ticked)
        {
            juce::Path tick;
            tick.startNewSubPath (3.0f, 6.5f);
            tick.lineTo (5.5f, 9.5f);
            tick.lineTo (10.0f, 3.0f);
            g.setColour (juce::Colour (0xff202020));
            g.strokePath (tick, juce::PathStrokeType (2.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
        }

        return image;
    }

    juce::Image drawRadioButton (bool selected)
    {
        juce::Image image (juce::Image::ARGB, boxSide, boxSide, true);
        juce::Graphics g (image);
        const auto circle = juce::Rectangle<float> (0.5f, 0.5f, boxSide - 1.0f, boxSide - 1.0f);

        g.setGradientFill (juce::ColourGradient (juce::Colour (0xffd8d8d8), 0.0f, 0.0f,
                                                 juce::Colours::white, 0.0f, (float) boxSide, false));
        g.fillEllipse (circle);
        g.setColour (juce::Colour (0xff444444));
        g.drawEllipse (circle, 1.0f);

        if (selected)
        {
            g.setColour (juce::Colour (0xff202020));
            g.fillEllipse (circle.reduced (3.5f));
        }

        return image;
    }

    /** Draws a whole button face and cuts it into left cap, one-pixel middle and right cap. */
    void drawTextButtonFace (juce::Colour top, juce::Colour bottom, juce::Colour outline, int height,
                             juce::Image& left, juce::Image& middle, juce::Image& right)
    {
        constexpr int capWidth = 10;
        const int width = capWidth * 2 + 1;
        juce::Image face (juce::Image::ARGB, width, height, true);

        {
            juce::Graphics g (face);
            const auto area = juce::Rectangle<float> (0.5f, 0.5f, (float) width - 1.0f, (float) height - 1.0f);
            g.setGradientFill (juce::ColourGradient (top, 0.0f, 0.0f, bottom, 0.0f, (float) height, false));
            g.fillRoundedRectangle (area, 4.0f);
            g.setColour (juce::Colours::white.withAlpha (0.35f));
            g.drawHorizontalLine (2, 4.0f, (float) width - 4.0f);
            g.setColour (outline);
            g.drawRoundedRectangle (area, 4.0f, 1.0f);
        }

        left = face.getClippedImage ({ 0, 0, capWidth, height }).createCopy();
        middle = face.getClippedImage ({ capWidth, 0, 1, height }).createCopy();
        right = face.getClippedImage ({ capWidth + 1, 0, capWidth, height }).createCopy();
    }

    TextButtonPictures drawTextButton (juce::Colour top, juce::Colour bottom, int height)
    {
        TextButtonPictures pictures;
        const juce::Colour outline (0xff444444);
        drawTextButtonFace (top, bottom, outline, height, pictures.left, pictures.middle, pictures.right);
        drawTextButtonFace (bottom.darker (0.25f), top.darker (0.25f), outline, height,
                            pictures.pressedLeft, pictures.pressedMiddle, pictures.pressedRight);

        pictures.highlight = juce::Image (juce::Image::ARGB, 1, height, true);
        juce::Graphics g (pictures.highlight);
        g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.3f), 0.0f, 0.0f,
                                                 juce::Colours::white.withAlpha (0.0f), 0.0f, (float) height, false));
        g.fillAll();
        return pictures;
    }
}

bool TextButtonPictures::isComplete() const
{
    for (auto* image : { &left, &middle, &right, &pressedLeft, &pressedMiddle, &pressedRight, &highlight })
        if (! image->isValid())
            return false;

    return true;
}

//==============================================================================
DefaultLookAndFeel::DefaultLookAndFeel()
{
    EmbeddedFonts::install();

    standardFont = juce::Font ("Tahoma", 13.0f, juce::Font::plain);
    secondFont = juce::Font ("Tahoma", 13.0f, juce::Font::plain);

    setColourTable();

    const auto arrow = makeArrow();

    for (size_t turn = 0; turn < arrows.size(); ++turn)
    {
        arrows[turn] = arrow;
        arrows[turn].applyTransform (juce::AffineTransform::rotation ((float) turn * juce::MathConstants<float>::halfPi, 6.5f, 6.5f));
    }

    drawPictures();
}

DefaultLookAndFeel::~DefaultLookAndFeel() = default;

DefaultLookAndFeel* DefaultLookAndFeel::of (juce::Component& component)
{
    return dynamic_cast<DefaultLookAndFeel*> (&component.getLookAndFeel());
}

void DefaultLookAndFeel::setColourTable()
{
    for (const auto& entry : colourTable)
        setColour (entry.id, juce::Colour (entry.argb));
}

void DefaultLookAndFeel::drawPictures()
{
    checkBoxOff = drawCheckBox (false);
    checkBoxOn = drawCheckBox (true);
    radioButtonOff = drawRadioButton (false);
    radioButtonOn = drawRadioButton (true);
    dialogButton = drawTextButton (juce::Colour (0xffeeeeee), juce::Colour (0xffb8b8b8), 20);
    smallButton = drawTextButton (juce::Colour (0xffdadada), juce::Colour (0xffa4a4a4), 18);
    closeButton = WindowPictures::getCloseButton (false);
    closeButtonPressed = WindowPictures::getCloseButton (true);
}

const TextButtonPictures& DefaultLookAndFeel::getTextButtonPictures (int style) const
{
    return style == 1 ? smallButton : dialogButton;
}

juce::Typeface::Ptr DefaultLookAndFeel::getTypefaceForFont (const juce::Font& font)
{
    return EmbeddedFonts::getTypeface (font.isBold());
}

int DefaultLookAndFeel::getTabButtonOverlap (int)       { return 4; }
int DefaultLookAndFeel::getTabButtonSpaceAroundImage()  { return 1; }
int DefaultLookAndFeel::getDefaultScrollbarWidth()      { return 13; }
int DefaultLookAndFeel::getScrollbarButtonSize (juce::ScrollBar&) { return 13; }
