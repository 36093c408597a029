#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

// JUCE needs its message manager and the rest of its shared state for the whole run;
// tests that need the message loop pump it themselves on this thread.
int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
