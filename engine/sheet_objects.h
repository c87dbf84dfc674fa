#pragma once
// What lies on a sheet besides cells: drawing objects and validation rules, as data.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/address.h"

namespace engine {

// A shape, picture, chart or control of a sheet's drawing layer.
struct DrawingObject {
    int type = 1;  // msoAutoShape, msoTextBox, msoPicture, msoChart, ...
    std::u16string name;
    std::optional<std::u16string> frameText;   // TextFrame.Characters.Text
    std::optional<std::u16string> effectText;  // TextEffect.Text
    std::vector<DrawingObject> groupItems;     // members of a group or SmartArt
    std::int64_t sourceId = -1;                // the file layer's handle on where it came from
};

// A data validation rule over some areas; its relative references are relative to `anchor`
// (the top-left cell of the first area when it was added).
struct ValidationRule {
    int type = 0;
    int alertStyle = 1;
    int op = 1;
    std::u16string formula1, formula2;
    bool ignoreBlank = true, inCellDropdown = true, showInput = true, showError = true;
    std::u16string inputTitle, errorTitle, inputMessage, errorMessage;
    std::vector<Area> areas;
    long anchorRow = 1, anchorCol = 1;
};

}  // namespace engine
