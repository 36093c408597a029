#pragma once

#include "DesktopPopOut.h"
#include "../parameters/ListenerArray.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** A one-line text editor for in-place editing inside the editor. When it gains the
    keyboard focus it pops out of its parent into a temporary window of its own at the same
    place on screen, so that the keys reach it even where a host keeps them from plug-in
    windows; when editing ends (focus lost, Return, Escape, or the editor's window closing)
    it goes back. Escape restores the text editing began with. */
class ModalTextEditor : public juce::TextEditor,
                        private juce::TextEditor::Listener
{
public:
    /** Told of the edits, from the last registered listener to the first. */
    class ModalListener
    {
    public:
        virtual ~ModalListener() = default;

        /** The text changed while typing. */
        virtual void modalTextChanged (ModalTextEditor&)     {}

        /** Editing ended with a text other than the one it began with. */
        virtual void modalTextCommitted (ModalTextEditor&)   {}

        /** Escape restored the text editing began with. */
        virtual void modalEditCancelled (ModalTextEditor&)   {}

        /** The editor came back from its pop-out window. */
        virtual void modalEditFinished (ModalTextEditor&)    {}
    };

    explicit ModalTextEditor (const juce::String& name = {});
    ~ModalTextEditor() override;

    void addModalListener (ModalListener* listener)         { modalListeners.add (listener); }
    void removeModalListener (ModalListener* listener)      { modalListeners.remove (listener); }
    bool hasModalListener (ModalListener* listener) const   { return modalListeners.contains (listener); }

    bool isPoppedOut() const noexcept                       { return popOut.isOut(); }
    const juce::String& getTextAtStart() const noexcept     { return textAtStart; }

    void focusGained (FocusChangeType) override;
    void focusLost (FocusChangeType) override;

private:
    void textEditorTextChanged (juce::TextEditor&) override;
    void textEditorReturnKeyPressed (juce::TextEditor&) override;
    void textEditorEscapeKeyPressed (juce::TextEditor&) override;

    /** Ends editing: back from the pop-out window, then commit and finish as due. */
    void endEditing();

    template <typename Callback>
    void callListeners (Callback&& callback)
    {
        modalListeners.callLastToFirst ([this, &callback] (ModalListener& l) { callback (l, *this); });
    }

    ListenerArray<ModalListener> modalListeners;
    juce::String textAtStart;
    DesktopPopOut popOut { *this, [this] { endEditing(); } };
};
