#include "EditorTestSupport.h"

#include "framework/editor/BasePluginEditor.h"
#include "framework/editor/controls/GFXAnimation.h"
#include "framework/editor/controls/GFXButton.h"
#include "framework/editor/controls/GFXDisplay.h"
#include "framework/editor/controls/GFXKnob.h"
#include "framework/editor/controls/GFXMultiStateButton.h"
#include "framework/editor/controls/GFXPanel.h"
#include "framework/editor/controls/GFXSwitch.h"
#include "framework/editor/controls/GFXToggleButton.h"
#include "framework/plugin/Resources.h"
#include "product/Halvenek.h"

using namespace EditorTesting;

namespace
{
    /** An editor that records the events and user changes its controls report. */
    class RecordingEditor : public BasePluginEditor
    {
    public:
        using BasePluginEditor::BasePluginEditor;

        void controllerValueChanged (GUIController* control) override   { changed.push_back (control); }
        void controllerEvent (GUIController*, int event) override        { events.push_back (event); }

        std::vector<GUIController*> changed;
        std::vector<int> events;
    };

    const char* const missingSkin = "no-such-skin.xml";
}

class EditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        processor = Halvenek::create();
    }

    std::unique_ptr<Halvenek> processor;
};

TEST_F (EditorTest, WithoutSkinItKeepsItsInitialSizePlusTheStatusBarAndPaintsTheProductName)
{
    BasePluginEditor editor (processor.get(), missingSkin);

    EXPECT_FALSE (editor.isSkinLoaded());
    EXPECT_EQ (editor.getNumSkinControls(), 0);
    ASSERT_NE (editor.getStatusBar(), nullptr);
    EXPECT_EQ (editor.getStatusBar()->getHeight(), 16);
    EXPECT_EQ (editor.getWidth(), 1024);
    EXPECT_EQ (editor.getHeight(), 800 + 16);
    EXPECT_EQ (editor.getBaseHeight(), 800);
    EXPECT_EQ (editor.getStatusBar()->getBounds(), juce::Rectangle<int> (0, 800, 1024, 16));

    const auto snapshot = editor.createComponentSnapshot ({ 0, 0, 1024, 816 });
    EXPECT_EQ (snapshot.getPixelAt (500, 400), juce::Colour (0xffe5e5e5));
    EXPECT_EQ (snapshot.getPixelAt (500, 808), juce::Colour (0xff444444));

    bool textDrawn = false;

    for (int x = 0; x < 60; ++x)
        for (int y = 0; y < 16; ++y)
            textDrawn = textDrawn || snapshot.getPixelAt (x, y).getBrightness() < 0.5f;

    EXPECT_TRUE (textDrawn);
}

TEST_F (EditorTest, TheFallbackLayoutPlacesOneControlPerParameterInRowsOfSixteen)
{
    BasePluginEditor editor (processor.get(), missingSkin);
    editor.createFallbackControls();

    ASSERT_EQ (editor.getNumFallbackControls(), Halvenek::numParameters);

    for (int i = 0; i < 16; ++i)
        EXPECT_EQ (editor.getFallbackControl (i)->getBounds(), juce::Rectangle<int> (5 + 64 * i, 30, 50, 80)) << i;

    EXPECT_EQ (editor.getFallbackControl (16)->getBounds(), juce::Rectangle<int> (5, 150, 50, 80));

    auto* first = dynamic_cast<GFXKnob*> (editor.getFallbackControl (0));
    ASSERT_NE (first, nullptr);
    EXPECT_EQ (first->getName(), "LFO 1 Rate");
    EXPECT_EQ (first->getParameter(), processor->getParameterManager().getParameter (0));
    EXPECT_EQ (editor.findControl ("Output Volume"), editor.getFallbackControl (22));
}

TEST_F (EditorTest, FallbackControlsFollowTheirParametersAndReportUserChanges)
{
    RecordingEditor editor (processor.get(), missingSkin);
    editor.createFallbackControls();
    processor->getParameterManager().notifyAll();
    pumpMessages();

    auto* depthKnob = dynamic_cast<GFXKnob*> (editor.findControl ("LFO 1 Depth"));
    ASSERT_NE (depthKnob, nullptr);
    EXPECT_FLOAT_EQ ((float) depthKnob->getValue(), 0.2f);

    depthKnob->setValue (0.6);
    EXPECT_FLOAT_EQ (processor->getParameterManager().getParameter (3)->getNormalisedValue(), 0.6f);
    EXPECT_EQ (editor.changed, std::vector<GUIController*> { depthKnob });
}

TEST_F (EditorTest, SkinTextsThatAreNotSkinsBuildNothing)
{
    BasePluginEditor editor (processor.get(), missingSkin);

    EXPECT_FALSE (editor.loadSkin (missingSkin));
    EXPECT_FALSE (editor.loadSkinFromText ("this is not XML"));
    EXPECT_FALSE (editor.loadSkinFromText (""));
    EXPECT_FALSE (editor.loadSkinFromText ("<PluginEditor><Knob name='k'>"));

    // Another root exists, so the skin counts as read, but nothing is built.
    EXPECT_TRUE (editor.loadSkin ("parameters.xml"));
    EXPECT_TRUE (editor.loadSkinFromText ("<PresetBank><Knob name='k'/></PresetBank>"));
    EXPECT_EQ (editor.getNumSkinControls(), 0);
    EXPECT_EQ (editor.getWidth(), 1024);
}

TEST_F (EditorTest, AnotherRootCountsAsALoadedSkinSoNoFallbackAppears)
{
    BasePluginEditor editor (processor.get(), "parameters.xml");
    EXPECT_TRUE (editor.isSkinLoaded());
    editor.createFallbackControls();
    EXPECT_EQ (editor.getNumFallbackControls(), 0);
}

TEST_F (EditorTest, CreatesOneControlPerKnownElementInDocumentOrder)
{
    RecordingEditor editor (processor.get(), missingSkin);
    const auto skin = parse (R"(<pluginEDITOR application="Halvenek" background="missing.png">
        <Button name="OptionsButton"><actions><action type="onClick" event="Options"/></actions>
          <pos left="5" top="5"/><size width="20" height="20"/></Button>
        <knob name="DepthKnob"><links><link as="connectedTo" param="LFO 1 Depth"/></links>
          <pos left="10" top="40"/><size width="40" height="40"/></knob>
        <Slider name="NotAControl"/>
        <Switch name="UnderTheKnob" style="Vertical"><pos left="10" top="40"/><size width="40" height="40"/>
          <links><link as="connectedTo" param="No Such Parameter"/></links></Switch>
        <Display name="Name" BackgroundColour="FF123456"><size width="80" height="12"/></Display>
        <Animation name="Meter"/><ToggleButton name="BBDSwitch"/><MultiStateButton name="MidiLearnButton"/>
        <DisplayFloat name="F"/><Rocker name="R"/><Panel name="P"><controls><Knob name="Nested"/></controls></Panel>
        <NumericDisplay name="N"/><PatternNumberDisplay name="PN"/>
      </pluginEDITOR>)");
    ASSERT_NE (skin, nullptr);
    editor.createControls (*skin);

    ASSERT_EQ (editor.getNumSkinControls(), 12);
    const char* const names[] = { "OptionsButton", "DepthKnob", "UnderTheKnob", "Name", "Meter", "BBDSwitch",
                                  "MidiLearnButton", "F", "R", "P", "N", "PN" };

    for (int i = 0; i < 12; ++i)
        EXPECT_EQ (editor.getSkinControl (i)->getName(), names[i]);

    EXPECT_NE (dynamic_cast<GFXKnob*> (editor.getSkinControl (1)), nullptr);
    EXPECT_EQ (editor.getWidth(), 1024);    // the background is missing

    // Earlier controls lie above later ones, all of them below the status bar.
    const auto indexOf = [&editor] (juce::Component* c) { return editor.getIndexOfChildComponent (c); };
    EXPECT_GT (indexOf (editor.getSkinControl (1)), indexOf (editor.getSkinControl (2)));
    EXPECT_GT (indexOf (editor.getStatusBar()), indexOf (editor.getSkinControl (0)));
    editor.setVisible (true);
    EXPECT_EQ (editor.getComponentAt (20, 60), editor.getSkinControl (1));

    auto* display = dynamic_cast<GFXDisplay*> (editor.findControl ("Name"));
    ASSERT_NE (display, nullptr);
    EXPECT_EQ (display->findColour (GFXDisplay::backgroundColourId), juce::Colour (0xff123456));
    EXPECT_EQ (dynamic_cast<GFXSwitch*> (editor.getSkinControl (2))->getParameter(), nullptr);

    // The editor listens to every control, nested ones included.
    auto* button = dynamic_cast<GFXButton*> (editor.getSkinControl (0));
    click (*button);
    EXPECT_EQ (editor.events, std::vector<int> { EventsMap::optionsEvent });

    auto* nested = dynamic_cast<GFXKnob*> (editor.findControl ("Nested"));
    ASSERT_NE (nested, nullptr);
    EXPECT_EQ (nested->getParentComponent(), editor.findControl ("P"));
    EXPECT_EQ (editor.findControl ("nested"), nullptr);
    EXPECT_EQ (editor.findControl ("NoSuchControl"), nullptr);
}

TEST_F (EditorTest, ADifferentRootNameBuildsNothing)
{
    BasePluginEditor editor (processor.get(), missingSkin);
    const auto skin = parse (R"(<EventsMap><Knob name="k"/></EventsMap>)");
    editor.createControls (*skin);
    EXPECT_EQ (editor.getNumSkinControls(), 0);
}

TEST_F (EditorTest, TheMidiLearnControlsAreKeptOnlyWithTheirExpectedClasses)
{
    BasePluginEditor editor (processor.get(), missingSkin);
    EXPECT_EQ (editor.getMidiLearnButton(), nullptr);
    EXPECT_EQ (editor.getMidiActivityLed(), nullptr);
}

TEST_F (EditorTest, TheSizeOperationAddsTheStatusBarAndResizesTheParent)
{
    juce::Component hostWindow;
    BasePluginEditor editor (processor.get(), missingSkin);
    hostWindow.addAndMakeVisible (editor);

    editor.setEditorSize (633, 207);
    EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (0, 0, 633, 223));
    EXPECT_EQ (hostWindow.getWidth(), 633);
    EXPECT_EQ (hostWindow.getHeight(), 223);
    EXPECT_EQ (editor.getStatusBar()->getBounds(), juce::Rectangle<int> (0, 207, 633, 16));
    hostWindow.removeChildComponent (&editor);
}

//==============================================================================
// The product skin arrives with its artwork; until then these tests are skipped.
class ProductSkinTest : public EditorTest
{
protected:
    void SetUp() override
    {
        if (Resources::findResource ("skin.xml") == nullptr)
            GTEST_SKIP() << "the product skin is not part of this build yet";

        EditorTest::SetUp();
        editor = std::make_unique<BasePluginEditor> (processor.get());
        processor->getParameterManager().notifyAll();
        pumpMessages();
    }

    template <typename ControlType>
    ControlType* find (const juce::String& name) const
    {
        return dynamic_cast<ControlType*> (editor->findControl (name));
    }

    std::unique_ptr<BasePluginEditor> editor;
};

TEST_F (ProductSkinTest, Has33ControlsOfTheRightClassesInDocumentOrder)
{
    ASSERT_TRUE (editor->isSkinLoaded());
    ASSERT_EQ (editor->getNumSkinControls(), 33);

    const auto skin = parse (Resources::loadResourceText ("skin.xml"));
    ASSERT_NE (skin, nullptr);
    int index = 0;

    for (auto* element = skin->getFirstChildElement(); element != nullptr; element = element->getNextElement())
        EXPECT_EQ (editor->getSkinControl (index++)->getName(), element->getStringAttribute ("name"));

    int knobs = 0, switches = 0, animations = 0, buttons = 0, displays = 0, toggles = 0;

    for (int i = 0; i < editor->getNumSkinControls(); ++i)
    {
        auto* control = editor->getSkinControl (i);
        knobs += dynamic_cast<GFXKnob*> (control) != nullptr;
        switches += dynamic_cast<GFXSwitch*> (control) != nullptr;
        animations += dynamic_cast<GFXAnimation*> (control) != nullptr;
        buttons += dynamic_cast<GFXButton*> (control) != nullptr;
        displays += dynamic_cast<GFXDisplay*> (control) != nullptr;
        toggles += dynamic_cast<GFXToggleButton*> (control) != nullptr;
    }

    EXPECT_EQ (knobs, 17);
    EXPECT_EQ (switches, 5);
    EXPECT_EQ (animations, 5);
    EXPECT_EQ (buttons, 4);
    EXPECT_EQ (displays, 1);
    EXPECT_EQ (toggles, 1);

    const char* const firstEight[] = { "OptionsButton", "PrevPresetButton", "NextPresetButton", "BrowsePresetButton",
                                       "PresetNameDisplay", "LeftVUMeter", "RightVUMeter", "OutputVolumeKnob" };

    for (int i = 0; i < 8; ++i)
        EXPECT_EQ (editor->getSkinControl (i)->getName(), firstEight[i]);

    const char* const lastSix[] = { "HiPassKnob", "FXKnob", "BBDSwitch", "LFO1ValueLed", "LFO2ValueLed", "LFO2SyncStateLed" };

    for (int i = 0; i < 6; ++i)
        EXPECT_EQ (editor->getSkinControl (27 + i)->getName(), lastSix[i]);
}

TEST_F (ProductSkinTest, TheEditorIsTheBackgroundPlusTheStatusBar)
{
    EXPECT_EQ (editor->getBackgroundImage().getBounds(), juce::Rectangle<int> (0, 0, 633, 207));
    EXPECT_EQ (editor->getWidth(), 633);
    EXPECT_EQ (editor->getHeight(), 223);
}

TEST_F (ProductSkinTest, FilmstripsHaveTheirFrameCountsAndTheRateControlsShareTheirRectangles)
{
    const std::pair<const char*, int> frameCounts[] = {
        { "OutputVolumeKnob", 61 }, { "LFO1RateSlider", 61 }, { "LFO2RateSlider", 61 }, { "HiPassKnob", 61 },
        { "FXKnob", 61 }, { "LFO1TempoSyncSwitch", 4 }, { "LFO2TempoSyncSwitch", 4 }, { "LFO1RateSwitch", 10 },
        { "LFO2RateSwitch", 10 }, { "LFO2SynchronizeSwitch", 2 }, { "LeftVUMeter", 12 }, { "RightVUMeter", 12 },
        { "LFO1ValueLed", 20 }, { "LFO2ValueLed", 20 }, { "LFO2SyncStateLed", 2 }, { "BBDSwitch", 4 },
        { "OptionsButton", 2 } };

    for (auto [name, frames] : frameCounts)
    {
        auto* control = find<BaseGFXController> (name);
        ASSERT_NE (control, nullptr) << name;
        EXPECT_EQ (control->getNumFrames(), frames) << name;
        EXPECT_TRUE (control->getImage().isValid()) << name;
    }

    for (auto lfo : { "1", "2" })
    {
        auto* knob = find<GFXKnob> (juce::String ("LFO") + lfo + "RateSlider");
        auto* rateSwitch = find<GFXSwitch> (juce::String ("LFO") + lfo + "RateSwitch");
        ASSERT_TRUE (knob && rateSwitch);
        EXPECT_EQ (knob->getBounds(), rateSwitch->getBounds());
        EXPECT_EQ (rateSwitch->getStyle(), GFXSwitch::vertical);
        EXPECT_EQ (find<GFXSwitch> (juce::String ("LFO") + lfo + "TempoSyncSwitch")->getStyle(), GFXSwitch::horizontal);
    }

    auto* bbd = find<GFXToggleButton> ("BBDSwitch");
    ASSERT_NE (bbd, nullptr);
    EXPECT_EQ (bbd->getStyle(), GFXToggleButton::style3D);
    EXPECT_EQ (bbd->getParameter(), processor->getParameterManager().getParameterByName ("BBD"));
}

TEST_F (ProductSkinTest, TopBarButtonsRaiseTheirEventsAndNameThemInTheirTooltips)
{
    const std::tuple<const char*, int, int> actions[] = {
        { "OptionsButton", EventsMap::optionsEvent, EventsMap::aboutEvent },
        { "PrevPresetButton", EventsMap::selectPreviousPresetEvent, EventsMap::copyCurrentPresetEvent },
        { "NextPresetButton", EventsMap::selectNextPresetEvent, EventsMap::pasteCopiedPresetEvent },
        { "BrowsePresetButton", EventsMap::browsePresetsEvent, EventsMap::storeCurrentPresetEvent } };

    for (auto [name, click, ctrlClick] : actions)
    {
        auto* button = find<GFXButton> (name);
        ASSERT_NE (button, nullptr) << name;
        EXPECT_EQ (button->getClickEvent(), click) << name;
        EXPECT_EQ (button->getCtrlClickEvent(), ctrlClick) << name;
        EXPECT_EQ (button->getParameter(), nullptr) << name;
    }

    auto* options = find<GFXButton> ("OptionsButton");
    options->modifierKeysChanged (juce::ModifierKeys());
    EXPECT_EQ (options->getTooltip(), "Options");
    options->modifierKeysChanged (juce::ModifierKeys (juce::ModifierKeys::ctrlModifier));
    EXPECT_EQ (options->getTooltip(), "About");
}

TEST_F (ProductSkinTest, ValueControlsAreBoundAndShowTheirParameters)
{
    auto& parameters = processor->getParameterManager();
    const char* const unbound[] = { "OptionsButton", "PrevPresetButton", "NextPresetButton", "BrowsePresetButton",
                                    "LeftVUMeter", "RightVUMeter", "LFO1ValueLed", "LFO2ValueLed", "PresetNameDisplay" };

    for (int i = 0; i < editor->getNumSkinControls(); ++i)
    {
        auto* control = dynamic_cast<GUIController*> (editor->getSkinControl (i));
        const auto name = editor->getSkinControl (i)->getName();

        const bool expectedUnbound = std::any_of (std::begin (unbound), std::end (unbound),
                                                  [&name] (const char* n) { return name == n; });

        if (! expectedUnbound)
        {
            EXPECT_NE (control->getParameter(), nullptr) << name;
        }
    }

    auto* volume = find<GFXKnob> ("OutputVolumeKnob");
    ASSERT_NE (volume, nullptr);
    parameters.getParameterByName ("Output Volume")->setNormalisedValue (0.5f, true);
    pumpMessages();
    EXPECT_EQ (volume->getFrameToDraw(), 30);
    parameters.getParameterByName ("Output Volume")->setNormalisedValue (0.9917f, true);
    pumpMessages();
    EXPECT_EQ (volume->getFrameToDraw(), 60);

    auto* syncLed = find<GFXAnimation> ("LFO2SyncStateLed");
    ASSERT_NE (syncLed, nullptr);
    EXPECT_EQ (syncLed->getParameter(), parameters.getParameterByName ("LFO 2 Synchronize"));

    auto* nameDisplay = find<GFXDisplay> ("PresetNameDisplay");
    ASSERT_NE (nameDisplay, nullptr);
    EXPECT_EQ (nameDisplay->getParameter(), parameters.getParameterByName ("Current Preset Name"));
    EXPECT_EQ (nameDisplay->getGlyphWidth(), 7);
    EXPECT_EQ (nameDisplay->getLastCharacter(), (juce::juce_wchar) 127);
}
