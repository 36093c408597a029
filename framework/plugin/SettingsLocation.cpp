#include "SettingsLocation.h"

#include "UserSettings.h"

SettingsLocation::SettingsLocation (const juce::File& pluginDirectory, const juce::File& configHome,
                                    const juce::String& makerName, const juce::String& productName)
    : libraryFile (pluginDirectory.getChildFile (productName + ".ini")),
      userFile (configHome.getChildFile (makerName).getChildFile (productName).getChildFile (productName + ".ini"))
{
}

SettingsLocation SettingsLocation::forPlugin (const juce::String& makerName, const juce::String& productName)
{
    return { UserSettings::getPluginDirectory(), getConfigHome(), makerName, productName };
}

juce::File SettingsLocation::getConfigHome()
{
    const auto configured = juce::SystemStats::getEnvironmentVariable ("XDG_CONFIG_HOME", {});

    // Relative values are invalid by the XDG rules and are ignored.
    if (juce::File::isAbsolutePath (configured))
        return juce::File (configured);

    return juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile (".config");
}

bool SettingsLocation::canWriteIn (const juce::File& folder)
{
    if (! folder.isDirectory())
        return false;

    const auto probe = folder.getNonexistentChildFile (".settings-write-test", ".tmp", false);

    if (probe.create().failed())
        return false;

    probe.deleteFile();
    return true;
}

juce::File SettingsLocation::getFileToRead() const
{
    if (canWriteIn (libraryFile.getParentDirectory()) || ! userFile.existsAsFile())
        return libraryFile;

    return userFile;
}

juce::File SettingsLocation::prepareFileToWrite() const
{
    if (canWriteIn (libraryFile.getParentDirectory()))
        return libraryFile;

    userFile.getParentDirectory().createDirectory();
    return userFile;
}
