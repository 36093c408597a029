#include <gtest/gtest.h>
#include <juce_audio_formats/juce_audio_formats.h>

#include <cmath>

#include <sys/stat.h>

#ifdef HALVENEK_RENDER_TOOL

namespace
{
    struct ToolRun
    {
        int exitCode = -1;
        juce::String output;
    };

    /** Runs halvenek-render with the given arguments in a folder of its own. */
    class RenderToolTest : public testing::Test
    {
    protected:
        void SetUp() override
        {
            folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                         .getNonexistentChildFile ("halvenek-render-test", "", false);
            ASSERT_TRUE (folder.createDirectory());
        }

        void TearDown() override
        {
            folder.deleteRecursively();
        }

        ToolRun run (juce::StringArray arguments)
        {
            arguments.insert (0, HALVENEK_RENDER_TOOL);
            return runCommand (arguments);
        }

        ToolRun runCommand (const juce::StringArray& arguments)
        {
            const auto previous = juce::File::getCurrentWorkingDirectory();
            folder.setAsCurrentWorkingDirectory();

            juce::ChildProcess process;
            ToolRun result;

            if (process.start (arguments, juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr))
            {
                result.output = process.readAllProcessOutput();
                process.waitForProcessToFinish (120000);
                result.exitCode = (int) process.getExitCode();
            }

            previous.setAsCurrentWorkingDirectory();
            return result;
        }

        juce::File file (const juce::String& name) const     { return folder.getChildFile (name); }

        /** Writes a WAV file of a tone with noise, the given channels and bit depth. */
        juce::AudioBuffer<float> writeWav (const juce::File& target, int channels, int bits, double rate, double seconds)
        {
            juce::AudioBuffer<float> audio (channels, (int) (rate * seconds));
            juce::Random random (7);

            for (int c = 0; c < channels; ++c)
                for (int i = 0; i < audio.getNumSamples(); ++i)
                    audio.setSample (c, i, (float) (0.3 * std::sin (2.0 * juce::MathConstants<double>::pi * (300.0 + 100 * c) * i / rate)
                                                    + 0.05 * (random.nextFloat() - 0.5f)));

            std::unique_ptr<juce::OutputStream> stream (target.createOutputStream());
            std::unique_ptr<juce::AudioFormatWriter> writer (juce::WavAudioFormat().createWriterFor (stream.get(), rate, (unsigned int) channels, bits, {}, 0));
            stream.release();
            writer->writeFromAudioSampleBuffer (audio, 0, audio.getNumSamples());
            writer.reset();

            // What the file holds, as the tool reads it back.
            return readWav (target, rate);
        }

        static juce::AudioBuffer<float> readWav (const juce::File& source, double& rate)
        {
            juce::WavAudioFormat wav;
            std::unique_ptr<juce::AudioFormatReader> reader (wav.createReaderFor (source.createInputStream().release(), true));
            juce::AudioBuffer<float> audio;

            if (reader != nullptr)
            {
                audio.setSize ((int) reader->numChannels, (int) reader->lengthInSamples);
                reader->read (&audio, 0, audio.getNumSamples(), 0, true, true);
                rate = reader->sampleRate;
            }

            return audio;
        }

        static juce::AudioBuffer<float> readWav (const juce::File& source)
        {
            double rate = 0;
            return readWav (source, rate);
        }

        static juce::MemoryBlock bytesOf (const juce::File& source)
        {
            juce::MemoryBlock bytes;
            source.loadFileAsData (bytes);
            return bytes;
        }

        static bool isOneLine (const juce::String& text)
        {
            return text.trim().isNotEmpty() && ! text.trim().containsChar ('\n');
        }

        juce::File folder;
    };
}

TEST_F (RenderToolTest, RendersTheDemoWithoutAnyInput)
{
    const auto result = run ({ "demo.wav" });
    ASSERT_EQ (result.exitCode, 0) << result.output;
    EXPECT_TRUE (result.output.contains (file ("demo.wav").getFullPathName()));
    EXPECT_FALSE (result.output.contains ("Rendering [")) << "no progress bar without a terminal";

    double rate = 0;
    const auto audio = readWav (file ("demo.wav"), rate);
    EXPECT_EQ (audio.getNumChannels(), 2);
    EXPECT_EQ (rate, 44100.0);
    EXPECT_GT (audio.getNumSamples(), 3 * 44100);
    EXPECT_GT (audio.getRMSLevel (0, 0, audio.getNumSamples()), 0.005f);
    EXPECT_GT (audio.getRMSLevel (1, 0, audio.getNumSamples()), 0.005f);
}

TEST_F (RenderToolTest, DemoFollowsRateAndReportsProcessingTime)
{
    const auto result = run ({ "demo48.wav", "--rate", "48000", "--tempo", "96", "--block", "100", "--time" });
    ASSERT_EQ (result.exitCode, 0) << result.output;
    EXPECT_TRUE (result.output.contains ("ms per second of audio"));

    double rate = 0;
    readWav (file ("demo48.wav"), rate);
    EXPECT_EQ (rate, 48000.0);
}

TEST_F (RenderToolTest, RendersMonoAndStereoFilesOfEachDepthAtTheirRate)
{
    const std::tuple<int, int, double> cases[] { { 1, 16, 44100.0 }, { 2, 24, 48000.0 }, { 2, 32, 22050.0 } };

    for (const auto& [channels, bits, rate] : cases)
    {
        const auto in = file ("in" + juce::String (bits) + ".wav");
        const auto input = writeWav (in, channels, bits, rate, 1.5);
        const auto inputBytes = bytesOf (in);

        const auto result = run ({ in.getFileName(), "out.wav", "--set", "Output Volume=0.5" });
        ASSERT_EQ (result.exitCode, 0) << result.output;

        double outRate = 0;
        const auto output = readWav (file ("out.wav"), outRate);
        EXPECT_EQ (outRate, rate);
        EXPECT_EQ (output.getNumChannels(), 2);
        EXPECT_GT (output.getNumSamples(), input.getNumSamples());
        EXPECT_LT (output.getNumSamples(), input.getNumSamples() + (int) rate);
        EXPECT_EQ (bytesOf (in), inputBytes);
    }
}

namespace
{
    /** A canonical PCM WAV header whose fields say what the test wants, true or not. */
    juce::MemoryBlock wavHeader (int channels, juce::uint32 rate, int bits, juce::uint32 dataBytes, juce::uint32 riffSize)
    {
        juce::MemoryOutputStream out;
        const int frameBytes = channels * ((bits + 7) / 8);
        out.write ("RIFF", 4);
        out.writeInt ((int) riffSize);
        out.write ("WAVEfmt ", 8);
        out.writeInt (16);
        out.writeShort (1);
        out.writeShort ((short) channels);
        out.writeInt ((int) rate);
        out.writeInt ((int) (rate * (juce::uint32) frameBytes));
        out.writeShort ((short) frameBytes);
        out.writeShort ((short) bits);
        out.write ("data", 4);
        out.writeInt ((int) dataBytes);
        return out.getMemoryBlock();
    }

    juce::MemoryBlock wavFile (int channels, juce::uint32 rate, int bits, juce::uint32 claimedBytes, juce::uint32 actualBytes, juce::uint32 riffSize = 0)
    {
        auto bytes = wavHeader (channels, rate, bits, claimedBytes, riffSize != 0 ? riffSize : 36 + claimedBytes);
        juce::Random random (3);

        for (juce::uint32 i = 0; i < actualBytes; ++i)
        {
            const auto b = (char) random.nextInt (256);
            bytes.append (&b, 1);
        }

        return bytes;
    }
}

TEST_F (RenderToolTest, BadInputEndsWithOneLineAndNoOutput)
{
    writeWav (file ("in.wav"), 2, 16, 44100.0, 0.5);
    file ("notes.txt").replaceWithText ("not audio");
    file ("noise.wav").replaceWithData ("RIFF\x10\0\0\0WAVEjunkjunkjunk", 20);
    file ("not-a-bank.hlprsb").replaceWithText ("<Preset application=\"Halvenek\" name=\"x\"/>");
    file ("broken.hlprsb").replaceWithText ("<PresetBank name=\"x\"");
    file ("fake.so").replaceWithText ("not a plug-in");

    // Files and paths that cannot be trusted: banks nested deeper than the plug-in reads
    // (or deep enough to overflow a recursive parser), cut inside a closing tag, or no
    // regular files; an output that is a folder; WAV headers that lie about the length,
    // the RIFF size, the rate or a bit depth the reader does not fill.
    const int depth = 1000, deeper = 300000;
    file ("deep.hlprsb").replaceWithText ("<PresetBank>" + juce::String::repeatedString ("<PresetGroup>", depth)
                                          + juce::String::repeatedString ("</PresetGroup>", depth) + "</PresetBank>");
    file ("deeper.hlprsb").replaceWithText ("<PresetBank>" + juce::String::repeatedString ("<a>", deeper));
    file ("cut.hlprsb").replaceWithText ("<PresetBank name=\"x\"><PresetGroup name=\"g\"></PresetGroup></Pre");
    ASSERT_EQ (mkfifo (file ("fifo.hlprsb").getFullPathName().toRawUTF8(), 0600), 0);
    ASSERT_TRUE (file ("folder.wav").createDirectory());

    const std::pair<const char*, juce::MemoryBlock> wavs[] {
        { "billion.wav", wavFile (2, 44100, 16, 4000000000u, 0) },
        { "fifty-million.wav", wavFile (2, 44100, 16, 200000000u, 4000) },
        { "cut.wav", wavFile (2, 44100, 16, 400000, 200000) },
        { "riff-small.wav", wavFile (2, 44100, 16, 40000, 40000, 36) },
        { "huge-rate.wav", wavFile (2, 2147483647u, 16, 4000, 4000) },
        { "one-hertz.wav", wavFile (1, 1, 16, 4000, 4000) },
        { "ten-megahertz.wav", wavFile (1, 10000000, 16, 4000, 4000) },
        { "twelve-bit.wav", wavFile (1, 44100, 12, 4000, 4000) },
        { "twenty-bit.wav", wavFile (2, 44100, 20, 6000, 6000) },
    };

    std::vector<juce::StringArray> cases {
        { "missing.wav", "out.wav" },
        { "notes.txt", "out.wav" },
        { "noise.wav", "out.wav" },
        { "in.wav", "in.wav" },
        { "in.wav", "./in.wav" },
        { "in.wav", "out.wav", "--set", "Nonexistent=0.5" },
        { "in.wav", "out.wav", "--set", "FX=1.5" },
        { "in.wav", "out.wav", "--set", "FX=-0.1" },
        { "in.wav", "out.wav", "--set", "FX=loud" },
        { "in.wav", "out.wav", "--set", "FX" },
        { "in.wav", "out.wav", "--preset", "128" },
        { "in.wav", "out.wav", "--preset", "-1" },
        { "in.wav", "out.wav", "--preset", "x" },
        { "in.wav", "out.wav", "--bank", "not-a-bank.hlprsb" },
        { "in.wav", "out.wav", "--bank", "broken.hlprsb" },
        { "in.wav", "out.wav", "--bank", "missing.hlprsb" },
        { "in.wav", "out.wav", "--plugin", "fake.so" },
        { "in.wav", "out.wav", "--plugin", "missing.so" },
        { "in.wav", "out.wav", "--tempo", "0" },
        { "in.wav", "out.wav", "--block", "0" },
        { "in.wav", "out.wav", "--rate", "48000" },
        { "in.wav", "out.mp3" },
        { "in.wav", "out.wav", "--unknown" },
        { "a.wav", "b.wav", "c.wav" },
        {},
        { "in.wav", "out.wav", "--bank", "deep.hlprsb" },
        { "in.wav", "out.wav", "--bank", "deeper.hlprsb" },
        { "in.wav", "out.wav", "--bank", "cut.hlprsb" },
        { "in.wav", "out.wav", "--bank", "fifo.hlprsb" },
        { "in.wav", "out.wav", "--bank", "/dev/zero" },
        { "in.wav", "folder.wav" },
        { "in.wav", "out.wav", "--set", "LFO 1 Stereo PhXYZ=0.5" },
        { "in.wav", "out.wav", "--set", "LFO=0.5" },
    };

    for (const auto& [name, bytes] : wavs)
    {
        ASSERT_TRUE (file (name).replaceWithData (bytes.getData(), bytes.getSize()));
        cases.push_back ({ name, "out.wav" });
    }

    const auto inputBytes = bytesOf (file ("in.wav"));
    const auto numFiles = folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories);

    for (const auto& arguments : cases)
    {
        const auto result = run (arguments);
        const auto what = arguments.joinIntoString (" ");

        EXPECT_NE (result.exitCode, 0) << what;
        EXPECT_TRUE (isOneLine (result.output)) << what << ": " << result.output;
        EXPECT_TRUE (result.output.startsWith ("halvenek-render: ")) << what << ": " << result.output;
        EXPECT_FALSE (file ("out.wav").exists()) << what;
        EXPECT_EQ (bytesOf (file ("in.wav")), inputBytes) << what;
        EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), numFiles) << what << ": nothing is left behind";
    }

    EXPECT_TRUE (file ("folder.wav").isDirectory());

    const auto unknown = run ({ "in.wav", "out.wav", "--set", "Nonexistent=0.5" });
    EXPECT_TRUE (unknown.output.contains ("LFO 1 Rate")) << "lists the valid names";
    EXPECT_TRUE (unknown.output.contains ("Output Volume"));
}

TEST_F (RenderToolTest, ParametersGoByFullOrShownName)
{
    writeWav (file ("in.wav"), 2, 16, 44100.0, 0.5);

    // A VST 2.4 host shows names cut to 15 bytes; a longer name must be the full one.
    for (const auto* name : { "LFO 1 Stereo Phase", "LFO 1 Stereo Ph" })
    {
        const auto result = run ({ "in.wav", "out.wav", "--set", juce::String (name) + "=0.5" });
        EXPECT_EQ (result.exitCode, 0) << name << ": " << result.output;
    }
}

TEST_F (RenderToolTest, TakesABankFileAndAPresetFromIt)
{
    writeWav (file ("in.wav"), 2, 16, 44100.0, 0.5);
    file ("mine.hlprsb").replaceWithText (
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<PresetBank name=\"Mine\"><PresetGroup name=\"Wide\">"
        "<Preset application=\"Halvenek\" name=\"One\"><param name=\"FX\" value=\"0.8\"/></Preset>"
        "<Preset application=\"Halvenek\" name=\"Two\"><param name=\"FX\" value=\"0.2\"/></Preset>"
        "</PresetGroup></PresetBank>\n");

    const auto result = run ({ "in.wav", "out.wav", "--bank", "mine.hlprsb", "--preset", "1" });
    ASSERT_EQ (result.exitCode, 0) << result.output;
    EXPECT_EQ (readWav (file ("out.wav")).getNumChannels(), 2);
}

TEST_F (RenderToolTest, LinkedOutputThatIsTheInputIsRefused)
{
    writeWav (file ("in.wav"), 2, 16, 44100.0, 0.5);
    const auto inputBytes = bytesOf (file ("in.wav"));
    ASSERT_TRUE (file ("in.wav").createSymbolicLink (file ("link.wav"), true));

    const auto result = run ({ "in.wav", "link.wav" });
    EXPECT_NE (result.exitCode, 0);
    EXPECT_EQ (bytesOf (file ("in.wav")), inputBytes);
}

TEST_F (RenderToolTest, ShowsProgressOnATerminal)
{
    const juce::File script ("/usr/bin/script");

    if (! script.existsAsFile())
        GTEST_SKIP() << "no script(1) to give the tool a terminal";

    const auto command = juce::String (HALVENEK_RENDER_TOOL).quoted() + " " + file ("tty.wav").getFullPathName().quoted();
    const auto result = runCommand ({ script.getFullPathName(), "-qec", command, "/dev/null" });
    ASSERT_EQ (result.exitCode, 0) << result.output;
    EXPECT_TRUE (result.output.contains ("Rendering [")) << result.output;
    EXPECT_TRUE (result.output.contains ("100%")) << result.output;
}

TEST_F (RenderToolTest, HelpNamesTheOutputFormat)
{
    const auto result = run ({ "--help" });
    EXPECT_EQ (result.exitCode, 0);
    EXPECT_TRUE (result.output.contains ("32-bit float"));
    EXPECT_TRUE (result.output.contains ("--plugin"));
}

//==============================================================================
// The sound, rendered through the plug-in as a DAW would.

TEST_F (RenderToolTest, DryMixAtUnityReproducesTheInputDelayedBySixteenSamples)
{
    const auto input = writeWav (file ("in.wav"), 2, 24, 44100.0, 2.0);
    const auto result = run ({ "in.wav", "dry.wav", "--set", "FX=0", "--set", "Output Volume=0.5" });
    ASSERT_EQ (result.exitCode, 0) << result.output;

    const auto output = readWav (file ("dry.wav"));
    ASSERT_GE (output.getNumSamples(), input.getNumSamples() + 16);

    float worst = 0;

    for (int c = 0; c < 2; ++c)
        for (int i = 44100; i < input.getNumSamples(); ++i)
            worst = std::max (worst, std::abs (output.getSample (c, i) - input.getSample (c, i - 16)));

    EXPECT_LT (worst, 1.0e-4f);
}

TEST_F (RenderToolTest, FactoryPresetZeroAudiblyDiffersFromTheDryInput)
{
    const auto input = writeWav (file ("in.wav"), 2, 24, 44100.0, 3.0);
    const auto result = run ({ "in.wav", "wet.wav", "--preset", "0" });
    ASSERT_EQ (result.exitCode, 0) << result.output;

    const auto output = readWav (file ("wet.wav"));
    const int from = 44100, to = input.getNumSamples();
    double difference = 0, dry = 0;

    for (int c = 0; c < 2; ++c)
    {
        for (int i = from; i < to; ++i)
        {
            const double d = output.getSample (c, i) - input.getSample (c, i);
            difference += d * d;
            dry += (double) input.getSample (c, i) * input.getSample (c, i);
        }
    }

    EXPECT_GT (std::sqrt (difference / dry), 0.1);
}

#endif
