// Round trips of files made by each producer available here: read, dump, compare with the
// checked-in expectation, save, read again, compare again; and every part we do not model
// comes back byte for byte.
#include <gtest/gtest.h>

#include <cstdlib>

#include "files/xlsx_reader.h"
#include "files/xlsx_writer.h"
#include "files/zip_archive.h"
#include "host/text.h"
#include "memory_book.h"

namespace files::test {
namespace {

class FilesProducerRoundTrip : public ::testing::TestWithParam<const char*> {
protected:
    std::string fixture() const { return dataPath(std::string(GetParam()) + "/book.xlsx"); }
    std::string expectation() const { return dataPath(std::string(GetParam()) + "/book.expected.txt"); }
};

bool regenerated(const std::string& name) {
    // The writer always writes these anew; everything else must be carried over unchanged.
    return name == "[Content_Types].xml" || name.find(".rels") != std::string::npos ||
           name.find("worksheets/sheet") != std::string::npos || name.find("workbook.xml") != std::string::npos ||
           name.find("sharedStrings") != std::string::npos;
}

TEST_P(FilesProducerRoundTrip, ReadsWhatTheProducerWrote) {
    MemoryBook book;
    readXlsx(fixture(), book);
    if (std::getenv("CW_WRITE_EXPECTED")) writeFile(expectation(), dump(book));
    EXPECT_EQ(dump(book), readFile(expectation()));
}

TEST_P(FilesProducerRoundTrip, SavesAndReadsBackTheSame) {
    MemoryBook book;
    readXlsx(fixture(), book);
    ScratchDir scratch;
    const auto notes = writeXlsx(book, scratch.path("saved.xlsx"));
    for (const std::u16string& note : notes) ADD_FAILURE() << "unexpected note: " << host::utf8(note);
    MemoryBook again;
    readXlsx(scratch.path("saved.xlsx"), again);
    EXPECT_EQ(dump(again), readFile(expectation()));

    ZipReader original(fixture(), {}), saved(scratch.path("saved.xlsx"), {});
    size_t compared = 0;
    for (const std::string& name : original.names()) {
        if (regenerated(name) || name.back() == '/') continue;
        ASSERT_TRUE(saved.contains(name)) << name;
        EXPECT_EQ(saved.read(name), original.read(name)) << name;
        ++compared;
    }
    EXPECT_GT(compared, 0u);
}

TEST_P(FilesProducerRoundTrip, SavingTwiceGivesTheSameParts) {
    MemoryBook book;
    readXlsx(fixture(), book);
    ScratchDir scratch;
    writeXlsx(book, scratch.path("one.xlsx"));
    MemoryBook again;
    readXlsx(scratch.path("one.xlsx"), again);
    writeXlsx(again, scratch.path("two.xlsx"));
    ZipReader one(scratch.path("one.xlsx"), {}), two(scratch.path("two.xlsx"), {});
    ASSERT_EQ(one.names(), two.names());
    for (const std::string& name : one.names()) EXPECT_EQ(one.read(name), two.read(name)) << name;
}

INSTANTIATE_TEST_SUITE_P(Producers, FilesProducerRoundTrip,
                         ::testing::Values("openpyxl", "xlsxwriter", "libreoffice", "handmade"));

}  // namespace
}  // namespace files::test
