#include "files/styles.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "files/file_error.h"
#include "files/number_format.h"
#include "files/palette.h"
#include "files/xml_parser.h"
#include "files/xml_splice.h"

namespace files {

namespace {

std::uint32_t applyTint(std::uint32_t rgb, double tint) {
    // Lighten towards white or darken towards black, channel by channel.
    auto channel = [&](int shift) {
        const double c = static_cast<double>((rgb >> shift) & 0xFF);
        const double v = tint < 0 ? c * (1 + tint) : c + (255 - c) * tint;
        return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 255.0))) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

class StylesHandler : public XmlHandler {
public:
    StylesHandler(StyleTable& table, const std::vector<std::uint32_t>& theme)
        : table_(table), recorder_(*this), theme_(theme) {}

    void startElement(const XmlName& name, const XmlAttributes& a) override {
        recorder_.start(name);
        const std::string_view n = name.local;
        if (recorder_.depth() == 1) table_.prefix = name.prefix.empty() ? "" : std::string(name.prefix) + ":";
        if (recorder_.depth() == 2 && !table_.hasFills && table_.fillsPlace == 0 &&
            (n == "borders" || n == "cellStyleXfs" || n == "cellXfs"))
            table_.fillsPlace = parser().tagOffset();
        if (n == "numFmt") {
            codes_[static_cast<int>(a.getInt("numFmtId"))] = std::string(a.get("formatCode"));
        } else if (n == "fills" && recorder_.depth() == 2) {
            // Fill ids and the splice points must come from one list.
            if (table_.hasFills) throw FormatError("the styles part has two fill lists");
            table_.hasFills = true;
            inFills_ = true;
            table_.fillsTag = parser().tagOffset();
            table_.fillsTagEnd = parser().tagOffset() + parser().tagLength();
        } else if (n == "fill" && inFills_ && recorder_.depth() == 3) {
            table_.fillColors.push_back(0);
            solid_ = false;
        } else if (n == "patternFill" && inFills_ && !table_.fillColors.empty()) {
            const std::string_view type = a.get("patternType");
            solid_ = !type.empty() && type != "none";
        } else if (n == "fgColor" && solid_ && inFills_ && !table_.fillColors.empty()) {
            table_.fillColors.back() = colorOf(a);
        } else if (n == "cellXfs" && recorder_.depth() == 2) {
            if (table_.hasXfs) throw FormatError("the styles part has two cell format lists");
            table_.hasXfs = true;
            inXfs_ = true;
            table_.xfsTag = parser().tagOffset();
            table_.xfsTagEnd = parser().tagOffset() + parser().tagLength();
        } else if (n == "xf" && inXfs_ && recorder_.depth() == 3) {
            CellFormat f;
            f.begin = parser().tagOffset();
            const int id = static_cast<int>(a.getInt("numFmtId"));
            const auto code = codes_.find(id);
            f.isDate = code != codes_.end() ? isDateFormatCode(code->second) : isBuiltinDateFormat(id);
            const size_t fill = static_cast<size_t>(a.getInt("fillId"));
            f.colorIndex = fill < table_.fillColors.size() ? table_.fillColors[fill] : 0;
            table_.formats.push_back(f);
        }
    }

    void endElement(const XmlName& name) override {
        if (recorder_.depth() == 2 && name.local == "fills") {
            table_.fillsClose = parser().tagLength() == 0 ? 0 : parser().tagOffset();
            inFills_ = false;
        }
        if (recorder_.depth() == 2 && name.local == "cellXfs") {
            table_.xfsClose = parser().tagLength() == 0 ? 0 : parser().tagOffset();
            inXfs_ = false;
        }
        if (recorder_.depth() == 3 && inXfs_ && name.local == "xf")
            table_.formats.back().end = recorder_.endOfCurrent();
        recorder_.end();
    }

private:
    int colorOf(const XmlAttributes& a) const {
        if (const char* rgb = a.find("rgb")) {
            const std::string_view v(rgb);
            const std::string_view hex = v.size() == 8 ? v.substr(2) : v;
            return nearestColorIndex(static_cast<std::uint32_t>(std::strtoul(std::string(hex).c_str(), nullptr, 16)));
        }
        if (const char* indexed = a.find("indexed")) return colorIndexOfIndexed(std::atoi(indexed));
        if (const char* theme = a.find("theme")) {
            const size_t t = static_cast<size_t>(std::atoi(theme));
            if (t < theme_.size()) return nearestColorIndex(applyTint(theme_[t], a.getDouble("tint")));
        }
        return 0;
    }

    StyleTable& table_;
    ChildRecorder recorder_;
    const std::vector<std::uint32_t>& theme_;
    std::map<int, std::string> codes_;
    bool solid_ = false, inXfs_ = false, inFills_ = false;
};

class ThemeHandler : public XmlHandler {
public:
    std::map<std::string, std::uint32_t> colors;
    void startElement(const XmlName& name, const XmlAttributes& a) override {
        if (name.local == "clrScheme")
            inScheme_ = true;
        else if (inScheme_ && current_.empty())
            current_ = std::string(name.local);
        else if (inScheme_ && (name.local == "srgbClr" || name.local == "sysClr")) {
            const char* value = name.local == "srgbClr" ? a.find("val") : a.find("lastClr");
            if (value) colors[current_] = static_cast<std::uint32_t>(std::strtoul(value, nullptr, 16));
        }
    }
    void endElement(const XmlName& name) override {
        if (name.local == "clrScheme")
            inScheme_ = false;
        else if (name.local == current_)
            current_.clear();
    }

private:
    bool inScheme_ = false;
    std::string current_;
};

}  // namespace

StyleTable StyleTable::parse(std::string xml, const std::vector<std::uint32_t>& themeColors) {
    StyleTable table;
    table.xml = std::move(xml);
    StylesHandler handler(table, themeColors);
    XmlParser parser(handler);
    parser.parseAll(table.xml);
    return table;
}

std::vector<std::uint32_t> parseThemeColors(std::string_view themeXml) {
    ThemeHandler handler;
    XmlParser parser(handler);
    parser.parseAll(themeXml);
    std::vector<std::uint32_t> out;
    for (const char* key : {"lt1", "dk1", "lt2", "dk2", "accent1", "accent2", "accent3", "accent4", "accent5",
                            "accent6", "hlink", "folHlink"}) {
        const auto it = handler.colors.find(key);
        out.push_back(it == handler.colors.end() ? 0 : it->second);
    }
    return out;
}

std::string StyleTable::minimalXml() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
           "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
           "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
           "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
           "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
           "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
           "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/></cellXfs>"
           "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
           "</styleSheet>";
}

std::uint32_t StyleWriter::formatFor(std::uint32_t styleId, int colorIndex, bool date) {
    if (table_.formats.empty()) return 0;
    const std::uint32_t base = styleId < table_.formats.size() ? styleId : 0;
    const CellFormat& f = table_.formats[base];
    if (f.colorIndex == colorIndex && (!date || f.isDate)) return base;
    const auto key = std::make_tuple(base, colorIndex, date && !f.isDate);
    if (const auto it = memo_.find(key); it != memo_.end()) return it->second;
    std::string xf = table_.xml.substr(f.begin, f.end - f.begin);
    if (f.colorIndex != colorIndex) {
        setAttribute(xf, "fillId", std::to_string(colorIndex ? fillFor(colorIndex) : 0));
        setAttribute(xf, "applyFill", "1");
    }
    if (date && !f.isDate) {
        setAttribute(xf, "numFmtId", "14");
        setAttribute(xf, "applyNumberFormat", "1");
    }
    const auto id = static_cast<std::uint32_t>(table_.formats.size() + newFormats_.size());
    newFormats_.push_back(std::move(xf));
    memo_[key] = id;
    return id;
}

int StyleWriter::fillFor(int colorIndex) {
    if (const auto it = fillIds_.find(colorIndex); it != fillIds_.end()) return it->second;
    int id = -1;
    for (size_t i = 0; i < table_.fillColors.size() && id < 0; ++i)
        if (table_.fillColors[i] == colorIndex) id = static_cast<int>(i);
    if (id < 0) {
        char rgb[9];
        std::snprintf(rgb, sizeof rgb, "FF%06X", static_cast<unsigned>(paletteRgb(colorIndex)));
        const std::string& p = table_.prefix;
        newFills_.push_back("<" + p + "fill><" + p + "patternFill patternType=\"solid\"><" + p + "fgColor rgb=\"" +
                            rgb + "\"/><" + p + "bgColor indexed=\"64\"/></" + p + "patternFill></" + p + "fill>");
        id = static_cast<int>(firstNewFillId() + newFills_.size() - 1);
    }
    fillIds_[colorIndex] = id;
    return id;
}

namespace {

// Appends children to a list element and updates its count attribute.
void extendList(std::vector<XmlEdit>& edits, const std::string& xml, std::uint64_t tag, std::uint64_t tagEnd,
                std::uint64_t close, const std::string& closeTag, const std::vector<std::string>& items, size_t total) {
    std::string start = xml.substr(tag, tagEnd - tag);
    std::string joined;
    for (const std::string& item : items) joined += item;
    if (close == 0) {  // written as an empty element
        if (start.size() >= 2 && start[start.size() - 2] == '/') start.erase(start.size() - 2, 1);
        setAttribute(start, "count", std::to_string(total));
        edits.push_back({tag, tagEnd, start + joined + closeTag});
        return;
    }
    setAttribute(start, "count", std::to_string(total));
    edits.push_back({tag, tagEnd, start});
    edits.push_back({close, close, joined});
}

}  // namespace

std::string StyleWriter::toXml() const {
    std::vector<XmlEdit> edits;
    const std::string& p = table_.prefix;
    if (!newFills_.empty() && table_.hasFills)
        extendList(edits, table_.xml, table_.fillsTag, table_.fillsTagEnd, table_.fillsClose, "</" + p + "fills>",
                   newFills_, table_.fillColors.size() + newFills_.size());
    if (!newFills_.empty() && !table_.hasFills) {
        std::string list = "<" + p + "fills count=\"" + std::to_string(firstNewFillId() + newFills_.size()) + "\">" +
                           "<" + p + "fill><" + p + "patternFill patternType=\"none\"/></" + p + "fill>" + "<" + p +
                           "fill><" + p + "patternFill patternType=\"gray125\"/></" + p + "fill>";
        for (const std::string& fill : newFills_) list += fill;
        edits.push_back({table_.fillsPlace, table_.fillsPlace, list + "</" + p + "fills>"});
    }
    if (!newFormats_.empty() && table_.hasXfs)
        extendList(edits, table_.xml, table_.xfsTag, table_.xfsTagEnd, table_.xfsClose, "</" + p + "cellXfs>",
                   newFormats_, table_.formats.size() + newFormats_.size());
    return applyEdits(table_.xml, std::move(edits));
}

}  // namespace files
