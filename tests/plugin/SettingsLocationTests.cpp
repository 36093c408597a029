#include "framework/plugin/SettingsLocation.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
    struct SettingsLocationTest : ::testing::Test
    {
        ~SettingsLocationTest() override { root.deleteRecursively(); }

        const juce::File root = juce::File::getSpecialLocation (juce::File::tempDirectory)
                                    .getNonexistentChildFile ("halvenek-location", {}, false);
        const juce::File library = root.getChildFile ("lib/vst");
        const juce::File config = root.getChildFile ("config");

        // Not even root may create a file in /proc, as in a library folder of a system-wide
        // install or on a read-only file system.
        const juce::File unwritable { "/proc" };
    };
}

TEST_F (SettingsLocationTest, AWritableLibraryFolderKeepsTheFileBesideTheLibrary)
{
    ASSERT_TRUE (library.createDirectory());
    const SettingsLocation location (library, config, "Amber Crest Audio", "Halvenek");

    EXPECT_EQ (location.getFileToRead(), library.getChildFile ("Halvenek.ini"));
    EXPECT_EQ (location.prepareFileToWrite(), library.getChildFile ("Halvenek.ini"));
    EXPECT_EQ (location.getUserFile(), config.getChildFile ("Amber Crest Audio/Halvenek/Halvenek.ini"));
    EXPECT_FALSE (config.exists());
    EXPECT_EQ (library.getNumberOfChildFiles (juce::File::findFilesAndDirectories | juce::File::ignoreHiddenFiles, "*"), 0);
}

TEST_F (SettingsLocationTest, AnUnwritableLibraryFolderSendsTheFileToTheUsersConfigFolder)
{
    ASSERT_FALSE (SettingsLocation::canWriteIn (unwritable));
    const SettingsLocation location (unwritable, config, "Amber Crest Audio", "Halvenek");

    // Until the user has a file, a file beside the library (a system-wide default) is read.
    EXPECT_EQ (location.getFileToRead(), unwritable.getChildFile ("Halvenek.ini"));

    const auto target = location.prepareFileToWrite();
    EXPECT_EQ (target, location.getUserFile());
    EXPECT_TRUE (target.getParentDirectory().isDirectory());

    ASSERT_TRUE (target.replaceWithText ("<UserSettings/>"));
    EXPECT_EQ (location.getFileToRead(), target);
}

TEST_F (SettingsLocationTest, TheConfigHomeFollowsAnAbsoluteXdgConfigHome)
{
    const auto previous = juce::SystemStats::getEnvironmentVariable ("XDG_CONFIG_HOME", {});
    const auto home = juce::File::getSpecialLocation (juce::File::userHomeDirectory);

    setenv ("XDG_CONFIG_HOME", config.getFullPathName().toRawUTF8(), 1);
    EXPECT_EQ (SettingsLocation::getConfigHome(), config);

    setenv ("XDG_CONFIG_HOME", "relative/config", 1);
    EXPECT_EQ (SettingsLocation::getConfigHome(), home.getChildFile (".config"));

    unsetenv ("XDG_CONFIG_HOME");
    EXPECT_EQ (SettingsLocation::getConfigHome(), home.getChildFile (".config"));

    if (previous.isNotEmpty())
        setenv ("XDG_CONFIG_HOME", previous.toRawUTF8(), 1);
}
