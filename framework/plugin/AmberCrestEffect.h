#pragma once

#include "BasePluginOldStyle.h"
#include "Clock.h"
#include "InternalTransport.h"
#include "MidiEventQueue.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <atomic>
#include <memory>
#include <utility>
#include <vector>

/** The product line's effect processor: it owns the DSP core and the tempo clocks and
    runs the core on the audio thread in sub-blocks that end exactly at MIDI events and
    clock edges, so that controllers, presets and LFO re-alignment act at their sample.

    Lock order: the processor lock (every call into the core, parameter texts), then the
    core's own lock (processing, the start of a silent preset change).
*/
class AmberCrestEffect : public BasePluginOldStyle
{
public:
    class Core;

    /** A host's time is taken only within these bounds, so that the clocks and the
        tempo-locked LFOs never see numbers their arithmetic cannot carry: a faster tempo
        is held at the maximum, a position that is not finite or lies further out is
        ignored. */
    static constexpr double maximumHostTempo = 1000.0;
    static constexpr double maximumHostPosition = 1.0e9;

    explicit AmberCrestEffect (int numberOfHostParameters);
    ~AmberCrestEffect() override;

    /** Creates the clocks and the core and registers the core with the presets before the
        base initialisation runs. */
    void initialise() override;

    using juce::AudioProcessor::processBlock;

    void prepareToPlay (double sampleRate, int maximumBlockSize) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override;

    /** Puts the product's `UniqueData` (empty in this product) in front of the state. */
    std::unique_ptr<juce::XmlElement> createPluginState() override;

    Core* getCore() const noexcept                  { return core.get(); }

    //==============================================================================
    // Processing quality, for products that offer it.
    bool offersQualitySettings() const              { return hasQualitySettings(); }

    /** Whether a new quality changes the latency, which hosts learn only on a restart. */
    virtual bool qualityChangesLatency() const      { return false; }

    /** The "Quality" parameter of a product that offers quality settings, else null. */
    Parameter* getQualityParameter();

    /** The quality the "Quality" parameter stands at, 0 to 3. */
    int getQualityLevel() const;

    /** The quality (0 low to 3 highest) new instances start with. */
    int getDefaultQuality() const noexcept          { return defaultQuality; }
    void setDefaultQuality (int quality)            { defaultQuality = juce::jlimit (0, 3, quality); }

    /** True between prepareToPlay and releaseResources. */
    bool isPrepared() const noexcept                { return prepared.load(); }

    int getNumCreatedClocks() const noexcept        { return (int) clocks.size(); }
    Clock* getClock (int index) const noexcept;
    juce::CriticalSection& getProcessorLock() noexcept { return processorLock; }

protected:
    //==============================================================================
    // Product hooks.
    virtual std::unique_ptr<Core> createCore() = 0;
    virtual int getNumClocks() const = 0;
    virtual bool hasQualitySettings() const = 0;
    virtual bool appliesQualityOnPrepare() const = 0;

    void updateCoreFromParameter (Parameter&) override;

private:
    static juce::Optional<double> heldTempo (juce::Optional<double> beatsPerMinute);
    static juce::Optional<double> usablePosition (juce::Optional<double> quarterNotes);
    void followHostPosition();
    void handleMidiEvent (const MidiEventQueue::Event&);
    void handOverPendingSamples();
    bool isQualityParameter (const Parameter&) const;

    std::unique_ptr<Core> core;
    std::vector<std::unique_ptr<Clock>> clocks;
    juce::CriticalSection processorLock;

    // Held by prepare and release and, without waiting, by each block.
    juce::CriticalSection lifecycleLock;
    std::atomic<bool> prepared { false };
    InternalTransport internalTransport;
    bool usesInternalTransport = false;
    int defaultQuality = 0;

    // The block being walked: where the next sub-block starts and how long it is so far.
    bool stereo = false;
    float* channel0 = nullptr;
    float* channel1 = nullptr;
    int pendingCount = 0;
    MidiEventQueue midiQueue;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AmberCrestEffect)
};

//==============================================================================
/** The base of every product's DSP core: the silent preset-change fade, the VU meter
    scale and the meter hand-off to the editor. The core is the processor's preset changer
    and preset listener. */
class AmberCrestEffect::Core : public BasePluginOldStyle::PresetChanger,
                               public BasePluginOldStyle::PresetManagerListener
{
public:
    /** Two floats handed from the audio thread to the editor as one atomic word, so the
        reader never sees half of an update and the writer never waits. */
    class ValuePair
    {
    public:
        void set (float first, float second) noexcept;
        std::pair<float, float> get() const noexcept;

    private:
        std::atomic<juce::uint64> bits { 0 };
    };

    static constexpr int meterTableSize = 400;

    explicit Core (BasePluginOldStyle& processorToApplyPresets);
    ~Core() override = default;

    /** Starts the fade-out; the preset is applied at its quietest point. */
    void changePreset() override;
    void presetChanged() override {}

    virtual void setBlockSize (int) {}
    virtual void setSampleRate (double sampleRate) = 0;
    virtual void setParameter (int index, float normalisedValue) = 0;
    virtual void setTempo (double beatsPerMinute) = 0;
    virtual void setQuality (int) {}
    virtual void alignToClock (int lfoIndex, const Clock&) = 0;
    virtual int getLatencySamples() const { return 0; }
    virtual void processStereo (float* left, float* right, int numSamples) = 0;
    virtual void processMono (float* samples, int numSamples) = 0;

    juce::CriticalSection& getLock() noexcept       { return lock; }

    /** The VU meter pair of the last processing call, each 0 to 1. */
    std::pair<float, float> getMeterPair() const noexcept { return meterPair.get(); }

    /** The meter reading of an output sample: 0 at -24 dB and below, 0.8 at 0 dB and 1 at
        +6 dB and above. */
    double getMeterLevel (double sample) const noexcept
    {
        // Through int, which compilers convert many samples at once.
        return meterTable[(size_t) (int) meterTablePosition (sample)];
    }

    bool isFading() const noexcept                  { return fading; }

protected:
    void publishMeters (double left, double right) noexcept;

    /** One sample of the silent preset change: ramps down, applies the current preset once
        the gain is below 0.001, holds silence for waitSamples and ramps back up. Answers
        the gain for this sample's output. */
    double stepPresetFade (double coefficient, int waitSamples);

private:
    /** Clamped before the conversion to an index, so that huge samples stay in the table
        and NaN reads the first entry. */
    template <typename Sample>
    static Sample meterTablePosition (Sample sample) noexcept
    {
        const Sample position = sample * 100.0 + 200.0;
        const Sample floored = position > 0.0 ? position : 0.0;
        return floored < meterTableSize - 1.0 ? floored : meterTableSize - 1.0;
    }

    BasePluginOldStyle& processor;
    juce::CriticalSection lock;
    std::array<double, meterTableSize> meterTable;
    ValuePair meterPair;

    bool fading = false, fadingOut = false, waiting = false, fadingIn = false;
    double fadeGain = 1.0, fadeTarget = 1.0;
    int waitCountdown = 0;
};
