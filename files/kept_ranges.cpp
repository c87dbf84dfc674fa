#include "files/kept_ranges.h"

#include "files/cell_ref.h"
#include "files/file_error.h"
#include "files/xml_splice.h"
#include "host/constants.h"

namespace files {

namespace {

// Visits each tag "<[prefix:]element ...>" in xml; the visitor returns the replacement.
size_t rewriteTags(std::string& xml, std::string_view element,
                   const std::function<std::optional<std::string>(std::string&)>& rewrite) {
    size_t removed = 0;
    size_t at = 0;
    while ((at = xml.find('<', at)) != std::string::npos) {
        size_t nameBegin = at + 1;
        size_t nameEnd = nameBegin;
        while (nameEnd < xml.size() && xml[nameEnd] != ' ' && xml[nameEnd] != '>' && xml[nameEnd] != '/') ++nameEnd;
        std::string_view name(xml.data() + nameBegin, nameEnd - nameBegin);
        if (const size_t colon = name.find(':'); colon != std::string_view::npos) name.remove_prefix(colon + 1);
        const size_t close = xml.find('>', at);
        if (name != element || close == std::string::npos) {
            ++at;
            continue;
        }
        std::string tag = xml.substr(at, close + 1 - at);
        const std::optional<std::string> replacement = rewrite(tag);
        const bool selfClosing = tag.size() >= 2 && tag[tag.size() - 2] == '/';
        if (!replacement && !selfClosing) {
            at = close + 1;  // an element with content is not removed piecemeal
            continue;
        }
        if (!replacement) {
            ++removed;
            xml.erase(at, tag.size());
            continue;
        }
        xml.replace(at, tag.size(), *replacement);
        at += replacement->size();
    }
    return removed;
}

}  // namespace

std::optional<std::string> movedSqref(std::string_view sqref, const AreaMapper& map) {
    std::vector<Area> areas;
    try {
        areas = parseSqref(sqref);
    } catch (const FormatError&) {
        return std::string(sqref);  // not ours to judge: keep it as it was
    }
    areas = map(std::move(areas));
    if (areas.empty()) return std::nullopt;
    return sqrefOf(areas);
}

size_t moveRangeAttributes(std::string& xml, std::string_view element, std::string_view attribute,
                           const AreaMapper& map) {
    return rewriteTags(xml, element, [&](std::string& tag) -> std::optional<std::string> {
        const std::string value = attributeOf(tag, attribute);
        if (value.empty()) return tag;
        const auto moved = movedSqref(value, map);
        if (!moved) return std::nullopt;
        setAttribute(tag, attribute, *moved);
        return tag;
    });
}

size_t moveColumnSpans(std::string& xml, const AreaMapper& map) {
    return rewriteTags(xml, "col", [&](std::string& tag) -> std::optional<std::string> {
        const long min = std::atol(attributeOf(tag, "min").c_str());
        const long max = std::atol(attributeOf(tag, "max").c_str());
        if (min < 1 || max < min) return tag;
        const auto areas = map({Area{1, min, host::kMaxRows, std::min(max, host::kMaxColumns)}});
        if (areas.empty()) return std::nullopt;
        setAttribute(tag, "min", std::to_string(areas.front().col1));
        setAttribute(tag, "max", std::to_string(areas.front().col2));
        return tag;
    });
}

}  // namespace files
