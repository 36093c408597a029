#pragma once

#include <juce_core/juce_core.h>

/** The kind of file a page reads and writes: its extension (with the dot) and the
    patterns its file choosers offer. */
class FileType
{
public:
    FileType (const juce::String& extension, const juce::String& patterns)
        : fileExtension (extension), filePatterns (patterns) {}

    const juce::String& getFileExtension() const noexcept  { return fileExtension; }
    const juce::String& getFilePatterns() const noexcept   { return filePatterns; }

    /** The file with this type's extension in place of any other. */
    juce::File withFileExtension (const juce::File& file) const { return file.withFileExtension (fileExtension); }

private:
    juce::String fileExtension, filePatterns;
};
