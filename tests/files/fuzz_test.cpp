// Randomized fuzzing of the readers: mutated archives, mutated parts inside valid archives
// and random csv text must either load or fail with a FileError; never crash or hang.
// The seed is fixed for CI; CW_FUZZ_SEED and CW_FUZZ_ROUNDS explore further.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "files/csv_file.h"
#include "files/file_error.h"
#include "files/xlsx_reader.h"
#include "files/xlsx_writer.h"
#include "files/zip_archive.h"
#include "memory_book.h"

namespace files::test {
namespace {

unsigned seed() {
    const char* s = std::getenv("CW_FUZZ_SEED");
    return s ? static_cast<unsigned>(std::strtoul(s, nullptr, 10)) : 20261207u;
}

int rounds(int fallback) {
    const char* r = std::getenv("CW_FUZZ_ROUNDS");
    return r ? std::atoi(r) : fallback;
}

const char* const kFixtures[] = {"openpyxl", "xlsxwriter", "libreoffice", "handmade"};

std::string mutate(std::string text, std::mt19937& rng) {
    static const std::string pieces[] = {"<",
                                         ">",
                                         "\"",
                                         "&",
                                         "/>",
                                         "</c>",
                                         "<c r=\"XFD1048576\">",
                                         "<row r=\"0\">",
                                         "t=\"s\"",
                                         "<v>99999</v>",
                                         "<f t=\"shared\" si=\"5\"/>",
                                         "_x00",
                                         "<xdr:sp>",
                                         "r:id=\"rId99\"",
                                         "\xFF\xFE",
                                         "]]>",
                                         "&amp;",
                                         "<is><t>"};
    const int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits && !text.empty(); ++e) {
        const size_t at = rng() % text.size();
        switch (rng() % 5) {
        case 0: text[at] = static_cast<char>(rng()); break;
        case 1: text.erase(at, rng() % 64); break;
        case 2: text.insert(at, pieces[rng() % std::size(pieces)]); break;
        case 3: text.insert(at, text.substr(rng() % text.size(), rng() % 128)); break;
        case 4: text.resize(at); break;
        }
    }
    return text;
}

// Reads the file; a successful read is also saved and read again.
void readAndMaybeSave(const std::string& path, const ScratchDir& dir) {
    InflateLimits limits;
    limits.maxTotalBytes = 64u << 20;
    try {
        MemoryBook book;
        readXlsx(path, book, limits);
        writeXlsx(book, dir.path("resaved.xlsx"));
        MemoryBook again;
        readXlsx(dir.path("resaved.xlsx"), again, limits);
        EXPECT_EQ(dump(again), dump(book)) << "a mutated file did not survive its own save";
    } catch (const FileError&) {
        // refused with a message: what we want for damaged input
    }
}

TEST(FilesFuzz, DamagedArchives) {
    std::mt19937 rng(seed());
    ScratchDir dir;
    for (int round = 0; round < rounds(120); ++round) {
        const std::string original = readFile(dataPath(std::string(kFixtures[round % 4]) + "/book.xlsx"));
        writeFile(dir.path("damaged.xlsx"), mutate(original, rng));
        SCOPED_TRACE("round " + std::to_string(round) + ", seed " + std::to_string(seed()));
        readAndMaybeSave(dir.path("damaged.xlsx"), dir);
    }
}

TEST(FilesFuzz, DamagedPartsInSoundArchives) {
    std::mt19937 rng(seed() + 1);
    ScratchDir dir;
    for (int round = 0; round < rounds(240); ++round) {
        ZipReader original(dataPath(std::string(kFixtures[round % 4]) + "/book.xlsx"), {});
        const std::vector<std::string>& names = original.names();
        const std::string victim = names[rng() % names.size()];
        {
            ZipWriter out;
            for (const std::string& name : names)
                out.add(name, name == victim ? mutate(original.read(name), rng) : original.read(name));
            writeFile(dir.path("parts.xlsx"), out.close());
        }
        SCOPED_TRACE("round " + std::to_string(round) + ", part " + victim + ", seed " + std::to_string(seed()));
        readAndMaybeSave(dir.path("parts.xlsx"), dir);
    }
}

TEST(FilesFuzz, RandomCsv) {
    std::mt19937 rng(seed() + 2);
    ScratchDir dir;
    static const std::string alphabet[] = {",", ";", "\t", "\"", "\n",       "\r",       "a",
                                           "1", "-", ".",  "=",  "\xC3\xA9", "\xE2\x82", " "};
    for (int round = 0; round < rounds(300); ++round) {
        std::string text;
        const size_t length = rng() % 200;
        for (size_t i = 0; i < length; ++i) text += alphabet[rng() % std::size(alphabet)];
        writeFile(dir.path("random.csv"), text);
        try {
            MemoryBook book;
            readCsv(dir.path("random.csv"), book);
            ASSERT_EQ(book.sheets.size(), 1u);
        } catch (const FileError&) {}
    }
}

}  // namespace
}  // namespace files::test
