#pragma once

#include "AmberCrestEffectEditor.h"
#include "../windows/RadioButtons.h"

/** The "Quality" page of the options, for products that offer processing qualities: the
    quality in use now and the one new instances start with. */
class AmberCrestEffectEditor::QualitySettingsComponent : public juce::Component,
                                                         public RadioButtons::Listener
{
public:
    explicit QualitySettingsComponent (AmberCrestEffect& processor);
    ~QualitySettingsComponent() override;

    RadioButtons& getCurrentQuality() noexcept      { return currentQuality; }
    RadioButtons& getDefaultQuality() noexcept      { return defaultQuality; }

    /** The note on latency, or null when quality does not change it. */
    juce::Label* getLatencyNote() const noexcept    { return latencyNote.get(); }

    void radioButtonsChanged (RadioButtons*) override;
    void resized() override;

    static constexpr int columnGap = 6, noteGap = 4, noteHeight = 30;

private:
    AmberCrestEffect& processor;
    RadioButtons currentQuality, defaultQuality;
    std::unique_ptr<juce::Label> latencyNote;

    JUCE_DECLARE_NON_COPYABLE (QualitySettingsComponent)
};
