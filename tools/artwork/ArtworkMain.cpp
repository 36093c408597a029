#include "BitmapFont.h"
#include "BrowserArt.h"
#include "ControlArt.h"
#include "Faceplate.h"
#include "OptionsArt.h"
#include "Preview.h"
#include "SkinWriter.h"
#include "WindowArt.h"

#include "framework/parameters/XmlReading.h"

#include <iostream>

namespace
{
    bool writePng (const juce::Image& image, const juce::File& file)
    {
        file.deleteFile();
        juce::FileOutputStream stream (file);
        juce::PNGImageFormat png;
        return stream.openedOk() && png.writeImageToStream (image, stream);
    }

    int fail (const juce::String& message)
    {
        std::cerr << message << std::endl;
        return 1;
    }
}

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;

    juce::StringArray args;
    for (int i = 1; i < argc; ++i)
        args.add (argv[i]);

    if (args.isEmpty() || args[0].startsWith ("-"))
        return fail ("usage: halvenek_artwork <resources folder> [--preview <picture.png>] [--fonts <folder with tahoma.ttf>]");

    const juce::File resources (juce::File::getCurrentWorkingDirectory().getChildFile (args[0]));
    const auto optionValue = [&] (const juce::String& option) { const int i = args.indexOf (option); return i > 0 ? args[i + 1] : juce::String(); };
    const auto previewPath = optionValue ("--preview");
    const auto fontFolder = optionValue ("--fonts").isNotEmpty() ? optionValue ("--fonts") : juce::String ("/usr/share/wine/fonts");

    PanelFonts fonts;

    if (! fonts.load (juce::File (fontFolder)))
        return fail ("cannot read tahoma.ttf and tahomabd.ttf in " + fontFolder);

    if (! resources.isDirectory())
        return fail ("no such folder: " + resources.getFullPathName());

    const Engraving engraving (fonts);
    const auto background = Faceplate (engraving).render();
    const ControlArt art (engraving, background);
    const auto font = BitmapFont::render();

    std::map<juce::String, juce::Image> filmstrips;
    filmstrips["Background.png"] = background;

    for (auto& control : SkinLayout::controls())
        filmstrips[control.resourceName()] = control.look == SkinLayout::Look::presetDisplay ? font : art.renderFilmstrip (control);

    for (auto& [name, image] : filmstrips)
        if (! writePng (image, resources.getChildFile (name)))
            return fail ("cannot write " + name);

    // The pictures of the windows, the browser and the options pages belong to the look-and-feel, not to the skin.
    const auto uiFolder = resources.getChildFile ("ui");

    if (! uiFolder.createDirectory())
        return fail ("cannot create " + uiFolder.getFullPathName());

    auto uiPictures = WindowArt::render();

    for (auto& [number, picture] : OptionsArt::renderPictures())
        uiPictures[OptionsArt::pictureFileName (number)] = picture;

    uiPictures.merge (BrowserArt::renderAll());

    for (auto& [name, image] : uiPictures)
        if (! writePng (image, uiFolder.getChildFile (name)))
            return fail ("cannot write ui/" + name);

    if (! resources.getChildFile ("skin.xml").replaceWithText (XmlReading::toDocumentText (*SkinWriter::createSkin())))
        return fail ("cannot write skin.xml");

    if (previewPath.isNotEmpty())
    {
        const auto preview = Preview::compose (background, filmstrips, font, "Wide Ensemble 2");
        const juce::File previewFile (juce::File::getCurrentWorkingDirectory().getChildFile (previewPath));

        if (! writePng (preview, previewFile)
            || ! writePng (preview.rescaled (preview.getWidth() * 2, preview.getHeight() * 2, juce::Graphics::lowResamplingQuality),
                           previewFile.getSiblingFile (previewFile.getFileNameWithoutExtension() + "@2x.png")))
            return fail ("cannot write the preview");
    }

    return 0;
}
