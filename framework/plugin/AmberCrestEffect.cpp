#include "AmberCrestEffect.h"

AmberCrestEffect::AmberCrestEffect (int numberOfHostParameters)
    : BasePluginOldStyle (numberOfHostParameters)
{
}

AmberCrestEffect::~AmberCrestEffect()
{
    if (core != nullptr)
    {
        setPresetChanger (nullptr);
        removePresetManagerListener (core.get());
    }
}

void AmberCrestEffect::initialise()
{
    for (int i = getNumClocks(); --i >= 0;)
        clocks.push_back (std::make_unique<Clock>());

    core = createCore();

    if (core != nullptr)
    {
        setPresetChanger (core.get());
        addPresetManagerListener (core.get());
    }

    BasePluginOldStyle::initialise();
}

std::unique_ptr<juce::XmlElement> AmberCrestEffect::createPluginState()
{
    auto state = BasePluginOldStyle::createPluginState();
    state->insertChildElement (new juce::XmlElement ("UniqueData"), 0);
    return state;
}

Clock* AmberCrestEffect::getClock (int index) const noexcept
{
    return juce::isPositiveAndBelow (index, (int) clocks.size()) ? clocks[(size_t) index].get() : nullptr;
}

//==============================================================================
bool AmberCrestEffect::isQualityParameter (const Parameter& parameter) const
{
    return hasQualitySettings() && parameter.getName() == "Quality";
}

int AmberCrestEffect::getQualityLevel() const
{
    if (auto* quality = const_cast<AmberCrestEffect*> (this)->getParameterManager().getParameterByName ("Quality"))
        return (int) std::floor (quality->getNormalisedValue() * 3.0 + 0.5);

    return 0;
}

void AmberCrestEffect::updateCoreFromParameter (Parameter& parameter)
{
    if (core == nullptr)
        return;

    const juce::ScopedLock sl (processorLock);

    if (! isQualityParameter (parameter))
        core->setParameter (parameter.getIndex(), parameter.getNormalisedValue());
    else if (! appliesQualityOnPrepare())
        core->setQuality (getQualityLevel());
}

//==============================================================================
void AmberCrestEffect::prepareToPlay (double sampleRate, int maximumBlockSize)
{
    const juce::ScopedLock lifecycle (lifecycleLock);

    // The Standalone app has no host transport; a playing 120 BPM one lets the
    // tempo-locked LFOs (the default) move there as they do in a DAW.
    usesInternalTransport = wrapperType == wrapperType_Standalone;

    if (usesInternalTransport)
    {
        internalTransport.prepare (sampleRate);
        setPlayHead (&internalTransport);
    }

    prepared = true;

    for (auto& clock : clocks)
        if (clock->getSampleRate() != sampleRate)
            clock->setSampleRate (sampleRate);

    if (core != nullptr)
    {
        const juce::ScopedLock sl (processorLock);
        core->setBlockSize (maximumBlockSize);
        core->setSampleRate (sampleRate);

        if (hasQualitySettings() && appliesQualityOnPrepare())
            core->setQuality (getQualityLevel());

        if (core->getLatencySamples() != getLatencySamples())
            setLatencySamples (core->getLatencySamples());
    }

    midiQueue.clear();
}

void AmberCrestEffect::releaseResources()
{
    const juce::ScopedLock sl (lifecycleLock);
    prepared = false;
}

//==============================================================================
juce::Optional<double> AmberCrestEffect::heldTempo (juce::Optional<double> beatsPerMinute)
{
    if (! beatsPerMinute.hasValue() || ! std::isfinite (*beatsPerMinute))
        return {};

    return std::min (*beatsPerMinute, maximumHostTempo);
}

juce::Optional<double> AmberCrestEffect::usablePosition (juce::Optional<double> quarterNotes)
{
    if (! quarterNotes.hasValue() || ! (std::abs (*quarterNotes) <= maximumHostPosition))
        return {};

    return quarterNotes;
}

void AmberCrestEffect::followHostPosition()
{
    auto* hostPlayHead = getPlayHead();

    if (clocks.empty() || hostPlayHead == nullptr)
        return;

    const auto position = hostPlayHead->getPosition();

    if (! position.hasValue())
        return;

    const auto tempo = heldTempo (position->getBpm());
    const auto quarterNotes = usablePosition (position->getPpqPosition());

    if (tempo.hasValue())
    {
        const juce::ScopedLock sl (processorLock);
        core->setTempo (*tempo);
    }

    for (auto& clock : clocks)
    {
        if (tempo.hasValue() && *tempo != clock->getTempo())
            clock->setTempo (*tempo);

        if (quarterNotes.hasValue() && *quarterNotes != clock->getPosition())
            clock->setPosition (*quarterNotes);

        if (position->getIsPlaying() && ! clock->isRunning())
            clock->start (clock->getPosition());
        else if (! position->getIsPlaying() && clock->isRunning())
            clock->stop();
    }
}

void AmberCrestEffect::handleMidiEvent (const MidiEventQueue::Event& event)
{
    noteMidiActivity();
    const int status = event.bytes[0] & 0xf0;

    if (status == 0xb0 && event.numBytes == 3)
        handleMidiControllerMessage (juce::MidiMessage (event.bytes[0], event.bytes[1], event.bytes[2]));
    else if (status == 0xc0 && event.numBytes >= 2)
        handleProgramChange (event.bytes[1]);
}

void AmberCrestEffect::handOverPendingSamples()
{
    if (pendingCount == 0)
        return;

    {
        const juce::ScopedLock processorSection (processorLock);
        const juce::ScopedLock coreSection (core->getLock());

        if (stereo)
            core->processStereo (channel0, channel1, pendingCount);
        else
            core->processMono (channel0, pendingCount);
    }

    channel0 += pendingCount;

    if (stereo)
        channel1 += pendingCount;

    pendingCount = 0;
}

void AmberCrestEffect::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages)
{
    const juce::ScopedNoDenormals noDenormals;

    const int numSamples = buffer.getNumSamples();
    const int numChannels = buffer.getNumChannels();
    const int numInputs = getTotalNumInputChannels();
    const int numOutputs = getTotalNumOutputChannels();

    for (int channel = numInputs; channel < juce::jmin (numOutputs, numChannels); ++channel)
        buffer.clear (channel, 0, numSamples);

    // A host that prepares or suspends on another thread in the middle of processing
    // breaks its contract; the block it cuts into stays silent rather than racing it.
    const juce::ScopedTryLock lifecycle (lifecycleLock);

    if (! lifecycle.isLocked())
    {
        buffer.clear();
        return;
    }

    if (! prepared || core == nullptr || numChannels == 0)
        return;

    followHostPosition();

    if (usesInternalTransport)
        internalTransport.advance (numSamples);

    stereo = numInputs == 2 && numOutputs == 2 && numChannels >= 2;
    channel0 = buffer.getWritePointer (0);
    channel1 = stereo ? buffer.getWritePointer (1) : nullptr;
    pendingCount = 0;

    midiQueue.append (midiMessages);

    const auto* clockList = clocks.data();
    const size_t numClocks = clocks.size();

    for (int sample = 0; sample < numSamples;)
    {
        if (midiQueue.isEventDueAt (sample))
        {
            handOverPendingSamples();

            while (midiQueue.isEventDueAt (sample))
                handleMidiEvent (midiQueue.takeNext());
        }

        // Up to the next MIDI event only a clock edge can cut the sub-block.
        const int runEnd = std::max (sample + 1, midiQueue.getNextEventTime (numSamples));

        while (sample < runEnd)
        {
            // Samples on which no clock can change (all of them while the clocks are
            // stopped) are passed over together.
            std::int64_t quiet = runEnd - sample;

            for (size_t k = 0; k < numClocks; ++k)
                quiet = std::min (quiet, clockList[k]->getQuietSamples());

            if (quiet > 0)
            {
                for (size_t k = 0; k < numClocks; ++k)
                    clockList[k]->skipQuietSamples ((int) quiet);

                pendingCount += (int) quiet;
                sample += (int) quiet;
                continue;
            }

            for (size_t k = 0; k < numClocks; ++k)
            {
                auto& clock = *clockList[k];

                if (clock.tick())
                {
                    handOverPendingSamples();

                    if (clock.isAtPeriodStart())
                    {
                        const juce::ScopedLock sl (processorLock);
                        core->alignToClock ((int) k, clock);
                    }
                }
            }

            ++pendingCount;
            ++sample;
        }
    }

    handOverPendingSamples();
    midiQueue.finishBlock (numSamples);
}
