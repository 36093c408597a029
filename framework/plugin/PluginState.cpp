#include "PluginState.h"

#include "../parameters/XmlReading.h"

namespace PluginState
{
    void wrap (const juce::XmlElement& document, juce::MemoryBlock& block)
    {
        const auto text = document.toString (juce::XmlElement::TextFormat().singleLine().withoutHeader());
        const auto textSize = text.getNumBytesAsUTF8();

        block.reset();
        juce::MemoryOutputStream out (block, false);
        out.writeInt ((int) magic);
        out.writeInt ((int) textSize);
        out.write (text.toRawUTF8(), textSize);
        out.writeByte (0);
        out.writeByte (0);
    }

    std::unique_ptr<juce::XmlElement> unwrap (const void* data, int sizeInBytes)
    {
        if (data == nullptr || sizeInBytes <= headerSize)
            return nullptr;

        const auto* bytes = static_cast<const char*> (data);

        if (juce::ByteOrder::littleEndianInt (bytes) != magic)
            return nullptr;

        const auto length = (juce::int32) juce::ByteOrder::littleEndianInt (bytes + 4);

        if (length <= 0)
            return nullptr;

        return XmlReading::parseUtf8 (bytes + headerSize, (size_t) juce::jmin (length, sizeInBytes - headerSize));
    }
}
