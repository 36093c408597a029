#include "framework/plugin/Resources.h"

#include <gtest/gtest.h>

TEST (Resources, FileNameSplitsAtTheLastDot)
{
    const auto twoDots = Resources::splitFileName ("a.b.png");
    EXPECT_EQ (twoDots.name, "a.b");
    EXPECT_EQ (twoDots.type, "png");

    const auto bank = Resources::splitFileName ("Default.HLPRSB");
    EXPECT_EQ (bank.name, "Default");
    EXPECT_EQ (bank.type, "HLPRSB");

    const auto noDot = Resources::splitFileName ("parameters");
    EXPECT_TRUE (noDot.name.isEmpty());
    EXPECT_TRUE (noDot.type.isEmpty());

    const auto trailingDot = Resources::splitFileName ("skin.");
    EXPECT_EQ (trailingDot.name, "skin");
    EXPECT_TRUE (trailingDot.type.isEmpty());
}

TEST (Resources, LookupIgnoresCase)
{
    const auto text = Resources::loadResourceText ("parameters.xml");
    EXPECT_TRUE (text.contains ("<PluginParameters"));

    for (auto* name : { "PARAMETERS.XML", "Parameters.Xml", "parameters.XML" })
        EXPECT_EQ (Resources::loadResourceText (name), text) << name;

    const auto block = Resources::findResource ("PARAMETERS.XML");
    ASSERT_NE (block, nullptr);
    EXPECT_EQ (block->toString(), text);
}

TEST (Resources, NamesThatFindNothing)
{
    for (auto* name : { "parameters", ".xml", "parameters.", "parameters.xml.xml", "x.parameters.xml",
                        "parameters.xm", "arameters.xml", "events.xml", "", "." })
    {
        EXPECT_EQ (Resources::findResource (name), nullptr) << "'" << name << "'";
        EXPECT_TRUE (Resources::loadResourceText (name).isEmpty()) << "'" << name << "'";
    }
}

TEST (Resources, MissingImageLeavesTheImageUntouched)
{
    juce::Image image (juce::Image::ARGB, 3, 2, true);
    image.setPixelAt (1, 1, juce::Colours::red);

    EXPECT_FALSE (Resources::loadResourceImage ("NoSuchPicture.png", image));
    ASSERT_TRUE (image.isValid());
    EXPECT_EQ (image.getWidth(), 3);
    EXPECT_EQ (image.getHeight(), 2);
    EXPECT_EQ (image.getPixelAt (1, 1), juce::Colours::red);
}

TEST (Resources, ResourceThatIsNoPictureGivesAnInvalidImage)
{
    juce::Image image (juce::Image::ARGB, 3, 2, true);

    EXPECT_TRUE (Resources::loadResourceImage ("parameters.xml", image));
    EXPECT_FALSE (image.isValid());
}

TEST (Resources, EachPictureIsDecodedOncePerProcess)
{
    juce::Image first, second;
    ASSERT_TRUE (Resources::loadResourceImage ("Background.png", first));
    ASSERT_TRUE (Resources::loadResourceImage ("background.PNG", second));
    ASSERT_TRUE (first.isValid());

    // Every editor shows the very same pixels instead of a copy of its own.
    EXPECT_EQ (first.getPixelData(), second.getPixelData());
}
