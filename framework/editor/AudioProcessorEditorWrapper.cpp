#include "AudioProcessorEditorWrapper.h"

AudioProcessorEditorWrapper::AudioProcessorEditorWrapper (juce::AudioProcessor& owner, juce::Component& editor)
    : juce::AudioProcessorEditor (owner),
      editorComponent (editor)
{
    editorComponent.setTopLeftPosition (0, 0);
    addAndMakeVisible (editorComponent);
    setSize (editorComponent.getWidth(), editorComponent.getHeight());
}

AudioProcessorEditorWrapper::~AudioProcessorEditorWrapper()
{
    editorComponent.setVisible (false);
    removeChildComponent (&editorComponent);
}
