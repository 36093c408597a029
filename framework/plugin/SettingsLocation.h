#pragma once

#include <juce_core/juce_core.h>

/** Where the settings file lives: beside the plug-in's library when that folder can be
    written, as always; in a system-wide install, where it cannot, in the user's config
    folder ($XDG_CONFIG_HOME, by default ~/.config) under the maker's and the product's names.
*/
class SettingsLocation
{
public:
    SettingsLocation (const juce::File& pluginDirectory, const juce::File& configHome,
                      const juce::String& makerName, const juce::String& productName);

    /** The running plug-in's: its library's folder and the user's config folder. */
    static SettingsLocation forPlugin (const juce::String& makerName, const juce::String& productName);

    /** $XDG_CONFIG_HOME when it names an absolute path, otherwise ~/.config. */
    static juce::File getConfigHome();

    /** Whether a file can be created in the folder; tried, because permission bits say
        nothing for root or a read-only file system. */
    static bool canWriteIn (const juce::File& folder);

    juce::File getLibraryFile() const   { return libraryFile; }
    juce::File getUserFile() const      { return userFile; }

    /** The file beside the library when its folder is writable; otherwise the user's file,
        or, until there is one, the library's (a system-wide default, if any). */
    juce::File getFileToRead() const;

    /** The file beside the library when its folder is writable, else the user's file, whose
        folders are created. */
    juce::File prepareFileToWrite() const;

private:
    juce::File libraryFile, userFile;
};
