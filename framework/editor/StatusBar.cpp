#include "StatusBar.h"

#include "DefaultLookAndFeel.h"

StatusBar::StatusBar()
{
    setName ("StatusBar");
    takeLookAndFeel();
}

void StatusBar::lookAndFeelChanged()
{
    takeLookAndFeel();
}

void StatusBar::parentHierarchyChanged()
{
    takeLookAndFeel();
}

void StatusBar::takeLookAndFeel()
{
    if (auto* defaultLookAndFeel = DefaultLookAndFeel::of (*this))
        setSize (getWidth(), defaultLookAndFeel->getStatusBarHeight());
}

void StatusBar::paint (juce::Graphics& g)
{
    g.fillAll (findColour (DefaultLookAndFeel::statusBarBackgroundColourId));
}
