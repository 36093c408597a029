#include "GFXDisplayFloat.h"

#include "../../parameters/NumberText.h"

void GFXDisplayFloat::updateFromParameter (Parameter& changed)
{
    auto valueText = NumberText::formatG9 (changed.getValue());
    const int columns = getNumColumns();

    if (columns > 0 && valueText.length() >= columns && valueText[columns - 1] == '.')
        valueText = " " + valueText;

    setText (valueText);
}
