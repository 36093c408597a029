#include "LabelWithModalTextEditor.h"

LabelWithModalTextEditor::LabelWithModalTextEditor (const juce::String& name)
    : juce::Component (name)
{
}

LabelWithModalTextEditor::~LabelWithModalTextEditor() = default;

void LabelWithModalTextEditor::setText (const juce::String& newText)
{
    if (newText == text)
        return;

    text = newText;

    if (editor != nullptr)
        editor->setText (text, false);

    repaint();
}

void LabelWithModalTextEditor::setFont (const juce::Font& newFont)
{
    if (newFont == font)
        return;

    font = newFont;

    if (editor != nullptr)
        editor->applyFontToAllText (font);

    repaint();
}

void LabelWithModalTextEditor::addModalListener (ModalTextEditor::ModalListener* listener)
{
    pendingListeners.addIfNotAlreadyThere (listener);
}

void LabelWithModalTextEditor::createEditor()
{
    editor = std::make_unique<ModalTextEditor> (getName());
    editor->addModalListener (this);

    for (auto* listener : pendingListeners)
        if (! editor->hasModalListener (listener))
            editor->addModalListener (listener);

    pendingListeners.clear();
}

void LabelWithModalTextEditor::showEditor()
{
    if (editor == nullptr)
        createEditor();

    if (editor->isPoppedOut())
        return;

    addChildComponent (*editor);
    editor->setBounds (getLocalBounds());
    editor->setColour (juce::TextEditor::highlightColourId, juce::Colour (highlightArgb));
    editor->setColour (juce::TextEditor::outlineColourId, juce::Colours::black);
    editor->setColour (juce::TextEditor::focusedOutlineColourId,
                       juce::Colour (focusedOutlineArgb).withMultipliedAlpha (focusedOutlineOpacity));
    editor->setFont (font);
    editor->setText (text, false);
    editor->selectAll();
    editor->setVisible (true);
    editor->toFront (false);
    editor->grabKeyboardFocus();
}

void LabelWithModalTextEditor::paint (juce::Graphics& g)
{
    g.setColour (findColour (juce::Label::textColourId));
    g.setFont (font);
    g.drawText (text, getLocalBounds(), juce::Justification::centredLeft, true);
}

void LabelWithModalTextEditor::mouseDoubleClick (const juce::MouseEvent&)
{
    showEditor();
}

void LabelWithModalTextEditor::modalTextChanged (ModalTextEditor& changed)
{
    setText (changed.getText());
}

void LabelWithModalTextEditor::modalEditCancelled (ModalTextEditor& cancelled)
{
    setText (cancelled.getText());
}

void LabelWithModalTextEditor::modalEditFinished (ModalTextEditor& finished)
{
    finished.setVisible (false);
}
