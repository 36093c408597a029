#include "VstTestHost.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>

namespace
{
    /** A top-level X window such as a host gives the plug-in's editor to live in. */
    struct HostWindow
    {
        HostWindow (int width, int height)
            : display (XOpenDisplay (nullptr))
        {
            if (display != nullptr)
            {
                window = XCreateSimpleWindow (display, DefaultRootWindow (display), 0, 0,
                                              (unsigned int) width, (unsigned int) height, 0, 0, 0);
                XMapWindow (display, window);
                XSync (display, False);
            }
        }

        ~HostWindow()
        {
            if (display != nullptr)
            {
                XDestroyWindow (display, window);
                XCloseDisplay (display);
            }
        }

        void* handle() const        { return reinterpret_cast<void*> (window); }

        Display* display;
        Window window = 0;
    };

    /** A DAW keeps X errors from ending it. On a bare X server (no window manager) some
        window-manager atoms do not exist, and Xlib's default handler would end the test
        program on the errors the plug-in's window causes. */
    void ignoreXErrorsLikeAHost()
    {
        XSetErrorHandler ([] (Display*, XErrorEvent*) { return 0; });
    }

    bool hasDisplay()
    {
        auto* display = XOpenDisplay (nullptr);

        if (display != nullptr)
            XCloseDisplay (display);

        return display != nullptr;
    }
}

TEST (VstEditorTest, ReportsTheEditorSizeOpensInTheHostWindowAndCloses)
{
    if (! hasDisplay())
        GTEST_SKIP() << "no X display";

    auto plugin = VstTestHost::shared().create();

    ERect* rect = nullptr;
    ASSERT_NE (plugin->dispatch (effEditGetRect, 0, 0, &rect), 0);
    ASSERT_NE (rect, nullptr);

    const int width = rect->right - rect->left;
    const int height = rect->bottom - rect->top;
    EXPECT_GT (width, 100);
    EXPECT_GT (height, 100);

    ignoreXErrorsLikeAHost();
    HostWindow window (width, height);
    ASSERT_NE (window.display, nullptr);

    EXPECT_EQ (plugin->dispatch (effEditOpen, 0, 0, window.handle()), 1);

    for (int i = 0; i < 20; ++i)
        plugin->dispatch (effEditIdle);

    plugin->dispatch (effEditClose);

    // The editor lives on between openings; the size stays what the skin says.
    ERect* again = nullptr;
    plugin->dispatch (effEditGetRect, 0, 0, &again);
    ASSERT_NE (again, nullptr);
    EXPECT_EQ (again->right - again->left, width);
    EXPECT_EQ (again->bottom - again->top, height);

    EXPECT_EQ (plugin->dispatch (effEditOpen, 0, 0, window.handle()), 1);
    plugin->dispatch (effEditIdle);

    // A host may close the plug-in with its editor still open.
    plugin->close();
}
