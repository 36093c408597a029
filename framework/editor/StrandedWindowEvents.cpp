// JUCE declares its X11 window system only for files that ask for the X headers; they
// stay inside this file.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include "StrandedWindowEvents.h"

#include <juce_gui_basics/juce_gui_basics.h>

#if JUCE_LINUX || JUCE_BSD
 #include <juce_events/native/juce_linux_EventLoopInternal.h>
#endif

void StrandedWindowEvents::dispatch()
{
   #if JUCE_LINUX || JUCE_BSD
    auto* windowSystem = juce::XWindowSystem::getInstanceWithoutCreating();
    auto* display = windowSystem != nullptr ? windowSystem->getDisplay() : nullptr;

    if (display == nullptr)
        return;

    auto& x11 = *juce::X11Symbols::getInstance();
    int queued, connection;

    {
        // Counts what Xlib holds already, without reading the socket.
        const juce::XWindowSystemUtilities::ScopedXLock lock;
        queued = x11.xEventsQueued (display, QueuedAlready);
        connection = x11.xConnectionNumber (display);
    }

    // JUCE's handler for the connection takes every queued event in turn.
    if (queued > 0)
        juce::LinuxEventLoopInternal::invokeEventLoopCallbackForFd (connection);
   #endif
}
