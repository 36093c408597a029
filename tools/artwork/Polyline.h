#pragma once

#include <juce_graphics/juce_graphics.h>

#include <initializer_list>

/** A path through the points in turn, closed back to the first when asked: the outline
    of most of the small symbols. */
inline juce::Path polyline (std::initializer_list<juce::Point<float>> points, bool closed = false)
{
    juce::Path path;

    for (auto point = points.begin(); point != points.end(); ++point)
        point == points.begin() ? path.startNewSubPath (*point) : path.lineTo (*point);

    if (closed)
        path.closeSubPath();

    return path;
}
