// The embedded product skin against what the editor and the processor expect of it:
// controls in order with the right elements, links to existing parameters, pictures
// whose frames fit the skin's rectangles, and a layout without accidental overlaps.

#include "framework/parameters/XmlReading.h"
#include "framework/plugin/Resources.h"
#include "product/Halvenek.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace
{
    struct ExpectedControl
    {
        const char* element;
        const char* name;
        int frames;             // 0: a display, which has no frames
        const char* parameter;  // nullptr: not linked
    };

    const ExpectedControl expectedControls[] = {
        { "Button", "OptionsButton", 2, nullptr },
        { "Button", "PrevPresetButton", 2, nullptr },
        { "Button", "NextPresetButton", 2, nullptr },
        { "Button", "BrowsePresetButton", 2, nullptr },
        { "Display", "PresetNameDisplay", 0, "Current Preset Name" },
        { "Animation", "LeftVUMeter", 12, nullptr },
        { "Animation", "RightVUMeter", 12, nullptr },
        { "Knob", "OutputVolumeKnob", 61, "Output Volume" },
        { "Knob", "LFO1DepthKnob", 61, "LFO 1 Depth" },
        { "Knob", "LFO1OffsetKnob", 61, "LFO 1 Offset" },
        { "Knob", "LFO1StereoPhaseKnob", 61, "LFO 1 Stereo Phase" },
        { "Knob", "LFO1TremoloKnob", 61, "LFO 1 Tremolo" },
        { "Knob", "Path1VolumeKnob", 61, "Path 1 Volume" },
        { "Knob", "LFO1WaveformKnob", 6, "LFO 1 Waveform" },
        { "Switch", "LFO1TempoSyncSwitch", 4, "LFO 1 Sync" },
        { "Knob", "LFO1RateSlider", 61, "LFO 1 Rate" },
        { "Switch", "LFO1RateSwitch", 10, "LFO 1 Note Rate" },
        { "Knob", "LFO2DepthKnob", 61, "LFO 2 Depth" },
        { "Knob", "LFO2OffsetKnob", 61, "LFO 2 Offset" },
        { "Knob", "LFO2StereoPhaseKnob", 61, "LFO 2 Stereo Phase" },
        { "Knob", "LFO2TremoloKnob", 61, "LFO 2 Tremolo" },
        { "Knob", "Path2VolumeKnob", 61, "Path 2 Volume" },
        { "Knob", "LFO2WaveformKnob", 6, "LFO 2 Waveform" },
        { "Switch", "LFO2TempoSyncSwitch", 4, "LFO 2 Sync" },
        { "Knob", "LFO2RateSlider", 61, "LFO 2 Rate" },
        { "Switch", "LFO2RateSwitch", 10, "LFO 2 Note Rate" },
        { "Switch", "LFO2SynchronizeSwitch", 2, "LFO 2 Synchronize" },
        { "Knob", "HiPassKnob", 61, "Hi Pass Frequency" },
        { "Knob", "FXKnob", 61, "FX" },
        { "ToggleButton", "BBDSwitch", 4, "BBD" },
        { "Animation", "LFO1ValueLed", 20, nullptr },
        { "Animation", "LFO2ValueLed", 20, nullptr },
        { "Animation", "LFO2SyncStateLed", 2, "LFO 2 Synchronize" },
    };

    class SkinResource : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            skin = XmlReading::parse (Resources::loadResourceText ("skin.xml"));
            ASSERT_NE (skin, nullptr);

            for (auto* element : skin->getChildIterator())
                elements.push_back (element);
        }

        static juce::String childAttribute (const juce::XmlElement& element, const char* child, const char* attribute)
        {
            auto* found = XmlReading::firstChild (element, child);
            return found != nullptr ? XmlReading::getAttribute (*found, attribute) : juce::String();
        }

        static juce::Rectangle<int> boundsOf (const juce::XmlElement& element)
        {
            return { childAttribute (element, "pos", "left").getIntValue(), childAttribute (element, "pos", "top").getIntValue(),
                     childAttribute (element, "size", "width").getIntValue(), childAttribute (element, "size", "height").getIntValue() };
        }

        const juce::XmlElement* find (const juce::String& name) const
        {
            for (auto* element : elements)
                if (XmlReading::getAttribute (*element, "name") == name)
                    return element;

            return nullptr;
        }

        juce::StringArray linksOf (const juce::XmlElement& element) const
        {
            juce::StringArray params;

            if (auto* links = XmlReading::firstChild (element, "links"))
                for (auto* link = XmlReading::firstChild (*links, "link"); link != nullptr; link = XmlReading::nextSibling (*link, "link"))
                    if (XmlReading::getAttribute (*link, "as") == "connectedTo")
                        params.add (XmlReading::getAttribute (*link, "param"));

            return params;
        }

        std::unique_ptr<juce::XmlElement> skin;
        std::vector<const juce::XmlElement*> elements;
    };
}

TEST_F (SkinResource, RootNamesTheProductAndItsBackground)
{
    EXPECT_TRUE (XmlReading::hasTag (*skin, "PluginEditor"));
    EXPECT_EQ (XmlReading::getAttribute (*skin, "application"), "Halvenek");

    juce::Image background;
    ASSERT_TRUE (Resources::loadResourceImage (XmlReading::getAttribute (*skin, "background"), background));
    EXPECT_EQ (background.getWidth(), 633);
    EXPECT_EQ (background.getHeight(), 207);
}

TEST_F (SkinResource, ListsTheControlsInOrderWithTheirLinks)
{
    ASSERT_EQ (elements.size(), std::size (expectedControls));

    for (size_t i = 0; i < elements.size(); ++i)
    {
        const auto& expected = expectedControls[i];
        SCOPED_TRACE (expected.name);

        EXPECT_EQ (elements[i]->getTagName(), expected.element);
        EXPECT_EQ (XmlReading::getAttribute (*elements[i], "name"), expected.name);

        const auto links = linksOf (*elements[i]);

        if (expected.parameter == nullptr)
        {
            EXPECT_TRUE (links.isEmpty());
        }
        else
        {
            EXPECT_EQ (links, juce::StringArray (expected.parameter));
        }

        if (expected.frames > 0)
        {
            EXPECT_EQ (childAttribute (*elements[i], "gfx", "framesNum").getIntValue(), expected.frames);
        }
    }
}

TEST_F (SkinResource, EveryLinkFindsAParameterOfTheProcessor)
{
    const auto processor = Halvenek::create();
    auto& manager = processor->getParameterManager();

    for (auto* element : elements)
    {
        for (auto& name : linksOf (*element))
        {
            SCOPED_TRACE (name);

            // The preset manager adds the name parameter; until it is registered under
            // its index the link can only be checked by its name.
            if (name == "Current Preset Name" && manager.getParameter (ParameterManager::currentPresetNameIndex) == nullptr)
                continue;

            EXPECT_NE (manager.getParameterByName (name), nullptr);
        }
    }
}

TEST_F (SkinResource, EveryPictureHoldsWholeFramesOfTheSkinSize)
{
    for (auto* element : elements)
    {
        const auto name = XmlReading::getAttribute (*element, "name");
        SCOPED_TRACE (name);

        if (XmlReading::hasTag (*element, "Display"))
            continue;

        juce::Image strip;
        ASSERT_TRUE (Resources::loadResourceImage (childAttribute (*element, "gfx", "resource"), strip));
        ASSERT_TRUE (strip.isValid());

        const int frames = childAttribute (*element, "gfx", "framesNum").getIntValue();
        ASSERT_GT (frames, 0);
        EXPECT_EQ (strip.getHeight() % frames, 0);

        const auto bounds = boundsOf (*element);
        EXPECT_EQ (strip.getWidth(), bounds.getWidth());
        EXPECT_EQ (strip.getHeight() / frames, bounds.getHeight());
    }
}

TEST_F (SkinResource, ControlsLieOnThePanelAndOnlyTheRateControlsShareARectangle)
{
    const juce::Rectangle<int> panel (0, 0, 633, 207);

    for (size_t i = 0; i < elements.size(); ++i)
    {
        const auto bounds = boundsOf (*elements[i]);
        const auto name = XmlReading::getAttribute (*elements[i], "name");
        EXPECT_TRUE (panel.contains (bounds)) << name;

        for (size_t j = i + 1; j < elements.size(); ++j)
        {
            const auto other = XmlReading::getAttribute (*elements[j], "name");
            const bool ratePair = name.endsWith ("RateSlider") && other == name.replace ("RateSlider", "RateSwitch");

            if (ratePair)
            {
                EXPECT_EQ (bounds, boundsOf (*elements[j])) << name;
            }
            else
            {
                EXPECT_FALSE (bounds.intersects (boundsOf (*elements[j]))) << name << " overlaps " << other;
            }
        }
    }
}

TEST_F (SkinResource, SwitchesAndToggleCarryTheirStyles)
{
    EXPECT_EQ (XmlReading::getAttribute (*find ("LFO1TempoSyncSwitch"), "style"), "Horizontal");
    EXPECT_EQ (XmlReading::getAttribute (*find ("LFO2TempoSyncSwitch"), "style"), "Horizontal");
    EXPECT_EQ (XmlReading::getAttribute (*find ("LFO1RateSwitch"), "style"), "Vertical");
    EXPECT_EQ (XmlReading::getAttribute (*find ("LFO2RateSwitch"), "style"), "Vertical");

    const auto* bbd = find ("BBDSwitch");
    EXPECT_EQ (XmlReading::getAttribute (*bbd, "style"), "3D");
    EXPECT_EQ (XmlReading::getAttribute (*bbd, "clickEvent"), "onRelease");
}

TEST_F (SkinResource, TopBarButtonsRaiseKnownEventsOnClickAndCtrlClick)
{
    const auto processor = Halvenek::create();
    const auto& events = processor->getEventsMap();

    const std::tuple<const char*, const char*, const char*> expected[] = {
        { "OptionsButton", "Options", "About" },
        { "PrevPresetButton", "Select previous preset", "Copy current preset" },
        { "NextPresetButton", "Select next preset", "Paste copied preset" },
        { "BrowsePresetButton", "Browse presets", "Store current preset" },
    };

    for (auto& [name, click, ctrlClick] : expected)
    {
        SCOPED_TRACE (name);
        auto* actions = XmlReading::firstChild (*find (name), "actions");
        ASSERT_NE (actions, nullptr);

        std::map<juce::String, juce::String> byType;

        for (auto* action = XmlReading::firstChild (*actions, "action"); action != nullptr; action = XmlReading::nextSibling (*action, "action"))
            byType[XmlReading::getAttribute (*action, "type")] = XmlReading::getAttribute (*action, "event");

        EXPECT_EQ (byType.size(), 2u);
        EXPECT_EQ (byType["onClick"], click);
        EXPECT_EQ (byType["onClickWithCtrl"], ctrlClick);
        EXPECT_GE (events.findEventNumber (byType["onClick"]), 0);
        EXPECT_GE (events.findEventNumber (byType["onClickWithCtrl"]), 0);
    }
}

TEST_F (SkinResource, DisplayFontHoldsTwoSetsOfDistinctGlyphs)
{
    const auto* display = find ("PresetNameDisplay");
    ASSERT_NE (display, nullptr);
    EXPECT_EQ (childAttribute (*display, "gfx", "fontHeight"), "9");
    EXPECT_EQ (childAttribute (*display, "gfx", "firstASCII"), " ");
    EXPECT_EQ (boundsOf (*display).getWidth(), 153);
    EXPECT_EQ (XmlReading::getAttribute (*display, "backgroundColour").length(), 8);
    EXPECT_EQ (XmlReading::getAttribute (*display, "caretColour").length(), 8);

    juce::Image font;
    ASSERT_TRUE (Resources::loadResourceImage (childAttribute (*display, "gfx", "resource"), font));
    ASSERT_EQ (font.getWidth(), 7);
    ASSERT_EQ (font.getHeight(), 1728);

    constexpr int glyphs = 96, height = 9;

    auto cell = [&] (int set, int glyph)
    {
        juce::String pixels;

        for (int y = 0; y < height; ++y)
            for (int x = 0; x < 7; ++x)
                pixels << juce::String::toHexString ((int) font.getPixelAt (x, (set * glyphs + glyph) * height + y).getARGB()) << ",";

        return pixels;
    };

    // Each printable character looks unlike a space and unlike its neighbour, and the
    // caret set is not a copy of the normal set.
    for (int glyph = 1; glyph < glyphs; ++glyph)
    {
        SCOPED_TRACE (glyph + 32);
        EXPECT_NE (cell (0, glyph), cell (0, 0));
        EXPECT_NE (cell (0, glyph), cell (0, glyph - 1));
        EXPECT_NE (cell (1, glyph), cell (0, glyph));
    }

    // The display's own background fills the margins, so it must match the glyph paper.
    const auto paper = juce::Colour ((juce::uint32) XmlReading::getAttribute (*display, "backgroundColour").getHexValue64());
    EXPECT_EQ (font.getPixelAt (0, 0).getARGB(), paper.getARGB());
}
