#pragma once
// A sheet copied in the engine shares the file data of its original. Its part keeps what the
// original's kept text holds (column widths, merged cells, conditional formats, page
// setup…) except what refers to other parts through relationships, which only one sheet
// can own; those are named in `dropped` so that the save can say so.
#include <memory>
#include <string>
#include <vector>

#include "files/file_data.h"

namespace files {

std::unique_ptr<SheetFileData> skeletonForCopy(const SheetFileData& original, std::vector<std::string>& dropped);

}  // namespace files
