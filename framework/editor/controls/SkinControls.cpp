#include "SkinControls.h"

#include "GFXAnimation.h"
#include "GFXButton.h"
#include "GFXDisplayFloat.h"
#include "GFXKnob.h"
#include "GFXMultiStateButton.h"
#include "GFXPanel.h"
#include "GFXRocker.h"
#include "GFXSwitch.h"
#include "GFXToggleButton.h"
#include "NumericDisplay.h"
#include "PatternNumberDisplay.h"

namespace
{
    template <typename ControlType>
    SkinControl make (const juce::String& name)
    {
        auto control = std::make_unique<ControlType> (name);
        GUIController* controller = control.get();
        return { std::move (control), controller };
    }

    using Factory = SkinControl (*) (const juce::String&);

    struct ElementClass
    {
        const char* elementName;
        Factory factory;
    };

    const ElementClass skinElements[] =
    {
        { "Knob",                 make<GFXKnob> },
        { "Switch",               make<GFXSwitch> },
        { "Animation",            make<GFXAnimation> },
        { "Button",               make<GFXButton> },
        { "ToggleButton",         make<GFXToggleButton> },
        { "MultiStateButton",     make<GFXMultiStateButton> },
        { "Display",              make<GFXDisplay> },
        { "DisplayFloat",         make<GFXDisplayFloat> },
        { "Rocker",               make<GFXRocker> },
        { "Panel",                make<GFXPanel> },
        { "NumericDisplay",       make<NumericDisplay> },
        { "PatternNumberDisplay", make<PatternNumberDisplay> }
    };

    // Framework controls this product's skin never uses; a panel shows each as a filmstrip
    // that follows its parameter.
    const char* const panelOnlyElements[] =
    {
        "NoteDisplay", "MusicKeyboard", "PitchBender", "ModWheel", "ParameterModulator"
    };
}

SkinControl SkinControls::create (const juce::String& elementName, const juce::String& controlName, Scope scope)
{
    for (const auto& element : skinElements)
        if (elementName.equalsIgnoreCase (element.elementName))
            return element.factory (controlName);

    if (scope == Scope::panel)
        for (const auto* element : panelOnlyElements)
            if (elementName.equalsIgnoreCase (element))
                return make<GFXAnimation> (controlName);

    return {};
}

juce::Component* SkinControls::add (SkinControl control)
{
    auto* component = components.add (control.component.release());

    const juce::ScopedLock sl (lock);
    controllers.add (control.controller);
    return component;
}

int SkinControls::size() const
{
    return components.size();
}

juce::Component* SkinControls::getComponent (int index) const
{
    return components[index];
}

void SkinControls::forEachController (const std::function<void (GUIController&)>& function) const
{
    for (int i = 0;; ++i)
    {
        GUIController* controller = nullptr;

        {
            const juce::ScopedLock sl (lock);

            if (i >= controllers.size())
                return;

            controller = controllers.getUnchecked (i);
        }

        function (*controller);
    }
}

void SkinControls::clear()
{
    {
        const juce::ScopedLock sl (lock);
        controllers.clear();
    }

    components.clear();
}
