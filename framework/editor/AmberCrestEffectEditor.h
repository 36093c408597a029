#pragma once

#include "BasePluginEditorOldStyle.h"

#include <tuple>
#include <utility>

class AmberCrestEffect;

/** The editor of the product line's effects: the VU meters, and the options and preset
    browser panels docked under the skin, at most one of them open.

    The meters follow the DSP core while the processor is prepared; once it is released
    they fall to zero within a few timer ticks instead of freezing. */
class AmberCrestEffectEditor : public BasePluginEditorOldStyle
{
public:
    class QualitySettingsComponent;

    explicit AmberCrestEffectEditor (AmberCrestEffect* processor, const juce::String& skinFileName = "skin.xml");
    ~AmberCrestEffectEditor() override;

    /** The editor's height without panel and status bar. */
    int getSkinHeight() const noexcept                      { return skinHeight; }

    /** The values the VU meters show. */
    std::pair<float, float> getMeterValues() const noexcept { return { leftMeter, rightMeter }; }

    /** Runs the base's update, then moves the VU meters. */
    void updateFromTimer() override;

    /** "Options" and "Browse presets" open and close the docked panels; everything else
        goes to the base editor. */
    void controllerEvent (GUIController*, int eventNumber) override;

    /** Places the status bar and fits the about window to the editor's height. */
    void resized() override;

    /** The "Quality" page, or null for products without quality settings. */
    QualitySettingsComponent* getQualitySettings() const noexcept { return qualitySettings.get(); }

    /** "Default Quality" changed: it takes effect at the next load. */
    void radioButtonsChanged (RadioButtons*) override;

    static constexpr int dockedPanelHeight = 256;
    static constexpr int aboutWidth = 550, aboutHeight = 190, aboutHeightOverPanel = 260;
    static constexpr float meterFallFactor = 0.675f;
    static constexpr float meterFloor = 0.01f;

    /** A meter value one tick after the processor was released. */
    static float fallen (float meterValue) noexcept  { return meterValue > meterFloor ? meterValue * meterFallFactor : 0.0f; }

protected:
    /** Places the options and preset browser panels under the skin, hidden; the events
        open them from then on. */
    void dockPanels (juce::Component& optionsPanel, juce::Component& browserPanel);

private:
    /** Opens or closes one panel, closes the other and fits the editor around them. */
    void togglePanel (juce::Component& panel, juce::Component* otherPanel);
    void dockPanel (juce::Component& panel, juce::Component*& dockedPanel);

    /** The options window becomes the panel under the skin, with the "Quality" page for
        products that offer it. */
    void dockOptionsWindow();

    /** The preset browser window, in its docked form, as the browser panel. */
    void dockPresetBrowser();

    AmberCrestEffect& effect;
    const int skinHeight;
    float leftMeter = 0.0f, rightMeter = 0.0f;
    GFXAnimation* leftVUMeter = nullptr;
    GFXAnimation* rightVUMeter = nullptr;
    juce::Component* optionsPanel = nullptr;
    juce::Component* browserPanel = nullptr;
    std::unique_ptr<QualitySettingsComponent> qualitySettings;
};
