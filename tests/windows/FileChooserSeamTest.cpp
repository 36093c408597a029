#include "FakeFileChooser.h"

#include "../MessageLoop.h"

#include <gtest/gtest.h>

TEST (FileChooserSeamTest, AFakeAnswersLaterWithItsFileOrACancelAndJucesChooserComesBack)
{
    auto& native = FileChooserSeam::get();
    std::vector<juce::File> answers;
    const auto record = [&] (const juce::File& file) { answers.push_back (file); };

    {
        FakeFileChooser fake;
        EXPECT_EQ (&FileChooserSeam::get(), &fake);

        const auto bank = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("Live.hlprsb");
        fake.willChoose (bank);
        FileChooserSeam::get().chooseFile ({ "Save bank", {}, "*.hlprsb", true }, record);
        EXPECT_TRUE (answers.empty());   // never from inside the request

        fake.willCancel();
        FileChooserSeam::get().chooseFile ({ "Load preset", {}, "*.hlprs", false }, record);
        MessageLoop::dispatchPending();

        ASSERT_EQ (answers.size(), 2u);
        EXPECT_EQ (answers[0], bank);
        EXPECT_EQ (answers[1], juce::File());
        ASSERT_EQ (fake.requests.size(), 2u);
        EXPECT_TRUE (fake.requests[0].saving);
        EXPECT_EQ (fake.requests[1].filePatterns, "*.hlprs");
    }

    EXPECT_EQ (&FileChooserSeam::get(), &native);
}
