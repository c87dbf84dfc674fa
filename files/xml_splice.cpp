#include "files/xml_splice.h"

#include <algorithm>

namespace files {

void ChildRecorder::start(const XmlName& name) {
    ++depth_;
    begins_.push_back(handler_.parser().tagOffset());
    startLengths_.push_back(handler_.parser().tagLength());
    if (depth_ == 1) {
        rootPrefix = std::string(name.prefix);
        rootTagEnd = handler_.parser().tagOffset() + handler_.parser().tagLength();
    } else if (depth_ == 2) {
        children.push_back({std::string(name.local), handler_.parser().tagOffset(), 0});
    }
}

std::uint64_t ChildRecorder::endOfCurrent() const {
    // An empty element's end is reported with no length of its own.
    const std::uint64_t length = handler_.parser().tagLength();
    return length == 0 ? begins_.back() + startLengths_.back() : handler_.parser().tagOffset() + length;
}

void ChildRecorder::end() {
    if (depth_ == 2 && !children.empty()) children.back().end = endOfCurrent();
    if (depth_ == 1) rootCloseBegin = handler_.parser().tagLength() == 0 ? rootTagEnd : handler_.parser().tagOffset();
    begins_.pop_back();
    startLengths_.pop_back();
    --depth_;
}

std::string applyEdits(std::string_view document, std::vector<XmlEdit> edits) {
    // An insert at the point where a replacement begins goes before it, not under it.
    std::stable_sort(edits.begin(), edits.end(), [](const XmlEdit& a, const XmlEdit& b) {
        return a.begin < b.begin || (a.begin == b.begin && a.begin == a.end && b.begin != b.end);
    });
    std::string out;
    size_t size = document.size();
    for (const XmlEdit& e : edits) size += e.text.size();
    out.reserve(size);
    std::uint64_t at = 0;
    for (const XmlEdit& e : edits) {
        if (e.begin < at) continue;  // overlapping edit: the first one wins
        out.append(document.substr(at, e.begin - at));
        out += e.text;
        at = e.end;
    }
    out.append(document.substr(std::min<std::uint64_t>(at, document.size())));
    return out;
}

namespace {

size_t startTagEnd(std::string_view element) {
    char quote = 0;
    for (size_t i = 0; i < element.size(); ++i) {
        const char c = element[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return element[i - 1] == '/' ? i - 1 : i;
        }
    }
    return element.size();
}

// Position of ` name=` within the start tag and the value's bounds.
bool findAttribute(std::string_view element, std::string_view name, size_t& at, size_t& valueBegin, size_t& valueEnd) {
    const size_t tagEnd = startTagEnd(element);
    char quote = 0;
    for (size_t i = 0; i < tagEnd; ++i) {
        const char c = element[i];
        if (quote) {
            if (c == quote) quote = 0;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
            continue;
        }
        if ((c == ' ' || c == '\t' || c == '\n' || c == '\r') && element.substr(i + 1, name.size()) == name) {
            size_t j = i + 1 + name.size();
            while (j < tagEnd && element[j] == ' ') ++j;
            if (j >= tagEnd || element[j] != '=') continue;
            ++j;
            while (j < tagEnd && element[j] == ' ') ++j;
            if (j >= tagEnd || (element[j] != '"' && element[j] != '\'')) continue;
            const size_t close = element.find(element[j], j + 1);
            if (close == std::string_view::npos) return false;
            at = i;
            valueBegin = j + 1;
            valueEnd = close;
            return true;
        }
    }
    return false;
}

}  // namespace

void setAttribute(std::string& element, std::string_view name, std::string_view value) {
    size_t at, b, e;
    if (findAttribute(element, name, at, b, e)) {
        element.replace(b, e - b, value);
    } else {
        element.insert(startTagEnd(element), " " + std::string(name) + "=\"" + std::string(value) + "\"");
    }
}

void removeAttribute(std::string& element, std::string_view name) {
    size_t at, b, e;
    if (findAttribute(element, name, at, b, e)) element.erase(at, e + 1 - at);
}

std::string attributeOf(std::string_view element, std::string_view name) {
    size_t at, b, e;
    return findAttribute(element, name, at, b, e) ? std::string(element.substr(b, e - b)) : std::string();
}

std::uint64_t insertionPoint(const ChildRecorder& recorder, std::string_view name,
                             const std::vector<std::string_view>& order) {
    auto rank = [&](std::string_view n) {
        const auto it = std::find(order.begin(), order.end(), n);
        return it == order.end() ? -1 : static_cast<int>(it - order.begin());
    };
    const int mine = rank(name);
    std::uint64_t point = recorder.rootTagEnd;
    for (const ElementSpan& child : recorder.children) {
        const int r = rank(child.name);
        if (r > mine) return child.begin;
        point = child.end;
    }
    return recorder.children.empty() ? recorder.rootTagEnd : point;
}

}  // namespace files
