#include "QualitySettingsComponent.h"

#include "../plugin/AmberCrestEffect.h"

namespace
{
    const juce::StringArray qualityNames { "Low", "Medium", "High", "Highest" };

    // Quality i of the four stands at i / 3 on the parameter.
    constexpr float qualityStep = 0.33333334f;
}

AmberCrestEffectEditor::QualitySettingsComponent::QualitySettingsComponent (AmberCrestEffect& effectProcessor)
    : processor (effectProcessor),
      currentQuality ("Current Quality", qualityNames),
      defaultQuality ("Default Quality", qualityNames)
{
    currentQuality.setSelected (processor.getQualityLevel(), false);
    defaultQuality.setSelected (processor.getDefaultQuality(), false);

    for (auto* buttons : { &currentQuality, &defaultQuality })
    {
        buttons->addListener (this);
        addAndMakeVisible (buttons);
    }

    if (processor.qualityChangesLatency())
    {
        latencyNote = std::make_unique<juce::Label> ("LatencyNote",
            "After changing this setting you need to restart your project (Stop/Start) to update plug-in's latency.");
        latencyNote->setFont (juce::Font ("Tahoma", 13.0f, juce::Font::plain));
        latencyNote->setJustificationType (juce::Justification::topLeft);
        addAndMakeVisible (*latencyNote);
    }
}

AmberCrestEffectEditor::QualitySettingsComponent::~QualitySettingsComponent() = default;

void AmberCrestEffectEditor::QualitySettingsComponent::radioButtonsChanged (RadioButtons* buttons)
{
    const int index = buttons->getSelected();

    if (index < 0)
        return;

    if (buttons == &currentQuality)
    {
        if (auto* quality = processor.getQualityParameter())
            quality->setNormalisedValue ((float) index * qualityStep, true);
    }
    else
    {
        processor.setDefaultQuality (index);
    }
}

void AmberCrestEffectEditor::QualitySettingsComponent::resized()
{
    const int halfWidth = getWidth() / 2 - columnGap / 2;
    currentQuality.setBounds (0, 0, halfWidth, currentQuality.getHeight());
    defaultQuality.setBounds (getWidth() - halfWidth, 0, halfWidth, defaultQuality.getHeight());

    if (latencyNote != nullptr)
        latencyNote->setBounds (0, currentQuality.getBottom() + noteGap, halfWidth, noteHeight);
}
