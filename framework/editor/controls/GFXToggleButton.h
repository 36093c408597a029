#pragma once

#include "BaseGFXController.h"
#include "GFXToggleButtonDragGroup.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The skin's `ToggleButton`: switches a boolean parameter on each click. A 2D picture has
    two frames (off, on); a 3D picture four (off, off pressed, on, on pressed). Buttons of
    one drag group can be switched together by dragging across them. */
class GFXToggleButton : public BaseGFXController,
                        public juce::Button
{
public:
    // Controller listeners and the JUCE base's own listeners share the name.
    using GUIController::addListener;
    using juce::Button::addListener;

    enum Style
    {
        style2D = 0,
        style3D = 1
    };

    explicit GFXToggleButton (const juce::String& name);
    ~GFXToggleButton() override;

    void updateFromParameter (Parameter&) override;
    void configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                           EventsMap& events, BasePluginEditor* editor) override;
    void frameSizeChanged() override;
    void positionChanged() override;
    void blinkStateChanged() override   { repaint(); }

    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;

    Style getStyle() const noexcept                 { return style; }

    /** An inverted button shows its on frames while its state is off. */
    void setInverted (bool shouldBeInverted)        { inverted = shouldBeInverted; repaint(); }
    const juce::String& getDragGroupName() const    { return dragGroupName; }
    void joinDragGroup (const juce::String& groupName);

    /** The frame paintButton draws for the mouse state. An off button shows frame 0 even
        while pressed; a 3D button that is on shows frame 3 while pressed. */
    int getFrameToDraw (bool isOver, bool isDown) const;

    /** The number of frames a picture of the style holds. */
    static int framesForStyle (Style s)             { return s == style3D ? 4 : 2; }

protected:
    using juce::Button::clicked;
    void clicked() override;
    void paintButton (juce::Graphics&, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

private:
    bool isShownOn() const;
    void paintPlaceholder (juce::Graphics&);

    Style style = style2D;
    bool inverted = false;
    juce::String dragGroupName;
    GFXToggleButtonDragGroup* dragGroup = nullptr;
};
