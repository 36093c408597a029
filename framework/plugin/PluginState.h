#pragma once

#include <juce_core/juce_core.h>

#include <memory>

/** The byte layout of the state blocks exchanged with the host.

    A block is the magic 0x21324356 ("VC2!") and the text length L, both 32-bit
    little-endian, then L bytes of single-line UTF-8 XML without declaration, a zero
    byte and one more zero byte: L + 10 bytes in all.

    JUCE's own AudioProcessor::copyXmlToBinary writes the XML declaration and leaves out
    the last byte, and getXmlFromBinary neither validates the UTF-8 nor limits nesting,
    so blocks from a damaged or hostile project are read here instead.
*/
namespace PluginState
{
    constexpr juce::uint32 magic = 0x21324356;
    constexpr int headerSize = 8;

    /** Replaces the block's content with the wrapped document. */
    void wrap (const juce::XmlElement& document, juce::MemoryBlock& block);

    /** The document in a block, or null when the block is too short, has the wrong magic,
        a length that is not positive, or text that is not valid UTF-8 XML. A length beyond
        the block's end reads only what the block holds. */
    std::unique_ptr<juce::XmlElement> unwrap (const void* data, int sizeInBytes);
}
