#include "OptionsWindow.h"

OptionsWindow::OptionsWindow()
{
    addAndMakeVisible (tabs);
}

OptionsWindow::~OptionsWindow() = default;

void OptionsWindow::setDocked (bool shouldBeDocked)
{
    docked = shouldBeDocked;
    setRounded (! docked);
    setTitleBarShown (! docked);
    setBorderShown (! docked);
    setDecorationPosition (docked ? WindowPictures::topDecoration : WindowPictures::noDecoration);
    resized();
    repaint();
}

void OptionsWindow::resized()
{
    WindowComponent::resized();
    tabs.setBounds (getContentBounds());
}
