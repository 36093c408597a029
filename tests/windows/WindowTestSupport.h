#pragma once

#include "../editor/EditorTestSupport.h"
#include "framework/editor/DefaultLookAndFeel.h"
#include "framework/windows/PseudoModalComponent.h"

namespace WindowTesting
{
    /** What pseudo-modal windows attach to in these tests: an editor-sized component in
        the editor's look-and-feel, on screen when a test needs real mouse or key events. */
    class TestDesktop : public juce::Component,
                        public PseudoModalComponent::Desktop
    {
    public:
        TestDesktop();
        ~TestDesktop() override;

        /** Puts the desktop on screen as a window of its own. */
        void putOnScreen();

        /** Presses and releases the left button at a point of the desktop through its
            window, as the X server would: the window comes to the front with the
            keyboard, and JUCE finds the component under the point. */
        void clickAt (juce::Point<int> position);

        /** Moves the mouse (no button held) to a point of the desktop through its window. */
        void moveMouseTo (juce::Point<int> position);

        /** The colour the desktop shows at a point, with everything on it drawn. */
        juce::Colour colourAt (juce::Point<int> position);

        void paint (juce::Graphics& g) override    { g.fillAll (background); }

        static inline const juce::Colour background { 0xff80a0c0 };

    private:
        void sendMouse (juce::Point<int> position, juce::ModifierKeys);

        DefaultLookAndFeel lookAndFeel;
        juce::int64 eventTime = 0;
    };

    /** Sends a key to whichever component has the keyboard focus, through its window. */
    void pressKey (const juce::KeyPress& key);

    /** Types text, a character at a time, into the focused component. */
    void typeText (const juce::String& text);
}
