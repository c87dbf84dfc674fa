#include "memory_book.h"

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "files/cell_ref.h"
#include "host/text.h"

namespace files::test {

namespace {

std::string number(double v) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
    return std::string(buffer, end);
}

std::string quoted(const std::u16string& text) {
    std::string out = "\"";
    for (const char c : host::utf8(text)) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\v')
            out += "\\v";
        else if (c == '"')
            out += "\\\"";
        else if (static_cast<unsigned char>(c) < 0x20)
            out += "\\x" + std::to_string(static_cast<int>(c));
        else
            out += c;
    }
    return out + "\"";
}

std::string valueOf(const host::Variant& v) {
    switch (v.kind()) {
    case host::VariantKind::Empty: return "empty";
    case host::VariantKind::Number: return "number " + number(v.number());
    case host::VariantKind::Date: return "date " + number(v.number());
    case host::VariantKind::Text: return "text " + quoted(std::u16string(v.text()));
    case host::VariantKind::Boolean: return v.boolean() ? "boolean true" : "boolean false";
    case host::VariantKind::Error: return "error " + host::utf8(v.errorText());
    }
    return "?";
}

void dumpObject(std::ostringstream& out, const DrawingObject& o, int depth) {
    out << std::string(static_cast<size_t>(depth * 2), ' ') << "drawing type=" << o.type << " name=" << quoted(o.name);
    if (o.frameText) out << " text=" << quoted(*o.frameText);
    if (o.effectText) out << " effect=" << quoted(*o.effectText);
    out << "\n";
    for (const DrawingObject& item : o.groupItems) dumpObject(out, item, depth + 1);
}

}  // namespace

std::string dump(const MemoryBook& book) {
    std::ostringstream out;
    if (!book.title.empty()) out << "title " << quoted(book.title) << "\n";
    for (size_t i = 0; i < book.sheets.size(); ++i) {
        const MemorySheet& s = *book.sheets[i];
        out << "sheet " << quoted(s.sheetName) << " type=" << s.sheetType << " visible=" << s.sheetVisibility
            << (i == book.active ? " active" : "") << "\n";
        out << "  selection " << sqrefOf(s.selected) << " at ";
        std::string active;
        appendCellRef(active, s.activeR, s.activeC);
        out << active << "\n";
        for (const auto& [at, cell] : s.cells) {
            std::string ref;
            appendCellRef(ref, at.first, at.second);
            out << "  " << ref << " " << valueOf(cell.value);
            if (!cell.formula().empty()) out << " formula " << quoted(cell.formula());
            if (cell.colorIndex) out << " fill " << cell.colorIndex;
            if (cell.comment())
                out << " comment " << quoted(cell.comment()->author) << ": " << quoted(cell.comment()->text);
            out << "\n";
        }
        for (const ValidationRule& r : s.rules) {
            out << "  validation " << sqrefOf(r.areas) << " type=" << r.type << " op=" << r.op
                << " alert=" << r.alertStyle << " f1=" << quoted(r.formula1) << " f2=" << quoted(r.formula2)
                << " blank=" << r.ignoreBlank << " dropdown=" << r.inCellDropdown << " input=" << r.showInput << " "
                << quoted(r.inputTitle) << " " << quoted(r.inputMessage) << " error=" << r.showError << " "
                << quoted(r.errorTitle) << " " << quoted(r.errorMessage) << "\n";
        }
        for (const DrawingObject& o : s.objects) dumpObject(out, o, 1);
    }
    return out.str();
}

std::string dataPath(const std::string& relative) { return std::string(CW_FILES_TEST_DATA) + "/" + relative; }

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

ScratchDir::ScratchDir() {
    char pattern[] = "/tmp/cw-files-test-XXXXXX";
    dir_ = ::mkdtemp(pattern);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

}  // namespace files::test
