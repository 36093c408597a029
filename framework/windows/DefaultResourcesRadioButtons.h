#pragma once

#include "PathComponent.h"
#include "RadioButtons.h"

/** Radio buttons whose last option means "a file of the user's", with the file's path on
    that option's row. The path can be changed only while the last option is selected;
    a changed path is reported to the radio buttons' listeners as well. */
class DefaultResourcesRadioButtons : public RadioButtons,
                                     public PathComponent::Listener
{
public:
    DefaultResourcesRadioButtons (const juce::String& title, const juce::StringArray& options);
    ~DefaultResourcesRadioButtons() override;

    PathComponent& getPathComponent() noexcept          { return pathComponent; }

    void pathChanged (PathComponent*) override;
    void resized() override;
    void childBoundsChanged (juce::Component*) override;

protected:
    void selectionChanged() override;
    void updateSize() override;

private:
    int getLastRow() const noexcept                     { return getOptions().size() - 1; }

    PathComponent pathComponent;
    int pathHeight = 0;
};
