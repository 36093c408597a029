#include "PathComponent.h"

#include "FileChooserSeam.h"

PathComponent::PathComponent()
{
    browseButton.addListener (this);
    addAndMakeVisible (browseButton);
    takeLookAndFeel();
}

PathComponent::~PathComponent() = default;

void PathComponent::setPath (const juce::String& newPath, bool notify)
{
    if (newPath.equalsIgnoreCase (path))
        return;

    path = newPath;
    repaint();

    if (notify)
        listeners.callLastToFirst ([this] (Listener& l) { l.pathChanged (this); });
}

void PathComponent::setChooserSettings (const juce::String& title, const juce::File& startLocation, const juce::String& patterns)
{
    chooserTitle = title;
    chooserStart = startLocation;
    chooserPatterns = patterns;
}

void PathComponent::buttonClicked (juce::Button*)
{
    const auto start = juce::File::isAbsolutePath (path) ? juce::File (path) : chooserStart;
    juce::Component::SafePointer<PathComponent> safeThis (this);

    FileChooserSeam::get().chooseFile ({ chooserTitle, start, chooserPatterns, false }, [safeThis] (const juce::File& file)
    {
        if (safeThis != nullptr && file != juce::File())
            safeThis->setPath (file.getFullPathName(), true);
    });
}

//==============================================================================
juce::String PathComponent::fittingStart (int width) const
{
    int length = path.length();

    while (length > 0 && font.getStringWidth (path.substring (0, length)) > width)
        --length;

    return path.substring (0, length);
}

juce::String PathComponent::getShownText() const
{
    const auto textBounds = getTextBounds();

    if (font.getStringWidth (path) <= textBounds.getWidth())
        return path;

    return fittingStart (textBounds.getWidth() - font.getStringWidth (marker)) + marker;
}

juce::Rectangle<int> PathComponent::getBoxBounds() const
{
    return getLocalBounds().withTrimmedRight (browseButton.getWidth() + buttonGap);
}

void PathComponent::resized()
{
    browseButton.setTopRightPosition (getWidth(), 0);
}

// The button sizes itself when it meets its look-and-feel, after this component did.
void PathComponent::childBoundsChanged (juce::Component*)
{
    setSize (getWidth(), browseButton.getHeight());
    resized();
}

void PathComponent::enablementChanged()
{
    browseButton.setEnabled (isEnabled());
    repaint();
}

void PathComponent::lookAndFeelChanged()      { takeLookAndFeel(); }
void PathComponent::parentHierarchyChanged()  { takeLookAndFeel(); }

void PathComponent::takeLookAndFeel()
{
    if (auto* lf = DefaultLookAndFeel::of (*this))
        font = lf->getPathFont();

    setSize (getWidth(), browseButton.getHeight());
    resized();
}

void PathComponent::paint (juce::Graphics& g)
{
    const float alpha = isEnabled() ? 1.0f : 0.5f;
    const auto box = getBoxBounds().toFloat().reduced (0.5f);

    g.setColour (findColour (DefaultLookAndFeel::pathBoxColourId).withMultipliedAlpha (alpha));
    g.fillRoundedRectangle (box, cornerRadius);

    const auto outline = findColour (DefaultLookAndFeel::pathOutlineColourId);

    if (! outline.isTransparent())
    {
        g.setColour (outline.withMultipliedAlpha (alpha));
        g.drawRoundedRectangle (box, cornerRadius, 1.0f);
    }

    g.setColour (findColour (DefaultLookAndFeel::pathTextColourId).withMultipliedAlpha (alpha));
    g.setFont (font);
    auto textBounds = getTextBounds();
    const auto shown = getShownText();

    if (shown == path)
    {
        g.drawText (path, textBounds, juce::Justification::centredLeft, false);
        return;
    }

    const int markerWidth = font.getStringWidth (marker);
    g.drawText (marker, textBounds.removeFromRight (markerWidth), juce::Justification::centredLeft, false);
    g.drawText (shown.dropLastCharacters (marker.length()), textBounds, juce::Justification::centredLeft, false);
}
