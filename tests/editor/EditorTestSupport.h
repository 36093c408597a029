#pragma once

#include "framework/editor/EventsMap.h"
#include "framework/editor/controls/SkinControls.h"
#include "framework/parameters/ParameterManager.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <vector>

namespace EditorTesting
{
    /** Lets components go on the desktop of a bare X server. Without a window manager some
        window-manager atoms do not exist, and Xlib's default handler ends the program on the
        resulting errors; a JUCE application (and a plug-in's host) ignores them instead. */
    void ignoreXErrorsLikeAnApplication();

    /** Runs the messages waiting on the message thread (deferred parameter updates). */
    void pumpMessages();

    /** A mouse event of the main mouse source on a component, in its local coordinates. */
    juce::MouseEvent mouseEvent (juce::Component& component, juce::Point<float> position,
                                 juce::ModifierKeys modifiers = juce::ModifierKeys::leftButtonModifier,
                                 juce::Point<float> downPosition = {}, bool wasDragged = false);

    /** Presses and releases the mouse on a component through its own mouse handling. */
    void click (juce::Component& component, juce::ModifierKeys modifiers = juce::ModifierKeys::leftButtonModifier);

    /** A filmstrip of the given frames, each frame filled with its own colour (red = frame). */
    juce::Image makeFilmstrip (int width, int frameHeight, int frames);

    /** A bitmap font: glyph i of the normal set is filled with grey level i + 1, the
        highlighted set with red i + 1. */
    juce::Image makeBitmapFont (int glyphWidth, int fontHeight, int glyphs);

    std::unique_ptr<juce::XmlElement> parse (const juce::String& xml);

    /** How many of a component's direct children are tooltip windows. */
    int countTooltipWindows (const juce::Component& parent);

    /** Records what a parameter's immediate listeners hear. */
    struct ParameterRecorder : Parameter::Listener
    {
        std::vector<char> calls;   // 'b' gesture began, 'c' changed, 'e' gesture ended
        void parameterChanged (Parameter&) override             { calls.push_back ('c'); }
        void parameterChangeGestureBegan (Parameter&) override  { calls.push_back ('b'); }
        void parameterChangeGestureEnded (Parameter&) override  { calls.push_back ('e'); }
        int count (char c) const;
    };

    /** Records what a control tells its listeners. */
    struct ControllerRecorder : GUIController::Listener
    {
        std::vector<int> events;
        int gestureStarts = 0, gestureEnds = 0, valueChanges = 0;
        void controllerGestureStarted (GUIController*) override  { ++gestureStarts; }
        void controllerGestureEnded (GUIController*) override    { ++gestureEnds; }
        void controllerValueChanged (GUIController*) override    { ++valueChanges; }
        void controllerEvent (GUIController*, int event) override { events.push_back (event); }
    };

    /** Parameters, the built-in events and controls made from skin element texts. */
    class ControlFixture : public ::testing::Test
    {
    protected:
        ControlFixture();

        /** Creates the control an element text describes, configures it and makes it visible. */
        SkinControl createControl (const juce::String& elementText);

        template <typename ControlType>
        std::unique_ptr<ControlType> make (const juce::String& elementText)
        {
            auto control = createControl (elementText);
            auto* typed = dynamic_cast<ControlType*> (control.component.get());

            if (typed == nullptr)
                return nullptr;

            control.component.release();
            return std::unique_ptr<ControlType> (typed);
        }

        ParameterManager parameters;
        EventsMap events;
        FloatParameter* depth = nullptr;     // "LFO 1 Depth", 0 to 1
        FloatParameter* level = nullptr;     // "Level", 0 to 200
        BoolParameter* bbd = nullptr;        // "BBD"
        IntParameter* mode = nullptr;        // "Mode", 0 to 3
    };
}
