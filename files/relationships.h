#pragma once
// The relationships of one package part (its _rels/NAME.rels part), and how their targets
// name other parts: relative to the source part's folder, or absolute from the package root.
#include <string>
#include <string_view>
#include <vector>

namespace files {

namespace reltype {
inline constexpr std::string_view officeDocument =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
inline constexpr std::string_view prefix = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
}  // namespace reltype

struct Relationship {
    std::string id;
    std::string type;    // full type URI
    std::string target;  // as written
    bool external = false;
    // The last path segment of the type ("worksheet", "comments", ...), for matching.
    std::string_view kind() const;
};

class Relationships {
public:
    static Relationships parse(std::string_view xml);
    std::string toXml() const;

    std::vector<Relationship> items;

    const Relationship* byId(std::string_view id) const;
    const Relationship* firstOfKind(std::string_view kind) const;
    // Adds a relationship with a fresh id and returns that id.
    std::string add(std::string_view kind, const std::string& target);
    void remove(std::string_view id);
};

// "xl/worksheets/sheet1.xml" -> "xl/worksheets/_rels/sheet1.xml.rels"; "" -> "_rels/.rels".
std::string relsPartName(std::string_view part);
// The part a target names, seen from `sourcePart` (no leading slash, "." and ".." resolved).
std::string resolveTarget(std::string_view sourcePart, std::string_view target);
// The relative target that names `part` from `sourcePart`.
std::string relativeTarget(std::string_view sourcePart, std::string_view part);

}  // namespace files
