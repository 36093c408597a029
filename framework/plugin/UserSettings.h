#pragma once

#include <juce_core/juce_core.h>

#include <memory>

/** The per-installation settings file: "<product name>.ini" (XML despite the extension),
    in the folder of the plug-in's own library file or, where that cannot be written, in
    the user's config folder (see SettingsLocation).

    The document is read into, and written from, plain values; the processor collects
    them from its parts before writing and applies them after reading.
*/
namespace UserSettings
{
    enum class DefaultPresets { factory, clear, userDefined };
    enum class Storing { onDemand, automatic };
    enum class Changing { normal, silent };

    struct Values
    {
        juce::String recentDirectory = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getFullPathName();
        DefaultPresets defaultPresets = DefaultPresets::factory;
        juce::String userPresetBankFile;
        bool useUserMidiMap = false;
        juce::String userMidiMapFile;
        Storing storing = Storing::onDemand;
        Changing changing = Changing::normal;

        bool operator== (const Values&) const;
        bool operator!= (const Values& other) const { return ! operator== (other); }
    };

    /** The folder of the library file the running code was loaded from. */
    juce::File getPluginDirectory();

    /** Reads a settings document into the values. A document of another kind or another
        product changes nothing; an entry that is missing or not understood leaves its
        value as it was. */
    void read (const juce::XmlElement& document, const juce::String& productName, Values& values);

    /** Reads the file; false, with nothing changed, when it is missing or does not parse. */
    bool load (const juce::File& file, const juce::String& productName, Values& values);

    std::unique_ptr<juce::XmlElement> create (const Values& values, const juce::String& productName);

    /** Replaces the file through a temporary file in the same folder, so that a failed
        write never leaves a truncated file. False when it could not be written. */
    bool save (const juce::File& file, const juce::String& productName, const Values& values);

    /** The file a stored path names; no file for a path that is not absolute. */
    juce::File fileFromPath (const juce::String& path);
}
