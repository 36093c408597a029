#include "framework/parameters/ParameterManager.h"
#include "MessageLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace
{
    juce::String definitions (const juce::String& params)
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PluginParameters application=\"Halvenek\">\n"
               + params + "\n</PluginParameters>\n";
    }

    struct ChangeCounter : Parameter::Listener
    {
        void parameterChanged (Parameter& p) override { ++changes; order.add (p.getIndex()); }
        int changes = 0;
        juce::Array<int> order;
    };

    struct NamedDefault { const char* name; float value; };

    const NamedDefault embeddedDefinitions[] =
    {
        { "LFO 1 Rate", 0.5f }, { "LFO 1 Note Rate", 0.4f }, { "LFO 1 Sync", 0.25f }, { "LFO 1 Depth", 0.2f },
        { "LFO 1 Offset", 0.05f }, { "LFO 1 Waveform", 0.0f }, { "Path 1 Volume", 1.0f }, { "LFO 1 Tremolo", 0.0f },
        { "LFO 1 Stereo Phase", 1.0f }, { "LFO 2 Rate", 0.5f }, { "LFO 2 Note Rate", 0.6f }, { "LFO 2 Sync", 0.25f },
        { "LFO 2 Depth", 0.1f }, { "LFO 2 Offset", 0.05f }, { "LFO 2 Waveform", 0.0f }, { "Path 2 Volume", 1.0f },
        { "LFO 2 Tremolo", 0.0f }, { "LFO 2 Stereo Phase", 1.0f }, { "LFO 2 Synchronize", 0.0f }, { "BBD", 1.0f },
        { "Hi Pass Frequency", 0.0f }, { "FX", 0.5f }, { "Output Volume", 0.5f }
    };
}

//==============================================================================
TEST (ParameterDefinitions, EmbeddedFileDeclaresTheTwentyThreeHostParameters)
{
    ParameterManager manager;
    manager.loadDefinitions ("parameters.xml");

    ASSERT_EQ (manager.getNumParameters(), 23);

    for (int i = 0; i < 23; ++i)
    {
        auto* p = manager.getParameterAt (i);
        ASSERT_NE (p, nullptr);
        EXPECT_EQ (p->getIndex(), i);
        EXPECT_EQ (p->getName(), embeddedDefinitions[i].name);
        EXPECT_FLOAT_EQ (p->getValue(), embeddedDefinitions[i].value) << p->getName();
        EXPECT_TRUE (p->isAutomatable()) << p->getName();

        auto* f = dynamic_cast<FloatParameter*> (p);
        ASSERT_NE (f, nullptr) << p->getName();
        EXPECT_EQ (f->getMinimum(), 0.0f);
        EXPECT_EQ (f->getMaximum(), 1.0f);

        EXPECT_EQ (manager.getParameter (i), p);
        EXPECT_EQ (manager.getParameterByName (embeddedDefinitions[i].name), p);
    }
}

TEST (ParameterDefinitions, ResourceNameIsFoundInAnyCaseAndAMissingOneLeavesNothing)
{
    ParameterManager manager;
    manager.loadDefinitions ("PARAMETERS.XML");
    EXPECT_EQ (manager.getNumParameters(), 23);

    manager.loadDefinitions ("no such definitions.xml");
    EXPECT_EQ (manager.getNumParameters(), 0);
    EXPECT_EQ (manager.getParameter (0), nullptr);
    EXPECT_EQ (manager.getParameterByName ("LFO 1 Rate"), nullptr);
}

TEST (ParameterDefinitions, ParamsWithoutIndexOrNameAreSkipped)
{
    ParameterManager manager;
    manager.loadDefinitionsFromText (definitions (R"(
        <param name="No index" value="0.5"/>
        <param index="1" value="0.5"/>
        <param index="2" name="" value="0.5"/>
        <param index="3" name="Kept"/>)"));

    ASSERT_EQ (manager.getNumParameters(), 1);
    EXPECT_EQ (manager.getParameterName (3), "Kept");
    EXPECT_EQ (manager.getParameter (1), nullptr);
    EXPECT_EQ (manager.getParameter (2), nullptr);
}

TEST (ParameterDefinitions, TypeWordsAreCaseSensitiveAndMissingTypeIsFloat)
{
    ParameterManager manager;
    manager.loadDefinitionsFromText (definitions (R"(
        <param index="0" name="Capital" type="Float" value="0.5"/>
        <param index="1" name="Upper" type="INT" value="1"/>
        <param index="2" name="Unknown" type="double" value="1"/>
        <param index="3" name="Empty type" type="" value="1"/>
        <param index="4" name="Untyped" value="0.75"/>)"));

    ASSERT_EQ (manager.getNumParameters(), 1);
    auto* f = dynamic_cast<FloatParameter*> (manager.getParameter (4));
    ASSERT_NE (f, nullptr);
    EXPECT_EQ (f->getMinimum(), 0.0f);
    EXPECT_EQ (f->getMaximum(), 1.0f);
    EXPECT_FLOAT_EQ (f->getValue(), 0.75f);
}

TEST (ParameterDefinitions, DuplicateIndexOrNameKeepsTheFirst)
{
    ParameterManager manager;
    manager.loadDefinitionsFromText (definitions (R"(
        <param index="0" name="First" value="0.1"/>
        <param index="0" name="Second" value="0.2"/>
        <param index="1" name="First" value="0.3"/>
        <param index="2" name="first" value="0.4"/>)"));

    ASSERT_EQ (manager.getNumParameters(), 2);
    EXPECT_EQ (manager.getParameterName (0), "First");
    EXPECT_FLOAT_EQ (manager.getParameterValue (0), 0.1f);
    EXPECT_EQ (manager.getParameter (1), nullptr);
    EXPECT_EQ (manager.getParameterByName ("Second"), nullptr);
    EXPECT_EQ (manager.getParameterName (2), "first"); // names differ by case
}

TEST (ParameterDefinitions, FloatValuesAreClampedAndUnreadableOnesGiveZero)
{
    ParameterManager manager;
    manager.loadDefinitionsFromText (definitions (R"(
        <param index="0" name="Above" value="3"/>
        <param index="1" name="Below" value="-3"/>
        <param index="2" name="Words" min="0.2" value="loud"/>
        <param index="3" name="No value" min="-1" max="1"/>
        <param index="4" name="Range" min="-10" max="10" value="2.5"/>
        <param index="5" name="Not a number" min="-1" max="1" value="nan"/>
        <param index="6" name="Bad range" min="low" max="high" value="0.5"/>)"));

    ASSERT_EQ (manager.getNumParameters(), 7);
    EXPECT_FLOAT_EQ (manager.getParameterValue (0), 1.0f);
    EXPECT_FLOAT_EQ (manager.getParameterValue (1), 0.0f);
    EXPECT_FLOAT_EQ (manager.getParameterValue (2), 0.2f);
    EXPECT_FLOAT_EQ (manager.getParameterValue (3), 0.0f);
    EXPECT_FLOAT_EQ (manager.getParameterValue (4), 2.5f);
    EXPECT_FLOAT_EQ (manager.getParameterNormalisedValue (4), 0.625f);
    EXPECT_FLOAT_EQ (manager.getParameterValue (5), 0.0f);
    EXPECT_FLOAT_EQ (manager.getParameterValue (6), 0.0f);
    EXPECT_FALSE (std::isnan (manager.getParameterNormalisedValue (6)));
}

TEST (ParameterDefinitions, NonNumericRangeTextsGiveZero)
{
    ParameterManager manager;
    manager.loadDefinitionsFromText (definitions (R"(
        <param index="0" name="Float" min="nan" max="inf" value="0.5"/>)"));

    auto* f = dynamic_cast<FloatParameter*> (manager.getParameter (0));
    ASSERT_NE (f, nullptr);
    EXPECT_EQ (f->getMinimum(), 0.0f);
    EXPECT_EQ (f->getMaximum(), 0.0f);
    EXPECT_FALSE (std::isnan (f->getValue()));
}

TEST (ParameterDefinitions, EveryTypeIsBuiltWithItsInitialValue)
{
    ParameterManager manager;
    manager.loadDefinitionsFromText (definitions (R"(
        <param index="0" name="Int" type="int" min="-4" max="12" value="7 steps"/>
        <param index="1" name="Int clamped" type="int" min="0" max="10" value="12"/>
        <param index="2" name="Int words" type="int" min="3" max="10" value="many"/>
        <param index="3" name="String" type="string" value="  Init preset "/>
        <param index="4" name="Bool" type="bool" value="true"/>
        <param index="5" name="State" type="state" value="on"/>
        <param index="6" name="State number" type="state" value="0.7"/>
        <param index="7" name="Enum" type="enum" enum="Sine;Triangle;Square;" value="Triangle"/>
        <param index="8" name="Note" type="note" value="C#4"/>
        <param index="9" name="Bad note" type="note" value="0.5"/>
        <param index="10" name="Int range" type="int" min="2.9" max="8.1" value="5"/>)"));

    ASSERT_EQ (manager.getNumParameters(), 11);

    auto* i = dynamic_cast<IntParameter*> (manager.getParameter (0));
    ASSERT_NE (i, nullptr);
    EXPECT_EQ (i->getMinimum(), -4);
    EXPECT_EQ (i->getMaximum(), 12);
    EXPECT_EQ (i->getIntValue(), 7);
    EXPECT_EQ (manager.getParameter (1)->getIntValue(), 10);
    EXPECT_EQ (manager.getParameter (2)->getIntValue(), 3);

    ASSERT_NE (dynamic_cast<StringParameter*> (manager.getParameter (3)), nullptr);
    EXPECT_EQ (manager.getParameterText (3), "  Init preset ");

    auto* b = dynamic_cast<BoolParameter*> (manager.getParameter (4));
    ASSERT_NE (b, nullptr);
    EXPECT_EQ (b->getTextStyle(), 0);
    EXPECT_EQ (manager.getParameterText (4), "true");

    auto* s = dynamic_cast<BoolParameter*> (manager.getParameter (5));
    ASSERT_NE (s, nullptr);
    EXPECT_EQ (s->getTextStyle(), 1);
    EXPECT_EQ (manager.getParameterText (5), "on");
    EXPECT_EQ (manager.getParameterText (6), "on");

    auto* e = dynamic_cast<EnumParameter*> (manager.getParameter (7));
    ASSERT_NE (e, nullptr);
    EXPECT_EQ (e->getItems().size(), 3);
    EXPECT_EQ (e->getIntValue(), 1);
    EXPECT_EQ (manager.getParameterText (7), "Triangle");

    ASSERT_NE (dynamic_cast<NoteParameter*> (manager.getParameter (8)), nullptr);
    EXPECT_EQ (manager.getParameter (8)->getIntValue(), 49);
    EXPECT_EQ (manager.getParameter (9)->getIntValue(), 0);

    auto* r = dynamic_cast<IntParameter*> (manager.getParameter (10));
    ASSERT_NE (r, nullptr);
    EXPECT_EQ (r->getMinimum(), 2);
    EXPECT_EQ (r->getMaximum(), 8);
}

TEST (ParameterDefinitions, AutomatableFlagReadsTheFirstNonBlankCharacter)
{
    struct Case { const char* attribute; bool expected; };
    const Case cases[] = { { R"(auto="1")", true }, { R"(auto="true")", true }, { R"(auto="T")", true },
                           { R"(auto="yes")", true }, { R"(auto="  Y")", true }, { R"(auto="0")", false },
                           { R"(auto="false")", false }, { R"(auto="no")", false }, { R"(auto="")", false },
                           { R"(auto="  ")", false }, { R"(auto="on")", false }, { "", false } };

    for (const auto& c : cases)
    {
        ParameterManager manager;
        manager.loadDefinitionsFromText (definitions (juce::String ("<param index=\"0\" name=\"x\" ") + c.attribute + "/>"));
        ASSERT_EQ (manager.getNumParameters(), 1) << c.attribute;
        EXPECT_EQ (manager.getParameter (0)->isAutomatable(), c.expected) << c.attribute;
    }
}

TEST (ParameterDefinitions, ElementAndAttributeNamesIgnoreCase)
{
    ParameterManager manager;
    manager.loadDefinitionsFromText (R"(<pluginparameters>
        <PARAM INDEX="5" Name="Loud" TYPE="int" MIN="0" Max="20" VALUE="15" Auto="1"/>
        <Param index="6" NAME="Wave" type="enum" ENUM="a;b" value="b"/>
        <other index="7" name="Other element"/>
        <group><param index="8" name="Nested"/></group>
        </pluginparameters>)");

    ASSERT_EQ (manager.getNumParameters(), 2);
    auto* loud = dynamic_cast<IntParameter*> (manager.getParameter (5));
    ASSERT_NE (loud, nullptr);
    EXPECT_EQ (loud->getMaximum(), 20);
    EXPECT_EQ (loud->getIntValue(), 15);
    EXPECT_TRUE (loud->isAutomatable());
    EXPECT_EQ (manager.getParameterText (6), "b");
}

TEST (ParameterDefinitions, TextThatIsNoDefinitionLeavesTheManagerEmpty)
{
    const juce::String badTexts[] =
    {
        "",
        "this is not XML at all",
        "<PluginParameters><param index=\"0\" name=\"Unclosed\"/>",
        "<Parameters><param index=\"0\" name=\"Wrong root\"/></Parameters>",
        "<?xml version=\"1.0\"?>",
        juce::String::fromUTF8 ("\xff\xfe<\x00P\x00", 6),
    };

    for (const auto& text : badTexts)
    {
        ParameterManager manager;
        manager.loadDefinitions ("parameters.xml");
        ASSERT_EQ (manager.getNumParameters(), 23);

        manager.loadDefinitionsFromText (text);
        EXPECT_EQ (manager.getNumParameters(), 0) << text;
        EXPECT_EQ (manager.getParameter (0), nullptr);
    }
}

TEST (ParameterDefinitions, DeeplyNestedTextIsRefusedWithoutCrashing)
{
    const int depth = 200000;
    juce::String text ("<PluginParameters><param index=\"0\" name=\"x\"/>");
    text << juce::String::repeatedString ("<a>", depth) << juce::String::repeatedString ("</a>", depth)
         << "</PluginParameters>";

    ParameterManager manager;
    manager.loadDefinitionsFromText (text);
    EXPECT_EQ (manager.getNumParameters(), 0);

    juce::String unclosed ("<PluginParameters>");
    unclosed << juce::String::repeatedString ("<a x='1'>", depth);
    manager.loadDefinitionsFromText (unclosed);
    EXPECT_EQ (manager.getNumParameters(), 0);
}

TEST (ParameterDefinitions, ModestNestingStillReads)
{
    juce::String text ("<PluginParameters><param index=\"0\" name=\"x\"/><group>");
    text << juce::String::repeatedString ("<a>", 20) << juce::String::repeatedString ("</a>", 20)
         << "</group></PluginParameters>";

    ParameterManager manager;
    manager.loadDefinitionsFromText (text);
    EXPECT_EQ (manager.getNumParameters(), 1);
}

TEST (ParameterDefinitions, ThousandsOfParameters)
{
    const int count = 20000;
    juce::MemoryOutputStream params;

    for (int i = 0; i < count; ++i)
        params << "<param index=\"" << (i * 3) << "\" name=\"P" << i << "\" type=\"int\" min=\"0\" max=\"100000\" value=\""
               << i << "\"/>\n";

    ParameterManager manager;
    manager.loadDefinitionsFromText (definitions (params.toString()));

    ASSERT_EQ (manager.getNumParameters(), count);

    for (int i = 0; i < count; i += 997)
    {
        EXPECT_EQ (manager.getParameterAt (i)->getIndex(), i * 3);
        EXPECT_EQ (manager.getParameterByName ("P" + juce::String (i)), manager.getParameter (i * 3));
        EXPECT_EQ (manager.getParameter (i * 3)->getIntValue(), i);
    }

    EXPECT_EQ (manager.getParameter (1), nullptr);
}

//==============================================================================
TEST (ParameterManager, AddParameterRefusesTakenObjectsIndicesAndNames)
{
    ParameterManager manager;
    auto* first = new FloatParameter (1, "One");

    EXPECT_TRUE (manager.addParameter (std::unique_ptr<Parameter> (first)));
    EXPECT_FALSE (manager.addParameter (std::make_unique<FloatParameter> (1, "Other")));
    EXPECT_FALSE (manager.addParameter (std::make_unique<FloatParameter> (2, "One")));
    EXPECT_FALSE (manager.addParameter (nullptr));

    // The same object again: refused, and it stays registered and alive.
    EXPECT_FALSE (manager.addParameter (std::unique_ptr<Parameter> (first)));
    EXPECT_EQ (manager.getNumParameters(), 1);
    EXPECT_EQ (manager.getParameter (1), first);
    EXPECT_EQ (first->getName(), "One");

    EXPECT_TRUE (manager.addParameter (std::make_unique<FloatParameter> (2, "Two")));
    EXPECT_EQ (manager.getParameterAt (1)->getName(), "Two");
}

TEST (ParameterManager, LookupsOfMissingIndicesAnswerNothing)
{
    ParameterManager manager;
    manager.addParameter (std::make_unique<FloatParameter> (0, "Zero", 0.0f, 2.0f, 1.5f));

    EXPECT_EQ (manager.getParameterName (0), "Zero");
    EXPECT_FLOAT_EQ (manager.getParameterValue (0), 1.5f);
    EXPECT_FLOAT_EQ (manager.getParameterNormalisedValue (0), 0.75f);
    EXPECT_EQ (manager.getParameterText (0), "1.500000000");

    EXPECT_EQ (manager.getParameter (1), nullptr);
    EXPECT_EQ (manager.getParameterByName ("zero"), nullptr);
    EXPECT_EQ (manager.getParameterName (-1), "");
    EXPECT_FLOAT_EQ (manager.getParameterValue (1), 0.0f);
    EXPECT_FLOAT_EQ (manager.getParameterNormalisedValue (1), 0.0f);
    EXPECT_EQ (manager.getParameterText (1), "");
    EXPECT_EQ (manager.getParameterAt (1), nullptr);
    EXPECT_EQ (manager.getParameterAt (-1), nullptr);

    manager.setParameterNormalisedValue (1, 0.5f);
    manager.setCurrentPresetNumber (5);
    manager.setCurrentPresetName ("Nothing to name");
    manager.addListener (1, nullptr);
    EXPECT_FLOAT_EQ (manager.getParameterValue (0), 1.5f);
}

TEST (ParameterManager, SettersThroughTheManagerNotify)
{
    ParameterManager manager;
    manager.addParameter (std::make_unique<FloatParameter> (0, "Zero"));
    manager.addParameter (std::make_unique<IntParameter> (ParameterManager::currentPresetNumberIndex,
                                                          "Current Preset Number", 0, 127));
    manager.addParameter (std::make_unique<StringParameter> (ParameterManager::currentPresetNameIndex,
                                                             "Current Preset Name"));
    ChangeCounter counter;
    manager.addListenerToAll (&counter);

    manager.setParameterNormalisedValue (0, 0.5f);
    manager.setCurrentPresetNumber (12);
    manager.setCurrentPresetName ("Wide Chorus");
    manager.setCurrentPresetNumber (12);
    manager.setCurrentPresetName ("Quiet", false);

    EXPECT_EQ (counter.order, juce::Array<int> (0, ParameterManager::currentPresetNumberIndex,
                                                ParameterManager::currentPresetNameIndex));
    EXPECT_FLOAT_EQ (manager.getParameterValue (0), 0.5f);
    EXPECT_EQ (manager.getParameter (ParameterManager::currentPresetNumberIndex)->getIntValue(), 12);
    EXPECT_EQ (manager.getParameterText (ParameterManager::currentPresetNameIndex), "Quiet");
}

TEST (ParameterManager, ListenersForOneAndForAll)
{
    ParameterManager manager;
    manager.loadDefinitions ("parameters.xml");
    ChangeCounter immediate, deferredOne, deferredAll;

    manager.addListener (3, &immediate);
    manager.addAsyncListener (3, &deferredOne);
    manager.addAsyncListenerToAll (&deferredAll);

    manager.getParameter (3)->setValue (0.9f, true);
    manager.getParameter (4)->setValue (0.9f, true);
    EXPECT_EQ (immediate.changes, 1);

    ASSERT_TRUE (MessageLoop::runUntil ([&] { return deferredAll.changes >= 2; }));
    EXPECT_EQ (deferredOne.changes, 1);

    manager.removeAsyncListener (3, &deferredOne);
    manager.removeAsyncListenerFromAll (&deferredAll);
    manager.getParameter (3)->setValue (0.1f, true);
    MessageLoop::dispatchPending();
    EXPECT_EQ (deferredOne.changes, 1);
    EXPECT_EQ (deferredAll.changes, 2);
    EXPECT_EQ (immediate.changes, 2);
}

TEST (ParameterManager, NotifyAllTellsEveryParameterInListOrder)
{
    ParameterManager manager;
    manager.loadDefinitions ("parameters.xml");
    ChangeCounter immediate, deferred;
    manager.addListenerToAll (&immediate);
    manager.addAsyncListenerToAll (&deferred);

    manager.notifyAll();

    ASSERT_EQ (immediate.order.size(), 23);
    for (int i = 0; i < 23; ++i)
        EXPECT_EQ (immediate.order[i], i);

    ASSERT_TRUE (MessageLoop::runUntil ([&] { return deferred.changes >= 23; }));
    MessageLoop::dispatchPending();
    EXPECT_EQ (deferred.changes, 23);
}

TEST (ParameterManager, ClearEmptiesBothMaps)
{
    ParameterManager manager;
    manager.loadDefinitions ("parameters.xml");
    manager.clear();

    EXPECT_EQ (manager.getNumParameters(), 0);
    EXPECT_EQ (manager.getParameter (0), nullptr);
    EXPECT_EQ (manager.getParameterByName ("FX"), nullptr);
    EXPECT_TRUE (manager.addParameter (std::make_unique<FloatParameter> (0, "FX")));
}

TEST (ParameterManager, LookupsRunSafelyWhileTheDefinitionsAreReloaded)
{
    ParameterManager manager;
    manager.loadDefinitions ("parameters.xml");
    std::atomic<bool> running { true };
    std::atomic<int> wrongTexts { 0 };

    std::thread reader ([&]
    {
        while (running)
        {
            for (int i = 0; i < 23; ++i)
            {
                const auto name = manager.getParameterName (i);

                if (name.isNotEmpty() && name != embeddedDefinitions[i].name)
                    ++wrongTexts;

                const auto text = manager.getParameterText (i);

                if (text.isNotEmpty() && text.getFloatValue() != embeddedDefinitions[i].value)
                    ++wrongTexts;
            }
        }
    });

    for (int n = 0; n < 300; ++n)
        manager.loadDefinitions ("parameters.xml");

    running = false;
    reader.join();
    EXPECT_EQ (wrongTexts.load(), 0);
}
