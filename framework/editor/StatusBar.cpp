#include "StatusBar.h"

#include "DefaultLookAndFeel.h"

StatusBar::StatusBar()
{
    setName ("StatusBar");
    takeLookAndFeel();
}

void StatusBar::showMessage (const juce::String& message, int messagePriority, int lifetimeMs)
{
    if (message == text || priority > messagePriority)
        return;

    text = message;
    priority = messagePriority;

    if (lifetimeMs > 0)
        startTimer (lifetimeMs);
    else
        stopTimer();

    repaint();
}

void StatusBar::clear()
{
    priority = idlePriority;

    if (text.isEmpty())
        return;

    text.clear();
    stopTimer();
    repaint();
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
    {
        font = defaultLookAndFeel->getStatusBarFont();
        setSize (getWidth(), defaultLookAndFeel->getStatusBarHeight());
    }
}

void StatusBar::paint (juce::Graphics& g)
{
    g.fillAll (findColour (DefaultLookAndFeel::statusBarBackgroundColourId));
    g.setColour (findColour (DefaultLookAndFeel::statusBarTextColourId));
    g.setFont (font);
    g.drawText (text, getLocalBounds().withTrimmedLeft (textIndent), juce::Justification::centredLeft, false);
}
