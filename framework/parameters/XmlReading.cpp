#include "XmlReading.h"
#include "RegularFile.h"

#include <cstring>
#include <limits>

namespace XmlReading
{
    namespace
    {
        // Scans the text without parsing it and refuses what would drive JUCE's recursive
        // parser into a stack overflow: element nesting beyond the limit, and declarations
        // such as <!DOCTYPE>, whose entities the parser expands recursively (a
        // self-referring entity never ends). No document of ours declares anything.
        bool isSafeToParse (const juce::String& text, int nestingLimit)
        {
            int depth = 0;
            auto p = text.getCharPointer();

            auto skipPast = [&p] (const char* terminator)
            {
                const int length = (int) std::strlen (terminator);

                while (! p.isEmpty())
                {
                    if (p.compareUpTo (juce::CharPointer_ASCII (terminator), length) == 0)
                    {
                        p += length;
                        return;
                    }

                    ++p;
                }
            };

            while (! p.isEmpty())
            {
                if (*p != '<')
                {
                    ++p;
                    continue;
                }

                ++p;

                if (*p == '!')
                {
                    if (p.compareUpTo (juce::CharPointer_ASCII ("!--"), 3) == 0)
                        skipPast ("-->");
                    else if (p.compareUpTo (juce::CharPointer_ASCII ("![CDATA["), 8) == 0)
                        skipPast ("]]>");
                    else
                        return false;

                    continue;
                }

                if (*p == '?')
                {
                    skipPast ("?>");
                    continue;
                }

                if (*p == '/')
                {
                    --depth;
                    skipPast (">");
                    continue;
                }

                // An opening tag: find its end, minding quoted attribute values.
                juce::juce_wchar quote = 0, previous = 0;

                while (! p.isEmpty())
                {
                    const auto c = *p;

                    if (quote != 0)
                    {
                        if (c == quote)
                            quote = 0;
                    }
                    else if (c == '"' || c == '\'')
                    {
                        quote = c;
                    }
                    else if (c == '>')
                    {
                        break;
                    }

                    previous = c;
                    ++p;
                }

                if (previous != '/')
                    if (++depth > nestingLimit)
                        return false;

                if (! p.isEmpty())
                    ++p;
            }

            return true;
        }
    }

    std::unique_ptr<juce::XmlElement> parse (const juce::String& text)
    {
        if (text.isEmpty() || ! isSafeToParse (text, maximumNestingDepth))
            return nullptr;

        juce::XmlDocument document (text);
        return document.getDocumentElement();
    }

    std::unique_ptr<juce::XmlElement> parseUtf8 (const void* data, size_t numBytes)
    {
        if (data == nullptr || numBytes == 0 || numBytes > (size_t) std::numeric_limits<int>::max())
            return nullptr;

        if (! juce::CharPointer_UTF8::isValidString (static_cast<const char*> (data), (int) numBytes))
            return nullptr;

        return parse (juce::String::fromUTF8 (static_cast<const char*> (data), (int) numBytes));
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
