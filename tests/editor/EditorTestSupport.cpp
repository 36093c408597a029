#include "EditorTestSupport.h"

#include "../MessageLoop.h"
#include "framework/parameters/XmlReading.h"

#include <algorithm>
#include <dlfcn.h>

namespace EditorTesting
{
    void ignoreXErrorsLikeAnApplication()
    {
        using ErrorHandler = int (*) (void*, void*);
        using SetErrorHandler = ErrorHandler (*) (ErrorHandler);

        static const bool installed = []
        {
            auto* x11 = dlopen ("libX11.so.6", RTLD_NOW);

            if (x11 == nullptr)
                return false;

            auto setErrorHandler = reinterpret_cast<SetErrorHandler> (dlsym (x11, "XSetErrorHandler"));

            if (setErrorHandler == nullptr)
                return false;

            setErrorHandler ([] (void*, void*) { return 0; });
            return true;
        }();

        juce::ignoreUnused (installed);
    }

    void pumpMessages()
    {
        // Long enough for changes made off the message thread to be collected too.
        MessageLoop::runFor (3 * AudioThreadSafeAsyncUpdater::collectionIntervalMilliseconds);
    }

    juce::MouseEvent mouseEvent (juce::Component& component, juce::Point<float> position,
                                 juce::ModifierKeys modifiers, juce::Point<float> downPosition, bool wasDragged)
    {
        const auto now = juce::Time::getCurrentTime();
        return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), position, modifiers,
                                 juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                                 juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                                 juce::MouseInputSource::defaultTiltY, &component, &component, now,
                                 downPosition, now, 1, wasDragged);
    }

    void click (juce::Component& component, juce::ModifierKeys modifiers)
    {
        const juce::Point<float> centre (5.0f, 5.0f);
        component.mouseDown (mouseEvent (component, centre, modifiers, centre));
        component.mouseUp (mouseEvent (component, centre, modifiers.withoutMouseButtons(), centre));
    }

    int countTooltipWindows (const juce::Component& parent)
    {
        const auto& children = parent.getChildren();
        return (int) std::count_if (children.begin(), children.end(), [] (auto* child)
                                    { return dynamic_cast<juce::TooltipWindow*> (child) != nullptr; });
    }

    juce::Image makeFilmstrip (int width, int frameHeight, int frames)
    {
        juce::Image image (juce::Image::ARGB, width, frameHeight * frames, true);
        juce::Graphics g (image);

        for (int frame = 0; frame < frames; ++frame)
        {
            g.setColour (juce::Colour ((juce::uint8) frame, 0, 0));
            g.fillRect (0, frame * frameHeight, width, frameHeight);
        }

        return image;
    }

    juce::Image makeBitmapFont (int glyphWidth, int fontHeight, int glyphs)
    {
        juce::Image image (juce::Image::ARGB, glyphWidth, fontHeight * glyphs * 2, true);
        juce::Graphics g (image);

        for (int glyph = 0; glyph < glyphs; ++glyph)
        {
            const auto level = (juce::uint8) (glyph + 1);
            g.setColour (juce::Colour (level, level, level));
            g.fillRect (0, glyph * fontHeight, glyphWidth, fontHeight);
            g.setColour (juce::Colour (level, 0, 0));
            g.fillRect (0, (glyphs + glyph) * fontHeight, glyphWidth, fontHeight);
        }

        return image;
    }

    std::unique_ptr<juce::XmlElement> parse (const juce::String& xml)
    {
        return XmlReading::parse (xml);
    }

    int ParameterRecorder::count (char c) const
    {
        return (int) std::count (calls.begin(), calls.end(), c);
    }

    ControlFixture::ControlFixture()
    {
        parameters.addParameter (std::make_unique<FloatParameter> (3, "LFO 1 Depth", 0.0f, 1.0f, 0.0f, true));
        parameters.addParameter (std::make_unique<FloatParameter> (4, "Level", 0.0f, 200.0f, 0.0f, true));
        parameters.addParameter (std::make_unique<BoolParameter> (19, "BBD", 1, false, true));
        parameters.addParameter (std::make_unique<IntParameter> (20, "Mode", 0, 3, 0, true));
        depth = dynamic_cast<FloatParameter*> (parameters.getParameter (3));
        level = dynamic_cast<FloatParameter*> (parameters.getParameter (4));
        bbd = dynamic_cast<BoolParameter*> (parameters.getParameter (19));
        mode = dynamic_cast<IntParameter*> (parameters.getParameter (20));
        events.addBuiltInEvents();
    }

    SkinControl ControlFixture::createControl (const juce::String& elementText)
    {
        const auto element = parse (elementText);

        if (element == nullptr)
            return {};

        auto control = SkinControls::create (element->getTagName(), XmlReading::getAttribute (*element, "name"),
                                             SkinControls::Scope::panel);

        if (control.component != nullptr)
        {
            control.controller->configureFromXml (*element, parameters, events, nullptr);
            control.component->setVisible (true);
        }

        return control;
    }
}
