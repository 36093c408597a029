#include "VstPins.h"

#include "VstText.h"

#include <cstring>

namespace VstPins
{
    bool describe (VstPinProperties* properties, bool isInput, int index) noexcept
    {
        if (properties == nullptr || index < 0 || index > 1)
            return false;

        static constexpr const char* labels[2][2] { { "Output L", "Output R" }, { "Input L", "Input R" } };
        static constexpr const char* shortLabels[2][2] { { "Out L", "Out R" }, { "In L", "In R" } };

        std::memset (properties, 0, sizeof (VstPinProperties));
        VstText::copyBounded (properties->label, labels[isInput][index], sizeof (properties->label));
        VstText::copyBounded (properties->shortLabel, shortLabels[isInput][index], sizeof (properties->shortLabel));

        // The stereo flag marks the first pin of a pair.
        properties->flags = VstPublished::pinIsActive | VstPublished::pinUseSpeaker
                          | (index == 0 ? VstPublished::pinIsStereo : 0);
        properties->arrangementType = kSpeakerArrStereo;
        return true;
    }
}
