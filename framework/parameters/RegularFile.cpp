#include "RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile
{
    namespace
    {
        bool isSmallRegularFile (const struct stat& info, juce::int64 maximumBytes)
        {
            return S_ISREG (info.st_mode) && info.st_size <= maximumBytes;
        }
    }

    bool isReadable (const juce::File& file, juce::int64 maximumBytes)
    {
        struct stat info;
        return file != juce::File() && ::stat (file.getFullPathName().toRawUTF8(), &info) == 0
            && isSmallRegularFile (info, maximumBytes);
    }

    bool read (const juce::File& file, juce::MemoryBlock& bytes, juce::int64 maximumBytes)
    {
        bytes.reset();

        // Checked before opening (opening some devices has effects) and again on what was
        // opened, in case the path changed in between.
        if (! isReadable (file, maximumBytes))
            return false;

        const int descriptor = ::open (file.getFullPathName().toRawUTF8(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);

        if (descriptor < 0)
            return false;

        struct stat info;
        bool complete = ::fstat (descriptor, &info) == 0 && isSmallRegularFile (info, maximumBytes);

        if (complete)
        {
            // One byte more than the size shows a file that grew while it was read.
            bytes.setSize ((size_t) info.st_size + 1);
            size_t done = 0;

            while (done < bytes.getSize())
            {
                const auto got = ::read (descriptor, static_cast<char*> (bytes.getData()) + done, bytes.getSize() - done);

                if (got <= 0)
                {
                    complete = got == 0;
                    break;
                }

                done += (size_t) got;
            }

            complete = complete && done == (size_t) info.st_size;
            bytes.setSize (done);
        }

        ::close (descriptor);

        if (! complete)
            bytes.reset();

        return complete;
    }
}
