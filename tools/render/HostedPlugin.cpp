#include "HostedPlugin.h"

#include "framework/parameters/XmlReading.h"

namespace
{
    // Long enough for a silent preset change to fade out, switch and fade in again.
    constexpr double presetChangeSeconds = 0.5;

    // A VST module is named after its file; its effect name is the descriptive name.
    bool isHalvenek (const juce::AudioPluginInstance& plugin)
    {
        const auto description = plugin.getPluginDescription();
        return description.name == "Halvenek" || description.descriptiveName == "Halvenek";
    }
}

HostedPlugin::HostedPlugin (std::unique_ptr<juce::AudioPluginInstance> instance)
    : plugin (std::move (instance))
{
    // Halvenek's state names every parameter in full, in parameter order.
    if (! isHalvenek (*plugin))
        return;

    juce::MemoryBlock state;

    if (! juce::VSTPluginFormat::getChunkData (plugin.get(), state, false))
        plugin->getStateInformation (state);

    if (const auto document = juce::AudioProcessor::getXmlFromBinary (state.getData(), (int) state.getSize()))
        if (const auto* parameters = XmlReading::firstChild (*document, "ParametersState"))
            for (auto* param = XmlReading::firstChild (*parameters, "param"); param != nullptr; param = XmlReading::nextSibling (*param, "param"))
                fullNames.add (XmlReading::getAttribute (*param, "name"));
}

juce::String HostedPlugin::defaultPlugin()
{
    const juce::File built (HALVENEK_DEFAULT_PLUGIN);

    if (built.existsAsFile())
        return built.getFullPathName();

    return juce::File ("~/.vst").getChildFile (built.getFileName()).getFullPathName();
}

std::unique_ptr<HostedPlugin> HostedPlugin::load (const juce::String& pathOrUri, double sampleRate, int blockSize, juce::String& error)
{
    juce::AudioPluginFormatManager formats;
    formats.addFormat (new juce::VSTPluginFormat());
    formats.addFormat (new juce::VST3PluginFormat());
    formats.addFormat (new juce::LV2PluginFormat());

    const auto isFile = juce::File::isAbsolutePath (pathOrUri) || ! pathOrUri.contains (":");
    const auto location = isFile ? juce::File::getCurrentWorkingDirectory().getChildFile (pathOrUri).getFullPathName() : pathOrUri;

    if (isFile && ! juce::File (location).exists())
    {
        error = "cannot load the plug-in " + location + ": no such file";
        return {};
    }

    juce::String lastError = "not a VST, VST3 or LV2 plug-in";

    for (auto* format : formats.getFormats())
    {
        if (! format->fileMightContainThisPluginType (location))
            continue;

        juce::OwnedArray<juce::PluginDescription> types;
        format->findAllTypesForFile (types, location);

        for (auto* type : types)
        {
            if (auto instance = formats.createPluginInstance (*type, sampleRate, blockSize, lastError))
            {
                instance->enableAllBuses();
                auto stereo = instance->getBusesLayout();

                if (stereo.inputBuses.size() > 0)
                    stereo.getChannelSet (true, 0) = juce::AudioChannelSet::stereo();

                if (stereo.outputBuses.size() > 0)
                    stereo.getChannelSet (false, 0) = juce::AudioChannelSet::stereo();

                instance->setBusesLayout (stereo);

                if (instance->getTotalNumOutputChannels() == 0)
                {
                    lastError = "it has no audio outputs";
                    continue;
                }

                return std::unique_ptr<HostedPlugin> (new HostedPlugin (std::move (instance)));
            }
        }

        if (types.isEmpty())
            lastError = "no plug-in found in it";
    }

    error = "cannot load the plug-in " + location + ": " + lastError;
    return {};
}

juce::String HostedPlugin::loadBank (const juce::File& bankFile)
{
    // Read as the plug-in reads its own bank files: a regular file of sane size, holding
    // one complete document in valid UTF-8, nested no deeper than the plug-in accepts.
    const auto bank = XmlReading::parseFile (bankFile);

    if (bank == nullptr || ! XmlReading::hasTag (*bank, "PresetBank"))
        return bankFile.getFullPathName() + " is not a Halvenek preset bank";

    if (! isHalvenek (*plugin))
        return "--bank needs the Halvenek plug-in, not " + plugin->getPluginDescription().descriptiveName;

    // The bank travels inside a plug-in state, as a DAW project would carry it.
    juce::XmlElement state ("PluginState");
    state.setAttribute ("application", "Halvenek");
    auto* presets = state.createNewChildElement ("PresetsState");
    presets->setAttribute ("currentPreset", 0);
    presets->addChildElement (new juce::XmlElement (*bank));

    juce::MemoryBlock chunk;
    juce::AudioProcessor::copyXmlToBinary (state, chunk);

    if (! juce::VSTPluginFormat::setChunkData (plugin.get(), chunk.getData(), (int) chunk.getSize(), false))
        plugin->setStateInformation (chunk.getData(), (int) chunk.getSize());

    return {};
}

void HostedPlugin::selectPreset (int presetNumber, double sampleRate, int blockSize)
{
    const int channels = juce::jmax (plugin->getTotalNumInputChannels(), plugin->getTotalNumOutputChannels());
    juce::AudioBuffer<float> silence (channels, blockSize);
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::programChange (1, presetNumber), 0);

    plugin->prepareToPlay (sampleRate, blockSize);

    for (int done = 0; done < (int) (presetChangeSeconds * sampleRate); done += blockSize)
    {
        silence.clear();
        plugin->processBlock (silence, midi);
        midi.clear();
    }

    plugin->releaseResources();
}

juce::String HostedPlugin::getName (int index) const
{
    return fullNames[index].isNotEmpty() ? fullNames[index] : plugin->getParameters()[index]->getName (1024);
}

juce::AudioProcessorParameter* HostedPlugin::findParameter (const juce::String& name) const
{
    const auto& parameters = plugin->getParameters();

    for (int i = 0; i < parameters.size(); ++i)
        if (name == getName (i) || name == parameters[i]->getName (1024))
            return parameters[i];

    return nullptr;
}

juce::String HostedPlugin::parameterNames() const
{
    juce::StringArray names;

    for (int i = 0; i < plugin->getParameters().size(); ++i)
        names.add (getName (i));

    return names.joinIntoString (", ");
}

juce::String HostedPlugin::setParameters (const std::vector<RenderOptions::ParameterValue>& values)
{
    for (const auto& [name, value] : values)
    {
        auto* parameter = findParameter (name);

        if (parameter == nullptr)
            return "unknown parameter \"" + name + "\"; valid names: " + parameterNames();

        parameter->setValueNotifyingHost (value);
    }

    return {};
}
