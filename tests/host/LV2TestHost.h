#pragma once

#include "StereoBuffer.h"

#include <lilv/lilv.h>
#include <lv2/atom/forge.h>
#include <lv2/options/options.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

/** A minimal LV2 host for tests on lilv, the library Ardour and jalv use: loads the built
    bundle, instantiates the plug-in with the features those hosts give, talks to it through
    its atom ports (time:Position, patch:Get, patch:Set) and saves and restores its state. */
class LV2TestHost
{
public:
    static constexpr int blockSize = 512;
    static constexpr double sampleRate = 44100.0;

    LV2TestHost();
    ~LV2TestHost();

    static LV2TestHost& shared();

    const LilvPlugin* plugin() const noexcept   { return lv2Plugin; }
    LilvWorld* world() const noexcept           { return lilvWorld; }
    LV2_URID map (const std::string& uri);

    /** The parameters the description lists (patch:writable), by label. */
    std::map<std::string, std::string> parameterUrisByLabel() const;

    /** The presets the description lists: label and URI. */
    std::vector<std::pair<std::string, std::string>> presets() const;

    /** What a transport message carries; the host leaves out the empty fields. */
    struct Position
    {
        std::optional<double> bar, barBeat, beat;
        double beatsPerBar = 4, beatUnit = 4, beatsPerMinute = 120, speed = 1;
    };

    class Instance
    {
    public:
        ~Instance();

        /** Queues messages for the next block. */
        void sendPosition (const Position&);
        void sendGet (const std::string& propertyUri = {});
        void sendSet (const std::string& propertyUri, float value);
        void sendMidi (std::vector<uint8_t> bytes);

        /** Runs one block (at most blockSize samples) and collects the patch:Set messages. */
        void run (const float* const* inputs, float* const* outputs, int numSamples);
        StereoBuffer render (const StereoBuffer& input);

        /** Runs an empty block and returns what the plug-in answered to a patch:Get. */
        std::map<std::string, float> askValues();

        /** The values the plug-in reported during the last render, by parameter URI. */
        const std::map<std::string, float>& reportedValues() const noexcept { return reported; }

        /** The state the plug-in stores, key URI to value bytes, and back. */
        using State = std::map<std::string, std::pair<std::string, std::vector<char>>>;
        State saveState();
        bool restoreState (const State&);

        /** Restores a preset through lilv, as jalv and Ardour do. */
        bool loadPreset (const std::string& presetUri);

    private:
        friend class LV2TestHost;
        Instance (LV2TestHost&, LilvInstance*);
        void connectPorts();
        LV2_Atom_Forge_Ref beginMessage (LV2_Atom_Forge_Frame&, LV2_URID type);

        LV2TestHost& host;
        LilvInstance* instance;
        std::vector<char> inputAtoms, outputAtoms;
        LV2_Atom_Forge forge;
        LV2_Atom_Forge_Frame sequenceFrame;
        float latency = 0, freeWheeling = 0, enabled = 1;
        std::map<std::string, float> reported;
    };

    std::unique_ptr<Instance> create();

private:
    static LV2_URID mapUri (LV2_URID_Map_Handle, const char* uri);
    static const char* unmapUri (LV2_URID_Unmap_Handle, LV2_URID urid);
    const LV2_Feature* const* features();

    LilvWorld* lilvWorld = nullptr;
    const LilvPlugin* lv2Plugin = nullptr;
    std::vector<std::string> uris { "" };    // URID 0 is no URI
    LV2_URID_Map uridMap { this, mapUri };
    LV2_URID_Unmap uridUnmap { this, unmapUri };
    int32_t maxBlockLength = blockSize;
    std::vector<LV2_Options_Option> options;
    std::vector<LV2_Feature> featureStorage;
    std::vector<const LV2_Feature*> featureList;
};
