#pragma once

#include "TabbedComponentEx.h"
#include "WindowComponent.h"

/** The user's settings in tabbed pages. Docked, it is a plain panel under the editor's
    skin: square, without title bar, close button and border, with a decoration strip
    along its top. */
class OptionsWindow : public WindowComponent
{
public:
    OptionsWindow();
    ~OptionsWindow() override;

    TabbedComponentEx& getTabs() noexcept               { return tabs; }

    void setDocked (bool shouldBeDocked);
    bool isDocked() const noexcept                      { return docked; }

    void resized() override;

private:
    TabbedComponentEx tabs;
    bool docked = false;

    JUCE_DECLARE_NON_COPYABLE (OptionsWindow)
};
