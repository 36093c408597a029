#pragma once

#include "ComponentRow.h"
#include "WindowComponent.h"
#include "../editor/controls/TextButtonEx.h"

namespace Vexa
{
    /** A framed message with a row of buttons, shown over a dimmed editor. A button hides
        the alert and tells the caller its return value; the close button only hides it. */
    class AlertWindow : public WindowComponent
    {
    public:
        /** Told which button closed an alert. */
        class Caller
        {
        public:
            virtual ~Caller() = default;
            virtual void alertWindowClosed (AlertWindow*, int returnValue) = 0;
        };

        AlertWindow();
        ~AlertWindow() override;

        /** A "Yes" (1) / "No" (0) question. The caller owns the alert: it adds it as its
            child and shows it. */
        static std::unique_ptr<AlertWindow> createConfirmation (const juce::String& title, const juce::String& message,
                                                                Caller* caller);

        void setMessage (const juce::String& message);
        juce::String getMessage() const                 { return messageLabel.getText(); }

        void setCaller (Caller* newCaller) noexcept     { caller = newCaller; }
        Caller* getCaller() const noexcept              { return caller; }

        /** Appends a button that closes the alert with the given return value. */
        void addButton (const juce::String& text, int returnValue);

        int getNumButtons() const noexcept              { return buttons.size(); }
        TextButtonEx* getButton (int index) const       { return buttons[index]; }
        const ComponentRow& getButtonRow() const noexcept { return buttonRow; }
        const juce::Label& getMessageLabel() const noexcept { return messageLabel; }

        bool shouldDarkenBackground() override          { return true; }
        void buttonClicked (juce::Button*) override;
        void resized() override;
        void lookAndFeelChanged() override;
        void childBoundsChanged (juce::Component*) override;

        static constexpr int buttonRowSpacing = 10;

    private:
        /** Sizes the window to the message and the buttons, then lays it out. */
        void updateSize();
        juce::Font getMessageFont();

        juce::Label messageLabel;
        ComponentRow buttonRow { false, 0, ComponentRow::alignEnd };
        juce::OwnedArray<TextButtonEx> buttons;
        juce::Array<int> returnValues;
        Caller* caller = nullptr;
        bool sizing = false;
    };
}
