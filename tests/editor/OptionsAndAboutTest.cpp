#include "EditorTestSupport.h"
#include "../MessageLoop.h"

#include "framework/editor/PresetsSettingsComponent.h"
#include "framework/editor/QualitySettingsComponent.h"
#include "framework/editor/controls/GFXButton.h"
#include "framework/midi/MidiControlComponent.h"
#include "framework/windows/AboutWindow.h"
#include "framework/windows/OptionsWindow.h"
#include "product/Halvenek.h"
#include "product/HalvenekEditor.h"

using namespace EditorTesting;

namespace
{
    const juce::String defaultPresetsNote = "Default Presets settings will be affected when plugin is loaded.";
    const juce::String defaultMapNote = "Default Map settings will be affected when plugin is loaded.";

    /** A processor that reads and writes its settings in a folder of its own, with an
        editor of the test's own. */
    struct Instance
    {
        explicit Instance (const juce::File& settingsFile)
        {
            processor->setUserSettingsFile (settingsFile);
            processor->initialise();
            editor = std::make_unique<HalvenekEditor> (processor.get());
        }

        ~Instance()
        {
            editor.reset();
            processor.reset();
        }

        BasePluginEditorOldStyle::PresetsSettingsComponent& presets() { return *editor->getPresetsSettings(); }

        std::unique_ptr<Halvenek> processor = std::make_unique<Halvenek>();
        std::unique_ptr<HalvenekEditor> editor;
    };
}

class OptionsTest : public ::testing::Test
{
protected:
    OptionsTest()   { folder.createDirectory(); }
    ~OptionsTest() override { instance.reset(); folder.deleteRecursively(); }

    void clickButton (const char* name)
    {
        auto* button = dynamic_cast<GFXButton*> (instance->editor->findControl (name));
        ASSERT_NE (button, nullptr);
        click (*button);
    }

    juce::File folder { juce::File::createTempFile ("options") };
    juce::File settingsFile { folder.getChildFile ("Halvenek.ini") };
    std::unique_ptr<Instance> instance = std::make_unique<Instance> (settingsFile);
};

TEST_F (OptionsTest, TheDockedOptionsHaveExactlyThePresetsAndMidiControlTabs)
{
    auto& editor = *instance->editor;
    auto* options = editor.getOptionsWindow();
    ASSERT_NE (options, nullptr);

    EXPECT_EQ (options->getTabs().getTabNames(), (juce::StringArray { "Presets", "Midi Control" }));
    EXPECT_EQ (options->getTabs().getCurrentTabName(), "Presets");
    EXPECT_EQ (editor.getQualitySettings(), nullptr);
    EXPECT_TRUE (options->isDocked());
    EXPECT_FALSE (options->isTitleBarShown());
    EXPECT_FALSE (options->isVisible());
    EXPECT_EQ (options->getBounds(), juce::Rectangle<int> (0, 207, 633, 256));

    clickButton ("OptionsButton");
    EXPECT_TRUE (options->isVisible());
    EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (0, 0, 633, 479));

    // Another tab clears the notes of the last one.
    editor.getStatusBar()->showMessage (defaultPresetsNote, StatusBar::settingsNotePriority);
    options->getTabs().setCurrentTabIndex (1);
    EXPECT_EQ (editor.getStatusBar()->getText(), "");
    EXPECT_EQ (options->getTabs().getCurrentContentComponent(), editor.getMidiControlComponent());
}

TEST_F (OptionsTest, AutomaticStoringStoresTheLiveValuesAtOnceAndOnDemandChangesNothingElse)
{
    auto& processor = *instance->processor;
    auto& storing = instance->presets().getPresetStoring();
    auto* slot = processor.getPresetBank().getPreset (processor.getCurrentPresetNumber());
    auto* fx = processor.getParameterManager().getParameterByName ("FX");
    ASSERT_NE (fx, nullptr);
    EXPECT_EQ (storing.getSelected(), 1);

    const float stored = slot->getValue (fx->getIndex());
    const float live = stored > 0.5f ? 0.125f : 0.875f;
    fx->setNormalisedValue (live, true);
    EXPECT_EQ (slot->getValue (fx->getIndex()), stored);

    click (*storing.getButton (1));
    EXPECT_EQ (slot->getValue (fx->getIndex()), stored);

    click (*storing.getButton (0));
    EXPECT_EQ (processor.getStoringMode(), UserSettings::Storing::automatic);
    EXPECT_EQ (slot->getValue (fx->getIndex()), live);

    click (*storing.getButton (1));
    EXPECT_EQ (processor.getStoringMode(), UserSettings::Storing::onDemand);
    EXPECT_EQ (slot->getValue (fx->getIndex()), live);
    EXPECT_EQ (instance->editor->getStatusBar()->getText(), "");
}

TEST_F (OptionsTest, OnlyUserDefinedDefaultPresetsTakeAPathAndEveryChangeLeavesANote)
{
    auto& defaults = instance->presets().getDefaultPresets();
    auto& path = defaults.getPathComponent();
    EXPECT_EQ (defaults.getSelected(), 0);
    EXPECT_FALSE (path.isEnabled());

    click (*defaults.getButton (2));
    EXPECT_TRUE (path.isEnabled());
    EXPECT_EQ (instance->processor->getDefaultPresetsMode(), UserSettings::DefaultPresets::userDefined);
    EXPECT_EQ (instance->editor->getStatusBar()->getText(), defaultPresetsNote);
    EXPECT_EQ (instance->editor->getStatusBar()->getPriority(), StatusBar::settingsNotePriority);

    click (*defaults.getButton (1));
    EXPECT_FALSE (path.isEnabled());
    EXPECT_FALSE (path.getBrowseButton().isEnabled());

    instance->editor->getStatusBar()->clear();
    click (instance->editor->getMidiControlComponent()->getDefaultMapControl().getCheckBox().getBox());
    EXPECT_EQ (instance->editor->getStatusBar()->getText(), defaultMapNote);
}

TEST_F (OptionsTest, TheChosenSettingsSurviveTheInstanceAndMissingFilesFallBack)
{
    const auto bank = folder.getChildFile ("live.hlprsb");
    const auto map = folder.getChildFile ("live.hlccmap");
    ASSERT_TRUE (instance->processor->saveBankFile (bank));
    instance->processor->getMidiControl().assign (3, instance->processor->getParameterManager().getParameterByName ("FX"), true);
    ASSERT_TRUE (instance->processor->getMidiControl().saveMapFile (map));

    auto& presets = instance->presets();
    click (*presets.getPresetStoring().getButton (0));
    click (*presets.getChangingType().getButton (1));
    click (*presets.getDefaultPresets().getButton (2));
    presets.getDefaultPresets().getPathComponent().setPath (bank.getFullPathName(), true);
    instance->editor->getMidiControlComponent()->getDefaultMapControl().setPath (map.getFullPathName());
    click (instance->editor->getMidiControlComponent()->getDefaultMapControl().getCheckBox().getBox());
    click (instance->editor->getMidiControlComponent()->getDefaultMapControl().getCheckBox().getBox());

    instance.reset();
    instance = std::make_unique<Instance> (settingsFile);
    auto& processor = *instance->processor;
    EXPECT_EQ (processor.getStoringMode(), UserSettings::Storing::automatic);
    EXPECT_EQ (processor.getChangingMode(), UserSettings::Changing::silent);
    EXPECT_EQ (processor.getDefaultPresetsMode(), UserSettings::DefaultPresets::userDefined);
    EXPECT_EQ (processor.getUserPresetBankFile(), bank.getFullPathName());
    EXPECT_TRUE (processor.getMidiControl().getUseUserMap());
    EXPECT_EQ (processor.getMidiControl().getAssignedParameter (3), processor.getParameterManager().getParameterByName ("FX"));

    // The pages show what was read.
    EXPECT_EQ (instance->presets().getPresetStoring().getSelected(), 0);
    EXPECT_EQ (instance->presets().getDefaultPresets().getPathComponent().getPath(), bank.getFullPathName());
    EXPECT_TRUE (instance->editor->getMidiControlComponent()->getDefaultMapControl().isChecked());

    // Files that are gone by the next start: the factory bank and no map, without a crash.
    instance.reset();
    bank.deleteFile();
    map.deleteFile();
    instance = std::make_unique<Instance> (settingsFile);
    EXPECT_EQ (instance->processor->getMidiControl().getNumAssignments(), 0);
    EXPECT_TRUE (instance->processor->getPresetBank().getPreset (0)->getName().isNotEmpty());
}

TEST_F (OptionsTest, AnInstanceThatNeverReadTheSettingsLeavesTheFileAlone)
{
    settingsFile.replaceWithText ("keep");
    {
        Halvenek unread;
        HalvenekEditor editor (&unread);
        click (*editor.getPresetsSettings()->getPresetStoring().getButton (0));
    }
    EXPECT_EQ (settingsFile.loadFileAsString(), "keep");
}

//==============================================================================
TEST_F (OptionsTest, TheAboutWindowClosesOnAClickReopensCentredAndGrowsOverAPanel)
{
    auto& editor = *instance->editor;
    auto* about = editor.getAboutWindow();
    ASSERT_NE (about, nullptr);
    EXPECT_EQ (about->getLines(), (juce::StringArray { "HALVENEK", "Twin Lane Vintage Chorus", "VST 64bit  Version 1.3.1",
                                                      "224.1304; 2012-02-09",
                                                      juce::String (juce::CharPointer_UTF8 ("\xc2\xa9 2009-2012 Amber Crest Audio. All rights reserved.")),
                                                      "VST Plug-In Technology by Steinberg." }));
    EXPECT_TRUE (about->shouldDarkenBackground());
    EXPECT_FALSE (about->isTitleBarShown());

    editor.controllerEvent (nullptr, EventsMap::aboutEvent);
    EXPECT_TRUE (about->isShown());
    EXPECT_EQ (about->getBounds(), juce::Rectangle<int> ((633 - 550) / 2, (223 - 190) / 2, 550, 190));

    about->mouseDown (mouseEvent (*about, { 100.0f, 100.0f }));
    EXPECT_FALSE (about->isShown());

    clickButton ("OptionsButton");
    EXPECT_EQ (about->getHeight(), 260);
    editor.controllerEvent (nullptr, EventsMap::aboutEvent);
    EXPECT_EQ (about->getBounds(), juce::Rectangle<int> ((633 - 550) / 2, (479 - 260) / 2, 550, 260));

    about->mouseDown (mouseEvent (*about, { 10.0f, 10.0f }));
    clickButton ("OptionsButton");
    EXPECT_EQ (about->getHeight(), 190);
    EXPECT_EQ (about->getLink().getURL().toString (false), instance->processor->getWebAddress());
}

//==============================================================================
namespace
{
    class QualityEffect : public AmberCrestEffect
    {
    public:
        explicit QualityEffect (bool latency) : AmberCrestEffect (1), changesLatency (latency)
        {
            getParameterManager().addParameter (std::make_unique<FloatParameter> (200, "Quality", 0.0f, 1.0f, 1.0f, true));
        }

        juce::String getProductName() const override   { return "Test"; }
        juce::String getProductPrefix() const override { return "TE"; }
        bool hasEditor() const override                 { return false; }
        juce::AudioProcessorEditor* createEditor() override { return nullptr; }
        void getStateInformation (juce::MemoryBlock&) override {}
        void setStateInformation (const void*, int) override {}
        bool qualityChangesLatency() const override     { return changesLatency; }

    protected:
        std::unique_ptr<Core> createCore() override     { return nullptr; }
        int getNumClocks() const override               { return 0; }
        bool hasQualitySettings() const override        { return true; }
        bool appliesQualityOnPrepare() const override   { return true; }

    private:
        const bool changesLatency;
    };
}

TEST (QualitySettings, TheCurrentQualitySetsTheParameterAndTheDefaultIsKept)
{
    QualityEffect effect (true);
    AmberCrestEffectEditor::QualitySettingsComponent page (effect);
    auto* quality = effect.getQualityParameter();
    ASSERT_NE (quality, nullptr);
    EXPECT_EQ (page.getCurrentQuality().getSelected(), 3);
    EXPECT_EQ (page.getDefaultQuality().getSelected(), 0);
    ASSERT_NE (page.getLatencyNote(), nullptr);

    click (*page.getCurrentQuality().getButton (2));
    EXPECT_FLOAT_EQ (quality->getNormalisedValue(), 0.6666667f);
    click (*page.getCurrentQuality().getButton (0));
    EXPECT_EQ (quality->getNormalisedValue(), 0.0f);

    click (*page.getDefaultQuality().getButton (1));
    EXPECT_EQ (effect.getDefaultQuality(), 1);
    EXPECT_EQ (quality->getNormalisedValue(), 0.0f);

    QualityEffect withoutLatency (false);
    AmberCrestEffectEditor::QualitySettingsComponent quietPage (withoutLatency);
    EXPECT_EQ (quietPage.getLatencyNote(), nullptr);
}
