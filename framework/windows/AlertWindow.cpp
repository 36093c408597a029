#include "AlertWindow.h"

namespace Vexa
{
    AlertWindow::AlertWindow()
    {
        messageLabel.setJustificationType (juce::Justification::centredLeft);
        messageLabel.setBorderSize ({});
        messageLabel.setFont (getMessageFont());
        addAndMakeVisible (messageLabel);
        addAndMakeVisible (buttonRow);
    }

    AlertWindow::~AlertWindow()
    {
        for (auto* button : buttons)
            button->removeListener (this);
    }

    std::unique_ptr<AlertWindow> AlertWindow::createConfirmation (const juce::String& title, const juce::String& message,
                                                                  Caller* caller)
    {
        auto alert = std::make_unique<AlertWindow>();
        alert->setTitle (title);
        alert->setMessage (message);
        alert->addButton ("Yes", 1);
        alert->addButton ("No", 0);
        alert->setCaller (caller);
        return alert;
    }

    juce::Font AlertWindow::getMessageFont()
    {
        if (auto* look = DefaultLookAndFeel::of (*this))
            return look->getStandardFont();

        return juce::Font ("Tahoma", 13.0f, juce::Font::plain);
    }

    void AlertWindow::setMessage (const juce::String& message)
    {
        messageLabel.setText (message, juce::dontSendNotification);
        updateSize();
    }

    void AlertWindow::addButton (const juce::String& text, int returnValue)
    {
        auto* button = buttons.add (new TextButtonEx (text, text));
        returnValues.add (returnValue);
        button->addListener (this);
        buttonRow.addAndMakeVisible (button);
        updateSize();
    }

    void AlertWindow::lookAndFeelChanged()
    {
        WindowComponent::lookAndFeelChanged();
        messageLabel.setFont (getMessageFont());
        buttonRow.layOut();
        updateSize();
    }

    void AlertWindow::childBoundsChanged (juce::Component* child)
    {
        // The buttons size themselves to their text when they get the editor's look.
        if (child == &buttonRow)
            updateSize();
    }

    void AlertWindow::updateSize()
    {
        if (sizing)
            return;

        const juce::ScopedValueSetter<bool> busy (sizing, true);
        const auto font = messageLabel.getFont();
        const int textWidth = juce::roundToInt (std::ceil (font.getStringWidthFloat (messageLabel.getText())));

        setContentSize (juce::jmax (textWidth, buttonRow.getWidth()),
                        buttonRow.getHeight() + juce::roundToInt (std::ceil (font.getHeight())) + buttonRowSpacing);
        resized();
    }

    void AlertWindow::resized()
    {
        WindowComponent::resized();

        auto area = getContentBounds();
        const auto rowArea = area.removeFromBottom (buttonRow.getHeight());
        area.removeFromBottom (buttonRowSpacing);

        buttonRow.setTopLeftPosition (rowArea.getRight() - buttonRow.getWidth(), rowArea.getY());
        messageLabel.setBounds (area);
    }

    void AlertWindow::buttonClicked (juce::Button* button)
    {
        const int index = buttons.indexOf (dynamic_cast<TextButtonEx*> (button));

        if (index < 0)
        {
            WindowComponent::buttonClicked (button);
            return;
        }

        hide();

        if (caller != nullptr)
            caller->alertWindowClosed (this, returnValues[index]);
    }
}
