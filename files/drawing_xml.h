#pragma once
// A sheet's drawing part: its shapes, text boxes, groups, pictures and charts read as the
// engine's drawing objects, and written back with deleted objects removed, changed shape
// text replaced and anchors moved after deleted rows and columns.
#include <string>
#include <string_view>
#include <vector>

#include "files/book_interfaces.h"
#include "files/file_data.h"
#include "files/kept_ranges.h"

namespace files {

// Reads the part; the objects' sourceIds index data.shapes.
std::vector<DrawingObject> readDrawing(std::string xml, DrawingPartData& data);

struct DrawingWrite {
    std::string xml;  // "" when no object is left
    std::vector<std::u16string> notes;
};

// `moveAnchors` maps areas through the sheet's structural edits; null when there were none.
DrawingWrite writeDrawing(const DrawingPartData& data, const std::vector<DrawingObject>& objects,
                          const AreaMapper* moveAnchors);

// Relationship ids a part's text still refers to (r:id, r:embed, r:link… attribute values).
bool refersTo(std::string_view xml, std::string_view relId);

}  // namespace files
