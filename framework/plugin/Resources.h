#pragma once

#include <juce_graphics/juce_graphics.h>

#include <memory>

/** The files compiled into the plug-in library, looked up by file name.

    A file name is split at its last "." into a resource name and a type ("default.hlprsb"
    is name "default", type "hlprsb"); both are matched without regard to case. A name
    without a "." finds nothing.
*/
namespace Resources
{
    struct NameAndType
    {
        juce::String name, type;
    };

    /** The resource name and type of a file name; both empty when it has no ".". */
    NameAndType splitFileName (const juce::String& fileName);

    /** A copy of the resource's bytes, or null when there is no such (non-empty) resource. */
    std::unique_ptr<juce::MemoryBlock> findResource (const juce::String& fileName);

    /** The resource as UTF-8 text; empty when it is missing. */
    juce::String loadResourceText (const juce::String& fileName);

    /** False, leaving the image untouched, when the resource is missing; otherwise the
        image is replaced by the decoded picture (invalid if it does not decode). Pictures
        are decoded once per process and shared by every caller, so none may draw into one. */
    bool loadResourceImage (const juce::String& fileName, juce::Image& image);
}
