#pragma once

#include "BaseGFXController.h"
#include "SkinControls.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The skin's `Panel`: a picture or a plain area that holds further controls, created from
    its `controls` element, placed relative to the panel and moved by the panel's offsets. */
class GFXPanel : public BaseGFXController,
                 public juce::Component
{
public:
    explicit GFXPanel (const juce::String& name);
    ~GFXPanel() override;

    /** Also passes the listener on to every contained control. */
    void addListener (GUIController::Listener* listener) override;

    void configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                           EventsMap& events, BasePluginEditor* editor) override;

    /** Visible exactly when the parameter reads true. */
    virtual void showWithParameter (Parameter& switchingParameter)  { setVisible (switchingParameter.getBoolValue()); }

    /** Visible exactly when the parameter reads false. */
    virtual void hideWithParameter (Parameter& switchingParameter)  { setVisible (! switchingParameter.getBoolValue()); }

    bool isTransparent() const noexcept     { return transparent; }
    int getNumControls() const              { return controls.size(); }
    juce::Component* getControl (int index) const { return controls.getComponent (index); }

    void paint (juce::Graphics&) override;

private:
    void createControls (const juce::XmlElement& controlsElement, ParameterManager& parameters,
                         EventsMap& events, BasePluginEditor* editor);

    bool transparent = false;
    SkinControls controls;
};
