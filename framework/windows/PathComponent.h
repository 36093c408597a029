#pragma once

#include "../editor/controls/TextButtonEx.h"
#include "../parameters/ListenerArray.h"

/** A file path in a rounded box with a "Browse" button at its right. A path wider than the
    box is cut and ends in "[...]". Disabled, the box and text are drawn at half opacity
    and the button is disabled too. */
class PathComponent : public juce::Component,
                      public juce::Button::Listener
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void pathChanged (PathComponent*) = 0;
    };

    PathComponent();
    ~PathComponent() override;

    /** Stores a path unless it equals the current one apart from letter case; with notify
        the listeners hear of it, the last added first. */
    void setPath (const juce::String& newPath, bool notify);
    const juce::String& getPath() const noexcept        { return path; }

    /** What the box shows: the whole path, or as much of it as fits followed by "[...]". */
    juce::String getShownText() const;

    /** The title, first folder and file patterns of the chooser "Browse" opens. */
    void setChooserSettings (const juce::String& title, const juce::File& startLocation, const juce::String& patterns);

    TextButtonEx& getBrowseButton() noexcept            { return browseButton; }

    void addListener (Listener* listener)               { listeners.add (listener); }
    void removeListener (Listener* listener)            { listeners.remove (listener); }

    void buttonClicked (juce::Button*) override;
    void paint (juce::Graphics&) override;
    void resized() override;
    void childBoundsChanged (juce::Component*) override;
    void enablementChanged() override;
    void lookAndFeelChanged() override;
    void parentHierarchyChanged() override;

    static constexpr int buttonGap = 4;
    static constexpr int textInset = 4;
    static constexpr float cornerRadius = 4.0f;
    static inline const juce::String marker { "[...]" };

private:
    juce::Rectangle<int> getBoxBounds() const;
    juce::Rectangle<int> getTextBounds() const           { return getBoxBounds().reduced (textInset, 0); }

    /** The longest start of the path whose width fits in the space given. */
    juce::String fittingStart (int width) const;
    void takeLookAndFeel();

    juce::String path;
    TextButtonEx browseButton { "Browse", "Browse", 1 };
    juce::String chooserTitle, chooserPatterns;
    juce::File chooserStart;
    juce::Font font { 13.0f };
    ListenerArray<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE (PathComponent)
};
