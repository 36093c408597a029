#pragma once

#include "WindowComponent.h"

class SoftwareDesignation;

/** What the product is: name, description, version, build, format and platform, the
    maker's notice and a link to the product's web page, over the dimmed editor. A press
    anywhere on it closes it. */
class AboutWindow : public WindowComponent
{
public:
    /** The designation (usually the processor) is not owned and may be null. */
    explicit AboutWindow (const SoftwareDesignation* designation);
    ~AboutWindow() override;

    bool shouldDarkenBackground() override              { return true; }

    juce::HyperlinkButton& getLink() noexcept           { return link; }

    /** The lines of text in painting order; the fifth is the maker's notice. */
    juce::StringArray getLines() const;

    void mouseDown (const juce::MouseEvent&) override   { hide(); }
    void lookAndFeelChanged() override;
    void parentHierarchyChanged() override              { lookAndFeelChanged(); }
    void paint (juce::Graphics&) override;
    void resized() override;

    static constexpr juce::uint32 boxColour = 0xffffa500;
    static constexpr float boxDarkening = 0.75f;
    static constexpr int linkTop = 27;
    static constexpr int textInset = 10;

private:
    const SoftwareDesignation* const designation;
    juce::HyperlinkButton link;
    juce::Rectangle<int> textBox;

    JUCE_DECLARE_NON_COPYABLE (AboutWindow)
};
