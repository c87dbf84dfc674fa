// The styles part and a theme: parsed, then extended the way a save extends it (a fill and a
// date format for each kind of cell) and parsed again. Every format handed out must exist
// in the written part and carry the fill and date-ness it was asked for.
#include <cstdint>
#include <string>
#include <vector>

#include "files/file_error.h"
#include "files/styles.h"
#include "fuzz_support.h"

namespace {

// The input is a styles part, optionally followed by "\0" and a theme part.
std::pair<std::string_view, std::string_view> split(std::string_view input) {
    const size_t cut = input.find('\0');
    if (cut == std::string_view::npos) return {input, {}};
    return {input.substr(0, cut), input.substr(cut + 1)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const auto [stylesXml, themeXml] = split(fuzz::bytes(data, size));
    files::StyleTable table;
    try {
        const std::vector<std::uint32_t> theme =
            themeXml.empty() ? std::vector<std::uint32_t>{} : files::parseThemeColors(themeXml);
        table = files::StyleTable::parse(std::string(stylesXml), theme);
    } catch (const files::FormatError&) {
        return 0;
    }
    files::StyleWriter writer(table);
    struct Asked {
        std::uint32_t format;
        int color;
        bool date;
    };
    std::vector<Asked> asked;
    const std::uint32_t formats = static_cast<std::uint32_t>(table.formats.size());
    for (std::uint32_t style : {0u, 1u, formats > 0 ? formats - 1 : 0u}) {
        for (int color : {0, 3, 56})
            for (bool date : {false, true}) asked.push_back({writer.formatFor(style, color, date), color, date});
    }
    if (!writer.changed()) return 0;
    files::StyleTable again;
    const std::string written = writer.toXml();
    try {
        again = files::StyleTable::parse(written);
    } catch (const files::FormatError& e) {
        fuzz::fail("an extended styles part does not parse", std::string(e.what()) + "\n" + written);
    }
    for (const Asked& a : asked) {
        fuzz::require(a.format < again.formats.size(), "a handed-out format is missing from the written part", written);
        const files::CellFormat& f = again.formats[a.format];
        if (a.date) fuzz::require(f.isDate, "a format asked to show a date does not", written);
        if (a.color != 0)
            fuzz::require(f.colorIndex == a.color, "a format asked for a fill shows another",
                          "format " + std::to_string(a.format) + " asked " + std::to_string(a.color) + " shows " +
                              std::to_string(f.colorIndex) + "\n" + written);
    }
    return 0;
}
