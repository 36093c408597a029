#pragma once

#include <juce_core/juce_core.h>

#include <memory>

/** Reading and writing the framework's XML documents.

    Every document is read with element and attribute names compared without regard to
    case, and written as a complete UTF-8 document with the standard declaration,
    two-space indentation and attribute lines wrapped at 60 characters.
*/
namespace XmlReading
{
    /** Parses a text; null unless it is one complete document: a root element that
        ends, every tag, comment and section closed, closing tags matching their start
        tags, every character reference naming a character other than zero (no
        surrogate half, nothing beyond U+10FFFF). Also null for nesting deeper than any
        document of ours and for declarations such as <!DOCTYPE> (the parser recurses
        per level and per entity, so such text is refused before it is parsed). */
    std::unique_ptr<juce::XmlElement> parse (const juce::String& text);

    /** Parses a block of bytes that should hold UTF-8 text, which a zero byte ends; a
        leading byte-order mark is skipped. Null for ill-formed UTF-8. */
    std::unique_ptr<juce::XmlElement> parseUtf8 (const void* data, size_t numBytes);

    /** Parses a regular file of at most maximumFileSize bytes; null when it cannot be
        read or parsed. */
    std::unique_ptr<juce::XmlElement> parseFile (const juce::File& file);

    /** True for UTF-8 in its shortest forms, without surrogates or code points beyond
        U+10FFFF. */
    bool isWellFormedUtf8 (const void* data, size_t numBytes);

    bool hasTag (const juce::XmlElement& element, juce::StringRef tagName);

    bool hasAttribute (const juce::XmlElement& element, juce::StringRef attributeName);
    juce::String getAttribute (const juce::XmlElement& element, juce::StringRef attributeName,
                               const juce::String& defaultValue = {});

    /** The first child with the tag (case ignored), or null. */
    juce::XmlElement* firstChild (const juce::XmlElement& parent, juce::StringRef tagName);

    /** The next sibling with the tag (case ignored), or null. */
    juce::XmlElement* nextSibling (const juce::XmlElement& element, juce::StringRef tagName);

    /** The document text as written to files. */
    juce::String toDocumentText (const juce::XmlElement& element);

    /** Writes the document; false when the file could not be written. */
    bool writeToFile (const juce::XmlElement& element, const juce::File& file);

    /** Deepest element nesting this framework accepts. */
    constexpr int maximumNestingDepth = 64;

    /** Largest file read as a document: a bank is well under a megabyte. */
    constexpr juce::int64 maximumFileSize = 16 * 1024 * 1024;
}
