#include "BaseGFXController.h"

#include "SkinReading.h"
#include "../../plugin/Resources.h"

int BaseGFXController::frameForValue (double value, int numFrames)
{
    return (int) std::floor ((numFrames - 1) * juce::jlimit (0.0, 1.0, value) + 0.5);
}

void BaseGFXController::configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                          EventsMap& events, BasePluginEditor* editor)
{
    GUIController::configureFromXml (element, parameters, events, editor);

    frames = 1;
    bool pictureLoaded = false;

    if (auto* gfx = SkinReading::getChild (element, "gfx"))
        pictureLoaded = loadFilmstrip (SkinReading::getText (*gfx, "resource"),
                                       SkinReading::getInt (*gfx, "framesNum", 1));

    if (! pictureLoaded)
        readSize (element);

    readPosition (element);
}

bool BaseGFXController::setFilmstrip (const juce::Image& picture, int numFrames)
{
    frames = juce::jmax (1, numFrames);

    if (! picture.isValid())
        return false;

    image = picture;
    setFrameSize (image.getWidth(), image.getHeight() / frames);
    return true;
}

bool BaseGFXController::loadFilmstrip (const juce::String& resourceName, int numFrames)
{
    juce::Image picture;
    Resources::loadResourceImage (resourceName, picture);
    return setFilmstrip (picture, numFrames);
}

void BaseGFXController::setFrameSize (int width, int height)
{
    if (width == frameWidth && height == frameHeight)
        return;

    frameWidth = width;
    frameHeight = height;
    frameSizeChanged();
}

void BaseGFXController::setPosition (int newLeft, int newTop)
{
    if (newLeft == left && newTop == top)
        return;

    left = newLeft;
    top = newTop;
    positionChanged();
}

void BaseGFXController::readSize (const juce::XmlElement& element)
{
    if (auto* size = SkinReading::getChild (element, "size"))
        setFrameSize (SkinReading::getInt (*size, "width"), SkinReading::getInt (*size, "height"));
}

void BaseGFXController::readPosition (const juce::XmlElement& element)
{
    if (auto* pos = SkinReading::getChild (element, "pos"))
        setPosition (SkinReading::getInt (*pos, "left"), SkinReading::getInt (*pos, "top"));
}

void BaseGFXController::drawFrame (juce::Graphics& g, int frame) const
{
    if (! image.isValid())
        return;

    g.drawImage (image, 0, 0, frameWidth, frameHeight, 0, frame * frameHeight, frameWidth, frameHeight);
}
