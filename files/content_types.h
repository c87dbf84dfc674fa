#pragma once
// [Content_Types].xml: the content type of every part, by extension or by part name.
#include <string>
#include <string_view>
#include <vector>

namespace files {

namespace contenttype {
inline constexpr std::string_view worksheet =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
inline constexpr std::string_view sharedStrings =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml";
inline constexpr std::string_view styles = "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml";
inline constexpr std::string_view comments = "application/vnd.openxmlformats-officedocument.spreadsheetml.comments+xml";
inline constexpr std::string_view vml = "application/vnd.openxmlformats-officedocument.vmlDrawing";
inline constexpr std::string_view workbook =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
inline constexpr std::string_view relationships = "application/vnd.openxmlformats-package.relationships+xml";
}  // namespace contenttype

class ContentTypes {
public:
    static ContentTypes parse(std::string_view xml);
    std::string toXml() const;

    std::string of(std::string_view part) const;  // "" when unknown
    void setOverride(std::string_view part, std::string_view type);
    void removeOverride(std::string_view part);
    void ensureDefault(std::string_view extension, std::string_view type);

    struct Entry {
        std::string key;  // extension (lower case) or part name without the leading slash
        std::string type;
    };
    std::vector<Entry> defaults, overrides;
};

}  // namespace files
