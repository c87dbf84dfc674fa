// A short tour of the embedded host: build a workbook through the object model, clean it
// a little the way the add-in's tools do, and print the sheet.
#include <cstdio>
#include <string>

#include "host/application.h"
#include "host/constants.h"
#include "host/embedded/embedded_application.h"
#include "host/range.h"
#include "host/text.h"
#include "host/worksheet.h"

namespace {

void printSheet(const host::WorksheetPtr& sheet) {
    auto used = sheet->UsedRange();
    std::printf("%s (%s)\n", host::utf8(sheet->Name()).c_str(), host::utf8(used->Address()).c_str());
    for (long r = 1; r <= used->Rows()->Count(); ++r) {
        std::string line;
        for (long c = 1; c <= used->Columns()->Count(); ++c) {
            const host::Variant v = used->Cells(r, c)->Value();
            std::string text = host::utf8(v.isError() ? v.errorText() : v.toText());
            text.resize(14, ' ');
            line += text + "| ";
        }
        std::printf("  %2ld | %s\n", used->Row() + r - 1, line.c_str());
    }
}

}  // namespace

int main() {
    auto app = host::embedded::EmbeddedApplication::create();
    auto book = app->Workbooks()->Add();
    auto sheet = book->ActiveSheet();
    sheet->setName(u"Customers");

    const char16_t* rows[][3] = {
        {u"Name", u"City", u"Orders"},   {u"  Ada  Lovelace ", u"London", u"12"},
        {u"Alan Turing", u"Wilmslow", u"7"}, {u"", u"", u""},
        {u"ada lovelace", u"LONDON", u"3"}, {u"Grace Hopper", u"New York", u"1/2/2024"},
    };
    for (long r = 0; r < 6; ++r)
        for (long c = 0; c < 3; ++c) sheet->Cells(r + 1, c + 1)->setValue(host::Variant(rows[r][c]));
    sheet->Range(u"D1")->setValue(host::Variant(u"=LEN(A2)"));
    std::puts("As typed:");
    printSheet(sheet);

    // Trim the names, remove the empty row, count London's customers.
    auto functions = app->WorksheetFunction();
    auto names = sheet->Range(u"A2:A6");
    for (long i = 1; i <= names->Count(); ++i) {
        auto cell = names->Item(i);
        cell->setValue(host::Variant(functions->Trim(cell->Value().toText())));
    }
    sheet->Range(u"A4")->EntireRow()->Delete();
    std::printf("\nAfter trimming and removing row 4 the names are %s; London appears %.0f times.\n",
                host::utf8(names->Address()).c_str(), functions->CountIf(sheet->Range(u"B:B"), host::Variant(u"london")));
    sheet->Copy(sheet);
    std::printf("A snapshot copy was made: %s.\n\n", host::utf8(app->ActiveSheet()->Name()).c_str());
    printSheet(sheet);
    return 0;
}
