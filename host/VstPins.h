#pragma once

#include "VstInterface.h"

namespace VstPins
{
    /** Fills the properties of input or output pin 0 or 1, the left and right channel of one
        stereo pair; false (and nothing written) for any other index or a null pointer. */
    bool describe (VstPinProperties* properties, bool isInput, int index) noexcept;
}
