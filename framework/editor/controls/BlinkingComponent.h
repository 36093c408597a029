#pragma once

#include <juce_events/juce_events.h>

#include <memory>

/** Gives a control a blink state: while its blink timer runs, the blink phase flips every
    blink period and the control is told so that it can redraw. */
class BlinkingComponent
{
public:
    BlinkingComponent();
    virtual ~BlinkingComponent();

    /** Called whenever the blink phase flips or blinking stops. */
    virtual void blinkStateChanged() {}

    void startBlinking();
    void stopBlinking();

    /** True while the blink timer runs and the blink phase is on. */
    bool isBlinking() const;

    static constexpr int blinkPeriodMs = 150;

private:
    class BlinkingComponentTimer : public juce::Timer
    {
    public:
        explicit BlinkingComponentTimer (BlinkingComponent& owner) : component (owner) {}
        void timerCallback() override;

    private:
        BlinkingComponent& component;
    };

    bool blinkPhase = false;
    std::unique_ptr<BlinkingComponentTimer> blinkTimer;
};
