#include "../product/HalvenekTestRig.h"
#include "../editor/EditorTestSupport.h"

#include "framework/editor/controls/GFXButton.h"
#include "FakeFileChooser.h"
#include "framework/windows/OldStylePresetBrowserWindow.h"
#include "product/HalvenekEditor.h"

/** The browser as the product editor docks it under the skin. */
class BrowserPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EditorTesting::ignoreXErrorsLikeAnApplication();
        ASSERT_NE (window, nullptr);
        EditorTesting::pumpMessages();
    }

    void TearDown() override    { folder.deleteRecursively(); }

    void clickBrowseButton()
    {
        auto* button = dynamic_cast<GFXButton*> (editor->findControl ("BrowsePresetButton"));
        ASSERT_NE (button, nullptr);
        EditorTesting::click (*button);
    }

    HalvenekTestRig rig { 44100.0, 512 };
    HalvenekEditor* editor = rig.processor->getEditorComponent();
    OldStylePresetBrowserWindow* window = editor->getPresetBrowserWindow();
    const juce::File folder = juce::File::createTempFile ("halvenek-panel");
};

TEST_F (BrowserPanelTest, BrowsePresetsOpensTheDockedBrowserOnTheCurrentPreset)
{
    EXPECT_FALSE (window->isVisible());
    EXPECT_FALSE (window->isTitleBarShown() || window->isBorderShown() || window->isRounded());

    clickBrowseButton();
    EXPECT_TRUE (window->isVisible());
    EXPECT_EQ (window->getBounds(), juce::Rectangle<int> (0, 207, 633, 256));
    EXPECT_EQ (editor->getHeight(), 479);

    auto& browser = window->getBrowser();
    ASSERT_EQ (browser.getNumColumns(), 2);
    EXPECT_TRUE (browser.getPresetColumn()->getList().isRowSelected (rig.processor->getCurrentPresetNumber()));

    // Everything fits: the buttons beside the browser, the file row under it.
    const auto content = window->getContentBounds();
    EXPECT_TRUE (content.contains (browser.getBounds()));
    EXPECT_TRUE (content.contains (window->getButton (OldStylePresetBrowserWindow::down).getBoundsInParent()
                                      + window->getButton (OldStylePresetBrowserWindow::down).getParentComponent()->getPosition()));
    EXPECT_GE (browser.getHeight(), 150);

    clickBrowseButton();
    EXPECT_FALSE (window->isVisible());
    EXPECT_EQ (editor->getHeight(), 223);
}

TEST_F (BrowserPanelTest, ASaveThatCannotBeWrittenSaysSoAndLeavesWhatIsThere)
{
    folder.createDirectory();
    const auto blocking = folder.getChildFile ("lead.hlprs");
    ASSERT_TRUE (blocking.createDirectory() && blocking.getChildFile ("kept.txt").replaceWithText ("kept")); // a folder in the way

    FakeFileChooser chooser;
    chooser.willChoose (folder.getChildFile ("lead"));
    EditorTesting::click (window->getButton (OldStylePresetBrowserWindow::savePreset));
    EditorTesting::pumpMessages();

    EXPECT_EQ (editor->getStatusBar()->getText(), "Could not save lead.hlprs");
    EXPECT_EQ (blocking.getChildFile ("kept.txt").loadFileAsString(), "kept");
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);

    editor->getStatusBar()->clear();
    chooser.willChoose (folder.getChildFile ("missing folder").getChildFile ("bank"));
    EditorTesting::click (window->getButton (OldStylePresetBrowserWindow::saveBank));
    EditorTesting::pumpMessages();
    EXPECT_EQ (editor->getStatusBar()->getText(), "Could not save bank.hlprsb");
    EXPECT_EQ (editor->getStatusBar()->getPriority(), 6);
}
