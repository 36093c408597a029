#include "GFXToggleButton.h"

#include "GFXButton.h"
#include "PlaceholderDrawing.h"
#include "SkinReading.h"
#include "../../parameters/XmlReading.h"

GFXToggleButton::GFXToggleButton (const juce::String& name)
    : juce::Button (name)
{
    setClickingTogglesState (true);
}

GFXToggleButton::~GFXToggleButton()
{
    if (dragGroup != nullptr)
        dragGroup->leave (dragGroupName, this);
}

void GFXToggleButton::updateFromParameter (Parameter& changed)
{
    setToggleState (changed.getBoolValue(), juce::dontSendNotification);
}

void GFXToggleButton::configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                        EventsMap& events, BasePluginEditor* editor)
{
    // The number of frames follows the style, not framesNum, so the filmstrip steps of the
    // base class are replaced by these.
    GUIController::configureFromXml (element, parameters, events, editor);

    if (XmlReading::hasTag (element, "ToggleButton"))
    {
        const auto styleText = SkinReading::getText (element, "style");

        if (styleText == "2D")
            style = style2D;
        else if (styleText == "3D")
            style = style3D;

        GFXButton::readClickEvent (element, *this);
        setRadioGroupId (SkinReading::getInt (element, "radioGroupId"));

        if (XmlReading::hasAttribute (element, "dragGroup"))
            joinDragGroup (SkinReading::getText (element, "dragGroup"));
    }

    readPosition (element);
    readSize (element);

    if (auto* gfx = SkinReading::getChild (element, "gfx"))
        loadFilmstrip (SkinReading::getText (*gfx, "resource"), framesForStyle (style));

    setBounds (getFrameBounds());
    repaint();
}

void GFXToggleButton::joinDragGroup (const juce::String& groupName)
{
    if (dragGroup != nullptr)
        dragGroup->leave (dragGroupName, this);

    dragGroupName = groupName;
    dragGroup = GFXToggleButtonDragGroup::getInstance();
    dragGroup->join (dragGroupName, this);
}

void GFXToggleButton::frameSizeChanged()
{
    setSize (getFrameWidth(), getFrameHeight());
}

void GFXToggleButton::positionChanged()
{
    setTopLeftPosition (getLeft(), getTop());
}

void GFXToggleButton::clicked()
{
    if (auto* bound = getParameter())
    {
        bound->setBoolValue (getToggleState(), true);
        notifyValueChanged();
    }

    if (dragGroup != nullptr)
        dragGroup->setDragState (dragGroupName, getToggleState());
}

void GFXToggleButton::mouseDown (const juce::MouseEvent& e)
{
    juce::Button::mouseDown (e);

    if (dragGroup != nullptr)
        dragGroup->setPressPosition (dragGroupName, e.getScreenPosition());
}

void GFXToggleButton::mouseDrag (const juce::MouseEvent& e)
{
    juce::Button::mouseDrag (e);

    if (dragGroup != nullptr)
        dragGroup->sweep (dragGroupName, e.getScreenX());
}

bool GFXToggleButton::isShownOn() const
{
    return isEnabled() && ! isBlinking() && getToggleState() != inverted;
}

int GFXToggleButton::getFrameToDraw (bool isOver, bool isDown) const
{
    if (! isShownOn())
        return 0;

    if (style == style2D)
        return 1;

    return isOver && isDown ? 3 : 2;
}

void GFXToggleButton::paintButton (juce::Graphics& g, bool isOver, bool isDown)
{
    if (getImage().isValid())
        drawFrame (g, getFrameToDraw (isOver, isDown));
    else
        paintPlaceholder (g);
}

void GFXToggleButton::paintPlaceholder (juce::Graphics& g)
{
    const auto bounds = getLocalBounds();
    PlaceholderDrawing::drawOutline (g, bounds, PlaceholderDrawing::grey (0.7f));

    auto* bound = getParameter();
    PlaceholderDrawing::drawTopAndBottomTexts (g, bounds, getToggleState() ? "On" : "Off",
                                               bound != nullptr ? bound->getName() : juce::String());

    const auto side = (float) juce::jmin (getHeight() - 32, getWidth()) * 0.75f;

    if (side <= 0.0f)
        return;

    const auto indicator = juce::Rectangle<float> (side, side).withCentre (bounds.toFloat().getCentre());

    if (isShownOn())
        g.fillRect (indicator);
    else
        g.drawRect (indicator, 1.0f);
}
