#include "XmlReading.h"
#include "RegularFile.h"

#include <cstring>
#include <limits>
#include <vector>

namespace XmlReading
{
    namespace
    {
        /** Scans a text before JUCE's parser sees it, because the parser takes too much:
            it reports a document cut inside a start tag or a closing tag as complete, it
            recurses once per nesting level (deep nesting overflows the stack), it
            expands declared entities recursively (a self-referring one never ends) and it
            turns any character reference into a character, even one that is no
            character at all. A text passes when it holds one root element, every tag,
            comment, CDATA section and processing instruction ends, every closing tag
            closes the element it names, nesting stays within the limit, every character
            reference names a character, and nothing is declared: no document of ours
            declares anything. */
        class DocumentScan
        {
        public:
            DocumentScan (const juce::String& text, int limit)  : p (text.getCharPointer()), nestingLimit (limit) {}

            bool isCompleteAndSafe()
            {
                while (! p.isEmpty())
                {
                    const auto c = *p++;

                    if (c == '&' && ! isCharacterReferenceSound (p))
                        return false;

                    if (c != '<')
                        continue;

                    if (! (*p == '!' ? skipCommentOrCData()
                         : *p == '?' ? skipPast ("?>")
                         : *p == '/' ? closeElement()
                         : openElement()))
                        return false;
                }

                return rootClosed;
            }

        private:
            bool skipCommentOrCData()
            {
                if (p.compareUpTo (juce::CharPointer_ASCII ("!--"), 3) == 0)
                    return skipPast ("-->");

                if (p.compareUpTo (juce::CharPointer_ASCII ("![CDATA["), 8) == 0)
                    return ! openNames.empty() && skipPast ("]]>");

                return false;
            }

            bool closeElement()
            {
                ++p;

                if (openNames.empty() || readName() != openNames.back() || ! skipPast (">"))
                    return false;

                openNames.pop_back();
                rootClosed = openNames.empty();
                return true;
            }

            bool openElement()
            {
                if (rootClosed)
                    return false;

                auto name = readName();

                if (name.isEmpty())
                    return false;

                // The end of the start tag, minding quoted attribute values.
                juce::juce_wchar quote = 0, previous = 0;

                for (;; ++p)
                {
                    if (p.isEmpty())
                        return false;

                    const auto c = *p;

                    if (quote != 0)
                    {
                        if (c == '&' && ! isCharacterReferenceSound (p + 1))
                            return false;

                        quote = c == quote ? 0 : quote;
                    }
                    else if (c == '"' || c == '\'')
                        quote = c;
                    else if (c == '>')
                        break;

                    previous = c;
                }

                ++p;

                if (previous == '/')
                {
                    rootClosed = openNames.empty();
                    return true;
                }

                if ((int) openNames.size() >= nestingLimit)
                    return false;

                openNames.push_back (std::move (name));
                return true;
            }

            /** Given the text after an ampersand: false for a character reference that
                is malformed or names no character a text may hold (zero, a surrogate
                half, beyond U+10FFFF), which the parser would put into the text as it
                is. The parser also gives up on a reference of more than 8 hexadecimal
                digits midway and keeps what it read. Named entities are its business. */
            static bool isCharacterReferenceSound (juce::String::CharPointerType q)
            {
                if (*q != '#')
                    return true;

                const bool hexadecimal = *++q == 'x' || *q == 'X';
                const int base = hexadecimal ? 16 : 10;
                juce::int64 value = 0;
                int digits = 0;

                for (q += hexadecimal ? 1 : 0; *q != ';'; ++q, ++digits)
                {
                    const int digit = hexadecimal ? juce::CharacterFunctions::getHexDigitValue (*q)
                                                  : (juce::CharacterFunctions::isDigit (*q) ? (int) (*q - '0') : -1);
                    if (digit < 0 || digits >= maximumReferenceDigits)
                        return false;

                    value = value * base + digit;

                    if (value > 0x10ffff)
                        return false;
                }

                return digits > 0 && value != 0 && (value < 0xd800 || value > 0xdfff);
            }

            juce::String readName()
            {
                const auto start = p;

                while (! p.isEmpty() && ! p.isWhitespace() && *p != '>' && *p != '/')
                    ++p;

                return { start, p };
            }

            bool skipPast (const char* terminator)
            {
                const int length = (int) std::strlen (terminator);

                for (; ! p.isEmpty(); ++p)
                {
                    if (p.compareUpTo (juce::CharPointer_ASCII (terminator), length) == 0)
                    {
                        p += length;
                        return true;
                    }
                }

                return false;
            }

            static constexpr int maximumReferenceDigits = 8;

            juce::String::CharPointerType p;
            const int nestingLimit;
            std::vector<juce::String> openNames;
            bool rootClosed = false;
        };
    }

    bool isWellFormedUtf8 (const void* data, size_t numBytes)
    {
        // Each lead byte allows its continuation bytes only in the ranges that make the
        // shortest form of a code point outside the surrogates and below U+110000.
        const auto* bytes = static_cast<const unsigned char*> (data);

        for (size_t i = 0; i < numBytes;)
        {
            const unsigned int lead = bytes[i];

            if (lead < 0x80)
            {
                ++i;
                continue;
            }

            size_t continuations;
            unsigned int lowest = 0x80, highest = 0xbf;

            if (lead >= 0xc2 && lead <= 0xdf)
            {
                continuations = 1;
            }
            else if (lead >= 0xe0 && lead <= 0xef)
            {
                continuations = 2;
                lowest = lead == 0xe0 ? 0xa0 : lowest;
                highest = lead == 0xed ? 0x9f : highest;
            }
            else if (lead >= 0xf0 && lead <= 0xf4)
            {
                continuations = 3;
                lowest = lead == 0xf0 ? 0x90 : lowest;
                highest = lead == 0xf4 ? 0x8f : highest;
            }
            else
            {
                return false;
            }

            if (numBytes - i <= continuations)
                return false;

            for (size_t k = 1; k <= continuations; ++k)
            {
                if (bytes[i + k] < lowest || bytes[i + k] > highest)
                    return false;

                lowest = 0x80;
                highest = 0xbf;
            }

            i += continuations + 1;
        }

        return true;
    }

    std::unique_ptr<juce::XmlElement> parse (const juce::String& text)
    {
        if (text.isEmpty() || ! DocumentScan (text, maximumNestingDepth).isCompleteAndSafe())
            return nullptr;

        juce::XmlDocument document (text);
        return document.getDocumentElement();
    }

    std::unique_ptr<juce::XmlElement> parseUtf8 (const void* data, size_t numBytes)
    {
        if (data == nullptr || numBytes > (size_t) std::numeric_limits<int>::max())
            return nullptr;

        // A zero byte ends the text, as in the host's state blocks; a byte-order mark is
        // not part of it.
        const auto* text = static_cast<const char*> (data);

        if (const void* end = std::memchr (text, 0, numBytes))
            numBytes = (size_t) (static_cast<const char*> (end) - text);

        if (numBytes >= 3 && std::memcmp (text, "\xef\xbb\xbf", 3) == 0)
        {
            text += 3;
            numBytes -= 3;
        }

        if (numBytes == 0 || ! isWellFormedUtf8 (text, numBytes))
            return nullptr;

        return parse (juce::String::fromUTF8 (text, (int) numBytes));
    }

    std::unique_ptr<juce::XmlElement> parseFile (const juce::File& file)
    {
        juce::MemoryBlock bytes;

        if (! RegularFile::read (file, bytes, maximumFileSize))
            return nullptr;

        return parseUtf8 (bytes.getData(), bytes.getSize());
    }

    bool hasTag (const juce::XmlElement& element, juce::StringRef tagName)
    {
        return element.getTagName().equalsIgnoreCase (tagName);
    }

    namespace
    {
        int findAttribute (const juce::XmlElement& element, juce::StringRef attributeName)
        {
            for (int i = 0; i < element.getNumAttributes(); ++i)
                if (element.getAttributeName (i).equalsIgnoreCase (attributeName))
                    return i;

            return -1;
        }
    }

    bool hasAttribute (const juce::XmlElement& element, juce::StringRef attributeName)
    {
        return findAttribute (element, attributeName) >= 0;
    }

    juce::String getAttribute (const juce::XmlElement& element, juce::StringRef attributeName,
                               const juce::String& defaultValue)
    {
        const int i = findAttribute (element, attributeName);
        return i >= 0 ? element.getAttributeValue (i) : defaultValue;
    }

    juce::XmlElement* firstChild (const juce::XmlElement& parent, juce::StringRef tagName)
    {
        for (auto* child = parent.getFirstChildElement(); child != nullptr; child = child->getNextElement())
            if (hasTag (*child, tagName))
                return child;

        return nullptr;
    }

    juce::XmlElement* nextSibling (const juce::XmlElement& element, juce::StringRef tagName)
    {
        for (auto* sibling = element.getNextElement(); sibling != nullptr; sibling = sibling->getNextElement())
            if (hasTag (*sibling, tagName))
                return sibling;

        return nullptr;
    }

    juce::String toDocumentText (const juce::XmlElement& element)
    {
        return element.toString (juce::XmlElement::TextFormat());
    }

    bool writeToFile (const juce::XmlElement& element, const juce::File& file)
    {
        return element.writeTo (file, juce::XmlElement::TextFormat());
    }
}
