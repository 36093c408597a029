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

TEST (Resources, EachPictureIsDecodedOncePerProcessAndShowsThePixelsOfItsFile)
{
    for (const juce::String name : { "Background.png", "LFO1DepthKnob.png", "DisplayFont.png" })
    {
        juce::Image first, second;
        ASSERT_TRUE (Resources::loadResourceImage (name, first));
        ASSERT_TRUE (Resources::loadResourceImage (name.toUpperCase(), second));

        // Every editor shows the very same pixels instead of a copy of its own.
        EXPECT_EQ (first.getPixelData(), second.getPixelData()) << name;

        // Decoded when first used, the pixels are those of the file, also through a
        // clipped frame or a copy.
        const auto block = Resources::findResource (name);
        ASSERT_NE (block, nullptr);
        const auto expected = juce::ImageFileFormat::loadFrom (block->getData(), block->getSize());
        ASSERT_EQ (first.getBounds(), expected.getBounds()) << name;
        EXPECT_EQ (first.hasAlphaChannel(), expected.hasAlphaChannel()) << name;

        const auto frame = first.getClippedImage ({ 0, first.getHeight() / 2, first.getWidth(), 3 });
        const auto copy = first.createCopy();

        for (int y = 0; y < expected.getHeight(); ++y)
            for (int x = 0; x < expected.getWidth(); ++x)
                ASSERT_EQ (copy.getPixelAt (x, y), expected.getPixelAt (x, y)) << name << " " << x << " " << y;

        EXPECT_EQ (frame.getPixelAt (1, 1), expected.getPixelAt (1, first.getHeight() / 2 + 1)) << name;
    }
}
