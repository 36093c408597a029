#include "WindowTestSupport.h"

#include "../MessageLoop.h"
#include "framework/windows/LabelWithModalTextEditor.h"

using namespace WindowTesting;

namespace
{
    struct EditRecorder : ModalTextEditor::ModalListener
    {
        void modalTextChanged (ModalTextEditor& e) override     { calls.push_back ("changed " + e.getText()); }
        void modalTextCommitted (ModalTextEditor& e) override   { calls.push_back ("committed " + e.getText()); }
        void modalEditCancelled (ModalTextEditor& e) override   { calls.push_back ("cancelled " + e.getText()); }
        void modalEditFinished (ModalTextEditor&) override      { calls.push_back ("finished"); }

        int count (const juce::String& prefix) const
        {
            return (int) std::count_if (calls.begin(), calls.end(), [&] (const juce::String& c) { return c.startsWith (prefix); });
        }

        std::vector<juce::String> calls;
    };
}

class ModalTextEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        label.setBounds (20, 30, 200, 20);
        label.setText ("Warm Tape");
        label.addModalListener (&recorder);
        desktop.addAndMakeVisible (label);
        desktop.putOnScreen();
        windowsBefore = juce::Desktop::getInstance().getNumComponents();
    }

    void TearDown() override
    {
        desktop.removeChildComponent (&label);
    }

    void startEditing()
    {
        label.showEditor();
        ASSERT_NE (label.getEditor(), nullptr);
        ASSERT_TRUE (label.getEditor()->isPoppedOut());
    }

    /** Lets the editor's queued notifications (text changes, Return, Escape) arrive. */
    static void settle()    { MessageLoop::runFor (30); }

    TestDesktop desktop;
    LabelWithModalTextEditor label { "NameLabel" };
    EditRecorder recorder;
    int windowsBefore = 0;
};

TEST_F (ModalTextEditorTest, EditingPopsOutAtTheSamePlaceOnScreenAndComesBack)
{
    const auto labelOnScreen = label.getScreenBounds();
    startEditing();

    auto* editor = label.getEditor();
    EXPECT_TRUE (editor->isOnDesktop());
    EXPECT_NE (editor->getPeer()->getStyleFlags() & juce::ComponentPeer::windowIsTemporary, 0);
    EXPECT_EQ (editor->getScreenBounds(), labelOnScreen);
    EXPECT_TRUE (editor->hasKeyboardFocus (false));
    EXPECT_EQ (editor->getHighlightedRegion(), juce::Range<int> (0, 9));
    EXPECT_EQ (editor->getName(), "NameLabel");
    EXPECT_EQ (editor->findColour (juce::TextEditor::highlightColourId), juce::Colour (0xffd3d3d3));
    EXPECT_EQ (editor->findColour (juce::TextEditor::outlineColourId), juce::Colours::black);
    EXPECT_EQ (editor->findColour (juce::TextEditor::focusedOutlineColourId), juce::Colour (0xbfff4500));

    pressKey (juce::KeyPress (juce::KeyPress::returnKey));
    settle();
    EXPECT_FALSE (editor->isOnDesktop());
    EXPECT_EQ (editor->getParentComponent(), &label);
    EXPECT_EQ (editor->getBounds(), label.getLocalBounds());
    EXPECT_FALSE (editor->isVisible());
    EXPECT_EQ (juce::Desktop::getInstance().getNumComponents(), windowsBefore);
    EXPECT_EQ (recorder.calls, std::vector<juce::String> ({ "finished" }));   // Return on unchanged text: no commit
}

TEST_F (ModalTextEditorTest, TypingFollowsInTheLabelAndReturnCommitsOnce)
{
    startEditing();
    typeText ("Cold Air");
    settle();
    EXPECT_EQ (label.getText(), "Cold Air");
    EXPECT_GT (recorder.count ("changed"), 0);

    pressKey (juce::KeyPress (juce::KeyPress::returnKey));
    settle();
    EXPECT_EQ (recorder.count ("committed"), 1);
    EXPECT_EQ (recorder.calls.back(), "finished");
    EXPECT_EQ (recorder.calls[recorder.calls.size() - 2], "committed Cold Air");
    EXPECT_EQ (label.getEditor()->getTextAtStart(), "Cold Air");
}

TEST_F (ModalTextEditorTest, EscapeRestoresTheTextAndReportsCancelWithoutCommit)
{
    startEditing();
    typeText ("Scratch");
    settle();
    EXPECT_EQ (label.getText(), "Scratch");

    pressKey (juce::KeyPress (juce::KeyPress::escapeKey));
    settle();
    EXPECT_EQ (label.getText(), "Warm Tape");
    EXPECT_EQ (recorder.count ("committed"), 0);
    EXPECT_EQ (recorder.calls.back(), "cancelled Warm Tape");
    EXPECT_EQ (recorder.count ("finished"), 1);
    EXPECT_FALSE (label.getEditor()->isOnDesktop());
}

TEST_F (ModalTextEditorTest, TheSecondClickOfADoubleClickOnTheOldPlaceKeepsTheEdit)
{
    juce::TextButton other ("Other");
    other.setBounds (300, 30, 60, 20);
    desktop.addAndMakeVisible (other);
    startEditing();

    // Arriving before the pop-out window, the click reaches the editor's window.
    desktop.clickAt (label.getBounds().getCentre());
    EXPECT_TRUE (label.getEditor()->isPoppedOut());
    EXPECT_TRUE (label.getEditor()->hasKeyboardFocus (false));

    desktop.clickAt (other.getBounds().getCentre());   // a click elsewhere ends it
    EXPECT_FALSE (label.getEditor()->isPoppedOut());
    EXPECT_EQ (label.getNumChildComponents(), 1);        // no stand-in left behind
    EXPECT_EQ (desktop.getNumChildComponents(), 2);
    desktop.removeChildComponent (&other);
}

TEST_F (ModalTextEditorTest, LosingTheFocusCommitsLikeReturn)
{
    startEditing();
    typeText ("Elsewhere");
    settle();
    label.getEditor()->giveAwayKeyboardFocus();
    EXPECT_FALSE (label.getEditor()->isOnDesktop());
    EXPECT_EQ (recorder.count ("committed Elsewhere"), 1);
}

TEST_F (ModalTextEditorTest, ClosingTheEditorWindowWhilePoppedOutCommitsAndLeavesNoWindow)
{
    // The editor in a host's window, which hides the editor and lets it go when it closes.
    desktop.removeFromDesktop();
    juce::Component hostWindow;
    hostWindow.setBounds (desktop.getBounds());
    hostWindow.addAndMakeVisible (desktop);
    hostWindow.setVisible (true);
    hostWindow.addToDesktop (0);
    desktop.setTopLeftPosition (0, 0);
    MessageLoop::runFor (20);

    startEditing();
    typeText ("Half typed");
    settle();

    desktop.setVisible (false);
    hostWindow.removeChildComponent (&desktop);
    hostWindow.removeFromDesktop();
    EXPECT_EQ (juce::Desktop::getInstance().getNumComponents(), windowsBefore - 1);
    EXPECT_FALSE (label.getEditor()->isOnDesktop());
    EXPECT_EQ (recorder.count ("committed Half typed"), 1);
    EXPECT_EQ (recorder.calls.back(), "finished");

    hostWindow.addToDesktop (0);   // reopened: editing works again
    hostWindow.addAndMakeVisible (desktop);
    startEditing();
    pressKey (juce::KeyPress (juce::KeyPress::escapeKey));
    settle();
    EXPECT_EQ (label.getText(), "Half typed");
}

TEST_F (ModalTextEditorTest, PendingListenersAreHandedOverOnceAndAFontChangeReachesTheEditor)
{
    label.addModalListener (&recorder);
    startEditing();
    typeText ("x");
    pressKey (juce::KeyPress (juce::KeyPress::returnKey));
    settle();
    EXPECT_EQ (recorder.count ("committed"), 1);

    const juce::Font bigger ("Tahoma", 20.0f, juce::Font::bold);
    label.setFont (bigger);
    EXPECT_EQ (label.getEditor()->getFont(), bigger);
}
