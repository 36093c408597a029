#include "Resources.h"

#include "HalvenekResourceData.h"

namespace Resources
{
    NameAndType splitFileName (const juce::String& fileName)
    {
        const int dot = fileName.lastIndexOfChar ('.');

        if (dot < 0)
            return {};

        return { fileName.substring (0, dot), fileName.substring (dot + 1) };
    }

    /** The compiled-in bytes of a resource, or null when there is no such (non-empty) one. */
    static const char* findResourceData (const juce::String& fileName, int& size)
    {
        const auto wanted = splitFileName (fileName);
        size = 0;

        if (wanted.name.isEmpty())
            return nullptr;

        for (int i = 0; i < HalvenekResourceData::namedResourceListSize; ++i)
        {
            const auto* resourceName = HalvenekResourceData::namedResourceList[i];
            const auto stored = splitFileName (HalvenekResourceData::getNamedResourceOriginalFilename (resourceName));

            if (! stored.name.equalsIgnoreCase (wanted.name) || ! stored.type.equalsIgnoreCase (wanted.type))
                continue;

            const auto* data = HalvenekResourceData::getNamedResource (resourceName, size);
            return data != nullptr && size > 0 ? data : nullptr;
        }

        return nullptr;
    }

    std::unique_ptr<juce::MemoryBlock> findResource (const juce::String& fileName)
    {
        int size = 0;
        const auto* data = findResourceData (fileName, size);
        return data != nullptr ? std::make_unique<juce::MemoryBlock> (data, (size_t) size) : nullptr;
    }

    juce::String loadResourceText (const juce::String& fileName)
    {
        const auto block = findResource (fileName);
        return block != nullptr ? block->toString() : juce::String();
    }

    bool loadResourceImage (const juce::String& fileName, juce::Image& image)
    {
        int size = 0;
        const auto* data = findResourceData (fileName, size);

        if (data == nullptr)
            return false;

        // Every instance's editor shows the same pictures: JUCE's image cache decodes each
        // one once, keyed by its compiled-in bytes, and shares it while any editor holds it.
        image = juce::ImageCache::getFromMemory (data, size);
        return true;
    }
}
