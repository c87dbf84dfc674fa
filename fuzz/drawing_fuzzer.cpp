// A sheet's drawing part: read into the engine's drawing objects, then written back with the
// first object deleted and the text of a text-bearing shape changed. The written part must
// read again with one object fewer and the new text.
#include <cstdint>
#include <string>
#include <vector>

#include "files/drawing_xml.h"
#include "files/file_data.h"
#include "files/file_error.h"
#include "fuzz_support.h"
#include "host/error.h"

namespace {

size_t countObjects(const std::vector<files::DrawingObject>& objects) { return objects.size(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    files::DrawingPartData part;
    std::vector<files::DrawingObject> objects;
    try {
        objects = files::readDrawing(std::string(fuzz::bytes(data, size)), part);
    } catch (const files::FormatError&) {
        return 0;
    }
    for (const files::DrawingObject& o : objects)
        fuzz::require(o.sourceId >= 0 && static_cast<size_t>(o.sourceId) < part.shapes.size(),
                      "an object points at no shape");
    files::writeDrawing(part, objects, nullptr);  // unchanged
    if (objects.empty()) return 0;
    std::vector<files::DrawingObject> edited(objects.begin() + 1, objects.end());
    bool textChanged = false;
    for (files::DrawingObject& o : edited)
        if (o.frameText) {
            o.frameText = u"changed <text> & more";
            textChanged = true;
            break;
        }
    const files::DrawingWrite written = files::writeDrawing(part, edited, nullptr);
    if (edited.empty()) {
        fuzz::require(written.xml.empty(), "a drawing without objects is still written");
        return 0;
    }
    files::DrawingPartData again;
    std::vector<files::DrawingObject> reread;
    try {
        reread = files::readDrawing(written.xml, again);
    } catch (const files::FormatError& e) {
        fuzz::fail("a written drawing part does not read again", std::string(e.what()) + "\n" + written.xml);
    }
    fuzz::require(countObjects(reread) == countObjects(edited),
                  "a written drawing part holds another number of objects", written.xml);
    if (textChanged) {
        bool found = false;
        for (const files::DrawingObject& o : reread)
            found = found || (o.frameText && *o.frameText == u"changed <text> & more");
        fuzz::require(found, "changed shape text is not in the written part", written.xml);
    }
    return 0;
}
