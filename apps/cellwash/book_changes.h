#pragma once
// What a command changed in a workbook: cells that differ (value, formula or fill) and sheets
// added, removed, hidden or shown — from a copy-on-write picture taken before the command.
#include <string>
#include <vector>

#include "engine/book.h"

namespace cli {

class BookPicture {
public:
    explicit BookPicture(const engine::Book& book);

    struct Changes {
        long long cells = 0;              // over sheets present before and after
        std::vector<std::string> sheets;  // "added Data_Undo (hidden)", "removed Notes", ...
    };
    Changes changesIn(const engine::Book& book) const;

private:
    struct SheetPicture {
        std::u16string name;
        int visible;
        engine::SheetPtr copy;
    };
    std::vector<SheetPicture> sheets_;
};

}  // namespace cli
