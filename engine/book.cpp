#include "engine/book.h"

#include <algorithm>

#include "engine/text_functions.h"
#include "host/constants.h"
#include "host/error.h"

namespace engine {

using namespace host;  // the host's value types, error numbers and constants

namespace {

bool sameName(const std::u16string& a, const std::u16string& b) { return foldCase(a) == foldCase(b); }

}  // namespace

Book::Book(std::u16string name) : name_(std::move(name)) {}

void Book::checkSheetName(const std::u16string& name, const Sheet* renamed) const {
    auto refuse = [] { throw Error(errApplication, "That name is already taken or is not a valid sheet name."); };
    if (name.empty() || name.size() > 31) refuse();
    if (name.find_first_of(u"[]:*?/\\") != std::u16string::npos) refuse();
    if (name.front() == u'\'' || name.back() == u'\'') refuse();
    for (const auto& s : sheets_)
        if (s.get() != renamed && sameName(s->name(), name)) refuse();
}

std::u16string Book::copyName(const std::u16string& base) const {
    // "Data (2)" copies to "Data (3)", as the host numbers copies from the plain name.
    std::u16string stem = base;
    const auto open = base.rfind(u" (");
    if (open != std::u16string::npos && base.back() == u')' &&
        std::all_of(base.begin() + static_cast<long>(open) + 2, base.end() - 1,
                    [](char16_t c) { return c >= u'0' && c <= u'9'; }) &&
        base.size() > open + 3)
        stem = base.substr(0, open);
    for (long n = 2;; ++n) {
        std::u16string suffix = u" (";
        for (char c : std::to_string(n)) suffix.push_back(static_cast<char16_t>(c));
        suffix += u")";
        const std::u16string candidate = stem.substr(0, 31 - suffix.size()) + suffix;
        if (!sheetNamed(candidate)) return candidate;
    }
}

SheetPtr Book::addSheet(const std::u16string& name, int type, const SheetPtr& before) {
    checkSheetName(name, nullptr);
    auto sheet = std::make_shared<Sheet>(weak_from_this(), name, type);
    insertSheet(sheet, before);
    return sheet;
}

void Book::insertSheet(SheetPtr sheet, const SheetPtr& before) {
    sheet->setBook(weak_from_this());
    auto at = std::find(sheets_.begin(), sheets_.end(), before);
    sheets_.insert(before ? at : sheets_.end(), sheet);
    if (!active_.lock()) active_ = sheet;
}

void Book::removeSheet(const SheetPtr& sheet) {
    auto at = std::find(sheets_.begin(), sheets_.end(), sheet);
    if (at == sheets_.end()) throw Error(errObjectRequired, "Object required");
    if (sheet->visible() == xlSheetVisible && visibleCount() <= 1)
        throw Error(errApplication, "A workbook must contain at least one visible worksheet.");
    const bool wasActive = active_.lock() == sheet;
    const long position = at - sheets_.begin();
    sheets_.erase(at);
    sheet->markDeleted();
    if (!wasActive) return;
    // The host activates the nearest visible sheet, preferring the one that followed.
    for (long i = position; i < static_cast<long>(sheets_.size()); ++i)
        if (sheets_[i]->visible() == xlSheetVisible) return setActiveSheet(sheets_[i]);
    for (long i = position - 1; i >= 0; --i)
        if (sheets_[i]->visible() == xlSheetVisible) return setActiveSheet(sheets_[i]);
}

long Book::indexOf(const Sheet* sheet) const {
    for (size_t i = 0; i < sheets_.size(); ++i)
        if (sheets_[i].get() == sheet) return static_cast<long>(i) + 1;
    return 0;
}

SheetPtr Book::sheetNamed(const std::u16string& name) const {
    for (const auto& s : sheets_)
        if (sameName(s->name(), name)) return s;
    return nullptr;
}

SheetPtr Book::activeSheet() const { return active_.lock(); }

void Book::setActiveSheet(const SheetPtr& sheet) {
    if (sheet->visible() != xlSheetVisible) throw Error(errApplication, "Activate method of Worksheet class failed");
    active_ = sheet;
}

long Book::visibleCount() const {
    return static_cast<long>(std::count_if(sheets_.begin(), sheets_.end(),
                                           [](const SheetPtr& s) { return s->visible() == xlSheetVisible; }));
}

}  // namespace engine
