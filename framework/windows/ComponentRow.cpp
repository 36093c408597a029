#include "ComponentRow.h"

ComponentRow::ComponentRow (bool isVertical, int childGap, int childAlignment)
    : vertical (isVertical), gap (childGap), alignment (childAlignment)
{
}

ComponentRow::~ComponentRow()
{
    for (auto* child : watched)
        child->removeComponentListener (this);
}

void ComponentRow::setVertical (bool shouldBeVertical)  { vertical = shouldBeVertical; layOut(); }
void ComponentRow::setGap (int newGap)                  { gap = newGap; layOut(); }
void ComponentRow::setAlignment (int newAlignment)      { alignment = newAlignment; layOut(); }

void ComponentRow::childrenChanged()
{
    watchChildren();
    layOut();
}

void ComponentRow::watchChildren()
{
    for (auto* child : watched)
        child->removeComponentListener (this);

    watched.clearQuick();

    for (auto* child : getChildren())
    {
        child->addComponentListener (this);
        watched.add (child);
    }
}

void ComponentRow::componentMovedOrResized (juce::Component&, bool, bool)
{
    layOut();
}

void ComponentRow::componentBeingDeleted (juce::Component& child)
{
    watched.removeFirstMatchingValue (&child);
}

void ComponentRow::layOut()
{
    if (layingOut)
        return;

    const juce::ScopedValueSetter<bool> busy (layingOut, true);
    int length = 0, depth = 0;

    for (auto* child : getChildren())
    {
        length += vertical ? child->getHeight() : child->getWidth();
        depth = juce::jmax (depth, vertical ? child->getWidth() : child->getHeight());
    }

    length += gap * juce::jmax (0, getNumChildComponents() - 1);
    int along = 0;

    for (auto* child : getChildren())
    {
        const int childLength = vertical ? child->getHeight() : child->getWidth();
        const int childDepth = vertical ? child->getWidth() : child->getHeight();
        const int across = alignment == alignCentre ? (depth - childDepth) / 2
                         : alignment == alignEnd    ? depth - childDepth
                                                    : 0;

        child->setTopLeftPosition (vertical ? juce::Point<int> (across, along) : juce::Point<int> (along, across));
        along += childLength + gap;
    }

    setSize (vertical ? depth : length, vertical ? length : depth);
}
