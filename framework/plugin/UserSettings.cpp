#include "UserSettings.h"

#include "../parameters/XmlReading.h"

namespace UserSettings
{
    namespace
    {
        void readDirectories (const juce::XmlElement& directories, Values& values)
        {
            for (auto* recent = XmlReading::firstChild (directories, "RecentlyUsed"); recent != nullptr;
                 recent = XmlReading::nextSibling (*recent, "RecentlyUsed"))
            {
                const auto folder = fileFromPath (XmlReading::getAttribute (*recent, "dir"));

                if (folder.isDirectory())
                    values.recentDirectory = folder.getFullPathName();
            }
        }

        void readDefaultPresets (const juce::XmlElement& presets, Values& values)
        {
            const auto mode = XmlReading::getAttribute (presets, "default");

            if (mode.equalsIgnoreCase ("factoryPresets"))
            {
                values.defaultPresets = DefaultPresets::factory;
            }
            else if (mode.equalsIgnoreCase ("clearPresets"))
            {
                values.defaultPresets = DefaultPresets::clear;
            }
            else if (mode.equalsIgnoreCase ("userDefinedPresets"))
            {
                values.defaultPresets = DefaultPresets::userDefined;
                values.userPresetBankFile = XmlReading::getAttribute (presets, "file");
            }
        }

        // Unlike the other modes, the map mode words are compared exactly.
        void readStartupMap (const juce::XmlElement& map, Values& values)
        {
            const auto mode = XmlReading::getAttribute (map, "default");

            if (mode == "noMapping")
            {
                values.useUserMidiMap = false;
            }
            else if (mode == "userDefinedMidiCCMap")
            {
                values.useUserMidiMap = true;
                values.userMidiMapFile = XmlReading::getAttribute (map, "file");
            }
        }

        void readResources (const juce::XmlElement& resources, Values& values)
        {
            for (auto* child : resources.getChildIterator())
            {
                if (XmlReading::hasTag (*child, "Presets"))
                    readDefaultPresets (*child, values);
                else if (XmlReading::hasTag (*child, "MidiCCMap"))
                    readStartupMap (*child, values);
            }
        }

        void readPresetSettings (const juce::XmlElement& settings, Values& values)
        {
            const auto storing = XmlReading::getAttribute (settings, "storing");

            if (storing.equalsIgnoreCase ("onDemand"))
                values.storing = Storing::onDemand;
            else if (storing.equalsIgnoreCase ("automatic"))
                values.storing = Storing::automatic;

            const auto changing = XmlReading::getAttribute (settings, "changing");

            if (changing.equalsIgnoreCase ("normal"))
                values.changing = Changing::normal;
            else if (changing.equalsIgnoreCase ("silent"))
                values.changing = Changing::silent;
        }

        juce::String defaultPresetsWord (DefaultPresets mode)
        {
            switch (mode)
            {
                case DefaultPresets::clear:         return "clearPresets";
                case DefaultPresets::userDefined:   return "userDefinedPresets";
                case DefaultPresets::factory:       break;
            }

            return "factoryPresets";
        }
    }

    bool Values::operator== (const Values& other) const
    {
        return recentDirectory == other.recentDirectory
            && defaultPresets == other.defaultPresets
            && userPresetBankFile == other.userPresetBankFile
            && useUserMidiMap == other.useUserMidiMap
            && userMidiMapFile == other.userMidiMapFile
            && storing == other.storing
            && changing == other.changing;
    }

    juce::File getPluginDirectory()
    {
        // Inside a plug-in this is the loaded module (the code is linked into each format's
        // library with hidden symbols), not the host's executable.
        return juce::File::getSpecialLocation (juce::File::currentExecutableFile).getParentDirectory();
    }

    void read (const juce::XmlElement& document, const juce::String& productName, Values& values)
    {
        if (! XmlReading::hasTag (document, "UserSettings")
             || ! XmlReading::getAttribute (document, "application").equalsIgnoreCase (productName))
            return;

        for (auto* child : document.getChildIterator())
        {
            if (XmlReading::hasTag (*child, "PluginDirectories"))
                readDirectories (*child, values);
            else if (XmlReading::hasTag (*child, "ResourcesSettings"))
                readResources (*child, values);
            else if (XmlReading::hasTag (*child, "PresetSettings"))
                readPresetSettings (*child, values);
        }
    }

    bool load (const juce::File& file, const juce::String& productName, Values& values)
    {
        auto document = XmlReading::parseFile (file);

        if (document == nullptr)
            return false;

        read (*document, productName, values);
        return true;
    }

    std::unique_ptr<juce::XmlElement> create (const Values& values, const juce::String& productName)
    {
        auto document = std::make_unique<juce::XmlElement> ("UserSettings");
        document->setAttribute ("application", productName);

        document->createNewChildElement ("PluginDirectories")
                ->createNewChildElement ("RecentlyUsed")
                ->setAttribute ("dir", values.recentDirectory);

        auto* resources = document->createNewChildElement ("ResourcesSettings");

        auto* presets = resources->createNewChildElement ("Presets");
        presets->setAttribute ("default", defaultPresetsWord (values.defaultPresets));

        if (values.defaultPresets == DefaultPresets::userDefined)
            presets->setAttribute ("file", values.userPresetBankFile);

        auto* map = resources->createNewChildElement ("MidiCCMap");
        map->setAttribute ("default", values.useUserMidiMap ? "userDefinedMidiCCMap" : "noMapping");

        if (values.useUserMidiMap)
            map->setAttribute ("file", values.userMidiMapFile);

        auto* presetSettings = document->createNewChildElement ("PresetSettings");
        presetSettings->setAttribute ("storing", values.storing == Storing::automatic ? "automatic" : "onDemand");
        presetSettings->setAttribute ("changing", values.changing == Changing::silent ? "silent" : "normal");

        return document;
    }

    bool save (const juce::File& file, const juce::String& productName, const Values& values)
    {
        // The XML writer writes a temporary file beside the target and renames it over it.
        return XmlReading::writeToFile (*create (values, productName), file);
    }

    juce::File fileFromPath (const juce::String& path)
    {
        return juce::File::isAbsolutePath (path) ? juce::File (path) : juce::File();
    }
}
