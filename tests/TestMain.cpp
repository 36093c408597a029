#include "framework/plugin/SettingsLocation.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

namespace
{
    // Every processor reads the settings file beside its library when it starts and
    // writes it when it goes away; in the test program that is beside the program.
    // Each test starts without one, so no test sees another's settings.
    class FreshSettingsFile : public testing::EmptyTestEventListener
    {
        void OnTestStart (const testing::TestInfo&) override { removeSettingsFile(); }
        void OnTestEnd (const testing::TestInfo&) override   { removeSettingsFile(); }

        static void removeSettingsFile() { SettingsLocation::forPlugin ("Amber Crest Audio", "Halvenek").getLibraryFile().deleteFile(); }
    };
}

// JUCE needs its message manager and the rest of its shared state for the whole run;
// tests that need the message loop pump it themselves on this thread.
int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append (new FreshSettingsFile());
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
