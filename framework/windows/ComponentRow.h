#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A layout row: its children one after another, horizontally or vertically, a fixed gap
    apart, each aligned across the row to its start, centre or end. The row takes the size
    its children need (their lengths plus the gaps along it, the largest child across) and
    lays out again whenever a child is added or removed or changes its bounds. */
class ComponentRow : public juce::Component,
                     private juce::ComponentListener
{
public:
    enum Alignment
    {
        alignStart = 0,
        alignCentre = 1,
        alignEnd = 2
    };

    explicit ComponentRow (bool vertical = false, int gap = 0, int alignment = alignStart);
    ~ComponentRow() override;

    void setVertical (bool shouldBeVertical);
    void setGap (int newGap);
    void setAlignment (int newAlignment);

    bool isVertical() const noexcept    { return vertical; }
    int getGap() const noexcept         { return gap; }
    int getAlignment() const noexcept   { return alignment; }

    /** Places the children and takes the size they need. */
    void layOut();

    void childrenChanged() override;

private:
    void componentMovedOrResized (juce::Component&, bool wasMoved, bool wasResized) override;
    void componentBeingDeleted (juce::Component&) override;
    void watchChildren();

    bool vertical;
    int gap;
    int alignment;
    bool layingOut = false;
    juce::Array<juce::Component*> watched;
};
