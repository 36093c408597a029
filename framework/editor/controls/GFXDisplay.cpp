#include "GFXDisplay.h"

#include "SkinReading.h"
#include "../../parameters/XmlReading.h"
#include "../../plugin/Resources.h"

GFXDisplay::GFXDisplay (const juce::String& name)
    : juce::Component (name)
{
    setColour (backgroundColourId, juce::Colours::transparentBlack);
    setColour (caretColourId, juce::Colours::black);
    setWantsKeyboardFocus (true);
    startTimer (idleCaretIntervalMs);
}

GFXDisplay::~GFXDisplay() = default;

void GFXDisplay::updateFromParameter (Parameter& changed)
{
    setText (changed.getText());
}

void GFXDisplay::setText (const juce::String& newText)
{
    text = newText;
    caretPosition = juce::jlimit (0, text.length(), caretPosition);
    repaint();
}

void GFXDisplay::configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                   EventsMap& events, BasePluginEditor* editor)
{
    GUIController::configureFromXml (element, parameters, events, editor);

    setText (SkinReading::getText (element, "name"));

    if (XmlReading::hasAttribute (element, "caretColour"))
        setColour (caretColourId, SkinReading::getColour (element, "caretColour", {}));

    if (XmlReading::hasAttribute (element, "backgroundColour"))
        setColour (backgroundColourId, SkinReading::getColour (element, "backgroundColour", {}));

    setEnabled (SkinReading::getText (element, "readonly") != "yes");

    for (auto* child = element.getFirstChildElement(); child != nullptr; child = child->getNextElement())
    {
        if (XmlReading::hasTag (*child, "gfx"))
        {
            juce::Image picture;
            Resources::loadResourceImage (SkinReading::getText (*child, "resource"), picture);

            if (picture.isValid())
                fontImage = picture;

            fontHeight = SkinReading::getInt (*child, "fontHeight");
            const auto first = SkinReading::getText (*child, "firstASCII");
            firstCharacter = first.isNotEmpty() ? first[0] : ' ';
        }
        else if (XmlReading::hasTag (*child, "pos"))
        {
            setTopLeftPosition (SkinReading::getInt (*child, "left"), SkinReading::getInt (*child, "top"));
        }
        else if (XmlReading::hasTag (*child, "size"))
        {
            setSize (SkinReading::getInt (*child, "width"), SkinReading::getInt (*child, "height"));
        }
    }

    recomputeGlyphLayout();
}

void GFXDisplay::setFont (const juce::Image& picture, int newFontHeight, juce::juce_wchar newFirstCharacter)
{
    if (picture.isValid())
        fontImage = picture;

    fontHeight = newFontHeight;
    firstCharacter = newFirstCharacter;
    recomputeGlyphLayout();
}

void GFXDisplay::recomputeGlyphLayout()
{
    if (fontImage.isValid())
    {
        glyphWidth = fontImage.getWidth();

        // The picture holds every glyph twice (normal and highlighted); a picture too short
        // for even one pair still counts as one glyph so that no character is left out.
        glyphCount = fontHeight < 1 ? 1 : juce::jmax (1, fontImage.getHeight() / (fontHeight * 2));
        lastCharacter = firstCharacter + (juce::juce_wchar) (glyphCount - 1);
    }

    repaint();
}

int GFXDisplay::getNumColumns() const
{
    return glyphWidth > 0 ? getWidth() / glyphWidth : 0;
}

int GFXDisplay::getLeftMargin() const
{
    return glyphWidth > 0 ? (getWidth() % glyphWidth) / 2 : 0;
}

int GFXDisplay::getFirstVisibleIndex() const
{
    const int columns = getNumColumns();

    if (centred && text.length() < columns)
        return scrollOffset - (columns - text.length()) / 2;

    return scrollOffset;
}

int GFXDisplay::getGlyphIndex (juce::juce_wchar character) const
{
    return (int) (juce::jlimit (firstCharacter, juce::jmax (firstCharacter, lastCharacter), character) - firstCharacter);
}

void GFXDisplay::paint (juce::Graphics& g)
{
    g.fillAll (findColour (backgroundColourId));

    if (! fontImage.isValid())
    {
        paintWithoutFont (g);
        return;
    }

    if (glyphWidth <= 0 || fontHeight <= 0)
        return;

    const auto shown = isBlinking() ? juce::String() : text;
    const int columns = getNumColumns();
    const int left = getLeftMargin();
    const int top = (getHeight() - fontHeight) / 2;
    const int firstIndex = getFirstVisibleIndex();
    const bool showCaret = hasKeyboardFocus (false) && caretPhase && caretEnabled;

    for (int column = 0; column < columns; ++column)
    {
        const int index = firstIndex + column;
        const auto character = juce::isPositiveAndBelow (index, shown.length()) ? shown[index] : (juce::juce_wchar) ' ';
        const int highlightOffset = showCaret && index == caretPosition ? glyphCount : 0;
        const int sourceY = (getGlyphIndex (character) + highlightOffset) * fontHeight;

        g.drawImage (fontImage, left + column * glyphWidth, top, glyphWidth, fontHeight,
                     0, sourceY, glyphWidth, fontHeight);
    }
}

void GFXDisplay::paintWithoutFont (juce::Graphics& g)
{
    g.setColour (juce::Colours::black);
    g.drawText (isBlinking() ? juce::String() : text, getLocalBounds(), juce::Justification::centredLeft, true);
}

void GFXDisplay::timerCallback()
{
    caretPhase = ! caretPhase;
    repaint();
}

//==============================================================================
void GFXDisplay::focusGained (FocusChangeType)
{
    if (! popOut.isMoving())
        beginEditing();
}

void GFXDisplay::focusLost (FocusChangeType)
{
    if (! popOut.isMoving())
        endEditing();
}

void GFXDisplay::beginEditing()
{
    if (editing || isOnDesktop())
        return;

    editing = true;
    caretPosition = text.length();
    keepCaretVisible();
    caretPhase = true;
    startTimer (editingCaretIntervalMs);
    textBeforeEditing = text;
    popOut.popOut();
}

void GFXDisplay::endEditing()
{
    if (! editing)
        return;

    editing = false;
    popOut.bringBack();
    caretPosition = 0;
    scrollOffset = 0;
    stopTimer();
    repaint();

    if (text != textBeforeEditing)
        displayListeners.callLastToFirst ([this] (GFXDisplayListener& l) { l.displayTextChanged (this); });
}

void GFXDisplay::keepCaretVisible()
{
    const int caret = caretPosition;
    const int lastColumn = getNumColumns() - 1;

    if (lastColumn + scrollOffset < caret + 1)
        scrollOffset = caret - lastColumn + (caret < text.length() ? 1 : 0);

    if (scrollOffset >= caret)
        scrollOffset = caret > 0 ? caret - 1 : 0;
}

bool GFXDisplay::keyPressed (const juce::KeyPress& key)
{
    if (! editing)
        return false;

    if (applyKey (key))
    {
        caretPosition = juce::jlimit (0, text.length(), caretPosition);
        keepCaretVisible();
        caretPhase = true;
        startTimer (editingCaretIntervalMs);
        repaint();
    }

    return true;
}

bool GFXDisplay::applyKey (const juce::KeyPress& key)
{
    const auto code = key.getKeyCode();

    if (code == juce::KeyPress::returnKey && key.getModifiers().withoutMouseButtons() == juce::ModifierKeys())
    {
        endEditing();
        return false;
    }

    if (code == juce::KeyPress::escapeKey)
    {
        text = textBeforeEditing;
        endEditing();
        return false;
    }

    if (code == juce::KeyPress::backspaceKey)
    {
        if (caretPosition > 0)
        {
            text = text.substring (0, caretPosition - 1) + text.substring (caretPosition);
            --caretPosition;
        }
    }
    else if (code == juce::KeyPress::deleteKey)
    {
        text = text.substring (0, caretPosition) + text.substring (caretPosition + 1);
    }
    else if (code == juce::KeyPress::homeKey)   caretPosition = 0;
    else if (code == juce::KeyPress::endKey)    caretPosition = text.length();
    else if (code == juce::KeyPress::leftKey)   --caretPosition;
    else if (code == juce::KeyPress::rightKey)  ++caretPosition;
    else
    {
        const auto character = key.getTextCharacter();

        if (character >= firstCharacter && character <= lastCharacter)
        {
            text = text.substring (0, caretPosition) + juce::String::charToString (character) + text.substring (caretPosition);
            ++caretPosition;
        }
    }

    return true;
}
