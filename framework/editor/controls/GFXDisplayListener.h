#pragma once

class GFXDisplay;

/** Told when the user has edited the text of a display. */
class GFXDisplayListener
{
public:
    virtual ~GFXDisplayListener() = default;
    virtual void displayTextChanged (GFXDisplay*) = 0;
};
