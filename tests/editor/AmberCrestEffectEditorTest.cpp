#include "EditorTestSupport.h"

#include "framework/editor/AmberCrestEffectEditor.h"
#include "framework/editor/controls/GFXButton.h"
#include "product/Halvenek.h"

using namespace EditorTesting;

namespace
{
    /** The product-line editor with two stand-in panels docked under the skin. */
    class DockingEditor : public AmberCrestEffectEditor
    {
    public:
        explicit DockingEditor (AmberCrestEffect* processor)
            : AmberCrestEffectEditor (processor)
        {
            dockPanels (options, browser);
        }

        ~DockingEditor() override
        {
            removeChildComponent (&options);
            removeChildComponent (&browser);
        }

        juce::Component options, browser;
    };
}

class AmberCrestEffectEditorTest : public ::testing::Test
{
protected:
    void click (const char* buttonName)
    {
        auto* button = dynamic_cast<GFXButton*> (editor.findControl (buttonName));
        ASSERT_NE (button, nullptr);
        EditorTesting::click (*button);
    }

    std::unique_ptr<Halvenek> processor = Halvenek::create();
    DockingEditor editor { processor.get() };
};

TEST_F (AmberCrestEffectEditorTest, DockedPanelsWaitHiddenUnderTheSkin)
{
    EXPECT_EQ (editor.getSkinHeight(), 207);

    for (auto* panel : { &editor.options, &editor.browser })
    {
        EXPECT_FALSE (panel->isVisible());
        EXPECT_EQ (panel->getParentComponent(), &editor);
        EXPECT_EQ (panel->getBounds(), juce::Rectangle<int> (0, 207, 633, 256));
    }

    EXPECT_EQ (editor.getHeight(), 223);
}

TEST_F (AmberCrestEffectEditorTest, BrowsePresetButtonOpensAndClosesTheBrowserPanel)
{
    click ("BrowsePresetButton");
    EXPECT_TRUE (editor.browser.isVisible());
    EXPECT_FALSE (editor.options.isVisible());
    EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (0, 0, 633, 479));
    EXPECT_EQ (editor.getStatusBar()->getY(), 463);

    click ("BrowsePresetButton");
    EXPECT_FALSE (editor.browser.isVisible());
    EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (0, 0, 633, 223));
    EXPECT_EQ (editor.getStatusBar()->getY(), 207);
    EXPECT_EQ (processor->getCurrentPresetNumber(), 0);
}

TEST_F (AmberCrestEffectEditorTest, AtMostOnePanelIsOpenAndTogglingClearsTheStatusBar)
{
    editor.getStatusBar()->showMessage ("Waiting for a controller or parameter movement...", StatusBar::midiLearnPriority);

    click ("OptionsButton");
    EXPECT_TRUE (editor.options.isVisible());
    EXPECT_EQ (editor.getStatusBar()->getText(), "");

    click ("BrowsePresetButton");
    EXPECT_TRUE (editor.browser.isVisible());
    EXPECT_FALSE (editor.options.isVisible());
    EXPECT_EQ (editor.getHeight(), 479);

    click ("OptionsButton");
    click ("OptionsButton");
    EXPECT_FALSE (editor.options.isVisible());
    EXPECT_FALSE (editor.browser.isVisible());
    EXPECT_EQ (editor.getHeight(), 223);
}
