#pragma once

#include "GFXDisplay.h"

/** The skin's `DisplayFloat`: shows its parameter's real value as a number. */
class GFXDisplayFloat : public GFXDisplay
{
public:
    using GFXDisplay::GFXDisplay;

    /** Shows the value with up to nine significant digits; when a decimal point would be
        the last visible character, a leading space pushes it out of view. */
    void updateFromParameter (Parameter&) override;
};
