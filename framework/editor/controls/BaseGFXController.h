#pragma once

#include "GUIController.h"

#include <juce_graphics/juce_graphics.h>

/** A control drawn from a filmstrip picture: frames stacked vertically, each as wide as the
    picture and picture height / frames high. The skin gives the picture, the number of
    frames and the position; without a picture the skin's size stands in for the frame size. */
class BaseGFXController : public GUIController
{
public:
    /** The frame that shows a value: floor ((frames - 1) * clamp (value, 0, 1) + 0.5). */
    static int frameForValue (double value, int numFrames);

    void configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                           EventsMap& events, BasePluginEditor* editor) override;

    /** Called when the frame width or height changed. */
    virtual void frameSizeChanged() {}

    /** Called when the left or top position changed. */
    virtual void positionChanged() {}

    /** Takes a picture with its number of frames (below 1 counts as 1); an invalid picture
        changes nothing and answers false. */
    bool setFilmstrip (const juce::Image& picture, int numFrames);

    const juce::Image& getImage() const noexcept   { return image; }
    int getNumFrames() const noexcept              { return frames; }
    int getFrameWidth() const noexcept             { return frameWidth; }
    int getFrameHeight() const noexcept            { return frameHeight; }
    int getLeft() const noexcept                   { return left; }
    int getTop() const noexcept                    { return top; }

protected:
    /** Loads the picture resource and takes it with the number of frames; false when it
        is missing or does not decode. */
    bool loadFilmstrip (const juce::String& resourceName, int numFrames);

    void setFrameSize (int width, int height);
    void setPosition (int newLeft, int newTop);

    /** Reads the element's size into the frame size (used when there is no picture). */
    void readSize (const juce::XmlElement& element);
    void readPosition (const juce::XmlElement& element);

    /** Draws one frame of the picture at the component's origin. */
    void drawFrame (juce::Graphics& g, int frame) const;

    /** The position and frame size as component bounds. */
    juce::Rectangle<int> getFrameBounds() const    { return { left, top, frameWidth, frameHeight }; }

private:
    juce::Image image;
    int frames = 1;
    int frameWidth = 0, frameHeight = 0;
    int left = 0, top = 0;
};
