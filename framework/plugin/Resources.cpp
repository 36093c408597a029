#include "Resources.h"

#include "HalvenekResourceData.h"

#include <mutex>

namespace
{
    /** A compiled-in PNG picture that decodes itself the first time its pixels are used.
        Its size comes from the file's header, so an editor can be built, laid out and kept
        hidden without decoding anything; a host loading many instances pays for the
        pictures only when an editor is first drawn. */
    class DeferredPicture : public juce::ImagePixelData
    {
    public:
        /** Null unless the data starts as a PNG file does. */
        static juce::ImagePixelData::Ptr forPng (const char* data, int size)
        {
            constexpr unsigned char signature[] { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n' };
            constexpr int headerEnd = 26;

            if (size < headerEnd || std::memcmp (data, signature, sizeof (signature)) != 0
                 || std::memcmp (data + 12, "IHDR", 4) != 0)
                return nullptr;

            const auto* bytes = reinterpret_cast<const juce::uint8*> (data);
            const auto width = (int) juce::ByteOrder::bigEndianInt (bytes + 16);
            const auto height = (int) juce::ByteOrder::bigEndianInt (bytes + 20);
            constexpr juce::uint8 hasAlpha = 4, hasPalette = 1;
            const bool transparent = (bytes[25] & (hasAlpha | hasPalette)) != 0;

            if (width <= 0 || height <= 0 || width > maximumSide || height > maximumSide)
                return nullptr;

            return new DeferredPicture (data, size, transparent ? juce::Image::ARGB : juce::Image::RGB, width, height);
        }

        std::unique_ptr<juce::LowLevelGraphicsContext> createLowLevelContext() override
        {
            return decoded().createLowLevelContext();
        }

        void initialiseBitmapData (juce::Image::BitmapData& bitmap, int x, int y, juce::Image::BitmapData::ReadWriteMode mode) override
        {
            decoded().initialiseBitmapData (bitmap, x, y, mode);
        }

        Ptr clone() override                                      { return decoded().clone(); }
        std::unique_ptr<juce::ImageType> createType() const override { return std::make_unique<juce::SoftwareImageType>(); }

    private:
        static constexpr int maximumSide = 16384;

        DeferredPicture (const char* data, int size, juce::Image::PixelFormat format, int pictureWidth, int pictureHeight)
            : juce::ImagePixelData (format, pictureWidth, pictureHeight), png (data), pngSize (size)
        {
        }

        /** A picture that does not decode, or not to the size its header gave, is drawn as
            transparent pixels. */
        juce::ImagePixelData& decoded()
        {
            std::call_once (decoding, [this]
            {
                auto image = juce::ImageFileFormat::loadFrom (png, (size_t) pngSize);

                if (! image.isValid() || image.getBounds() != juce::Rectangle<int> (width, height))
                    image = juce::Image (pixelFormat, width, height, true, juce::SoftwareImageType());

                pixels = image.convertedToFormat (pixelFormat).getPixelData();
            });

            return *pixels;
        }

        const char* const png;
        const int pngSize;
        std::once_flag decoding;
        juce::ImagePixelData::Ptr pixels;
    };
}

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

        // Every instance's editor shows the same pictures: JUCE's image cache keeps each
        // one, keyed by its compiled-in bytes, and shares it while any editor holds it.
        const auto key = (juce::int64) reinterpret_cast<juce::pointer_sized_int> (data);
        image = juce::ImageCache::getFromHashCode (key);

        if (image.isNull())
        {
            if (auto deferred = DeferredPicture::forPng (data, size))
                image = juce::Image (std::move (deferred));
            else
                image = juce::ImageFileFormat::loadFrom (data, (size_t) size);

            juce::ImageCache::addImageToCache (image, key);
        }

        return true;
    }
}
