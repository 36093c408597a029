#include "SkinWriter.h"

namespace SkinWriter
{
    namespace
    {
        void addAction (juce::XmlElement& actions, const juce::String& type, const juce::String& event)
        {
            auto* action = actions.createNewChildElement ("action");
            action->setAttribute ("type", type);
            action->setAttribute ("event", event);
        }

        juce::String argbText (juce::uint32 argb)
        {
            return juce::String::toHexString ((juce::int64) argb).paddedLeft ('0', 8).toUpperCase();
        }

        std::unique_ptr<juce::XmlElement> createControl (const SkinLayout::Control& control)
        {
            using SkinLayout::Look;
            auto element = std::make_unique<juce::XmlElement> (control.element);
            element->setAttribute ("name", control.name);

            if (control.style.isNotEmpty())
                element->setAttribute ("style", control.style);

            if (control.look == Look::bbdButton)
                element->setAttribute ("clickEvent", "onRelease");

            if (control.look == Look::presetDisplay)
            {
                element->setAttribute ("caretColour", argbText (SkinLayout::displayCaretArgb));
                element->setAttribute ("backgroundColour", argbText (SkinLayout::displayBackgroundArgb));
                element->setAttribute ("readonly", "no");
            }

            if (control.parameter.isNotEmpty())
            {
                auto* link = element->createNewChildElement ("links")->createNewChildElement ("link");
                link->setAttribute ("as", "connectedTo");
                link->setAttribute ("param", control.parameter);
            }

            if (control.clickAction.isNotEmpty())
            {
                auto* actions = element->createNewChildElement ("actions");
                addAction (*actions, "onClick", control.clickAction);
                addAction (*actions, "onClickWithCtrl", control.ctrlClickAction);
            }

            auto* gfx = element->createNewChildElement ("gfx");
            gfx->setAttribute ("resource", control.resourceName());

            if (control.look == Look::presetDisplay)
            {
                gfx->setAttribute ("fontHeight", SkinLayout::fontHeight);
                gfx->setAttribute ("firstASCII", juce::String::charToString ((juce::juce_wchar) SkinLayout::fontFirstCharacter));
            }
            else
            {
                gfx->setAttribute ("framesNum", control.frames);
            }

            auto* pos = element->createNewChildElement ("pos");
            pos->setAttribute ("left", control.bounds.getX());
            pos->setAttribute ("top", control.bounds.getY());

            auto* size = element->createNewChildElement ("size");
            size->setAttribute ("width", control.bounds.getWidth());
            size->setAttribute ("height", control.bounds.getHeight());

            return element;
        }
    }

    std::unique_ptr<juce::XmlElement> createSkin()
    {
        auto root = std::make_unique<juce::XmlElement> ("PluginEditor");
        root->setAttribute ("application", "Halvenek");
        root->setAttribute ("background", "Background.png");

        for (auto& control : SkinLayout::controls())
            root->addChildElement (createControl (control).release());

        return root;
    }
}
