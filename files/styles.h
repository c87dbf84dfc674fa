#pragma once
// The workbook's styles part, read for what the engine models (date formats, palette fills)
// and extended on save with the cell formats new fills or dates need. The part's text is
// kept; saving only inserts new fills and formats and updates their counts.
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace files {

struct CellFormat {
    bool isDate = false;
    int colorIndex = 0;                // palette fill, 0 when none
    std::uint64_t begin = 0, end = 0;  // the <xf> element in the part's text
};

struct StyleTable {
    std::string xml;                                              // the part as read
    std::vector<CellFormat> formats;                              // cellXfs, indexed by a cell's s attribute
    std::vector<int> fillColors;                                  // per fill: palette index, 0 when none
    std::uint64_t fillsTag = 0, fillsTagEnd = 0, fillsClose = 0;  // <fills ...> and </fills>
    std::uint64_t xfsTag = 0, xfsTagEnd = 0, xfsClose = 0;        // <cellXfs ...> and </cellXfs>
    bool hasFills = false, hasXfs = false;
    std::uint64_t fillsPlace = 0;  // where a missing fill list goes: before borders or cell formats
    std::string prefix;            // "x:" when the part prefixes its elements

    // Theme colours (lt1, dk1, lt2, dk2, accent1..6, hlink, folHlink) resolve theme fills.
    static StyleTable parse(std::string xml, const std::vector<std::uint32_t>& themeColors = {});
    static std::string minimalXml();
};

// Theme colours in the order fills refer to them by number.
std::vector<std::uint32_t> parseThemeColors(std::string_view themeXml);

// Hands out cell format ids for what a cell needs and writes the extended part.
class StyleWriter {
public:
    explicit StyleWriter(const StyleTable& table) : table_(table) {}
    // The format to write for a cell carrying `styleId` that should show `colorIndex` and,
    // when `date`, a date format.
    std::uint32_t formatFor(std::uint32_t styleId, int colorIndex, bool date);
    bool changed() const { return !newFormats_.empty(); }
    std::string toXml() const;

private:
    int fillFor(int colorIndex);
    // A part without a fill list gets one, starting with the two fills every reader reserves.
    size_t firstNewFillId() const { return table_.hasFills ? table_.fillColors.size() : 2; }

    const StyleTable& table_;
    std::map<std::tuple<std::uint32_t, int, bool>, std::uint32_t> memo_;
    std::map<int, int> fillIds_;  // palette index -> fill id (new or existing)
    std::vector<std::string> newFills_;
    std::vector<std::string> newFormats_;
};

}  // namespace files
