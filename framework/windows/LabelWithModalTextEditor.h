#pragma once

#include "ModalTextEditor.h"

/** A text that can be edited in place: a double click (or `showEditor`) lays a
    `ModalTextEditor` over it, which pops out to get the keys; the label follows the
    editor's text while typing and on Escape, and hides the editor when editing ends. */
class LabelWithModalTextEditor : public juce::Component,
                                 public ModalTextEditor::ModalListener
{
public:
    explicit LabelWithModalTextEditor (const juce::String& name = {});
    ~LabelWithModalTextEditor() override;

    void setText (const juce::String& newText);
    const juce::String& getText() const noexcept        { return text; }

    void setFont (const juce::Font& newFont);
    const juce::Font& getFont() const noexcept          { return font; }

    /** Listeners handed to the editor when it is created (on the first edit). */
    void addModalListener (ModalTextEditor::ModalListener* listener);

    /** Starts editing in place. */
    void showEditor();

    /** The editor, or null before the first edit. */
    ModalTextEditor* getEditor() const noexcept         { return editor.get(); }

    void paint (juce::Graphics&) override;
    void mouseDoubleClick (const juce::MouseEvent&) override;

    void modalTextChanged (ModalTextEditor&) override;
    void modalEditCancelled (ModalTextEditor&) override;
    void modalEditFinished (ModalTextEditor&) override;

    static constexpr juce::uint32 highlightArgb = 0xffd3d3d3;
    static constexpr juce::uint32 focusedOutlineArgb = 0xffff4500;
    static constexpr float focusedOutlineOpacity = 0.75f;

private:
    void createEditor();

    juce::String text;
    juce::Font font { 13.0f };
    std::unique_ptr<ModalTextEditor> editor;
    juce::Array<ModalTextEditor::ModalListener*> pendingListeners;
};
