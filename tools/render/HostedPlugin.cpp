#include "HostedPlugin.h"

namespace
{
    // VST 2.4 hosts see parameter names cut to 15 bytes; a full name given by the user still
    // finds its parameter.
    constexpr int cutNameLength = 15;

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
    formats.addFormat (new juce::LADSPAPluginFormat());

    const auto isFile = juce::File::isAbsolutePath (pathOrUri) || ! pathOrUri.contains (":");
    const auto location = isFile ? juce::File::getCurrentWorkingDirectory().getChildFile (pathOrUri).getFullPathName() : pathOrUri;

    if (isFile && ! juce::File (location).exists())
    {
        error = "cannot load the plug-in " + location + ": no such file";
        return {};
    }

    juce::String lastError = "not a VST, VST3, LV2 or LADSPA plug-in";

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
    // JUCE's parser returns what it could read of a damaged file, and says nothing when the
    // file ends inside the root's start tag; only a whole bank counts.
    const auto text = bankFile.loadFileAsString();
    juce::XmlDocument document (text);
    const auto bank = document.getDocumentElement();

    if (bank == nullptr || document.getLastParseError().isNotEmpty() || ! text.trimEnd().endsWithChar ('>')
         || ! bank->getTagName().equalsIgnoreCase ("PresetBank"))
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

juce::AudioProcessorParameter* HostedPlugin::findParameter (const juce::String& name) const
{
    for (auto* parameter : plugin->getParameters())
    {
        const auto shown = parameter->getName (1024);

        if (shown == name || (shown.getNumBytesAsUTF8() == cutNameLength && name.startsWith (shown)))
            return parameter;
    }

    return nullptr;
}

juce::String HostedPlugin::parameterNames() const
{
    juce::StringArray names;

    for (auto* parameter : plugin->getParameters())
        names.add (parameter->getName (1024));

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
