#include "io/read_whole.h"

#include <gtest/gtest.h>

#include "tests/test_support.h"

namespace {

// Inputs are read in chunks: every chunk boundary, the end of the file
// inside a chunk or on its edge, gives the file's bytes, from a file and
// from a stream, after whatever the buffer held.
TEST(ReadWhole, EveryChunkBoundaryGivesTheFile) {
    test::ScratchDir dir;
    for (size_t size : {0u, 1u, 6u, 7u, 8u, 13u, 100u}) {
        test::Bytes file(size);
        for (size_t i = 0; i < size; ++i) file[i] = static_cast<uint8_t>(i * 37 + 11);
        std::string path = dir.File("data.bin");
        test::WriteBytes(path, file);
        for (size_t chunk : {1u, 7u, 8u, 4096u}) {
            std::vector<uint8_t> fromFile = {0xEE}, fromStream = {0xEE};
            FileHandle handle = OpenFileForRead(path.c_str(), FileShare::ReadWrite);
            ASSERT_TRUE(ReadWholeFile(handle, &fromFile, 1000, chunk));
            CloseFile(handle);
            FILE* stream = std::fopen(path.c_str(), "rb");
            ASSERT_TRUE(ReadWholeStream(stream, &fromStream, 1000, chunk));
            std::fclose(stream);
            test::Bytes expected = {0xEE};
            expected.insert(expected.end(), file.begin(), file.end());
            EXPECT_EQ(fromFile, expected) << size << " bytes in chunks of " << chunk;
            EXPECT_EQ(fromStream, expected) << size << " bytes in chunks of " << chunk;
        }
    }
}

// Past the limit, the reading stops within a chunk: the caller sees that
// the input is larger than it takes, without holding all of it.
TEST(ReadWhole, StopsAChunkPastTheLimit) {
    test::ScratchDir dir;
    std::string path = dir.File("large.bin");
    test::WriteBytes(path, test::Bytes(1000, 7));
    for (size_t limit : {0u, 99u, 100u, 101u}) {
        std::vector<uint8_t> bytes;
        FileHandle handle = OpenFileForRead(path.c_str(), FileShare::ReadWrite);
        ASSERT_TRUE(ReadWholeFile(handle, &bytes, limit, 10));
        CloseFile(handle);
        EXPECT_GT(bytes.size(), limit);
        EXPECT_LE(bytes.size(), limit + 10);
    }
}

}  // namespace
