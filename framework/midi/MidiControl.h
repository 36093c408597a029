#pragma once

#include "../parameters/ListenerArray.h"
#include "../parameters/ParameterManager.h"

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_events/juce_events.h>

#include <array>
#include <memory>

/** Lets MIDI continuous controllers drive parameters.

    Each controller number 0 to 127 has one slot holding the parameter it drives; a
    parameter sits in at most one slot. In learn mode the user moves a control on the
    editor and turns a hardware controller, in either order, to connect the two.

    Control changes arrive on the audio thread; everything else runs on the message
    thread. Slots and learn state are guarded by one critical section, which is also held
    while a controller sets its parameter. Listeners hear about changes asynchronously on
    the message thread; several triggers before the callback collapse into one call per
    kind. Only switching the learn mode notifies at once, on the switching thread.
*/
class MidiControl : public AudioThreadSafeAsyncUpdater
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void mapChanged() {}
        virtual void learnStateChanged (MidiControl&) {}
        virtual void controllerMoved (MidiControl&) {}
    };

    static constexpr int numControllers = 128;

    explicit MidiControl (ParameterManager& parameterManager);
    ~MidiControl() override;

    /** Audio thread: a control change (any channel) sets the parameter in its slot, and
        while learning it also takes part in learning. Other messages are ignored. */
    void handleMidiMessage (const juce::MidiMessage& message);

    //==============================================================================
    void setLearnMode (bool shouldLearn);
    bool isLearning() const;

    /** The user moved the control of an automatable parameter while learning. */
    void learnParameter (Parameter* parameter);

    /** A controller was turned while learning. */
    void learnController (int controller);

    /** While learning, makes a controller and its parameter the pending pair, as when the
        user picks an assignment from the map's table. */
    void learnPair (int controller, Parameter* parameter);

    /** The controller and parameter learning has seen; -1 and null when none. */
    int getPendingController() const;
    Parameter* getPendingParameter() const;

    /** The status line for the learn state; empty when not learning (the line is cleared). */
    juce::String getLearnStatusText() const;

    //==============================================================================
    /** Puts the parameter (or nothing) into a controller's slot, taking it out of any other. */
    void assign (int controller, Parameter* parameter, bool notify);
    void removeAssignment (int controller);
    void clearAssignments();

    Parameter* getAssignedParameter (int controller) const;

    /** The controller whose slot holds the parameter, or -1. */
    int findController (const Parameter* parameter) const;

    int getNumAssignments() const;

    /** The parameter a controller set most recently. */
    Parameter* getLastMovedParameter() const;

    //==============================================================================
    std::unique_ptr<juce::XmlElement> createMapXml() const;

    /** Replaces the map by the document's assignments; a document that is not a map of
        this product leaves the map empty. Learning is switched off. */
    void loadMapXml (const juce::XmlElement& element);

    /** Loads a map file. A file that does not parse, or that holds no map of this
        product, leaves the current assignments as they are. */
    bool loadMapFile (const juce::File& file);

    bool saveMapFile (const juce::File& file) const;

    /** Loads the start-up map file if the user chose one. */
    void loadStartupMap();

    /** The name written into map documents and required of the documents read; while it
        is empty, maps of any name are accepted. */
    void setMapName (const juce::String& name);
    juce::String getMapName() const;

    void setUseUserMap (bool shouldUse);
    bool getUseUserMap() const;
    void setUserMapFile (const juce::File& file);
    juce::File getUserMapFile() const;

    //==============================================================================
    void addListener (Listener* listener)       { listeners.add (listener); }
    void removeListener (Listener* listener)    { listeners.remove (listener); }

    /** Held while slots and learn state are read or changed. */
    const juce::CriticalSection& getLock() const noexcept { return lock; }

    void handleAsyncUpdate() override;

private:
    bool acceptsMap (const juce::XmlElement& element) const;
    void placeInSlot (int controller, Parameter* parameter);
    void updateLearning();
    void resetLearnState();
    void postMapChanged();

    ParameterManager& parameters;
    ListenerArray<Listener> listeners;

    juce::CriticalSection lock;
    std::array<Parameter*, numControllers> slots {};
    bool learning = false;
    Parameter* pendingParameter = nullptr;
    int pendingController = -1;
    Parameter* lastMovedParameter = nullptr;
    bool mapChangedPending = false, learnChangedPending = false, controllerMovedPending = false;

    juce::String mapName;
    bool useUserMap = false;
    juce::File userMapFile;

    JUCE_DECLARE_NON_COPYABLE (MidiControl)
};
