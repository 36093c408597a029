#pragma once

#include "GUIController.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

/** One skin control: the component the editor places and the controller part of the same
    object. */
struct SkinControl
{
    std::unique_ptr<juce::Component> component;
    GUIController* controller = nullptr;
};

/** The controls created from the elements of a skin, owned, in creation order. The list
    of controllers is guarded by a lock; every read of it takes the lock. */
class SkinControls
{
public:
    enum class Scope
    {
        editor,     // the twelve elements a skin's root accepts
        panel       // those and the five further framework controls a panel accepts
    };

    /** Creates the control an element name selects (case ignored), named after the control
        name; an empty control for any other element name. */
    static SkinControl create (const juce::String& elementName, const juce::String& controlName, Scope scope);

    /** Takes ownership and returns the component. */
    juce::Component* add (SkinControl control);

    int size() const;
    juce::Component* getComponent (int index) const;

    /** Calls the function for each controller in creation order, taking the lock for each read. */
    void forEachController (const std::function<void (GUIController&)>& function) const;

    void clear();

private:
    juce::OwnedArray<juce::Component> components;
    juce::Array<GUIController*> controllers;
    juce::CriticalSection lock;
};
