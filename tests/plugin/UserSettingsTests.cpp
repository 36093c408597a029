#include "framework/parameters/XmlReading.h"
#include "framework/plugin/SettingsLocation.h"
#include "framework/plugin/UserSettings.h"
#include "product/Halvenek.h"

#include "RandomBytes.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
    using Values = UserSettings::Values;

    class UserSettingsTest : public ::testing::Test
    {
    protected:
        UserSettingsTest()  { folder.createDirectory(); }
        ~UserSettingsTest() override { folder.deleteRecursively(); }

        /** The values after reading a document over the defaults. */
        Values readText (const juce::String& text)
        {
            Values values;
            auto document = XmlReading::parse (text);
            EXPECT_NE (document, nullptr);

            if (document != nullptr)
                UserSettings::read (*document, "Halvenek", values);

            return values;
        }

        juce::File folder { juce::File::createTempFile ("usersettings") };
        juce::File file { folder.getChildFile ("Halvenek.ini") };
    };
}

//==============================================================================
TEST_F (UserSettingsTest, DefaultsAreFactoryBankNoMapOnDemandNormalAndHome)
{
    const Values values;
    EXPECT_EQ (values.recentDirectory, juce::File::getSpecialLocation (juce::File::userHomeDirectory).getFullPathName());
    EXPECT_EQ (values.defaultPresets, UserSettings::DefaultPresets::factory);
    EXPECT_EQ (values.userPresetBankFile, "");
    EXPECT_FALSE (values.useUserMidiMap);
    EXPECT_EQ (values.userMidiMapFile, "");
    EXPECT_EQ (values.storing, UserSettings::Storing::onDemand);
    EXPECT_EQ (values.changing, UserSettings::Changing::normal);

    Values loaded;
    EXPECT_FALSE (UserSettings::load (file, "Halvenek", loaded));
    EXPECT_EQ (loaded, values);
}

TEST_F (UserSettingsTest, PresetModesIgnoreCaseWhileMapModesAreExact)
{
    auto values = readText (R"(<UserSettings application="Halvenek"><ResourcesSettings>
                                 <Presets default="USERDEFINEDPRESETS" file="/banks/mine.hlprsb"/>
                                 <MidiCCMap default="NOMAPPING"/>
                               </ResourcesSettings></UserSettings>)");
    EXPECT_EQ (values.defaultPresets, UserSettings::DefaultPresets::userDefined);
    EXPECT_EQ (values.userPresetBankFile, "/banks/mine.hlprsb");
    EXPECT_FALSE (values.useUserMidiMap);

    values = readText (R"(<UserSettings application="Halvenek"><ResourcesSettings>
                            <MidiCCMap default="userDefinedMidiCCMap" file="/maps/a.hlccmap"/>
                            <MidiCCMap default="NOMAPPING"/>
                            <MidiCCMap default="UserDefinedMidiCCMap" file="/maps/b.hlccmap"/>
                          </ResourcesSettings></UserSettings>)");
    EXPECT_TRUE (values.useUserMidiMap);
    EXPECT_EQ (values.userMidiMapFile, "/maps/a.hlccmap");

    values = readText (R"(<UserSettings application="Halvenek"><ResourcesSettings>
                            <MidiCCMap default="userDefinedMidiCCMap"/>
                            <Presets default="clearpresets" file="/ignored"/>
                          </ResourcesSettings></UserSettings>)");
    EXPECT_TRUE (values.useUserMidiMap);
    EXPECT_EQ (values.userMidiMapFile, "");
    EXPECT_EQ (values.defaultPresets, UserSettings::DefaultPresets::clear);
    EXPECT_EQ (values.userPresetBankFile, "");
}

TEST_F (UserSettingsTest, LaterEntriesOverrideEarlierOnesAndUnknownWordsChangeNothing)
{
    auto values = readText (R"(<UserSettings application="Halvenek">
                                 <ResourcesSettings><Presets default="clearPresets"/></ResourcesSettings>
                                 <ResourcesSettings><Presets default="userPresets"/><MidiCCMap default="on"/></ResourcesSettings>
                                 <PresetSettings storing="AUTOMATIC" changing="Silent"/>
                                 <PresetSettings storing="sometimes"/>
                               </UserSettings>)");
    EXPECT_EQ (values.defaultPresets, UserSettings::DefaultPresets::clear);
    EXPECT_FALSE (values.useUserMidiMap);
    EXPECT_EQ (values.storing, UserSettings::Storing::automatic);
    EXPECT_EQ (values.changing, UserSettings::Changing::silent);

    values = readText (R"(<UserSettings application="Halvenek"><PresetSettings storing="automatic" changing="silent"/>
                          <PresetSettings storing="onDemand" changing="normal"/>
                          <Presets default="clearPresets"/></UserSettings>)");
    EXPECT_EQ (values.storing, UserSettings::Storing::onDemand);
    EXPECT_EQ (values.changing, UserSettings::Changing::normal);
    EXPECT_EQ (values.defaultPresets, UserSettings::DefaultPresets::factory);   // not under ResourcesSettings
}

TEST_F (UserSettingsTest, RecentDirectoryMustNameAnExistingFolder)
{
    const auto existing = folder.getChildFile ("presets");
    existing.createDirectory();
    const auto aFile = folder.getChildFile ("plain.txt");
    aFile.replaceWithText ("x");

    auto values = readText ("<UserSettings application=\"Halvenek\"><PluginDirectories>"
                            "<RecentlyUsed dir=\"" + existing.getFullPathName() + "\"/>"
                            "<RecentlyUsed dir=\"" + folder.getChildFile ("gone").getFullPathName() + "\"/>"
                            "<RecentlyUsed dir=\"" + aFile.getFullPathName() + "\"/>"
                            "<RecentlyUsed dir=\"relative/folder\"/>"
                            "<RecentlyUsed/>"
                            "</PluginDirectories></UserSettings>");
    EXPECT_EQ (values.recentDirectory, existing.getFullPathName());

    values = readText ("<UserSettings application=\"Halvenek\"><PluginDirectories>"
                       "<RecentlyUsed dir=\"" + folder.getChildFile ("gone").getFullPathName() + "\"/>"
                       "</PluginDirectories></UserSettings>");
    EXPECT_EQ (values, Values());
}

TEST_F (UserSettingsTest, NamesIgnoreCaseButOtherProductsAndRootsAreIgnoredEntirely)
{
    auto values = readText (R"(<usersettings APPLICATION="HALVENEK"><resourcessettings><PRESETS DEFAULT="clearPresets"/></resourcessettings>
                               <presetsettings STORING="automatic"/></usersettings>)");
    EXPECT_EQ (values.defaultPresets, UserSettings::DefaultPresets::clear);
    EXPECT_EQ (values.storing, UserSettings::Storing::automatic);

    const juce::String body (R"(<ResourcesSettings><Presets default="clearPresets"/></ResourcesSettings><PresetSettings storing="automatic"/>)");
    EXPECT_EQ (readText (R"(<UserSettings application="Other">)" + body + "</UserSettings>"), Values());
    EXPECT_EQ (readText (R"(<UserSettings>)" + body + "</UserSettings>"), Values());
    EXPECT_EQ (readText (R"(<Settings application="Halvenek">)" + body + "</Settings>"), Values());
}

//==============================================================================
TEST_F (UserSettingsTest, WritesTheDocumentInItsOrder)
{
    Values values;
    values.recentDirectory = "/home/someone/presets";
    values.defaultPresets = UserSettings::DefaultPresets::userDefined;
    values.userPresetBankFile = "/banks/mine.hlprsb";
    values.storing = UserSettings::Storing::automatic;

    ASSERT_TRUE (UserSettings::save (file, "Halvenek", values));

    const auto expected = juce::String (R"(<?xml version="1.0" encoding="UTF-8"?>

<UserSettings application="Halvenek">
  <PluginDirectories>
    <RecentlyUsed dir="/home/someone/presets"/>
  </PluginDirectories>
  <ResourcesSettings>
    <Presets default="userDefinedPresets" file="/banks/mine.hlprsb"/>
    <MidiCCMap default="noMapping"/>
  </ResourcesSettings>
  <PresetSettings storing="automatic" changing="normal"/>
</UserSettings>
)").replace ("\n", "\r\n");
    EXPECT_EQ (file.loadFileAsString(), expected);

    values.defaultPresets = UserSettings::DefaultPresets::clear;
    values.useUserMidiMap = true;
    values.userMidiMapFile = "/maps/a.hlccmap";
    auto document = UserSettings::create (values, "Halvenek");
    auto* resources = document->getChildByName ("ResourcesSettings");
    EXPECT_EQ (resources->getChildByName ("Presets")->getNumAttributes(), 1);
    EXPECT_EQ (resources->getChildByName ("Presets")->getStringAttribute ("default"), "clearPresets");
    EXPECT_EQ (resources->getChildByName ("MidiCCMap")->getStringAttribute ("default"), "userDefinedMidiCCMap");
    EXPECT_EQ (resources->getChildByName ("MidiCCMap")->getStringAttribute ("file"), "/maps/a.hlccmap");
}

TEST_F (UserSettingsTest, EveryCombinationSurvivesTheFile)
{
    const auto recent = folder.getChildFile ("recent");
    recent.createDirectory();

    for (int combination = 0; combination < 24; ++combination)
    {
        Values values;
        values.recentDirectory = recent.getFullPathName();
        values.defaultPresets = (UserSettings::DefaultPresets) (combination % 3);
        values.userPresetBankFile = values.defaultPresets == UserSettings::DefaultPresets::userDefined ? "/banks/b & \"c\".hlprsb" : "";
        values.useUserMidiMap = (combination / 3) % 2 == 1;
        values.userMidiMapFile = values.useUserMidiMap ? juce::String::fromUTF8 ("/maps/\xc3\xa4.hlccmap") : juce::String();
        values.storing = (UserSettings::Storing) ((combination / 6) % 2);
        values.changing = (UserSettings::Changing) ((combination / 12) % 2);

        ASSERT_TRUE (UserSettings::save (file, "Halvenek", values));

        Values loaded;
        ASSERT_TRUE (UserSettings::load (file, "Halvenek", loaded));
        EXPECT_EQ (loaded, values) << combination;
    }
}

TEST_F (UserSettingsTest, SavingReplacesTheFileWholeThroughATemporaryFile)
{
    file.replaceWithText (juce::String::repeatedString ("<old content that is longer than the new one/>\n", 1000));
    const auto oldContent = file.loadFileAsString();

    // A second name for the old file keeps its content only if the new file was written
    // elsewhere and renamed over the old name, rather than written into it.
    const auto secondName = folder.getChildFile ("second name");
    ASSERT_EQ (::link (file.getFullPathName().toRawUTF8(), secondName.getFullPathName().toRawUTF8()), 0);

    ASSERT_TRUE (UserSettings::save (file, "Halvenek", Values()));
    EXPECT_EQ (secondName.loadFileAsString(), oldContent);
    ASSERT_TRUE (secondName.deleteFile());

    Values loaded;
    loaded.storing = UserSettings::Storing::automatic;
    ASSERT_TRUE (UserSettings::load (file, "Halvenek", loaded));
    EXPECT_EQ (loaded, Values());
    EXPECT_FALSE (file.loadFileAsString().contains ("old content"));
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);
}

TEST_F (UserSettingsTest, AFolderThatCannotBeWrittenIsIgnored)
{
    // A regular file stands in for the folder: nothing can be created inside it.
    const auto notAFolder = folder.getChildFile ("plugins");
    notAFolder.replaceWithText ("x");

    EXPECT_FALSE (UserSettings::save (notAFolder.getChildFile ("Halvenek.ini"), "Halvenek", Values()));
    EXPECT_EQ (notAFolder.loadFileAsString(), "x");
}

TEST_F (UserSettingsTest, DamagedFilesLeaveTheValuesAsTheyWere)
{
    Values custom;
    custom.defaultPresets = UserSettings::DefaultPresets::clear;
    custom.useUserMidiMap = true;
    custom.userMidiMapFile = "/maps/a.hlccmap";
    custom.changing = UserSettings::Changing::silent;
    ASSERT_TRUE (UserSettings::save (file, "Halvenek", custom));

    juce::MemoryBlock original;
    ASSERT_TRUE (file.loadFileAsData (original));
    juce::Random random (0x1e1);

    for (int i = 0; i < 600; ++i)
    {
        juce::MemoryBlock bytes (original);
        auto* data = static_cast<char*> (bytes.getData());

        if (i % 3 == 0)
            bytes.setSize ((size_t) random.nextInt ((int) bytes.getSize()));
        else if (i % 3 == 1)
            data[random.nextInt ((int) bytes.getSize())] ^= (char) (1 << random.nextInt (8));
        else
            fillWithRandomBytes (random, data + random.nextInt ((int) bytes.getSize()), 1);

        ASSERT_TRUE (file.replaceWithData (bytes.getData(), bytes.getSize()));

        Values values;
        const bool parsed = UserSettings::load (file, "Halvenek", values);

        // Whatever the damage, each value is either the default or the one written.
        EXPECT_TRUE (parsed || values == Values()) << i;
        EXPECT_TRUE (values.defaultPresets == Values().defaultPresets || values.defaultPresets == custom.defaultPresets) << i;
        EXPECT_TRUE (values.changing == Values().changing || values.changing == custom.changing) << i;
    }

    const std::string hostile[] = {
        "<!DOCTYPE u [<!ENTITY a \"&aa;\">]><UserSettings application=\"Halvenek\">&a;</UserSettings>",
        "<UserSettings application=\"Halvenek\">" + juce::String::repeatedString ("<PluginDirectories>", 10000).toStdString(),
        "<UserSettings application=\"Halvenek\"><PresetSettings storing=\"automatic\" changing=\"\xff\"/></UserSettings>",
        "<UserSettings application=\"Halvenek\"><PluginDirectories><RecentlyUsed dir=\""
            + juce::String::repeatedString ("/x", 500000).toStdString() + "\"/></PluginDirectories></UserSettings>"
    };

    for (auto& text : hostile)
    {
        ASSERT_TRUE (file.replaceWithData (text.data(), text.size()));
        Values values;
        UserSettings::load (file, "Halvenek", values);
        EXPECT_EQ (values, Values());
    }
}

//==============================================================================
TEST (UserSettingsLocation, TheFileLivesBesideTheModuleThatHoldsTheCode)
{
    // In this test program the code is linked into the executable itself.
    const auto module = juce::File ("/proc/self/exe").getLinkedTarget();
    EXPECT_EQ (UserSettings::getPluginDirectory(), module.getParentDirectory());
    EXPECT_EQ (SettingsLocation::forPlugin ("Amber Crest Audio", "Halvenek").getLibraryFile(), module.getParentDirectory().getChildFile ("Halvenek.ini"));
    EXPECT_EQ (UserSettings::fileFromPath ("relative/x"), juce::File());
    EXPECT_EQ (UserSettings::fileFromPath (""), juce::File());
    EXPECT_EQ (UserSettings::fileFromPath ("/abs/x"), juce::File ("/abs/x"));
}

TEST_F (UserSettingsTest, TheMidiMapSettingsSurviveFromOneInstanceToTheNext)
{
    const auto map = folder.getChildFile ("startup.hlccmap");
    map.replaceWithText (R"(<MidiControlMap name="Halvenek"><assign CC="9" param="FX"/></MidiControlMap>)");

    {
        auto plugin = Halvenek::create();
        plugin->setUserSettingsFile (file);
        plugin->getMidiControl().setUseUserMap (true);
        plugin->getMidiControl().setUserMapFile (map);
        plugin->saveUserSettings();
    }

    Halvenek plugin;
    plugin.setUserSettingsFile (file);
    EXPECT_EQ (plugin.getUserSettingsFile(), file);
    plugin.initialise();
    plugin.loadUserSettings();
    EXPECT_TRUE (plugin.getMidiControl().getUseUserMap());
    EXPECT_EQ (plugin.getMidiControl().getUserMapFile(), map);

    plugin.loadStartupMidiMap();
    EXPECT_EQ (plugin.getMidiControl().getAssignedParameter (9), plugin.getParameterManager().getParameterByName ("FX"));
}

TEST_F (UserSettingsTest, AnInstanceWithoutSettingsFileKeepsItsValues)
{
    Halvenek plugin;
    plugin.setUserSettingsFile (folder.getChildFile ("missing.ini"));
    plugin.initialise();
    plugin.getMidiControl().setUseUserMap (true);
    plugin.loadUserSettings();
    EXPECT_TRUE (plugin.getMidiControl().getUseUserMap());

    Halvenek defaultPlace;
    EXPECT_EQ (defaultPlace.getUserSettingsFile(), SettingsLocation::forPlugin ("Amber Crest Audio", "Halvenek").getLibraryFile());
}

TEST_F (UserSettingsTest, AFileThatIsThereButCannotBeReadIsNeverOverwritten)
{
    Values custom;
    custom.changing = UserSettings::Changing::silent;
    const auto text = XmlReading::toDocumentText (*UserSettings::create (custom, "Halvenek")).toStdString();

    // Little-endian UTF-16 with its byte-order mark.
    std::string utf16 = "\xff\xfe";

    for (const char c : text)
        utf16 += std::string { c, '\0' };

    auto latin1 = text;
    latin1.replace (latin1.find ("silent"), 1, "\xe9");

    const std::string unreadable[] {
        utf16, latin1, text.substr (0, text.size() / 2), text.substr (0, text.rfind ('>')),
    };

    for (const auto& bytes : unreadable)
    {
        ASSERT_TRUE (file.replaceWithData (bytes.data(), bytes.size()));
        {
            Halvenek plugin;
            plugin.setUserSettingsFile (file);
            plugin.initialise();
            EXPECT_EQ (plugin.getChangingMode(), UserSettings::Changing::normal);
        }

        juce::MemoryBlock after;
        file.loadFileAsData (after);
        EXPECT_EQ (after, juce::MemoryBlock (bytes.data(), bytes.size())) << &bytes - unreadable;
    }

    // A folder in the file's place stays; a UTF-8 file with a byte-order mark is simply read.
    ASSERT_TRUE (file.deleteFile() && file.createDirectory());
    {
        Halvenek plugin;
        plugin.setUserSettingsFile (file);
        plugin.initialise();
    }
    EXPECT_TRUE (file.isDirectory());

    ASSERT_TRUE (file.deleteRecursively());
    const auto withMark = "\xef\xbb\xbf" + text;
    ASSERT_TRUE (file.replaceWithData (withMark.data(), withMark.size()));
    Halvenek plugin;
    plugin.setUserSettingsFile (file);
    plugin.initialise();
    EXPECT_EQ (plugin.getChangingMode(), UserSettings::Changing::silent);
}

TEST_F (UserSettingsTest, StartupBankAndMapThatAreNoRegularFilesAreSkipped)
{
    const auto fifo = folder.getChildFile ("fifo");
    ASSERT_EQ (mkfifo (fifo.getFullPathName().toRawUTF8(), 0600), 0);
    const auto factoryFirst = Halvenek::create()->getPresetName (0);

    for (const auto* path : { "/dev/zero", "/dev/urandom", fifo.getFullPathName().toRawUTF8() })
    {
        Values values;
        values.defaultPresets = UserSettings::DefaultPresets::userDefined;
        values.userPresetBankFile = path;
        values.useUserMidiMap = true;
        values.userMidiMapFile = path;
        ASSERT_TRUE (UserSettings::save (file, "Halvenek", values));

        Halvenek plugin;
        plugin.setUserSettingsFile (file);
        plugin.initialise();
        EXPECT_EQ (plugin.getPresetName (0), factoryFirst) << path;
    }
}

TEST_F (UserSettingsTest, AnUnwritableLibraryFolderKeepsTheSettingsInTheConfigFolderAndReadsThemBack)
{
    // Not even root may create a file in /proc: a system-wide install's library folder.
    const SettingsLocation location (juce::File ("/proc"), folder.getChildFile ("config"), "Amber Crest Audio", "Halvenek");

    {
        Halvenek plugin;
        plugin.setUserSettingsLocation (location);
        plugin.initialise();
        plugin.setStoringMode (BasePluginOldStyle::StoringMode::automatic);
        plugin.setChangingMode (BasePluginOldStyle::ChangingMode::silent);
    }

    ASSERT_TRUE (location.getUserFile().existsAsFile());
    EXPECT_EQ (location.getUserFile(), folder.getChildFile ("config/Amber Crest Audio/Halvenek/Halvenek.ini"));

    Halvenek next;
    next.setUserSettingsLocation (location);
    EXPECT_EQ (next.getUserSettingsFile(), location.getUserFile());
    next.initialise();
    EXPECT_EQ (next.getStoringMode(), BasePluginOldStyle::StoringMode::automatic);
    EXPECT_EQ (next.getChangingMode(), BasePluginOldStyle::ChangingMode::silent);
}
