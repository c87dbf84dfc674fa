#pragma once
// The one XML reader of the program: a namespace-aware SAX reader over expat. Handlers see
// local names and namespace URIs; the reader knows where in the byte stream the current tag
// lies (what lets the file writers splice new content into a part and keep every other byte).
// It refuses a document type declaration (no entity expansion), bounds nesting and the
// length of any one tag, and keeps exceptions out of expat's C frames.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

struct XML_ParserStruct;

namespace base {

// Malformed or refused XML; the message says what and where.
class XmlError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct XmlLimits {
    // No single tag, comment or CDATA section is longer; anything longer is refused rather
    // than held and searched again (expat rescans an unfinished token as bytes arrive).
    size_t maxMarkupBytes = 4u << 20;
    // Elements nest a few levels deep in what we read; far deeper nesting only costs memory.
    size_t maxNesting = 256;
};

// One element name or attribute name split into namespace URI, local name and prefix.
struct XmlName {
    std::string_view uri, local, prefix;
};

class XmlAttributes {
public:
    explicit XmlAttributes(const char** raw) : raw_(raw) {}
    // The value of the attribute with this local name and namespace ("" = none); null if absent.
    const char* find(std::string_view local, std::string_view uri = {}) const;
    std::string_view get(std::string_view local, std::string_view uri = {}) const {
        const char* v = find(local, uri);
        return v ? std::string_view(v) : std::string_view();
    }
    long getInt(std::string_view local, long fallback = 0) const;
    double getDouble(std::string_view local, double fallback = 0) const;
    // A boolean attribute ("1", "true"); `fallback` when absent.
    bool getBool(std::string_view local, bool fallback) const;
    template <class Fn>
    void forEach(Fn fn) const {
        for (const char** a = raw_; *a; a += 2) fn(split(a[0]), std::string_view(a[1]));
    }
    static XmlName split(const char* name);

private:
    const char** raw_;
};

class XmlReader;

class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    // The reader now feeding this handler (set while one is).
    const XmlReader& parser() const { return *reader_; }
    virtual void startElement(const XmlName& name, const XmlAttributes& attributes) = 0;
    virtual void endElement(const XmlName& name) = 0;
    virtual void text(std::string_view) {}

private:
    friend class XmlReader;
    const XmlReader* reader_ = nullptr;
};

class XmlReader {
public:
    explicit XmlReader(XmlHandler& handler, XmlLimits limits = {});
    ~XmlReader();
    XmlReader(const XmlReader&) = delete;
    XmlReader& operator=(const XmlReader&) = delete;

    // Reads the next chunk; throws XmlError for malformed or refused XML and rethrows what a
    // handler threw (handlers may throw; the reader is stopped first).
    void feed(std::string_view chunk, bool last);
    void parseAll(std::string_view document) { feed(document, true); }

    // Inside a start or end handler: byte offset and length of the current tag. An empty
    // element's end handler reports length 0 at its start tag.
    std::uint64_t tagOffset() const;
    std::uint64_t tagLength() const;

private:
    static void onStart(void* self, const char* name, const char** attributes);
    static void onEnd(void* self, const char* name);
    static void onText(void* self, const char* text, int length);
    static void onDoctype(void* self, const char*, const char*, const char*, int);
    void fail(std::exception_ptr error);
    void noteEvent();

    XML_ParserStruct* parser_;
    XmlHandler& handler_;
    XmlLimits limits_;
    std::exception_ptr error_;
    size_t depth_ = 0;
    std::uint64_t fed_ = 0;        // bytes given to expat so far
    std::uint64_t lastEvent_ = 0;  // where the last element or text it reported began
};

}  // namespace base
