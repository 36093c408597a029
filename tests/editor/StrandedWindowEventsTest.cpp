#include <gtest/gtest.h>

// The test talks to the X server itself, so it asks JUCE for its X11 declarations (after
// GoogleTest, whose names the X macros would replace).
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include <juce_gui_basics/juce_gui_basics.h>

#include "../MessageLoop.h"
#include "EditorTestSupport.h"

#include "framework/editor/StrandedWindowEvents.h"

#if JUCE_LINUX || JUCE_BSD

namespace
{
    /** Counts the moves to one place; a test run before may leave the pointer over the
        window, which adds moves elsewhere. */
    struct MoveCountingWindow : juce::Component
    {
        void mouseMove (const juce::MouseEvent& event) override   { moves += event.getPosition() == juce::Point<int> (50, 40) ? 1 : 0; }
        int moves = 0;
    };
}

TEST (StrandedWindowEvents, AnEventThatARoundTripReadAheadIsHandled)
{
    EditorTesting::ignoreXErrorsLikeAnApplication();
    MoveCountingWindow window;
    window.setBounds (0, 0, 200, 100);
    window.addToDesktop (juce::ComponentPeer::windowIsTemporary);
    window.setVisible (true);
    MessageLoop::runFor (100);

    auto* display = juce::XWindowSystem::getInstance()->getDisplay();
    auto& x11 = *juce::X11Symbols::getInstance();

    {
        // The server delivers the move before it answers the sync, and waiting for that
        // answer reads the move into Xlib's queue: the socket JUCE watches is quiet.
        const juce::XWindowSystemUtilities::ScopedXLock lock;
        XEvent move {};
        move.xmotion.type = MotionNotify;
        move.xmotion.window = (::Window) window.getPeer()->getNativeHandle();
        move.xmotion.x = move.xmotion.x_root = 50;
        move.xmotion.y = move.xmotion.y_root = 40;
        move.xmotion.same_screen = True;
        x11.xSendEvent (display, move.xmotion.window, False, PointerMotionMask, &move);
        x11.xSync (display, False);
        ASSERT_GT (x11.xEventsQueued (display, QueuedAlready), 0);
    }

    StrandedWindowEvents::dispatch();

    EXPECT_EQ (window.moves, 1);
    EXPECT_EQ (x11.xEventsQueued (display, QueuedAlready), 0);
}

#endif
