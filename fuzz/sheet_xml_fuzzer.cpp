// A worksheet part read into an engine sheet: the first byte picks the size of the chunks the
// part arrives in; the rest is the part. The read in chunks must deliver exactly what the
// read in one piece delivers (cells, selection, validations and the part kept without its
// cells), since the streaming tokenizer carries incomplete tokens across chunks.
#include <cstdint>
#include <string>
#include <vector>

#include "engine_sheet.h"
#include "files/file_data.h"
#include "files/file_error.h"
#include "files/sheet_reader.h"
#include "files/styles.h"
#include "fuzz_support.h"
#include "host/error.h"

namespace {

const std::vector<host::Variant>& sharedStrings() {
    static const std::vector<host::Variant> strings{u"alpha", u" padded  text ", u"", u"=1+1", u"12"};
    return strings;
}

// Formats 0 general, 1 a date, 2 a palette fill: what s="..." can point at.
const files::StyleTable& styles() {
    static const files::StyleTable table = files::StyleTable::parse(
        "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<fills count=\"3\"><fill><patternFill patternType=\"none\"/></fill>"
        "<fill><patternFill patternType=\"gray125\"/></fill>"
        "<fill><patternFill patternType=\"solid\"><fgColor indexed=\"6\"/></patternFill></fill></fills>"
        "<cellXfs count=\"3\"><xf numFmtId=\"0\" fillId=\"0\"/><xf numFmtId=\"14\" fillId=\"0\"/>"
        "<xf numFmtId=\"0\" fillId=\"2\"/></cellXfs></styleSheet>");
    return table;
}

struct Outcome {
    bool refused = false;
    std::string transcript, kept, drawingRel, legacyRel;
};

Outcome read(std::string_view part, size_t chunk) {
    Outcome out;
    const engine::BookPtr book = fuzz::freshBook();
    fuzz::EngineSheetSink sink(book->sheets().front());
    files::SheetFileData data;
    files::SheetReadContext context{sharedStrings(), styles(), {}};
    context.comments[{1, 1}] = engine::CommentData{u"note", u"author"};
    try {
        files::SheetXmlReader reader(std::move(context), sink, data);
        for (size_t at = 0; at < part.size(); at += chunk) reader.feed(part.substr(at, chunk), false);
        reader.feed({}, true);
        out.drawingRel = reader.drawingRelId();
        out.legacyRel = reader.legacyDrawingRelId();
    } catch (const files::FormatError&) {
        out.refused = true;
    } catch (const host::Error&) {
        out.refused = true;  // the engine refused a value, as readXlsx reports it
    }
    out.transcript = sink.transcript();
    out.kept = data.xml;
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const size_t chunk = 1 + data[0];
    const std::string_view part = fuzz::bytes(data + 1, size - 1);
    const Outcome whole = read(part, part.size() + 1);
    const Outcome pieces = read(part, chunk);
    fuzz::require(whole.refused == pieces.refused, "a part read in chunks is refused only one way");
    if (whole.refused) return 0;
    fuzz::require(whole.transcript == pieces.transcript, "a part read in chunks delivers other cells",
                  whole.transcript + "----\n" + pieces.transcript);
    fuzz::require(whole.kept == pieces.kept, "a part read in chunks keeps other text");
    fuzz::require(whole.drawingRel == pieces.drawingRel && whole.legacyRel == pieces.legacyRel,
                  "a part read in chunks names other drawings");
    return 0;
}
