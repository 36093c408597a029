#pragma once

#include <cstdio>

/** A one-line progress bar on a terminal; says nothing when the output is not a terminal or
    the job is too short to be worth one. */
class ProgressBar
{
public:
    ProgressBar (bool worthShowing, std::FILE* terminal = stderr);
    ~ProgressBar();

    /** Shows the fraction done, 0 to 1; redraws only when the bar changes. */
    void show (double fractionDone);

private:
    std::FILE* const stream;
    const bool enabled;
    int lastPercent = -1;
};
