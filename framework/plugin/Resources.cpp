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

    std::unique_ptr<juce::MemoryBlock> findResource (const juce::String& fileName)
    {
        const auto wanted = splitFileName (fileName);

        if (wanted.name.isEmpty())
            return nullptr;

        for (int i = 0; i < HalvenekResourceData::namedResourceListSize; ++i)
        {
            const auto* resourceName = HalvenekResourceData::namedResourceList[i];
            const auto stored = splitFileName (HalvenekResourceData::getNamedResourceOriginalFilename (resourceName));

            if (! stored.name.equalsIgnoreCase (wanted.name) || ! stored.type.equalsIgnoreCase (wanted.type))
                continue;

            int size = 0;
            const auto* data = HalvenekResourceData::getNamedResource (resourceName, size);

            if (data == nullptr || size <= 0)
                return nullptr;

            return std::make_unique<juce::MemoryBlock> (data, (size_t) size);
        }

        return nullptr;
    }

    juce::String loadResourceText (const juce::String& fileName)
    {
        const auto block = findResource (fileName);
        return block != nullptr ? block->toString() : juce::String();
    }

    bool loadResourceImage (const juce::String& fileName, juce::Image& image)
    {
        const auto block = findResource (fileName);

        if (block == nullptr)
            return false;

        image = juce::ImageFileFormat::loadFrom (block->getData(), block->getSize());
        return true;
    }
}
