#pragma once

#include "CheckBox.h"
#include "PathComponent.h"

/** A check box and a file path on one line: "use this file when the plug-in loads". The
    path can be changed only while the box is ticked. */
class DefaultResourceCheckBox : public juce::Component,
                                public CheckBox::Listener,
                                public PathComponent::Listener
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void defaultResourceChanged (DefaultResourceCheckBox*) = 0;
    };

    explicit DefaultResourceCheckBox (const juce::String& text);
    ~DefaultResourceCheckBox() override;

    /** Takes a path without telling anyone; the box is ticked exactly when it is not empty. */
    void setPath (const juce::String& path);

    /** Ticks the box without telling anyone. */
    void setChecked (bool shouldBeChecked);

    bool isChecked() const noexcept                     { return checkBox.isChecked(); }
    const juce::String& getPath() const noexcept        { return pathComponent.getPath(); }

    CheckBox& getCheckBox() noexcept                    { return checkBox; }
    PathComponent& getPathComponent() noexcept          { return pathComponent; }

    void addListener (Listener* listener)               { listeners.add (listener); }
    void removeListener (Listener* listener)            { listeners.remove (listener); }

    void checkBoxChanged (CheckBox*) override;
    void pathChanged (PathComponent*) override;
    void resized() override;
    void childBoundsChanged (juce::Component*) override;

    static constexpr int pathGap = 5;

private:
    void updateEnabledState();
    void tellListeners();

    CheckBox checkBox;
    PathComponent pathComponent;
    ListenerArray<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE (DefaultResourceCheckBox)
};
