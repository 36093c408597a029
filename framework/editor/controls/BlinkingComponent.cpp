#include "BlinkingComponent.h"

BlinkingComponent::BlinkingComponent()
    : blinkTimer (std::make_unique<BlinkingComponentTimer> (*this))
{
}

BlinkingComponent::~BlinkingComponent() = default;

void BlinkingComponent::startBlinking()
{
    blinkTimer->startTimer (blinkPeriodMs);
}

void BlinkingComponent::stopBlinking()
{
    if (! blinkTimer->isTimerRunning())
        return;

    blinkTimer->stopTimer();
    blinkPhase = false;
    blinkStateChanged();
}

bool BlinkingComponent::isBlinking() const
{
    return blinkTimer->isTimerRunning() && blinkPhase;
}

void BlinkingComponent::BlinkingComponentTimer::timerCallback()
{
    component.blinkPhase = ! component.blinkPhase;
    component.blinkStateChanged();
}
