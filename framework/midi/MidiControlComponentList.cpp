#include "MidiControlComponentList.h"

namespace
{
    const juce::Colour headerColour (0xff6e6e6e);
    const juce::Colour bodyColour (0xffe3e3e3);
    const juce::Colour controllerHeaderColour (0xff5b5b5b);
    const juce::Colour parameterHeaderColour (0xffbfbfbf);
    const juce::Colour selectionColour (0xff5b5b5b);
}

MidiControlComponent::ListComponent::ListComponent()
{
    scrollBar.addListener (this);
    addChildComponent (scrollBar);
}

MidiControlComponent::ListComponent::~ListComponent() = default;

void MidiControlComponent::ListComponent::setEntries (std::vector<Entry> newEntries)
{
    entries = std::move (newEntries);
    selected = -1;
    updateLayout();
    repaint();

    if (onSelectionChanged)
        onSelectionChanged();
}

const MidiControlComponent::ListComponent::Entry* MidiControlComponent::ListComponent::getSelectedEntry() const
{
    return juce::isPositiveAndBelow (selected, (int) entries.size()) ? &entries[(size_t) selected] : nullptr;
}

int MidiControlComponent::ListComponent::findEntry (int controller) const
{
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].controller == controller)
            return (int) i;

    return -1;
}

void MidiControlComponent::ListComponent::selectEntry (int index)
{
    if (index == selected)
        return;

    selected = index;

    if (index >= 0)
        scrollToGroup (index / visibleRows);

    repaint();

    if (onSelectionChanged)
        onSelectionChanged();
}

void MidiControlComponent::ListComponent::scrollToGroup (int group)
{
    const double start = group * groupWidth;
    const double end = start + groupWidth;
    const auto view = scrollBar.getCurrentRange();

    if (start < view.getStart())
        scrollBar.setCurrentRangeStart (start);
    else if (end > view.getEnd())
        scrollBar.setCurrentRangeStart (end - view.getLength());
}

int MidiControlComponent::ListComponent::getScrollOffset() const noexcept
{
    return juce::roundToInt (scrollBar.getCurrentRangeStart());
}

//==============================================================================
void MidiControlComponent::ListComponent::resized()
{
    updateLayout();
}

void MidiControlComponent::ListComponent::updateLayout()
{
    const int scrollBarHeight = getLookAndFeel().getDefaultScrollbarWidth();
    visibleRows = juce::jmax (1, (getHeight() - scrollBarHeight - headerHeight - 6) / rowHeight);

    const int tableHeight = headerHeight + rowHeight * visibleRows + 2;
    const int offset = (getHeight() - scrollBarHeight - tableHeight - 4) / 2;
    table = { 0, offset, getWidth(), tableHeight };
    scrollBar.setBounds (0, table.getBottom() + 4, getWidth(), scrollBarHeight);

    const int rowsNeeded = ((int) entries.size() + visibleRows - 1) / visibleRows;
    numGroups = juce::jmax (visibleGroups, rowsNeeded);

    const int innerWidth = juce::jmax (0, getWidth() - 2);
    groupWidth = innerWidth / visibleGroups + 1;
    controllerColumnWidth = juce::jmax (bodyFont.getStringWidth ("127"), headerFont.getStringWidth ("CC")) + 8;

    const int contentWidth = juce::jmax (innerWidth, numGroups * groupWidth);
    scrollBar.setRangeLimits (0.0, contentWidth, juce::dontSendNotification);
    scrollBar.setCurrentRange (scrollBar.getCurrentRangeStart(), visibleGroups * groupWidth, juce::dontSendNotification);
    scrollBar.setSingleStepSize (groupWidth / 12.0);
    scrollBar.setAutoHide (false);
    scrollBar.setVisible (numGroups > visibleGroups);
}

void MidiControlComponent::ListComponent::mouseDown (const juce::MouseEvent& event)
{
    const auto position = event.getPosition() - table.getPosition();

    if (! table.contains (event.getPosition()) || position.y < headerHeight)
        return;

    const int row = juce::jlimit (0, visibleRows - 1, (position.y - headerHeight) / rowHeight);
    const int group = juce::jlimit (0, numGroups - 1, (position.x + getScrollOffset()) / juce::jmax (1, groupWidth));
    selectEntry (group * visibleRows + row);
}

//==============================================================================
void MidiControlComponent::ListComponent::paint (juce::Graphics& g)
{
    const auto outline = table.toFloat().reduced (0.5f);
    g.setColour (juce::Colours::white);
    g.drawRoundedRectangle (outline, cornerRadius, 1.0f);

    const auto inner = table.reduced (1);
    juce::Path clip;
    clip.addRoundedRectangle (inner.toFloat(), cornerRadius);
    g.reduceClipRegion (clip);

    g.setColour (headerColour);
    g.fillRect (inner.withHeight (headerHeight));
    g.setColour (bodyColour);
    g.fillRect (inner.withTrimmedTop (headerHeight));

    for (int group = 0; group < numGroups; ++group)
        paintGroup (g, group, inner);
}

void MidiControlComponent::ListComponent::paintGroup (juce::Graphics& g, int group, juce::Rectangle<int> inner) const
{
    const int x = inner.getX() + group * groupWidth - getScrollOffset();

    if (x >= inner.getRight() || x + groupWidth <= inner.getX())
        return;

    const int parameterWidth = groupWidth - controllerColumnWidth;
    const juce::Rectangle<int> controllerHeader (x, inner.getY(), controllerColumnWidth, headerHeight);
    const juce::Rectangle<int> parameterHeader (controllerHeader.getRight(), inner.getY(), parameterWidth, headerHeight);

    g.setColour (controllerHeaderColour);
    g.fillRect (controllerHeader);
    g.setColour (parameterHeaderColour);
    g.fillRect (parameterHeader);

    g.setColour (juce::Colours::white);
    g.setFont (headerFont);
    g.drawText ("CC", controllerHeader, juce::Justification::centred, false);
    g.drawText ("Parameter", parameterHeader.withTrimmedLeft (cellInset).withWidth (parameterWidth - 2 * cellInset),
                juce::Justification::centredLeft, false);

    g.setFont (bodyFont);

    for (int row = 0; row < visibleRows; ++row)
    {
        const juce::Rectangle<int> cells (x, inner.getY() + headerHeight + row * rowHeight, groupWidth, rowHeight);
        g.setColour (headerColour);
        g.drawHorizontalLine (cells.getBottom() - 1, (float) cells.getX(), (float) cells.getRight());

        const int index = group * visibleRows + row;

        if (index >= (int) entries.size())
            continue;

        const bool isSelected = index == selected;

        if (isSelected)
        {
            g.setColour (selectionColour.withAlpha (0.5f));
            g.fillRect (cells.withTrimmedBottom (1));
        }

        const auto& entry = entries[(size_t) index];
        g.setColour (isSelected ? juce::Colours::white : juce::Colours::black);
        g.drawText (juce::String (entry.controller), cells.withWidth (controllerColumnWidth).reduced (cellInset, 0),
                    juce::Justification::centred, false);
        g.drawText (entry.parameterName,
                    cells.withTrimmedLeft (controllerColumnWidth + cellInset).withWidth (parameterWidth - 2 * cellInset),
                    juce::Justification::centredLeft, false);
    }
}
