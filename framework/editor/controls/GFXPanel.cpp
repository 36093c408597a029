#include "GFXPanel.h"

#include "PlaceholderDrawing.h"
#include "SkinReading.h"

GFXPanel::GFXPanel (const juce::String& name)
    : juce::Component (name)
{
}

GFXPanel::~GFXPanel()
{
    controls.clear();
}

void GFXPanel::addListener (GUIController::Listener* listener)
{
    GUIController::addListener (listener);
    controls.forEachController ([listener] (GUIController& control) { control.addListener (listener); });
}

void GFXPanel::configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                 EventsMap& events, BasePluginEditor* editor)
{
    BaseGFXController::configureFromXml (element, parameters, events, editor);

    if (auto* gfx = SkinReading::getChild (element, "gfx"))
    {
        const bool newTransparent = SkinReading::getBool (*gfx, "transparent");

        if (newTransparent != transparent)
        {
            transparent = newTransparent;
            repaint();
        }
    }

    if (auto* controlsElement = SkinReading::getChild (element, "controls"))
        createControls (*controlsElement, parameters, events, editor);

    setBounds (getFrameBounds());
    repaint();
}

void GFXPanel::createControls (const juce::XmlElement& controlsElement, ParameterManager& parameters,
                               EventsMap& events, BasePluginEditor* editor)
{
    const int offsetX = SkinReading::getInt (controlsElement, "ofsX");
    const int offsetY = SkinReading::getInt (controlsElement, "ofsY");
    const int firstNew = controls.size();

    for (auto* child = controlsElement.getFirstChildElement(); child != nullptr; child = child->getNextElement())
    {
        auto control = SkinControls::create (child->getTagName(), SkinReading::getText (*child, "name"),
                                             SkinControls::Scope::panel);

        if (control.component == nullptr)
            continue;

        auto* controller = control.controller;
        auto* component = controls.add (std::move (control));
        controller->configureFromXml (*child, parameters, events, editor);
        addAndMakeVisible (component);
    }

    for (int i = firstNew; i < controls.size(); ++i)
    {
        auto* component = controls.getComponent (i);
        component->setTopLeftPosition (component->getPosition().translated (offsetX, offsetY));
    }
}

void GFXPanel::paint (juce::Graphics& g)
{
    if (transparent)
        return;

    if (getImage().isValid())
        drawFrame (g, 0);
    else
        g.fillAll (PlaceholderDrawing::grey (0.9f));
}
