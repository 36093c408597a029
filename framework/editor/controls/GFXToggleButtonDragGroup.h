#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <map>

class GFXToggleButton;

/** Named groups of toggle buttons that can be switched together by dragging across them:
    pressing one button and dragging sets every member whose left or right edge the mouse
    passes to the state the first button took. One instance serves the whole process and
    is used on the message thread only. */
class GFXToggleButtonDragGroup : public juce::DeletedAtShutdown
{
public:
    ~GFXToggleButtonDragGroup() override;

    void join (const juce::String& groupName, GFXToggleButton* button);

    /** Buttons leave their group when they are destroyed, so a group never holds a dead button. */
    void leave (const juce::String& groupName, GFXToggleButton* button);

    int getNumMembers (const juce::String& groupName) const;

    void setPressPosition (const juce::String& groupName, juce::Point<int> screenPosition);
    void setDragState (const juce::String& groupName, bool state);

    /** Sets every member whose left or right edge lies between the press position and the
        mouse (horizontally, in screen coordinates, both inclusive) to the group's drag state. */
    void sweep (const juce::String& groupName, int mouseScreenX);

    JUCE_DECLARE_SINGLETON (GFXToggleButtonDragGroup, false)

private:
    struct Group
    {
        juce::Array<GFXToggleButton*> members;
        juce::Point<int> pressPosition;
        bool dragState = false;
    };

    std::map<juce::String, Group> groups;
};
