#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** How the editor's windows ask the user for a file. The standard chooser runs JUCE's
    native dialog asynchronously (a plug-in must never run a modal loop); tests put a fake
    in its place that answers at once with a file or a cancel.

    The answer may come after the asking window is gone: a caller's callback must check
    that its window still exists (a `Component::SafePointer`). */
class FileChooserSeam
{
public:
    struct Request
    {
        juce::String title;
        juce::File initialLocation;
        juce::String filePatterns;      // "*.hlprs" and the like; several separated by ";"
        bool saving = false;            // a save dialog warns before overwriting
    };

    /** Gets the chosen file, or File() when the user cancelled. */
    using Callback = std::function<void (const juce::File&)>;

    virtual ~FileChooserSeam() = default;

    /** Asks for a file; the callback runs later on the message thread. */
    virtual void chooseFile (const Request&, Callback) = 0;

    /** The chooser in use: JUCE's, unless a test set another. */
    static FileChooserSeam& get();

    /** Uses another chooser (not owned) from now on; null restores JUCE's. */
    static void set (FileChooserSeam* chooser);
};
