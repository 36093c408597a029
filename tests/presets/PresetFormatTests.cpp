#include "framework/parameters/XmlReading.h"
#include "framework/presets/PresetFormat.h"

#include <gtest/gtest.h>

namespace
{
    constexpr int numValues = 23;

    class PresetFormatTest : public testing::Test
    {
    protected:
        PresetFormatTest() { parameters.loadDefinitions ("parameters.xml"); }

        static std::unique_ptr<juce::XmlElement> xml (const juce::String& text)
        {
            auto element = XmlReading::parse (text);
            EXPECT_NE (element, nullptr) << text;
            return element;
        }

        /** A preset element with the given name and "LFO 1 Depth" value. */
        static juce::String presetXml (const juce::String& name, float depth, const juce::String& application = "Halvenek")
        {
            return "<Preset application=\"" + application + "\" name=\"" + name + "\">"
                   "<param name=\"LFO 1 Depth\" value=\"" + juce::String (depth) + "\"/></Preset>";
        }

        static juce::String presets (int count, int firstNumber = 0)
        {
            juce::String text;

            for (int i = 0; i < count; ++i)
                text << presetXml ("p" + juce::String (firstNumber + i), (float) (firstNumber + i) / 1000.0f);

            return text;
        }

        void fill (Preset& preset, float value)
        {
            for (int i = 0; i < preset.getNumValues(); ++i)
                preset.setValue (i, value);
        }

        ParameterManager parameters;
        PresetFormat format { parameters, "Halvenek" };
    };
}

TEST (PresetValueText, RoundsToSixDecimalsAndPrintsNineSignificantDigits)
{
    EXPECT_EQ (PresetFormat::formatValue (0.524f), "0.524");
    EXPECT_EQ (PresetFormat::formatValue (1.0f), "1");
    EXPECT_EQ (PresetFormat::formatValue (0.0f), "0");
    EXPECT_EQ (PresetFormat::formatValue (0.0014563f), "0.001456");
    EXPECT_EQ (PresetFormat::formatValue (0.33333334f), "0.333333");
    EXPECT_EQ (PresetFormat::formatValue (1.7f), "1.7");
    EXPECT_EQ (PresetFormat::formatValue (-0.25f), "-0.25");
    // Scaled values exactly between two millionths go to the even one; "%.9g" prints
    // such small numbers with an exponent.
    EXPECT_EQ (PresetFormat::formatValue (0.0000025f), "2e-06");
    EXPECT_EQ (PresetFormat::formatValue (0.0000035f), "4e-06");
}

TEST_F (PresetFormatTest, PresetElementNeedsTheTagAndThisApplicationIgnoringCase)
{
    EXPECT_TRUE (format.isPresetElement (*xml ("<Preset application=\"Halvenek\"/>")));
    EXPECT_TRUE (format.isPresetElement (*xml ("<preset APPLICATION=\"HALVENEK\"/>")));
    EXPECT_FALSE (format.isPresetElement (*xml ("<Preset application=\"Other\"/>")));
    EXPECT_FALSE (format.isPresetElement (*xml ("<Preset/>")));
    EXPECT_FALSE (format.isPresetElement (*xml ("<Presets application=\"Halvenek\"/>")));
}

TEST_F (PresetFormatTest, ReadingAPresetOfAnotherProductChangesNothing)
{
    Preset preset (numValues, "Mine");
    fill (preset, 0.25f);

    EXPECT_FALSE (format.loadPreset (*xml (presetXml ("Theirs", 0.9f, "Other")), preset));
    EXPECT_EQ (preset.getName(), "Mine");
    EXPECT_FLOAT_EQ (preset.getValue (3), 0.25f);
}

TEST_F (PresetFormatTest, ReadingKeepsValuesThatNoParamNames)
{
    Preset preset (numValues);
    fill (preset, 0.25f);

    const auto element = xml ("<Preset application=\"Halvenek\" name=\"Three\">"
                              "  <param name=\"LFO 1 Rate\" value=\"0.1\"/>"
                              "  <comment name=\"FX\" value=\"0.9\"/>"
                              "  <param name=\"BBD\" value=\"0\"/>"
                              "  <param name=\"Output Volume\" value=\"0.7\"/>"
                              "</Preset>");
    ASSERT_TRUE (format.loadPreset (*element, preset));

    EXPECT_EQ (preset.getName(), "Three");
    EXPECT_FLOAT_EQ (preset.getValue (0), 0.1f);
    EXPECT_FLOAT_EQ (preset.getValue (19), 0.0f);
    EXPECT_FLOAT_EQ (preset.getValue (22), 0.7f);

    for (int i : { 1, 2, 3, 18, 20, 21 })
        EXPECT_FLOAT_EQ (preset.getValue (i), 0.25f) << i;
}

TEST_F (PresetFormatTest, ReadingIsSilentAboutBadParams)
{
    Preset preset (numValues);
    fill (preset, 0.25f);

    const auto element = xml ("<Preset application=\"Halvenek\">"
                              "  <param name=\"LFO 1 Depth\"/>"                          // no value: 0
                              "  <param name=\"LFO 1 Offset\" value=\"loud\"/>"          // not a number: 0
                              "  <param name=\"lfo 1 rate\" value=\"0.9\"/>"             // names are case-sensitive
                              "  <param name=\"No Such Parameter\" value=\"0.9\"/>"
                              "  <param name=\"Current Preset Number\" value=\"0.9\"/>"  // not presetable
                              "  <param name=\"FX\" value=\"1.7\"/>"                     // kept as read
                              "</Preset>");
    ASSERT_TRUE (format.loadPreset (*element, preset));

    EXPECT_EQ (preset.getName(), "unnamed");
    EXPECT_FLOAT_EQ (preset.getValue (3), 0.0f);
    EXPECT_FLOAT_EQ (preset.getValue (4), 0.0f);
    EXPECT_FLOAT_EQ (preset.getValue (0), 0.25f);
    EXPECT_FLOAT_EQ (preset.getValue (21), 1.7f);
}

TEST_F (PresetFormatTest, WritesApplicationNameAndOneParamPerParameterInOrder)
{
    Preset preset (numValues, "Wide & \"Warm\"");
    preset.setValue (3, 0.33333334f);
    preset.setValue (22, 1.0f);

    const auto element = format.createPresetElement (preset);

    ASSERT_EQ (element->getNumAttributes(), 2);
    EXPECT_EQ (element->getAttributeName (0), "application");
    EXPECT_EQ (element->getAttributeValue (0), "Halvenek");
    EXPECT_EQ (element->getAttributeName (1), "name");
    EXPECT_EQ (element->getAttributeValue (1), "Wide & \"Warm\"");
    ASSERT_EQ (element->getNumChildElements(), numValues);

    for (int i = 0; i < numValues; ++i)
        EXPECT_EQ (element->getChildElement (i)->getStringAttribute ("name"), parameters.getParameterName (i));

    EXPECT_EQ (element->getChildElement (3)->getStringAttribute ("value"), "0.333333");
    EXPECT_EQ (element->getChildElement (22)->getStringAttribute ("value"), "1");

    // Read back through the document text, as a file would be.
    Preset copy (numValues);
    ASSERT_TRUE (format.loadPreset (*xml (XmlReading::toDocumentText (*element)), copy));
    EXPECT_EQ (copy.getName(), preset.getName());
    EXPECT_FLOAT_EQ (copy.getValue (3), 0.333333f);
}

TEST_F (PresetFormatTest, WrittenDocumentsHaveTheDeclarationAndTwoSpaceIndentation)
{
    Preset preset (numValues, "Doc");
    const auto text = XmlReading::toDocumentText (*format.createPresetElement (preset));

    EXPECT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_TRUE (text.contains ("\n  <param name=\"LFO 1 Rate\" value=\"0\"/>"));
}

//==============================================================================
TEST_F (PresetFormatTest, BankTagIsComparedWithoutCaseAndNeedsNoApplication)
{
    EXPECT_TRUE (PresetFormat::isBankElement (*xml ("<presetbank/>")));
    EXPECT_FALSE (PresetFormat::isBankElement (*xml ("<PresetGroup/>")));
    EXPECT_TRUE (PresetFormat::isGroupElement (*xml ("<PRESETGROUP/>")));
}

TEST_F (PresetFormatTest, AForeignRootLeavesTheBankUntouched)
{
    PresetBank bank (numValues);
    Preset defaults (numValues);
    bank.getPreset (5)->setName ("Kept");

    EXPECT_FALSE (format.loadBank (*xml ("<Bank><PresetGroup>" + presets (3) + "</PresetGroup></Bank>"), bank, defaults));
    EXPECT_EQ (bank.getPresetName (5), "Kept");
    EXPECT_EQ (bank.getGroupCount(), 0);
}

TEST_F (PresetFormatTest, TwoGroupsOfTenLeaveTheRestInNotUsed)
{
    PresetBank bank (numValues);
    Preset defaults (numValues);
    fill (defaults, 0.5f);
    fill (*bank.getPreset (100), 0.9f);

    const auto element = xml ("<PresetBank name=\"Mine\">"
                              "<PresetGroup name=\"A\">" + presets (10) + "</PresetGroup>"
                              "<PresetGroup name=\"B\">" + presets (10, 10) + "</PresetGroup>"
                              "</PresetBank>");
    ASSERT_TRUE (format.loadBank (*element, bank, defaults));

    EXPECT_EQ (bank.getName(), "Mine");
    ASSERT_EQ (bank.getGroupCount(), 3);
    EXPECT_EQ (bank.getGroupName (0), "A");
    EXPECT_EQ (bank.getGroupName (1), "B");
    EXPECT_EQ (bank.getGroupName (2), "Not used");
    EXPECT_EQ (bank.getGroupSize (2), 108);
    EXPECT_EQ (bank.getPresetName (19), "p19");
    EXPECT_FLOAT_EQ (bank.getPreset (19)->getValue (3), 0.019f);
    EXPECT_EQ (bank.getPresetName (20), "Preset 20");
    EXPECT_EQ (bank.getPresetName (127), "Preset 127");
    EXPECT_FLOAT_EQ (bank.getPreset (100)->getValue (7), 0.5f);

    // Values a preset does not name come from the defaults, not from the slot's past.
    EXPECT_FLOAT_EQ (bank.getPreset (0)->getValue (7), 0.5f);
}

TEST_F (PresetFormatTest, PresetsBeyondTheLastSlotAreDroppedAndLaterGroupsAreEmpty)
{
    PresetBank bank (numValues);
    Preset defaults (numValues);

    const auto element = xml ("<PresetBank>"
                              "<PresetGroup name=\"Big\">" + presets (130) + "</PresetGroup>"
                              "<PresetGroup name=\"Late\">" + presets (2, 500) + "</PresetGroup>"
                              "</PresetBank>");
    ASSERT_TRUE (format.loadBank (*element, bank, defaults));

    EXPECT_EQ (bank.getName(), "Preset Bank");
    ASSERT_EQ (bank.getGroupCount(), 2);
    EXPECT_EQ (bank.getGroupSize (0), 128);
    EXPECT_EQ (bank.getGroupName (1), "Late");
    EXPECT_EQ (bank.getGroupSize (1), 0);
    EXPECT_EQ (bank.getPresetName (127), "p127");
}

TEST_F (PresetFormatTest, UnnamedGroupsAreNumberedAndStrayElementsAreSkipped)
{
    PresetBank bank (numValues);
    Preset defaults (numValues);

    const auto element = xml ("<PresetBank>"
                              + presetXml ("direct", 0.5f) +                               // not inside a group
                              "<PresetGroup name=\"One\">"
                              + presetXml ("foreign", 0.5f, "Other") +                     // consumes no slot
                              "<Note/>" + presets (2) + "</PresetGroup>"
                              "<Something/>"
                              "<PresetGroup name=\"\">" + presets (1, 2) + "</PresetGroup>"
                              "<PresetGroup>" + presets (1, 3) + "</PresetGroup>"
                              "</PresetBank>");
    ASSERT_TRUE (format.loadBank (*element, bank, defaults));

    ASSERT_EQ (bank.getGroupCount(), 4);
    EXPECT_EQ (bank.getGroupSize (0), 2);
    EXPECT_EQ (bank.getGroupName (1), "");
    EXPECT_EQ (bank.getGroupName (2), "group 3");
    EXPECT_EQ (bank.getPresetName (0), "p0");
    EXPECT_EQ (bank.getPresetName (3), "p3");
    EXPECT_EQ (bank.getGroupSize (3), 124);
}

TEST_F (PresetFormatTest, ThousandsOfGroupsAndPresetsAreReadWithoutTrouble)
{
    PresetBank bank (numValues);
    Preset defaults (numValues);
    juce::String text ("<PresetBank>");

    for (int g = 0; g < 3000; ++g)
        text << "<PresetGroup>" << presets (2, 2 * g) << "</PresetGroup>";

    text << "</PresetBank>";
    ASSERT_TRUE (format.loadBank (*xml (text), bank, defaults));

    EXPECT_EQ (bank.getGroupCount(), 3000);
    EXPECT_EQ (bank.getGroupSize (63), 2);
    EXPECT_EQ (bank.getGroupSize (64), 0);
    EXPECT_EQ (bank.getGroupName (2999), "group 3000");
    EXPECT_EQ (bank.getPresetName (127), "p127");
}

TEST_F (PresetFormatTest, BankRoundTripKeepsNamesGroupsAndValues)
{
    PresetBank bank (numValues);
    Preset defaults (numValues);
    const auto element = xml ("<PresetBank name=\"Trip\">"
                              "<PresetGroup name=\"A\">" + presets (3) + "</PresetGroup>"
                              "<PresetGroup name=\"Empty\"/>"
                              "<PresetGroup name=\"B\">" + presets (4, 3) + "</PresetGroup>"
                              "</PresetBank>");
    ASSERT_TRUE (format.loadBank (*element, bank, defaults));
    bank.getPreset (100)->setValue (22, 0.123456f);

    const auto written = format.createBankElement (bank);
    EXPECT_EQ (written->getNumChildElements(), 4);
    EXPECT_EQ (written->getChildElement (1)->getNumChildElements(), 0);

    PresetBank copy (numValues);
    ASSERT_TRUE (format.loadBank (*xml (XmlReading::toDocumentText (*written)), copy, defaults));

    EXPECT_EQ (copy.getName(), "Trip");
    ASSERT_EQ (copy.getGroupCount(), 4);

    for (int g = 0; g < 4; ++g)
    {
        EXPECT_EQ (copy.getGroupName (g), bank.getGroupName (g));
        EXPECT_EQ (copy.getGroupSize (g), bank.getGroupSize (g));
    }

    for (int slot = 0; slot < PresetBank::numSlots; ++slot)
    {
        EXPECT_EQ (copy.getPresetName (slot), bank.getPresetName (slot));

        for (int i = 0; i < numValues; ++i)
            EXPECT_FLOAT_EQ (copy.getPreset (slot)->getValue (i), bank.getPreset (slot)->getValue (i));
    }
}
