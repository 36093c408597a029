#include "GFXToggleButtonDragGroup.h"

#include "GFXToggleButton.h"

JUCE_IMPLEMENT_SINGLETON (GFXToggleButtonDragGroup)

GFXToggleButtonDragGroup::~GFXToggleButtonDragGroup()
{
    clearSingletonInstance();
}

void GFXToggleButtonDragGroup::join (const juce::String& groupName, GFXToggleButton* button)
{
    groups[groupName].members.addIfNotAlreadyThere (button);
}

void GFXToggleButtonDragGroup::leave (const juce::String& groupName, GFXToggleButton* button)
{
    const auto group = groups.find (groupName);

    if (group == groups.end())
        return;

    group->second.members.removeFirstMatchingValue (button);

    if (group->second.members.isEmpty())
        groups.erase (group);
}

int GFXToggleButtonDragGroup::getNumMembers (const juce::String& groupName) const
{
    const auto group = groups.find (groupName);
    return group != groups.end() ? group->second.members.size() : 0;
}

void GFXToggleButtonDragGroup::setPressPosition (const juce::String& groupName, juce::Point<int> screenPosition)
{
    groups[groupName].pressPosition = screenPosition;
}

void GFXToggleButtonDragGroup::setDragState (const juce::String& groupName, bool state)
{
    groups[groupName].dragState = state;
}

void GFXToggleButtonDragGroup::sweep (const juce::String& groupName, int mouseScreenX)
{
    const auto group = groups.find (groupName);

    if (group == groups.end())
        return;

    const auto& record = group->second;
    const int from = juce::jmin (record.pressPosition.x, mouseScreenX);
    const int to = juce::jmax (record.pressPosition.x, mouseScreenX);
    const auto isSwept = [from, to] (int x) { return from <= x && x <= to; };
    const auto state = record.dragState;

    for (auto* member : juce::Array<GFXToggleButton*> (record.members))
    {
        const int leftEdge = member->getScreenX();
        const int rightEdge = leftEdge + member->getWidth() - 1;

        if (isSwept (leftEdge) || isSwept (rightEdge))
            member->setToggleState (state, juce::sendNotification);
    }
}
