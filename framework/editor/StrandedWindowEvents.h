#pragma once

/** Hands window-system events that would otherwise wait unseen to JUCE's event handler.

    On Linux JUCE's run loop waits for the X connection's socket to have data. Any Xlib
    call that waits for a reply (the tooltip asking where the pointer is, a window asked
    whether it is minimised) first reads every event that has arrived into Xlib's own
    queue; the socket is quiet again, and those events wait until the server sends
    another one. A click not followed by a mouse movement could wait indefinitely. The
    editor calls this on its timer, so no event waits longer than one tick.

    Message thread only; does nothing on other systems or before a display is open. */
namespace StrandedWindowEvents
{
    void dispatch();
}
