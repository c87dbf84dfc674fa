#include "files/sheet_data_scanner.h"

#include <algorithm>
#include <cstring>

#include "files/file_error.h"

namespace files {

namespace {

constexpr std::string_view kOtherNamespace = "urn:cellwash:unresolved";

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Appends `raw` with entity and character references resolved.
void decodeInto(std::string& out, std::string_view raw) {
    size_t at = 0;
    while (true) {
        const size_t amp = raw.find('&', at);
        if (amp == std::string_view::npos) {
            out.append(raw.substr(at));
            return;
        }
        out.append(raw.substr(at, amp - at));
        const size_t semi = raw.find(';', amp);
        if (semi == std::string_view::npos) throw FormatError("malformed XML in the cells: an unterminated reference");
        const std::string_view name = raw.substr(amp + 1, semi - amp - 1);
        if (name == "lt")
            out += '<';
        else if (name == "gt")
            out += '>';
        else if (name == "amp")
            out += '&';
        else if (name == "quot")
            out += '"';
        else if (name == "apos")
            out += '\'';
        else if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x';
            const std::string digits(name.substr(hex ? 2 : 1));
            char* end = nullptr;
            const unsigned long cp = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
            if (digits.empty() || *end || cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
                throw FormatError("malformed XML in the cells: a bad character reference");
            if (cp < 0x80)
                out += static_cast<char>(cp);
            else if (cp < 0x800) {
                out += static_cast<char>(0xC0 | (cp >> 6));
                out += static_cast<char>(0x80 | (cp & 0x3F));
            } else if (cp < 0x10000) {
                out += static_cast<char>(0xE0 | (cp >> 12));
                out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (cp & 0x3F));
            } else {
                out += static_cast<char>(0xF0 | (cp >> 18));
                out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
                out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (cp & 0x3F));
            }
        } else {
            throw FormatError("malformed XML in the cells: the entity &" + std::string(name) + "; is not defined");
        }
        at = semi + 1;
    }
}

}  // namespace

SheetDataScanner::PlainTags::PlainTags(const std::string& prefix) {
    const std::string p = prefix.empty() ? "" : prefix + ":";
    cell = "<" + p + "c";
    cellEnd = "</" + p + "c>";
    value = "<" + p + "v>";
    valueEnd = "</" + p + "v>";
    formula = "<" + p + "f>";
    formulaEnd = "</" + p + "f>";
    inlineString = "<" + p + "is>";
    inlineStringEnd = "</" + p + "is>";
    text = "<" + p + "t>";
    textPreserved = "<" + p + "t xml:space=\"preserve\">";
    textEnd = "</" + p + "t>";
}

SheetDataScanner::SheetDataScanner(XmlHandler& handler, std::string prefix, CellSink* cells)
    : handler_(handler), prefix_(std::move(prefix)), cells_(cells), tags_(prefix_) {}

bool SheetDataScanner::feed(std::string_view chunk, std::string& rest) {
    bool done = false;
    if (pending_.empty()) {
        const size_t used = scan(chunk, done);
        if (done)
            rest.assign(chunk.substr(used));
        else
            pending_.assign(chunk.substr(used));
        return done;
    }
    pending_.append(chunk);
    const size_t used = scan(pending_, done);
    if (done) {
        rest.assign(pending_, used);
        pending_.clear();
    } else {
        pending_.erase(0, used);
    }
    return done;
}

size_t SheetDataScanner::scan(std::string_view text, bool& done) {
    size_t at = 0;
    while (at < text.size()) {
        const size_t lt = text.find('<', at);
        if (lt == std::string_view::npos) return at + textRun(text.substr(at));
        if (lt > at) emitText(text.substr(at, lt - at));
        const size_t next = tag(text, lt, done);
        if (done) return lt;
        if (next == 0) return lt;  // incomplete tag: wait for more
        at = next;
    }
    return at;
}

// Text is handed on as it comes (holding a long run back would cost memory and a search
// per chunk); only a reference cut off by the chunk's end waits for the rest of it.
size_t SheetDataScanner::textRun(std::string_view run) {
    constexpr size_t longestReference = 32;  // "&#x10FFFF;", with room for leading zeros
    const size_t amp = run.rfind('&');
    const bool cut = amp != std::string_view::npos && run.find(';', amp) == std::string_view::npos &&
                     run.size() - amp < longestReference;
    const size_t whole = cut ? amp : run.size();
    if (whole > 0) emitText(run.substr(0, whole));
    return whole;
}

void SheetDataScanner::emitText(std::string_view raw) {
    if (raw.find('&') == std::string_view::npos) return handler_.text(raw);
    decoded_.clear();
    decodeInto(decoded_, raw);
    handler_.text(decoded_);
}

XmlName SheetDataScanner::nameOf(std::string_view qualified, bool element) {
    const size_t colon = qualified.find(':');
    const std::string_view prefix = colon == std::string_view::npos ? std::string_view() : qualified.substr(0, colon);
    const std::string_view local = colon == std::string_view::npos ? qualified : qualified.substr(colon + 1);
    std::string_view uri;
    if (prefix == prefix_ && element)
        uri = ns::main;
    else if (!prefix.empty())
        uri = kOtherNamespace;
    return {uri, local, prefix};
}

// Records how far an incomplete token was searched; refuses one that has grown too long.
size_t SheetDataScanner::incomplete(std::string_view token, size_t searched, char quote) {
    if (token.size() > kMaxMarkupBytes)
        throw FormatError("malformed XML in the cells: a tag, comment or CDATA section longer than " +
                          std::to_string(kMaxMarkupBytes >> 20) + " MiB");
    resume_ = {true, searched, quote};
    return 0;
}

// The offset in `token` just past `close`, searching from `from` on; 0 when not there yet.
size_t SheetDataScanner::skipTo(std::string_view token, size_t from, std::string_view close, const Resume& resumed) {
    if (resumed.active) from = std::max(from, resumed.searched - std::min(resumed.searched, close.size() - 1));
    const size_t end = token.find(close, from);
    return end == std::string_view::npos ? incomplete(token, token.size()) : end + close.size();
}

// Handles the markup at text[at] ('<'). Returns the offset after it, 0 when incomplete.
size_t SheetDataScanner::tag(std::string_view text, size_t at, bool& done) {
    const std::string_view rest = text.substr(at);
    // An incomplete token is kept at the start of the next text, so what was learnt about it
    // applies only there.
    const Resume resumed = at == 0 ? resume_ : Resume{};
    resume_ = {};
    if (rest.size() < 2) return incomplete(rest, 0);
    if (rest[1] == '!') {
        if (rest.substr(0, 4) == "<!--") {
            const size_t end = skipTo(rest, 4, "-->", resumed);
            return end ? at + end : 0;
        }
        if (rest.substr(0, 9) == "<![CDATA[") {
            const size_t end = skipTo(rest, 9, "]]>", resumed);
            if (end) handler_.text(rest.substr(9, end - 12));
            return end ? at + end : 0;
        }
        if (rest.size() < 9) return incomplete(rest, 0);
        throw FormatError("malformed XML in the cells: unexpected declaration");
    }
    if (rest[1] == '?') {
        const size_t end = skipTo(rest, 2, "?>", resumed);
        return end ? at + end : 0;
    }
    if (cells_ && rest[1] != '/' && !resumed.active)
        if (const size_t used = plainCell(rest)) return at + used;
    // Find the tag's end, skipping '>' inside quoted attribute values.
    size_t end = resumed.active ? std::max<size_t>(1, resumed.searched) : 1;
    char quote = resumed.active ? resumed.quote : 0;
    for (; end < rest.size(); ++end) {
        const char c = rest[end];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'')
            quote = c;
        else if (c == '>')
            break;
        else if (c == '<')
            throw FormatError("malformed XML in the cells: '<' inside a tag");
    }
    if (end >= rest.size()) return incomplete(rest, end, quote);
    const std::string_view body = rest.substr(1, end - 1);
    if (body.empty()) throw FormatError("malformed XML in the cells: an empty tag");
    if (body[0] == '/') {
        if (open_.empty()) {
            closeSheetData(body);
            done = finished_ = true;
            return at;
        }
        endTag(body);
        return at + end + 1;
    }
    startTag(body);
    return at + end + 1;
}

namespace {

// Whether `text` starts with the short tag `tag`: compared in place, as a call to memcmp for
// a handful of bytes costs more than the comparison (a cell asks this half a dozen times).
bool startsWith(std::string_view text, std::string_view tag) {
    if (text.size() < tag.size()) return false;
    for (size_t i = 0; i < tag.size(); ++i)
        if (text[i] != tag[i]) return false;
    return true;
}

size_t skipSpaces(std::string_view text, size_t at) {
    while (at < text.size() && isSpace(text[at])) ++at;
    return at;
}

// The text from `from` up to `close`, which must be the next tag, with references resolved
// (into `decoded` when it holds any); returns the offset past `close`, 0 when it is not there.
size_t plainText(std::string_view text, size_t from, std::string_view close, std::string& decoded,
                 std::optional<std::string_view>& out) {
    const size_t lt = text.find('<', from);
    if (lt == std::string_view::npos || !startsWith(text.substr(lt), close)) return 0;
    std::string_view raw = text.substr(from, lt - from);
    if (raw.find('&') != std::string_view::npos) {
        decoded.clear();
        decodeInto(decoded, raw);
        raw = decoded;
    }
    out = raw;
    return lt + close.size();
}

}  // namespace

// Reads a cell in a plain shape whole, from the start of `text`, and hands it on. Returns 0,
// having handed on nothing, when the cell has another shape or is not all in `text`: the
// element-by-element road then reads it.
size_t SheetDataScanner::plainCell(std::string_view text) {
    if (!startsWith(text, tags_.cell)) return 0;
    ScannedCell cell;
    size_t at = tags_.cell.size();
    for (bool first = true;; first = false) {  // attributes r, s and t, each once
        const size_t spaced = skipSpaces(text, at);
        if (spaced >= text.size()) return 0;
        if (text[spaced] == '>') {
            at = spaced + 1;
            break;
        }
        if (text.substr(spaced, 2) == "/>") {
            cells_->cell(cell);
            return spaced + 2;
        }
        if (spaced == at && first) return 0;  // "<cx": another element
        at = spaced;
        if (text.size() - at < 3 || text[at + 1] != '=' || (text[at + 2] != '"' && text[at + 2] != '\'')) return 0;
        const size_t close = text.find(text[at + 2], at + 3);
        if (close == std::string_view::npos) return 0;
        const std::string_view value = text.substr(at + 3, close - at - 3);
        if (std::ranges::any_of(value, [](char c) { return c == '&' || c == '<'; })) return 0;
        auto* slot = text[at] == 'r'   ? &cell.ref
                     : text[at] == 's' ? &cell.style
                     : text[at] == 't' ? &cell.type
                                       : nullptr;
        if (!slot || *slot) return 0;
        *slot = value;
        at = close + 1;
    }
    while (true) {  // a <v>, an <f>, an inline string of one <t>, then the end tag
        at = skipSpaces(text, at);
        const std::string_view rest = text.substr(at);
        if (startsWith(rest, tags_.cellEnd)) {
            cells_->cell(cell);
            return at + tags_.cellEnd.size();
        }
        if (startsWith(rest, tags_.value) && !cell.value) {
            at = plainText(text, at + tags_.value.size(), tags_.valueEnd, valueText_, cell.value);
        } else if (startsWith(rest, tags_.formula) && !cell.formula) {
            at = plainText(text, at + tags_.formula.size(), tags_.formulaEnd, formulaText_, cell.formula);
        } else if (startsWith(rest, tags_.inlineString) && !cell.inlineText) {
            at = skipSpaces(text, at + tags_.inlineString.size());
            const std::string_view t = text.substr(at);
            const std::string& open = startsWith(t, tags_.text) ? tags_.text : tags_.textPreserved;
            if (!startsWith(t, open)) return 0;
            at = plainText(text, at + open.size(), tags_.textEnd, inlineText_, cell.inlineText);
            if (at == 0) return 0;
            at = skipSpaces(text, at);
            if (!startsWith(text.substr(at), tags_.inlineStringEnd)) return 0;
            at += tags_.inlineStringEnd.size();
        } else {
            return 0;
        }
        if (at == 0) return 0;
    }
}

void SheetDataScanner::closeSheetData(std::string_view body) {
    size_t n = body.size();
    while (n > 1 && isSpace(body[n - 1])) --n;
    if (nameOf(body.substr(1, n - 1), true).local != "sheetData")
        throw FormatError("malformed XML in the cells: a stray end tag");
}

void SheetDataScanner::endTag(std::string_view body) {
    size_t n = body.size();
    while (n > 1 && isSpace(body[n - 1])) --n;
    const std::string_view name = body.substr(1, n - 1);
    if (open_.back() != name)
        throw FormatError("malformed XML in the cells: <" + open_.back() + "> is closed by </" + std::string(name) +
                          ">");
    open_.pop_back();
    handler_.endElement(nameOf(name, true));
}

void SheetDataScanner::startTag(std::string_view body) {
    const bool empty = body.back() == '/';
    const std::string_view inner = empty ? body.substr(0, body.size() - 1) : body;
    size_t i = 0;
    while (i < inner.size() && !isSpace(inner[i])) ++i;
    const std::string_view name = inner.substr(0, i);
    readAttributes(inner.substr(i));
    const XmlName element = nameOf(name, true);
    handler_.startElement(element, XmlAttributes(attributes_.data()));
    if (empty) {
        handler_.endElement(element);
    } else {
        if (open_.size() >= kMaxNesting)
            throw FormatError("malformed XML in the cells: elements nested more than " + std::to_string(kMaxNesting) +
                              " deep");
        open_.emplace_back(name);
    }
}

// Attributes as expat hands them over: name and value strings, null-terminated.
void SheetDataScanner::readAttributes(std::string_view inner) {
    attributeText_.clear();
    offsets_.clear();
    size_t i = 0;
    while (true) {
        while (i < inner.size() && isSpace(inner[i])) ++i;
        if (i >= inner.size()) break;
        const size_t eq = inner.find('=', i);
        if (eq == std::string_view::npos) throw FormatError("malformed XML in the cells: an attribute without a value");
        size_t nameEnd = eq;
        while (nameEnd > i && isSpace(inner[nameEnd - 1])) --nameEnd;
        size_t v = eq + 1;
        while (v < inner.size() && isSpace(inner[v])) ++v;
        if (v >= inner.size() || (inner[v] != '"' && inner[v] != '\''))
            throw FormatError("malformed XML in the cells: an unquoted attribute value");
        const size_t close = inner.find(inner[v], v + 1);
        if (close == std::string_view::npos)
            throw FormatError("malformed XML in the cells: an unclosed attribute value");
        const XmlName an = nameOf(inner.substr(i, nameEnd - i), false);
        offsets_.push_back(attributeText_.size());
        if (!an.prefix.empty())
            attributeText_.append(an.uri).append(1, '\x01').append(an.local).append(1, '\x01').append(an.prefix);
        else
            attributeText_.append(an.local);
        attributeText_ += '\0';
        offsets_.push_back(attributeText_.size());
        decodeInto(attributeText_, inner.substr(v + 1, close - v - 1));
        attributeText_ += '\0';
        i = close + 1;
    }
    attributes_.clear();
    for (const size_t o : offsets_) attributes_.push_back(attributeText_.data() + o);
    attributes_.push_back(nullptr);
}

SheetPartSplitter::SheetPartSplitter(XmlHandler& handler, Sink toParser, CellSink* cells)
    : handler_(handler), toParser_(std::move(toParser)), cells_(cells) {}

void SheetPartSplitter::feed(std::string_view chunk, bool last) {
    if (state_ == State::After) return toParser_(chunk, last);
    if (state_ == State::Before) {
        head_.append(chunk);
        findStart(last);
        return;
    }
    std::string rest;
    if (!scanner_->feed(chunk, rest)) {
        if (last) throw FormatError("malformed XML: the part ends inside <sheetData>");
        return;
    }
    state_ = State::After;
    toParser_(rest, last);
}

void SheetPartSplitter::findStart(bool last) {
    // Look for "<[prefix:]sheetData" outside comments, CDATA and processing instructions.
    std::string_view h = head_;
    size_t i = scanned_;
    for (; i < h.size(); ++i) {
        if (skip_) {
            const std::string_view close = skip_ == 1 ? "-->" : skip_ == 2 ? "]]>" : "?>";
            if (h.substr(i, close.size()) == close) {
                i += close.size() - 1;
                skip_ = 0;
            } else if (h.size() - i < close.size())
                break;
            continue;
        }
        if (h[i] != '<') continue;
        if (h.size() - i < 12) break;  // too little to decide yet
        if (h.substr(i, 4) == "<!--") {
            skip_ = 1;
            i += 3;
            continue;
        }
        if (h.substr(i, 9) == "<![CDATA[") {
            skip_ = 2;
            i += 8;
            continue;
        }
        if (h[i + 1] == '?') {
            skip_ = 3;
            i += 1;
            continue;
        }
        size_t n = i + 1;
        while (n < h.size() && !isSpace(h[n]) && h[n] != '>' && h[n] != '/') ++n;
        if (n >= h.size()) break;
        const std::string_view name = h.substr(i + 1, n - i - 1);
        const size_t colon = name.find(':');
        if ((colon == std::string_view::npos ? name : name.substr(colon + 1)) != "sheetData") continue;
        size_t end = n;
        char quote = 0;
        for (; end < h.size(); ++end) {
            if (quote) {
                if (h[end] == quote) quote = 0;
            } else if (h[end] == '"' || h[end] == '\'')
                quote = h[end];
            else if (h[end] == '>')
                break;
        }
        if (end >= h.size()) break;
        const bool empty = h[end - 1] == '/';
        toParser_(h.substr(0, end + 1), false);
        if (empty) {
            state_ = State::After;
            toParser_(h.substr(end + 1), last);
        } else {
            state_ = State::Inside;
            scanner_ = std::make_unique<SheetDataScanner>(
                handler_, std::string(colon == std::string_view::npos ? "" : name.substr(0, colon)), cells_);
            const std::string rest(h.substr(end + 1));
            head_.clear();
            feed(rest, last);
            return;
        }
        head_.clear();
        return;
    }
    scanned_ = i;
    if (last) {  // no cells at all: the parser reads the whole part
        state_ = State::After;
        toParser_(head_, true);
        head_.clear();
        return;
    }
    handOn(i);
}

void SheetPartSplitter::handOn(size_t bytes) {
    if (bytes > 0) {
        toParser_(std::string_view(head_).substr(0, bytes), false);
        head_.erase(0, bytes);
        scanned_ -= bytes;
    }
    // What is left is one tag that might be <sheetData>, or the last bytes of a comment's end.
    if (head_.size() > kMaxMarkupBytes)
        throw FormatError("malformed XML: a tag longer than " + std::to_string(kMaxMarkupBytes >> 20) + " MiB");
}

}  // namespace files
