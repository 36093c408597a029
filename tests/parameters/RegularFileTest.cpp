#include "framework/parameters/RegularFile.h"
#include "framework/parameters/XmlReading.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
    class RegularFileTest : public ::testing::Test
    {
    protected:
        RegularFileTest()               { folder.createDirectory(); }
        ~RegularFileTest() override     { folder.deleteRecursively(); }

        juce::File folder { juce::File::createTempFile ("regularfile") };
    };
}

TEST_F (RegularFileTest, OnlyRegularFilesOfSaneSizeAreRead)
{
    const auto document = folder.getChildFile ("bank.hlprsb");
    ASSERT_TRUE (document.replaceWithText ("<PresetBank/>"));
    ASSERT_TRUE (document.createSymbolicLink (folder.getChildFile ("link.hlprsb"), true));

    juce::MemoryBlock bytes;
    EXPECT_TRUE (RegularFile::read (folder.getChildFile ("link.hlprsb"), bytes, 100));
    EXPECT_EQ (bytes.toString(), "<PresetBank/>");
    EXPECT_FALSE (RegularFile::read (document, bytes, 12)) << "one byte over the limit";
    EXPECT_TRUE (bytes.isEmpty());

    // A sparse file costs nothing to make and is over the limit for documents.
    const auto huge = folder.getChildFile ("huge.hlprsb");
    ASSERT_TRUE (huge.create());
    ASSERT_EQ (truncate (huge.getFullPathName().toRawUTF8(), XmlReading::maximumFileSize + 1), 0);

    for (const auto& refused : { huge, folder, juce::File ("/dev/zero"), juce::File ("/dev/urandom"), folder.getChildFile ("missing") })
    {
        EXPECT_FALSE (RegularFile::isReadable (refused, XmlReading::maximumFileSize)) << refused.getFullPathName();
        EXPECT_EQ (XmlReading::parseFile (refused), nullptr) << refused.getFullPathName();
    }
}

TEST_F (RegularFileTest, AFifoWithoutWriterIsRefusedAtOnce)
{
    const auto fifo = folder.getChildFile ("fifo.hlprsb");
    ASSERT_EQ (mkfifo (fifo.getFullPathName().toRawUTF8(), 0600), 0);

    auto reading = std::async (std::launch::async, [&] { return XmlReading::parseFile (fifo) == nullptr; });

    if (reading.wait_for (std::chrono::seconds (5)) != std::future_status::ready)
    {
        // Let the blocked open go on, so that the test can end.
        const int writer = ::open (fifo.getFullPathName().toRawUTF8(), O_WRONLY | O_NONBLOCK);
        ::close (writer);
        ADD_FAILURE() << "reading a FIFO blocked";
    }

    EXPECT_TRUE (reading.get());
}
