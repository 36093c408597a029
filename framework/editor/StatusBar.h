#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The strip under the skin that shows one message at a time. It takes its height from
    the DefaultLookAndFeel and keeps its previous height under any other look-and-feel. */
class StatusBar : public juce::Component
{
public:
    StatusBar();

    void lookAndFeelChanged() override;
    void parentHierarchyChanged() override;
    void paint (juce::Graphics&) override;

private:
    void takeLookAndFeel();
};
