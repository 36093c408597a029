// Renders the plug-in's editor into a PNG picture (the picture in the README is made this
// way): the processor's own editor with the factory's first preset, after the processor
// has played a chord for a moment with a host transport running at 120 BPM, so that the
// VU meters and the LFO LEDs show what they show in a host.
//
//   halvenek_editor_snapshot <picture.png> [--alert | --menu | --about | --options-presets | --options-midi | --browse <preset number>]
//
// --alert shows a confirmation alert over the editor; --menu an open popup menu with one
// of its sub-menus open, the mouse over an item; --about the about window; the options
// scenes the docked options on one of their pages; --browse chooses the preset and opens
// the preset browser panel on it.

#include "framework/editor/EventsMap.h"
#include "framework/windows/AboutWindow.h"
#include "framework/windows/OptionsWindow.h"
#include "product/Halvenek.h"
#include "product/HalvenekEditor.h"
#include "framework/windows/AlertWindow.h"
#include "framework/windows/PopupMenuEx.h"

#include <cmath>
#include <iostream>

namespace
{
    constexpr double sampleRate = 44100.0;
    constexpr int blockSize = 512;
    constexpr double secondsPlayed = 1.3;

    /** A host transport that plays on at a steady tempo. */
    class PlayingTransport : public juce::AudioPlayHead
    {
    public:
        PlayingTransport()
        {
            info.setBpm (120.0);
            info.setPpqPosition (0.0);
            info.setIsPlaying (true);
        }

        juce::Optional<PositionInfo> getPosition() const override { return info; }

        void advance (int numSamples)
        {
            info.setPpqPosition (*info.getPpqPosition() + numSamples * *info.getBpm() / (60.0 * sampleRate));
        }

    private:
        PositionInfo info;
    };

    /** A bright chord of three saws, a little below full scale, slightly apart in the two
        channels so that the meters differ. */
    void fillWithChord (juce::AudioBuffer<float>& buffer, juce::int64 startSample)
    {
        const double frequencies[] { 146.83, 220.0, 293.66 };
        const float channelLevels[] { 0.3f, 0.24f };

        for (int channel = 0; channel < buffer.getNumChannels(); ++channel)
            for (int i = 0; i < buffer.getNumSamples(); ++i)
            {
                double value = 0.0;

                for (const auto f : frequencies)
                    value += std::fmod ((double) (startSample + i) * f / sampleRate, 1.0) * 2.0 - 1.0;

                buffer.setSample (channel, i, channelLevels[channel] * (float) value);
            }
    }

    void play (Halvenek& processor)
    {
        PlayingTransport transport;
        processor.setPlayHead (&transport);
        processor.prepareToPlay (sampleRate, blockSize);

        juce::AudioBuffer<float> buffer (2, blockSize);
        juce::MidiBuffer midi;

        for (juce::int64 played = 0; played < (juce::int64) (secondsPlayed * sampleRate); played += blockSize)
        {
            fillWithChord (buffer, played);
            processor.processBlock (buffer, midi);
            transport.advance (blockSize);
        }

        processor.setPlayHead (nullptr);
    }

    /** Delivers the parameters' deferred notifications now, as the message loop would. */
    void bringControlsUpToDate (ParameterManager& parameters)
    {
        for (int i = 0; i < parameters.getNumParameters(); ++i)
            if (auto* parameter = parameters.getParameterAt (i))
                parameter->handleUpdateNowIfNeeded();
    }

    /** Opens what the picture should show besides the skin: the options on one of their
        pages (with a few MIDI assignments to fill the table) or the about window. */
    void openView (Halvenek& processor, HalvenekEditor& editor, const juce::String& scene)
    {
        if (scene == "--about")
        {
            editor.controllerEvent (nullptr, EventsMap::aboutEvent);
            return;
        }

        const juce::StringArray pages { "--options-presets", "--options-midi" };

        auto& midi = processor.getMidiControl();
        const std::pair<int, const char*> assignments[] { { 1, "LFO 1 Depth" }, { 7, "Output Volume" }, { 11, "FX" },
                                                          { 20, "LFO 1 Rate" }, { 21, "LFO 2 Rate" }, { 64, "BBD" } };

        for (auto [controller, name] : assignments)
            midi.assign (controller, processor.getParameterManager().getParameterByName (name), true);

        midi.handleUpdateNowIfNeeded();
        editor.controllerEvent (nullptr, EventsMap::optionsEvent);
        editor.getOptionsWindow()->getTabs().setCurrentTabIndex (pages.indexOf (scene));
    }

    /** The mouse resting over a point of a component, as the component hears it. */
    void hover (juce::Component& component, juce::Point<int> position)
    {
        const auto now = juce::Time::getCurrentTime();
        const auto where = position.toFloat();
        component.mouseMove (juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), where, {},
                                               juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                                               juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                                               juce::MouseInputSource::defaultTiltY, &component, &component, now,
                                               where, now, 0, false));
    }

    /** A menu of preset groups, as a browser would offer them. */
    void fillGroupMenu (PopupMenuEx& menu)
    {
        menu.addItem (1, "Init");
        auto& ensembles = menu.addSubMenu ("Ensembles");
        ensembles.addItem (10, "Classic Stereo Chorus");
        ensembles.addItem (11, "Wide Ensemble 2");
        ensembles.addItem (12, "Glass Choir");
        ensembles.addItem (13, "Tape Warble");
        auto& vintage = menu.addSubMenu ("Vintage");
        vintage.addItem (20, "Bucket Brigade");
        menu.addItem (2, "Empty Group", false);
        menu.setItemTicked (12, true, true);
    }

    bool writePng (const juce::Image& image, const juce::File& file)
    {
        file.deleteFile();
        juce::FileOutputStream stream (file);

        if (! stream.openedOk())
            return false;

        juce::PNGImageFormat png;
        return png.writeImageToStream (image, stream);
    }
}

int main (int argc, char** argv)
{
    const juce::String scene = argc >= 3 ? argv[2] : "";
    const juce::StringArray scenes { "--alert", "--menu", "--about", "--options-presets", "--options-midi" };
    const bool browse = argc == 4 && scene == "--browse";

    if (argc < 2 || argc > 4 || (argc == 3 && ! scenes.contains (scene)) || (argc == 4 && ! browse))
    {
        std::cerr << "usage: halvenek_editor_snapshot <picture.png> [" << scenes.joinIntoString (" | ") << " | --browse <preset number>]\n";
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI juce;
    const auto output = juce::File::getCurrentWorkingDirectory().getChildFile (juce::String::fromUTF8 (argv[1]));

    auto processor = Halvenek::create();
    auto* editor = processor->getEditorComponent();

    if (editor == nullptr)
    {
        std::cerr << "the processor built no editor\n";
        return 1;
    }

    if (browse)
    {
        processor->changeToPreset (juce::String (argv[3]).getIntValue());
        editor->controllerEvent (nullptr, EventsMap::browsePresetsEvent);
    }

    bringControlsUpToDate (processor->getParameterManager());
    play (*processor);

    // One tick of the editor's timer, which runs only while a host shows the editor.
    editor->setVisible (true);
    editor->updateFromTimer();

    std::unique_ptr<Vexa::AlertWindow> alert;
    PopupMenuEx menu;

    if (scene == "--alert")
    {
        alert = Vexa::AlertWindow::createConfirmation ("Overwrite Preset",
                                                       "Replace \"Classic Stereo Chorus\" with the current settings?", nullptr);
        editor->addChildComponent (*alert);
        alert->show();
    }
    else if (scene == "--menu")
    {
        fillGroupMenu (menu);
        auto& popup = menu.getPopupComponent();
        editor->addChildComponent (popup);
        popup.showAt (PseudoModalComponent::atPoint, { 240, 40 });

        // The mouse rests on "Ensembles", whose sub-menu opens, and then on an item of it.
        hover (*popup.getOpenWindow (0), { 20, PopupMenuEx::Window::getRowTop (1) + 8 });
        popup.openPendingMenu();
        hover (*popup.getOpenWindow (1), { 20, PopupMenuEx::Window::getRowTop (1) + 8 });
    }
    else if (scenes.contains (scene))
    {
        openView (*processor, *editor, scene);
    }

    const auto picture = editor->createComponentSnapshot (editor->getLocalBounds());
    processor->releaseResources();

    if (! writePng (picture, output))
    {
        std::cerr << "cannot write " << output.getFullPathName() << "\n";
        return 1;
    }

    std::cout << "wrote " << output.getFullPathName() << " (" << picture.getWidth() << " x " << picture.getHeight() << ")\n";
    return 0;
}
