#include "ModalTextEditor.h"

ModalTextEditor::ModalTextEditor (const juce::String& name)
    : juce::TextEditor (name)
{
    addListener (this);
}

ModalTextEditor::~ModalTextEditor()
{
    removeListener (this);
}

void ModalTextEditor::focusGained (FocusChangeType cause)
{
    juce::TextEditor::focusGained (cause);

    if (popOut.isMoving() || popOut.isOut() || getParentComponent() == nullptr)
        return;

    textAtStart = getText();
    popOut.popOut();
}

void ModalTextEditor::focusLost (FocusChangeType cause)
{
    juce::TextEditor::focusLost (cause);

    if (! popOut.isMoving())
        endEditing();
}

void ModalTextEditor::textEditorTextChanged (juce::TextEditor&)
{
    callListeners ([] (ModalListener& l, ModalTextEditor& e) { l.modalTextChanged (e); });
}

void ModalTextEditor::textEditorReturnKeyPressed (juce::TextEditor&)
{
    endEditing();
}

void ModalTextEditor::textEditorEscapeKeyPressed (juce::TextEditor&)
{
    setText (textAtStart, false);
    endEditing();
    callListeners ([] (ModalListener& l, ModalTextEditor& e) { l.modalEditCancelled (e); });
}

void ModalTextEditor::endEditing()
{
    const bool cameBack = popOut.bringBack();

    if (cameBack)
        setHighlightedRegion ({});

    if (getText() != textAtStart)
    {
        textAtStart = getText();
        callListeners ([] (ModalListener& l, ModalTextEditor& e) { l.modalTextCommitted (e); });
    }

    if (cameBack)
        callListeners ([] (ModalListener& l, ModalTextEditor& e) { l.modalEditFinished (e); });

    repaint();
}
