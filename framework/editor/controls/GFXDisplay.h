#pragma once

#include "GFXDisplayListener.h"
#include "GUIController.h"
#include "../../windows/DesktopPopOut.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The skin's `Display`: a line of text drawn with a bitmap font, editable in place.

    The font picture is one column of glyphs of the font height for the characters from
    the first character on: the normal set, and below it the same glyphs highlighted for
    the caret cell. Clicking an enabled display starts an edit; while editing, the display
    sits on the desktop as its own window so that it gets the keys even where the host
    keeps them from plug-in windows, and it returns to its place when the edit ends (also
    when the host closes the editor's window meanwhile).
*/
class GFXDisplay : public GUIController,
                   public juce::Component,
                   private juce::Timer
{
public:
    enum ColourIds
    {
        backgroundColourId = 0x0F005000,
        caretColourId = 0x0F005001
    };

    explicit GFXDisplay (const juce::String& name);
    ~GFXDisplay() override;

    void updateFromParameter (Parameter&) override;
    void configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                           EventsMap& events, BasePluginEditor* editor) override;
    void blinkStateChanged() override   { repaint(); }

    void setText (const juce::String& newText);
    const juce::String& getText() const noexcept    { return text; }

    void addDisplayListener (GFXDisplayListener* listener)    { displayListeners.add (listener); }
    void removeDisplayListener (GFXDisplayListener* listener) { displayListeners.remove (listener); }

    /** Takes a font picture: glyphs of the font height, the first one for the given character. */
    void setFont (const juce::Image& picture, int newFontHeight, juce::juce_wchar newFirstCharacter);

    /** Centres a text shorter than the display. */
    void setCentred (bool shouldBeCentred)          { centred = shouldBeCentred; repaint(); }
    void setCaretEnabled (bool shouldBeEnabled)     { caretEnabled = shouldBeEnabled; repaint(); }

    int getGlyphWidth() const noexcept              { return glyphWidth; }
    int getFontHeight() const noexcept              { return fontHeight; }
    juce::juce_wchar getFirstCharacter() const noexcept { return firstCharacter; }
    juce::juce_wchar getLastCharacter() const noexcept  { return lastCharacter; }
    int getCaretPosition() const noexcept           { return caretPosition; }
    int getScrollOffset() const noexcept            { return scrollOffset; }
    bool isEditing() const noexcept                 { return editing; }

    /** The number of whole glyphs that fit across the display. */
    int getNumColumns() const;

    /** The space left of the first glyph that centres the columns. */
    int getLeftMargin() const;

    /** The text index shown in the first column. */
    int getFirstVisibleIndex() const;

    /** The glyph row (in the normal set) that draws a character: its code clamped to the
        font's characters. */
    int getGlyphIndex (juce::juce_wchar character) const;

    void paint (juce::Graphics&) override;
    void focusGained (FocusChangeType) override;
    void focusLost (FocusChangeType) override;
    bool keyPressed (const juce::KeyPress&) override;

private:
    void timerCallback() override;
    void recomputeGlyphLayout();
    void beginEditing();
    void endEditing();
    void keepCaretVisible();
    bool applyKey (const juce::KeyPress&);
    void paintWithoutFont (juce::Graphics&);

    static constexpr int idleCaretIntervalMs = 250;
    static constexpr int editingCaretIntervalMs = 500;

    juce::Image fontImage;
    int glyphWidth = 8;
    int fontHeight = 0;
    juce::juce_wchar firstCharacter = ' ';
    juce::juce_wchar lastCharacter = 160;
    int glyphCount = 0;

    int caretPosition = 0;
    bool caretPhase = false;
    int scrollOffset = 0;
    bool centred = false;
    bool caretEnabled = true;

    juce::String text, textBeforeEditing;
    bool editing = false;

    ListenerArray<GFXDisplayListener> displayListeners;
    DesktopPopOut popOut { *this, [this] { endEditing(); } };
};
