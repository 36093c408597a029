#include "WindowTestSupport.h"

#include "../MessageLoop.h"

namespace WindowTesting
{
    TestDesktop::TestDesktop()
    {
        EditorTesting::ignoreXErrorsLikeAnApplication();
        setLookAndFeel (&lookAndFeel);
        setBounds (0, 0, 640, 400);
    }

    TestDesktop::~TestDesktop()
    {
        setLookAndFeel (nullptr);
    }

    void TestDesktop::putOnScreen()
    {
        setVisible (true);
        addToDesktop (0);
        setTopLeftPosition (100, 100);
        MessageLoop::runFor (20);
    }

    void TestDesktop::sendMouse (juce::Point<int> position, juce::ModifierKeys modifiers)
    {
        auto* peer = getPeer();
        ASSERT_NE (peer, nullptr) << "the desktop is not on screen";
        eventTime += 500;   // far apart, so no two presses make a double click

        if (modifiers.isAnyMouseButtonDown())
            peer->toFront (true);   // as JUCE does on an X button press
        peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, position.toFloat(), modifiers,
                                juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                                juce::Time::getMillisecondCounter() + eventTime);
    }

    void TestDesktop::clickAt (juce::Point<int> position)
    {
        sendMouse (position, {});
        sendMouse (position, juce::ModifierKeys::leftButtonModifier);
        sendMouse (position, {});
        MessageLoop::runFor (20);
    }

    void TestDesktop::moveMouseTo (juce::Point<int> position)
    {
        sendMouse (position, {});
    }

    juce::Colour TestDesktop::colourAt (juce::Point<int> position)
    {
        return createComponentSnapshot (getLocalBounds()).getPixelAt (position.x, position.y);
    }

    void pressKey (const juce::KeyPress& key)
    {
        auto* focused = juce::Component::getCurrentlyFocusedComponent();
        ASSERT_NE (focused, nullptr) << "nothing has the keyboard focus";
        ASSERT_NE (focused->getPeer(), nullptr);
        focused->getPeer()->handleKeyPress (key);
    }

    void typeText (const juce::String& text)
    {
        for (auto c : text)
            pressKey (juce::KeyPress ((int) c, juce::ModifierKeys(), c));
    }
}
