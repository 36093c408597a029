#include "GFXAnimation.h"

#include "PlaceholderDrawing.h"

GFXAnimation::GFXAnimation (const juce::String& name)
    : juce::Component (name)
{
}

void GFXAnimation::updateFromParameter (Parameter& changed)
{
    setFromNormalisedValue (changed.getNormalisedValue());
}

void GFXAnimation::configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                     EventsMap& events, BasePluginEditor* editor)
{
    BaseGFXController::configureFromXml (element, parameters, events, editor);
    currentFrame = 0;
    repaint();
}

void GFXAnimation::frameSizeChanged()
{
    setSize (getFrameWidth(), getFrameHeight());
}

void GFXAnimation::positionChanged()
{
    setTopLeftPosition (getLeft(), getTop());
}

void GFXAnimation::setFromNormalisedValue (float value)
{
    setFrame (frameForValue (value, getNumFrames()));
}

void GFXAnimation::setFrame (int frame)
{
    if (frame == currentFrame)
        return;

    currentFrame = frame;
    repaint();
}

void GFXAnimation::flash (int frame, int milliseconds)
{
    setFrame (frame);
    startTimer (milliseconds);
}

void GFXAnimation::timerCallback()
{
    stopTimer();
    setFrame (restFrame);
}

void GFXAnimation::paint (juce::Graphics& g)
{
    if (getImage().isValid())
    {
        drawFrame (g, getFrameToDraw());
        return;
    }

    const int lastFrame = juce::jmax (1, getNumFrames() - 1);
    const auto diameter = (float) getFrameToDraw() / (float) lastFrame * 10.0f;
    PlaceholderDrawing::drawDotSquare (g, getLocalBounds(), PlaceholderDrawing::grey (0.9f), diameter);
}
