// Gives a bare X server, such as Xvfb, what a desktop's display driver and window manager
// give every program: a screen mode with a real refresh rate and the work area of the
// screen. JUCE reads both to time the frames of its windows; without them it falls back to
// 100 frames a second, which no musician's desktop shows it.
//
//   halvenek_desktop_display [refresh rate in Hz, 60 when left out]      (uses $DISPLAY)
//
// The mode and the property outlive this program (its resources are kept when it closes),
// so start the server with -noreset.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
    struct ShownOutput
    {
        RROutput output = None;
        RRCrtc crtc = None;
        int x = 0, y = 0;
        unsigned width = 0, height = 0;
        Rotation rotation = RR_Rotate_0;
    };

    /** The first connected output that shows a picture, and where. */
    bool findShownOutput (Display* display, XRRScreenResources* resources, ShownOutput& screen)
    {
        for (int i = 0; i < resources->noutput; ++i)
        {
            XRROutputInfo* output = XRRGetOutputInfo (display, resources, resources->outputs[i]);
            const bool shown = output != nullptr && output->connection == RR_Connected && output->crtc != None;

            if (shown)
            {
                if (XRRCrtcInfo* crtc = XRRGetCrtcInfo (display, resources, output->crtc))
                {
                    screen = { resources->outputs[i], output->crtc, crtc->x, crtc->y, crtc->width, crtc->height, crtc->rotation };
                    XRRFreeCrtcInfo (crtc);
                }
            }

            if (output != nullptr)
                XRRFreeOutputInfo (output);

            if (screen.crtc != None)
                return true;
        }

        return false;
    }

    /** A mode of the screen's size whose timings give exactly the rate asked for: the one
        an earlier run made, or a new one (the server refuses a second mode of one name). */
    RRMode findOrCreateMode (Display* display, XRRScreenResources* resources, const ShownOutput& screen, int refreshHz)
    {
        std::string name = std::to_string (screen.width) + "x" + std::to_string (screen.height) + "_" + std::to_string (refreshHz);

        for (int i = 0; i < resources->nmode; ++i)
            if (resources->modes[i].name != nullptr && name == resources->modes[i].name)
                return resources->modes[i].id;

        // Reduced blanking, as flat panels use: only the ratio matters to the rate.
        XRRModeInfo mode {};
        mode.width = screen.width;
        mode.height = screen.height;
        mode.hSyncStart = screen.width + 48;
        mode.hSyncEnd = screen.width + 80;
        mode.hTotal = screen.width + 160;
        mode.vSyncStart = screen.height + 3;
        mode.vSyncEnd = screen.height + 7;
        mode.vTotal = screen.height + 30;
        mode.dotClock = (unsigned long) mode.hTotal * mode.vTotal * (unsigned long) refreshHz;
        mode.name = name.data();
        mode.nameLength = (unsigned) name.size();
        return XRRCreateMode (display, DefaultRootWindow (display), &mode);
    }

    /** The property a window manager sets: one desktop, the whole screen free to use. */
    void announceWorkArea (Display* display)
    {
        const long area[4] = { 0, 0, (long) DisplayWidth (display, DefaultScreen (display)),
                                     (long) DisplayHeight (display, DefaultScreen (display)) };
        XChangeProperty (display, DefaultRootWindow (display), XInternAtom (display, "_NET_WORKAREA", False),
                         XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<const unsigned char*> (area), 4);
    }

    double currentRefreshHz (Display* display)
    {
        double hz = 0.0;
        XRRScreenResources* resources = XRRGetScreenResourcesCurrent (display, DefaultRootWindow (display));
        ShownOutput screen;

        if (resources != nullptr && findShownOutput (display, resources, screen))
            if (XRRCrtcInfo* crtc = XRRGetCrtcInfo (display, resources, screen.crtc))
            {
                for (int i = 0; i < resources->nmode; ++i)
                    if (resources->modes[i].id == crtc->mode && resources->modes[i].hTotal * resources->modes[i].vTotal > 0)
                        hz = (double) resources->modes[i].dotClock / ((double) resources->modes[i].hTotal * resources->modes[i].vTotal);

                XRRFreeCrtcInfo (crtc);
            }

        if (resources != nullptr)
            XRRFreeScreenResources (resources);

        return hz;
    }
}

int main (int argc, char** argv)
{
    const int refreshHz = argc > 1 ? std::atoi (argv[1]) : 60;

    if (argc > 2 || refreshHz < 1 || refreshHz > 1000)
    {
        std::fprintf (stderr, "usage: halvenek_desktop_display [refresh rate in Hz, 1 to 1000]\n");
        return 2;
    }

    Display* display = XOpenDisplay (nullptr);

    if (display == nullptr)
    {
        std::fprintf (stderr, "halvenek_desktop_display: cannot open the display \"%s\"\n", XDisplayName (nullptr));
        return 1;
    }

    int eventBase = 0, errorBase = 0;
    XRRScreenResources* resources = XRRQueryExtension (display, &eventBase, &errorBase)
                                        ? XRRGetScreenResourcesCurrent (display, DefaultRootWindow (display))
                                        : nullptr;
    ShownOutput screen;

    if (resources == nullptr || ! findShownOutput (display, resources, screen))
    {
        std::fprintf (stderr, "halvenek_desktop_display: the display has no RandR output showing a picture\n");
        return 1;
    }

    // Kept when this connection closes: the server would otherwise drop the new mode with it.
    XSetCloseDownMode (display, RetainPermanent);
    const RRMode mode = findOrCreateMode (display, resources, screen, refreshHz);
    XRRAddOutputMode (display, screen.output, mode);
    const Status status = XRRSetCrtcConfig (display, resources, screen.crtc, CurrentTime, screen.x, screen.y,
                                            mode, screen.rotation, &screen.output, 1);
    XRRFreeScreenResources (resources);
    announceWorkArea (display);
    XSync (display, False);

    const double shownHz = currentRefreshHz (display);
    XCloseDisplay (display);

    if (status != RRSetConfigSuccess || shownHz < refreshHz - 0.01 || shownHz > refreshHz + 0.01)
    {
        std::fprintf (stderr, "halvenek_desktop_display: the server kept %.2f Hz\n", shownHz);
        return 1;
    }

    std::printf ("%s: %ux%u at %.2f Hz, work area announced\n", XDisplayName (nullptr), screen.width, screen.height, shownHz);
    return 0;
}
