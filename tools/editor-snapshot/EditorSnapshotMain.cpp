// Renders the plug-in's editor, built from its skin with every parameter at its default,
// into a PNG picture (the picture in the README is made this way).

#include "framework/editor/BasePluginEditor.h"
#include "product/Halvenek.h"

#include <iostream>

namespace
{
    /** Delivers the parameters' deferred notifications now, as the message loop would. */
    void bringControlsUpToDate (ParameterManager& parameters)
    {
        parameters.notifyAll();

        for (int i = 0; i < parameters.getNumParameters(); ++i)
            if (auto* parameter = parameters.getParameterAt (i))
                parameter->handleUpdateNowIfNeeded();
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
    if (argc != 2)
    {
        std::cerr << "usage: halvenek_editor_snapshot <picture.png>\n";
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI juce;
    const auto output = juce::File::getCurrentWorkingDirectory().getChildFile (juce::String::fromUTF8 (argv[1]));

    auto processor = Halvenek::create();
    auto editor = std::make_unique<BasePluginEditor> (processor.get());
    editor->createFallbackControls();
    bringControlsUpToDate (processor->getParameterManager());

    const auto picture = editor->createComponentSnapshot (editor->getLocalBounds());
    editor.reset();

    if (! writePng (picture, output))
    {
        std::cerr << "cannot write " << output.getFullPathName() << "\n";
        return 1;
    }

    std::cout << "wrote " << output.getFullPathName() << " (" << picture.getWidth() << " x " << picture.getHeight() << ")\n";
    return 0;
}
