#include "WindowTestSupport.h"

#include "../MessageLoop.h"
#include "../product/HalvenekTestRig.h"
#include "framework/editor/AudioProcessorEditorWrapper.h"
#include "framework/editor/controls/GFXDisplay.h"
#include "framework/windows/AlertWindow.h"
#include "product/HalvenekEditor.h"

using namespace WindowTesting;

/** The persistent editor in the host's window, which the host opens and closes while a
    dialog is shown or the preset name is being edited. */
class HostClosesEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EditorTesting::ignoreXErrorsLikeAnApplication();
        ASSERT_NE (editor, nullptr);
        ASSERT_NE (display, nullptr);
        EditorTesting::pumpMessages();
        windowsBefore = juce::Desktop::getInstance().getNumComponents();
        open();
    }

    void TearDown() override
    {
        window.reset();
    }

    /** The host opens its window: a wrapper around the editor, on screen. */
    void open()
    {
        window.reset (rig.processor->createEditor());
        window->setVisible (true);
        window->addToDesktop (0);
        MessageLoop::runFor (20);
    }

    void close()
    {
        window.reset();
        MessageLoop::runFor (20);
    }

    int desktopWindows() const  { return juce::Desktop::getInstance().getNumComponents(); }

    HalvenekTestRig rig;
    HalvenekEditor* editor = rig.processor->getEditorComponent();
    GFXDisplay* display = editor != nullptr ? dynamic_cast<GFXDisplay*> (editor->findControl ("PresetNameDisplay")) : nullptr;
    std::unique_ptr<juce::AudioProcessorEditor> window;
    int windowsBefore = 0;
};

TEST_F (HostClosesEditorTest, ClosingWhileThePresetNameIsEditedCommitsTheNameAndLeavesNoWindow)
{
    display->grabKeyboardFocus();
    ASSERT_TRUE (display->isOnDesktop());
    EXPECT_EQ (desktopWindows(), windowsBefore + 2);
    pressKey (juce::KeyPress (juce::KeyPress::backspaceKey));
    typeText ("Z");
    const auto edited = display->getText();

    close();
    EXPECT_EQ (desktopWindows(), windowsBefore);
    EXPECT_FALSE (display->isOnDesktop());
    EXPECT_FALSE (display->isEditing());
    EXPECT_EQ (display->getParentComponent(), editor);
    EXPECT_EQ (rig.processor->getPresetName (rig.processor->getCurrentPresetNumber()), edited);

    open();   // reopened, the display edits as before
    EXPECT_TRUE (editor->isShowing());
    display->grabKeyboardFocus();
    EXPECT_TRUE (display->isOnDesktop());
    pressKey (juce::KeyPress (juce::KeyPress::escapeKey));
    EXPECT_FALSE (display->isOnDesktop());
    EXPECT_EQ (display->getText(), edited);
}

TEST_F (HostClosesEditorTest, ADialogShownWhenTheHostClosesIsStillUsableAfterReopening)
{
    auto alert = Vexa::AlertWindow::createConfirmation ("Question", "Go on?", nullptr);
    editor->addChildComponent (*alert);
    alert->show();

    close();
    EXPECT_EQ (desktopWindows(), windowsBefore);

    open();
    EXPECT_TRUE (alert->isShown());
    EXPECT_TRUE (alert->isShowing());
    alert->getButton (1)->triggerClick();
    MessageLoop::runUntil ([&] { return ! alert->isShown(); }, 1000);
    EXPECT_FALSE (alert->isShown());

    // The owner drops it while the editor lives on; nothing of it stays in the editor.
    juce::Component::SafePointer<juce::Component> closeButton (&alert->getCloseButton());
    const int editorChildren = editor->getNumChildComponents();
    alert.reset();
    EXPECT_EQ (closeButton.getComponent(), nullptr);
    EXPECT_EQ (editor->getNumChildComponents(), editorChildren - 1);
}
