#include "AboutWindow.h"

#include "../editor/DefaultLookAndFeel.h"
#include "../plugin/SoftwareDesignation.h"

namespace
{
    struct LineStyle
    {
        float height;
        bool bold;
    };

    // Name, description, format and version, build, notice, VST notice.
    constexpr LineStyle lineStyles[] { { 17.0f, true }, { 15.0f, false }, { 15.0f, false },
                                       { 12.0f, false }, { 12.0f, false }, { 12.0f, false } };
    constexpr int lineGap = 3;
    constexpr int firstNoticeLine = 4;
    const juce::Font linkFont ("Tahoma", 13.0f, juce::Font::underlined);
}

AboutWindow::AboutWindow (const SoftwareDesignation* productDesignation)
    : designation (productDesignation)
{
    setName ("AboutWindow");
    setTitleBarShown (false);

    if (designation != nullptr)
    {
        link.setButtonText (designation->getWebAddress());
        link.setURL (juce::URL (designation->getWebAddress()));
    }

    link.setFont (linkFont, false, juce::Justification::centredRight);
    addAndMakeVisible (link);
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::lookAndFeelChanged()
{
    // The about window is drawn in the palette's colours, not in those of the other windows.
    setColour (DefaultLookAndFeel::windowBackgroundColourId, findColour (DefaultLookAndFeel::basicColour0Id));
    setColour (DefaultLookAndFeel::windowBorderColourId, findColour (DefaultLookAndFeel::basicColour1Id));
    link.setColour (juce::HyperlinkButton::textColourId, findColour (DefaultLookAndFeel::basicColour3Id));
    WindowComponent::lookAndFeelChanged();
}

juce::StringArray AboutWindow::getLines() const
{
    if (designation == nullptr)
        return {};

    const auto& d = *designation;
    const auto lastYear = d.getBuildDate().substring (0, 4);
    const auto years = d.getFirstYear() == lastYear ? lastYear : d.getFirstYear() + "-" + lastYear;

    return { d.getProductName().toUpperCase(),
             d.getProductDescription(),
             d.getPluginFormat() + " " + d.getPlatform() + "  Version " + d.getVersionString(),
             (d.getBuildNumber() + "; " + d.getBuildDate() + " " + d.getEditionNote()).trimEnd(),
             juce::String (juce::CharPointer_UTF8 ("\xc2\xa9 ")) + years + " " + d.getMakerName() + ". All rights reserved.",
             "VST Plug-In Technology by Steinberg." };
}

void AboutWindow::resized()
{
    WindowComponent::resized();
    textBox = getContentBounds();

    const int linkWidth = linkFont.getStringWidth (link.getButtonText()) + 8;
    link.setBounds (textBox.getRight() - textInset - linkWidth, textBox.getY() + linkTop, linkWidth, 18);
}

void AboutWindow::paint (juce::Graphics& g)
{
    WindowComponent::paint (g);

    const auto box = textBox.toFloat();
    g.setColour (juce::Colour (boxColour).darker (boxDarkening));
    g.fillRoundedRectangle (box, 4.0f);
    g.setColour (juce::Colours::white);
    g.drawRoundedRectangle (box.reduced (0.5f), 4.0f, 1.0f);

    g.setColour (findColour (DefaultLookAndFeel::basicColour2Id));
    auto area = textBox.reduced (textInset, textInset / 2);
    const auto lines = getLines();

    // The product's lines hang from the top, the notices stand on the bottom.
    for (int i = 0; i < lines.size(); ++i)
    {
        const auto style = lineStyles[i];
        const int height = (int) std::ceil (style.height) + lineGap;
        g.setFont (juce::Font ("Tahoma", style.height, style.bold ? juce::Font::bold : juce::Font::plain));
        g.drawText (lines[i], i < firstNoticeLine ? area.removeFromTop (height) : area.withTop (area.getBottom() - (lines.size() - i) * height).withHeight (height),
                    juce::Justification::centredLeft, false);
    }
}
