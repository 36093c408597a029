#include "LV2TestHost.h"

#include <lv2/atom/util.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/midi/midi.h>
#include <lv2/patch/patch.h>
#include <lv2/presets/presets.h>
#include <lv2/time/time.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace
{
    constexpr size_t atomBufferBytes = 65536;

    std::string nodeText (const LilvNode* node)
    {
        return node != nullptr ? lilv_node_as_string (node) : std::string();
    }

    /** A node owned here, freed when it goes. */
    struct Node
    {
        Node (LilvWorld* world, const char* uri) : node (lilv_new_uri (world, uri)) {}
        ~Node() { lilv_node_free (node); }
        operator const LilvNode*() const noexcept { return node; }
        LilvNode* node;
    };

    std::string firstValue (LilvWorld* world, const LilvNode* subject, const char* predicateUri)
    {
        const Node predicate (world, predicateUri);
        auto* value = lilv_world_get (world, subject, predicate, nullptr);
        const auto text = nodeText (value);
        lilv_node_free (value);
        return text;
    }
}

//==============================================================================
LV2TestHost::LV2TestHost()
{
    lilvWorld = lilv_world_new();

    auto* bundle = lilv_new_file_uri (lilvWorld, nullptr, HALVENEK_LV2_BUNDLE "/");
    lilv_world_load_bundle (lilvWorld, bundle);
    lilv_node_free (bundle);

    const Node uri (lilvWorld, HALVENEK_LV2_URI);
    lv2Plugin = lilv_plugins_get_by_uri (lilv_world_get_all_plugins (lilvWorld), uri);

    if (lv2Plugin == nullptr)
    {
        std::fprintf (stderr, "The LV2 bundle %s does not describe %s\n", HALVENEK_LV2_BUNDLE, HALVENEK_LV2_URI);
        std::abort();
    }

    options.push_back ({ LV2_OPTIONS_INSTANCE, 0, map (LV2_BUF_SIZE__maxBlockLength), sizeof (int32_t), map (LV2_ATOM__Int), &maxBlockLength });
    options.push_back ({ LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr });

    featureStorage = { { LV2_URID__map, &uridMap },
                       { LV2_URID__unmap, &uridUnmap },
                       { LV2_OPTIONS__options, options.data() },
                       { LV2_BUF_SIZE__boundedBlockLength, nullptr } };

    for (auto& feature : featureStorage)
        featureList.push_back (&feature);

    featureList.push_back (nullptr);
}

LV2TestHost::~LV2TestHost()
{
    lilv_world_free (lilvWorld);
}

LV2TestHost& LV2TestHost::shared()
{
    static LV2TestHost host;
    return host;
}

LV2_URID LV2TestHost::map (const std::string& uri)
{
    const auto found = std::find (uris.begin(), uris.end(), uri);

    if (found != uris.end())
        return (LV2_URID) (found - uris.begin());

    uris.push_back (uri);
    return (LV2_URID) (uris.size() - 1);
}

LV2_URID LV2TestHost::mapUri (LV2_URID_Map_Handle handle, const char* uri)
{
    return static_cast<LV2TestHost*> (handle)->map (uri);
}

const char* LV2TestHost::unmapUri (LV2_URID_Unmap_Handle handle, LV2_URID urid)
{
    const auto& uris = static_cast<LV2TestHost*> (handle)->uris;
    return urid < uris.size() ? uris[urid].c_str() : nullptr;
}

const LV2_Feature* const* LV2TestHost::features()
{
    return featureList.data();
}

std::map<std::string, std::string> LV2TestHost::parameterUrisByLabel() const
{
    std::map<std::string, std::string> result;
    const Node writable (lilvWorld, LV2_PATCH__writable);
    auto* parameters = lilv_world_find_nodes (lilvWorld, lilv_plugin_get_uri (lv2Plugin), writable, nullptr);

    LILV_FOREACH (nodes, i, parameters)
    {
        const auto* parameter = lilv_nodes_get (parameters, i);
        result[firstValue (lilvWorld, parameter, LILV_NS_RDFS "label")] = nodeText (parameter);
    }

    lilv_nodes_free (parameters);
    return result;
}

std::vector<std::pair<std::string, std::string>> LV2TestHost::presets() const
{
    std::vector<std::pair<std::string, std::string>> result;
    const Node presetClass (lilvWorld, LV2_PRESETS__Preset);
    auto* related = lilv_plugin_get_related (lv2Plugin, presetClass);

    LILV_FOREACH (nodes, i, related)
    {
        const auto* preset = lilv_nodes_get (related, i);
        lilv_world_load_resource (lilvWorld, preset);
        result.emplace_back (firstValue (lilvWorld, preset, LILV_NS_RDFS "label"), nodeText (preset));
    }

    lilv_nodes_free (related);
    return result;
}

std::unique_ptr<LV2TestHost::Instance> LV2TestHost::create()
{
    auto* instance = lilv_plugin_instantiate (lv2Plugin, sampleRate, features());

    if (instance == nullptr)
        return nullptr;

    return std::unique_ptr<Instance> (new Instance (*this, instance));
}

//==============================================================================
LV2TestHost::Instance::Instance (LV2TestHost& owner, LilvInstance* lilvInstance)
    : host (owner), instance (lilvInstance), inputAtoms (atomBufferBytes), outputAtoms (atomBufferBytes)
{
    lv2_atom_forge_init (&forge, &host.uridMap);
    lv2_atom_forge_set_buffer (&forge, reinterpret_cast<uint8_t*> (inputAtoms.data()), inputAtoms.size());
    lv2_atom_forge_sequence_head (&forge, &sequenceFrame, 0);
    connectPorts();
    lilv_instance_activate (instance);
}

LV2TestHost::Instance::~Instance()
{
    lilv_instance_deactivate (instance);
    lilv_instance_free (instance);
}

void LV2TestHost::Instance::connectPorts()
{
    const auto connect = [this] (const char* symbol, void* data)
    {
        auto* literal = lilv_new_string (host.lilvWorld, symbol);
        const auto* port = lilv_plugin_get_port_by_symbol (host.lv2Plugin, literal);
        lilv_node_free (literal);
        ASSERT_NE (port, nullptr) << symbol;
        lilv_instance_connect_port (instance, lilv_port_get_index (host.lv2Plugin, port), data);
    };

    connect ("in", inputAtoms.data());
    connect ("out", outputAtoms.data());
    connect ("latency", &latency);
    connect ("freeWheeling", &freeWheeling);
    connect ("enabled", &enabled);
}

LV2_Atom_Forge_Ref LV2TestHost::Instance::beginMessage (LV2_Atom_Forge_Frame& frame, LV2_URID type)
{
    lv2_atom_forge_frame_time (&forge, 0);
    return lv2_atom_forge_object (&forge, &frame, 0, type);
}

void LV2TestHost::Instance::sendPosition (const Position& position)
{
    LV2_Atom_Forge_Frame frame;
    beginMessage (frame, host.map (LV2_TIME__Position));

    const auto key = [this] (const char* uri) { lv2_atom_forge_key (&forge, host.map (uri)); };

    // Ardour's types: a long bar, float beats and tempo, an int beat unit.
    if (position.bar)       { key (LV2_TIME__bar);       lv2_atom_forge_long (&forge, (int64_t) *position.bar); }
    if (position.barBeat)   { key (LV2_TIME__barBeat);   lv2_atom_forge_float (&forge, (float) *position.barBeat); }
    if (position.beat)      { key (LV2_TIME__beat);      lv2_atom_forge_double (&forge, *position.beat); }
    key (LV2_TIME__beatUnit);       lv2_atom_forge_int (&forge, (int32_t) position.beatUnit);
    key (LV2_TIME__beatsPerBar);    lv2_atom_forge_float (&forge, (float) position.beatsPerBar);
    key (LV2_TIME__beatsPerMinute); lv2_atom_forge_float (&forge, (float) position.beatsPerMinute);
    key (LV2_TIME__speed);          lv2_atom_forge_float (&forge, (float) position.speed);

    lv2_atom_forge_pop (&forge, &frame);
}

void LV2TestHost::Instance::sendGet (const std::string& propertyUri)
{
    LV2_Atom_Forge_Frame frame;
    beginMessage (frame, host.map (LV2_PATCH__Get));

    if (! propertyUri.empty())
    {
        lv2_atom_forge_key (&forge, host.map (LV2_PATCH__property));
        lv2_atom_forge_urid (&forge, host.map (propertyUri));
    }

    lv2_atom_forge_pop (&forge, &frame);
}

void LV2TestHost::Instance::sendSet (const std::string& propertyUri, float value)
{
    LV2_Atom_Forge_Frame frame;
    beginMessage (frame, host.map (LV2_PATCH__Set));
    lv2_atom_forge_key (&forge, host.map (LV2_PATCH__property));
    lv2_atom_forge_urid (&forge, host.map (propertyUri));
    lv2_atom_forge_key (&forge, host.map (LV2_PATCH__value));
    lv2_atom_forge_float (&forge, value);
    lv2_atom_forge_pop (&forge, &frame);
}

void LV2TestHost::Instance::sendMidi (std::vector<uint8_t> bytes)
{
    lv2_atom_forge_frame_time (&forge, 0);
    lv2_atom_forge_atom (&forge, (uint32_t) bytes.size(), host.map (LV2_MIDI__MidiEvent));
    lv2_atom_forge_write (&forge, bytes.data(), (uint32_t) bytes.size());
}

void LV2TestHost::Instance::run (const float* const* inputs, float* const* outputs, int numSamples)
{
    for (int channel = 0; channel < 2; ++channel)
    {
        lilv_instance_connect_port (instance, (uint32_t) channel, const_cast<float*> (inputs[channel]));
        lilv_instance_connect_port (instance, (uint32_t) channel + 2, outputs[channel]);
    }

    lv2_atom_forge_pop (&forge, &sequenceFrame);

    auto* output = reinterpret_cast<LV2_Atom_Sequence*> (outputAtoms.data());
    output->atom.type = 0;
    output->atom.size = (uint32_t) (outputAtoms.size() - sizeof (LV2_Atom));

    lilv_instance_run (instance, (uint32_t) numSamples);

    const auto setType = host.map (LV2_PATCH__Set);

    LV2_ATOM_SEQUENCE_FOREACH (output, event)
    {
        if (event->body.type != host.map (LV2_ATOM__Object))
            continue;

        const auto* object = reinterpret_cast<const LV2_Atom_Object*> (&event->body);

        if (object->body.otype != setType)
            continue;

        const LV2_Atom* property = nullptr;
        const LV2_Atom* value = nullptr;
        lv2_atom_object_get (object, host.map (LV2_PATCH__property), &property, host.map (LV2_PATCH__value), &value, 0);

        if (property != nullptr && value != nullptr && value->type == host.map (LV2_ATOM__Float))
            reported[host.uris[reinterpret_cast<const LV2_Atom_URID*> (property)->body]] = reinterpret_cast<const LV2_Atom_Float*> (value)->body;
    }

    lv2_atom_forge_set_buffer (&forge, reinterpret_cast<uint8_t*> (inputAtoms.data()), inputAtoms.size());
    lv2_atom_forge_sequence_head (&forge, &sequenceFrame, 0);
}

StereoBuffer LV2TestHost::Instance::render (const StereoBuffer& input)
{
    reported.clear();
    StereoBuffer output (input.size());

    for (int start = 0; start < input.size(); start += blockSize)
    {
        const int count = std::min (blockSize, input.size() - start);
        const float* in[] { input.left.data() + start, input.right.data() + start };
        float* out[] { output.left.data() + start, output.right.data() + start };
        run (in, out, count);
    }

    return output;
}

std::map<std::string, float> LV2TestHost::Instance::askValues()
{
    sendGet();
    StereoBuffer silence (blockSize);
    render (silence);
    return reported;
}

LV2TestHost::Instance::State LV2TestHost::Instance::saveState()
{
    State state;
    const auto* interface = static_cast<const LV2_State_Interface*> (lilv_instance_get_extension_data (instance, LV2_STATE__interface));

    if (interface == nullptr)
        return state;

    struct Context { LV2TestHost& host; State& state; } context { host, state };

    interface->save (lilv_instance_get_handle (instance),
                     [] (LV2_State_Handle handle, uint32_t key, const void* value, size_t size, uint32_t type, uint32_t) -> LV2_State_Status
                     {
                         auto& c = *static_cast<Context*> (handle);
                         const auto* bytes = static_cast<const char*> (value);
                         c.state[c.host.uris[key]] = { c.host.uris[type], std::vector<char> (bytes, bytes + size) };
                         return LV2_STATE_SUCCESS;
                     },
                     &context, LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, host.features());
    return state;
}

bool LV2TestHost::Instance::restoreState (const State& state)
{
    const auto* interface = static_cast<const LV2_State_Interface*> (lilv_instance_get_extension_data (instance, LV2_STATE__interface));

    if (interface == nullptr)
        return false;

    struct Context { LV2TestHost& host; const State& state; } context { host, state };

    return interface->restore (lilv_instance_get_handle (instance),
                               [] (LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type, uint32_t* flags) -> const void*
                               {
                                   auto& c = *static_cast<Context*> (handle);
                                   const auto found = c.state.find (c.host.uris[key]);

                                   if (found == c.state.end())
                                       return nullptr;

                                   *size = found->second.second.size();
                                   *type = c.host.map (found->second.first);
                                   *flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
                                   return found->second.second.data();
                               },
                               &context, 0, host.features()) == LV2_STATE_SUCCESS;
}

bool LV2TestHost::Instance::loadPreset (const std::string& presetUri)
{
    const Node preset (host.lilvWorld, presetUri.c_str());
    lilv_world_load_resource (host.lilvWorld, preset);
    auto* state = lilv_state_new_from_world (host.lilvWorld, &host.uridMap, preset);

    if (state == nullptr)
        return false;

    lilv_state_restore (state, instance, nullptr, nullptr, 0, host.features());
    lilv_state_free (state);
    return true;
}
