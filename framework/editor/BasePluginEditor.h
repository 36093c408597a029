#pragma once

#include "DefaultLookAndFeel.h"
#include "FrameAlignedTimer.h"
#include "HoverTooltips.h"
#include "StateReport.h"
#include "StatusBar.h"
#include "controls/SkinControls.h"
#include "../midi/MidiControl.h"
#include "../windows/DefaultResourceCheckBox.h"
#include "../windows/PseudoModalComponent.h"
#include "../windows/TabbedComponentEx.h"

#include <juce_gui_basics/juce_gui_basics.h>

class AboutWindow;
class BasePluginOldStyle;
class MidiControlComponent;
class OptionsWindow;
class GFXAnimation;
class GFXMultiStateButton;

/** The framework's base editor. Its layout is not written in code: it is built from the
    skin "skin.xml", one control per skin element, each placed by the skin's coordinates,
    drawn from a filmstrip and bound to a parameter by name. The editor takes its size from
    the skin's background picture and keeps a status bar below it.

    Without a skin it shows a generic editor: one placeholder control per parameter.

    Events the controls raise are carried out here (MIDI learn) or passed to the
    processor; every user change and event of a control bound to a parameter shows the
    parameter's name and value in the status bar, and feeds MIDI learn.

    The editor is the desktop its pseudo-modal windows attach to when they are shown.

    The editor is the desktop of its pseudo-modal windows: they attach to it when shown. */
class BasePluginEditor : public juce::Component,
                         public Parameter::Listener,
                         public GUIController::Listener,
                         public MidiControl::Listener,
                         public DefaultResourceCheckBox::Listener,
                         public TabbedComponentEx::Listener,
                         public PseudoModalComponent::Desktop,
                         public FrameAlignedTimer
{
public:
    /** Builds the whole editor, the controls of the skin resource included. */
    explicit BasePluginEditor (BasePluginOldStyle* processor, const juce::String& skinFileName = "skin.xml");
    ~BasePluginEditor() override;

    /** The fallback layout leaves a column empty after the parameter index. */
    virtual bool leaveGapAfter (int /*parameterIndex*/)     { return false; }

    /** The fallback layout starts a new row after the parameter index. */
    virtual bool startRowAfter (int /*parameterIndex*/)     { return false; }

    /** The periodic update, run from the timer while the editor is showing: flashes the
        MIDI activity LED when MIDI arrived since the last tick. */
    virtual void updateFromTimer();

    /** Runs the periodic update every `timerIntervalMs` from now on. The timer runs only
        while the editor is visible, so a closed editor costs nothing, and fires on the
        window's display frames, so an open one wakes the process no more often than JUCE
        does to paint it; the tooltip window exists only while the mouse is over the editor. */
    void startPeriodicUpdates();

    virtual bool isStatusBarShown() const                    { return true; }

    /** Reads a skin resource and builds its controls; false when the file cannot be found
        or parsed or has no root element. */
    bool loadSkin (const juce::String& fileName);

    /** Builds the controls of a skin text; false when it is not XML or has no root element. */
    bool loadSkinFromText (const juce::String& skinText);

    /** Builds the controls of a skin document, then looks up the optional MIDI learn
        button and MIDI activity LED; does nothing unless the root is a `PluginEditor`. */
    void createControls (const juce::XmlElement& root);

    /** Builds the generic editor when no skin was loaded; does nothing otherwise. */
    void createFallbackControls();

    /** The first component of the editor's tree (depth first) with exactly this name, or null. */
    juce::Component* findControl (const juce::String& name) const;

    /** Sets the skin area's size; the status bar adds its height below it, and a parent
        (the host window's content) takes the same outer size. */
    void setEditorSize (int width, int height);
    int getBaseHeight() const noexcept                      { return baseHeight; }

    bool isSkinLoaded() const noexcept                      { return skinLoaded; }
    BasePluginOldStyle* getProcessor() const noexcept       { return processor; }
    StatusBar* getStatusBar() const noexcept                { return statusBar.get(); }
    const juce::Image& getBackgroundImage() const noexcept  { return background; }
    DefaultLookAndFeel& getDefaultLookAndFeel() noexcept    { return defaultLookAndFeel; }

    int getNumSkinControls() const                          { return skinControls.size(); }
    juce::Component* getSkinControl (int index) const       { return skinControls.getComponent (index); }
    int getNumFallbackControls() const                      { return fallbackControls.size(); }
    juce::Component* getFallbackControl (int index) const   { return fallbackControls.getComponent (index); }

    AboutWindow* getAboutWindow() const noexcept            { return aboutWindow.get(); }
    OptionsWindow* getOptionsWindow() const noexcept        { return optionsWindow.get(); }
    MidiControlComponent* getMidiControlComponent() const noexcept { return midiControlComponent.get(); }

    /** The state account for end-to-end tests: only in the Standalone app, and only when
        the environment asks for it; null otherwise. Editors add their own facts to it. */
    StateReport* getStateReport() const noexcept            { return stateReport.get(); }

    GFXMultiStateButton* getMidiLearnButton() const noexcept { return midiLearnButton; }
    GFXAnimation* getMidiActivityLed() const noexcept        { return midiActivityLed; }

    void parameterChanged (Parameter&) override {}

    /** The user changed a control: shows its parameter in the status bar. */
    void controllerValueChanged (GUIController*) override;

    /** Toggles MIDI learn; the options and about events belong to the editor's windows;
        anything else goes to the processor, then the control's parameter is shown. */
    void controllerEvent (GUIController*, int eventNumber) override;

    /** Shows the learn state in the status bar and on the MIDI learn button. */
    void learnStateChanged (MidiControl&) override;

    /** Shows the parameter a MIDI controller moved last. */
    void controllerMoved (MidiControl&) override;

    /** The start-up map changed: it takes effect at the next load. */
    void defaultResourceChanged (DefaultResourceCheckBox*) override;

    /** Another options page came to the front: its notes start afresh. */
    void currentTabChanged (TabbedComponentEx*, int, const juce::String&) override;

    /** Notes that a start-up setting takes effect when the plug-in is next loaded. */
    void showSettingsNote (const juce::String& settingName);

    void paint (juce::Graphics&) override;
    void resized() override;
    void timerCallback() override;
    void visibilityChanged() override;

    static constexpr int initialWidth = 1024;
    static constexpr int initialHeight = 800;
    static constexpr int timerIntervalMs = 25;
    static constexpr int midiActivityFlashMs = 175;
    static constexpr int aboutWindowWidth = 640, aboutWindowHeight = 480;
    static constexpr int optionsWindowWidth = 800, optionsWindowHeight = 600;

    /** Fallback layout: controls of this size in columns and rows this far apart. */
    static constexpr int fallbackControlWidth = 50, fallbackControlHeight = 80;
    static constexpr int fallbackColumnStep = 64, fallbackRowStep = 120;
    static constexpr int fallbackLeft = 5, fallbackTop = 30;

private:
    /** The about and options windows, and the MIDI control page among the options. */
    void createWindows();
    void destroyWindows();

    /** After a user change or an event: while learning, the control's automatable
        parameter is offered to MIDI learn; its name and value go to the status bar. */
    void showControlParameter (GUIController*);

    /** The parameter's name and value text, unless the text is empty. */
    void showParameterValue (Parameter&, int priority);

    /** Learn feedback asked for on another thread (a map loaded from a host thread) is
        shown from the message loop. */
    struct DeferredLearnFeedback : public juce::AsyncUpdater
    {
        explicit DeferredLearnFeedback (BasePluginEditor& e) : editor (e) {}
        void handleAsyncUpdate() override   { editor.showLearnState(); }
        BasePluginEditor& editor;
    };

    /** The editor and all its parents are visible in a window on the desktop. */
    bool isInVisibleWindow() const;

    void showLearnState();
    void startStateReport();

    /** Adds the windows' state (options, their tab, about, MIDI learn) to the report. */
    void reportWindowState();
    void toggleMidiLearn();
    void placeStatusBar();
    void addSkinControl (SkinControl control, const juce::XmlElement& element);
    void addFallbackControl (Parameter& parameter, juce::Point<int> position);
    int getFallbackColumnsPerRow() const;

    BasePluginOldStyle* const processor;
    DefaultLookAndFeel defaultLookAndFeel;
    juce::Image background;
    int baseHeight = 0;
    bool skinLoaded = false;
    bool periodicUpdates = false;

    HoverTooltips tooltips { *this };
    std::unique_ptr<StatusBar> statusBar;
    std::unique_ptr<AboutWindow> aboutWindow;
    std::unique_ptr<OptionsWindow> optionsWindow;
    std::unique_ptr<MidiControlComponent> midiControlComponent;
    SkinControls fallbackControls;
    SkinControls skinControls;

    GFXMultiStateButton* midiLearnButton = nullptr;
    GFXAnimation* midiActivityLed = nullptr;
    DeferredLearnFeedback deferredLearnFeedback { *this };
    std::unique_ptr<StateReport> stateReport;
};
