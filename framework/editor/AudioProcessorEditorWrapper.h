#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

/** The editor a host gets: a thin frame around the processor's editor component, which
    lives as long as the processor. It shows the component while the host's window is
    open and takes its size (also when the component resizes itself later); closing the
    window hides the component again and deletes only this frame. */
class AudioProcessorEditorWrapper : public juce::AudioProcessorEditor
{
public:
    AudioProcessorEditorWrapper (juce::AudioProcessor& owner, juce::Component& editorComponent);
    ~AudioProcessorEditorWrapper() override;

    juce::Component& getEditorComponent() const noexcept    { return editorComponent; }

private:
    juce::Component& editorComponent;
};
