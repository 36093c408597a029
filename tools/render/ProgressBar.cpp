#include "ProgressBar.h"

#include <algorithm>
#include <unistd.h>

ProgressBar::ProgressBar (bool worthShowing, std::FILE* terminal)
    : stream (terminal), enabled (worthShowing && isatty (fileno (terminal)) != 0)
{
}

ProgressBar::~ProgressBar()
{
    if (enabled && lastPercent >= 0)
        std::fputc ('\n', stream);
}

void ProgressBar::show (double fractionDone)
{
    if (! enabled)
        return;

    const int percent = (int) (std::clamp (fractionDone, 0.0, 1.0) * 100.0);

    if (percent == lastPercent)
        return;

    lastPercent = percent;

    constexpr int width = 40;
    const int filled = percent * width / 100;
    std::fprintf (stream, "\rRendering [%-*.*s] %3d%%", width, filled, "########################################", percent);
    std::fflush (stream);
}
