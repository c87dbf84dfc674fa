#include "base/xml_reader.h"

#include <expat.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace base {

namespace {
constexpr char kSeparator = '\x01';
}

XmlName XmlAttributes::split(const char* name) {
    // expat gives "uri\1local\1prefix" for namespaced names and "local" otherwise.
    std::string_view all(name);
    const size_t first = all.find(kSeparator);
    if (first == std::string_view::npos) return {{}, all, {}};
    const size_t second = all.find(kSeparator, first + 1);
    if (second == std::string_view::npos) return {all.substr(0, first), all.substr(first + 1), {}};
    return {all.substr(0, first), all.substr(first + 1, second - first - 1), all.substr(second + 1)};
}

const char* XmlAttributes::find(std::string_view local, std::string_view uri) const {
    for (const char** a = raw_; *a; a += 2) {
        const XmlName n = split(a[0]);
        if (n.local == local && n.uri == uri) return a[1];
    }
    return nullptr;
}

long XmlAttributes::getInt(std::string_view local, long fallback) const {
    const char* v = find(local);
    return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

double XmlAttributes::getDouble(std::string_view local, double fallback) const {
    const char* v = find(local);
    return v && *v ? std::strtod(v, nullptr) : fallback;
}

bool XmlAttributes::getBool(std::string_view local, bool fallback) const {
    const char* v = find(local);
    if (!v) return fallback;
    return std::strcmp(v, "1") == 0 || std::strcmp(v, "true") == 0;
}

XmlReader::XmlReader(XmlHandler& handler, XmlLimits limits) : handler_(handler), limits_(limits) {
    parser_ = XML_ParserCreateNS("UTF-8", kSeparator);
    if (!parser_) throw std::bad_alloc();
    XML_SetReturnNSTriplet(parser_, 1);
    handler_.reader_ = this;
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, &XmlReader::onStart, &XmlReader::onEnd);
    XML_SetCharacterDataHandler(parser_, &XmlReader::onText);
    XML_SetStartDoctypeDeclHandler(parser_, &XmlReader::onDoctype);
}

XmlReader::~XmlReader() { XML_ParserFree(parser_); }

void XmlReader::fail(std::exception_ptr error) {
    if (!error_) error_ = error;
    XML_StopParser(parser_, XML_FALSE);
}

void XmlReader::noteEvent() { lastEvent_ = static_cast<std::uint64_t>(XML_GetCurrentByteIndex(parser_)); }

// Exceptions must not unwind through expat's C frames: catch, stop, rethrow in feed().
void XmlReader::onStart(void* self, const char* name, const char** attributes) {
    auto* p = static_cast<XmlReader*>(self);
    p->noteEvent();
    try {
        if (++p->depth_ > p->limits_.maxNesting)
            throw XmlError("malformed XML: elements nested more than " + std::to_string(p->limits_.maxNesting) +
                           " deep");
        p->handler_.startElement(XmlAttributes::split(name), XmlAttributes(attributes));
    } catch (...) {
        p->fail(std::current_exception());
    }
}

void XmlReader::onEnd(void* self, const char* name) {
    auto* p = static_cast<XmlReader*>(self);
    p->noteEvent();
    --p->depth_;
    try {
        p->handler_.endElement(XmlAttributes::split(name));
    } catch (...) {
        p->fail(std::current_exception());
    }
}

void XmlReader::onText(void* self, const char* text, int length) {
    auto* p = static_cast<XmlReader*>(self);
    p->noteEvent();
    try {
        p->handler_.text(std::string_view(text, static_cast<size_t>(length)));
    } catch (...) {
        p->fail(std::current_exception());
    }
}

void XmlReader::onDoctype(void* self, const char*, const char*, const char*, int) {
    // Nothing we read declares a DOCTYPE; refusing it rules out entity expansion attacks.
    static_cast<XmlReader*>(self)->fail(
        std::make_exception_ptr(XmlError("a document type declaration is not allowed")));
}

void XmlReader::feed(std::string_view chunk, bool last) {
    const char* data = chunk.data();
    size_t left = chunk.size();
    do {
        const int piece = static_cast<int>(left > (1u << 30) ? (1u << 30) : left);
        left -= static_cast<size_t>(piece);
        const XML_Status status = XML_Parse(parser_, data, piece, last && left == 0);
        data += piece;
        fed_ += static_cast<std::uint64_t>(piece);
        if (error_) std::rethrow_exception(error_);
        if (status != XML_STATUS_OK)
            throw XmlError(std::string("malformed XML at line ") + std::to_string(XML_GetCurrentLineNumber(parser_)) +
                           ": " + XML_ErrorString(XML_GetErrorCode(parser_)));
        // expat searches an unfinished token again from its start whenever bytes arrive, so a
        // hostile token megabytes long would cost time squared; nothing we read holds one that long.
        if (!last && fed_ - lastEvent_ > limits_.maxMarkupBytes)
            throw XmlError("malformed XML at line " + std::to_string(XML_GetCurrentLineNumber(parser_)) +
                           ": more than " + std::to_string(limits_.maxMarkupBytes >> 20) +
                           " MiB without an element or text (a tag, comment or declaration that long?)");
    } while (left > 0);
}

std::uint64_t XmlReader::tagOffset() const { return static_cast<std::uint64_t>(XML_GetCurrentByteIndex(parser_)); }

std::uint64_t XmlReader::tagLength() const { return static_cast<std::uint64_t>(XML_GetCurrentByteCount(parser_)); }

}  // namespace base
