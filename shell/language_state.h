#pragma once
// The language tables and the active language: process-wide, in memory only, from the load
// of the library to its unload.
#include <string>
#include <vector>

namespace shell {

// Two-letter code of the active language; empty when the library is loaded.
inline std::u16string languageCode;
// The code list: line 0 of the label table split at ";".
inline std::vector<std::u16string> languageCodes;
// The fields of the active row of the label table.
inline std::vector<std::u16string> labelRow;
inline std::u16string msgNoWorkbook;   // labelRow field 69
inline std::u16string msgListUpdated;  // labelRow field 71
// The screen-tip and super-tip tables split at ";", indexed by control number.
inline std::vector<std::u16string> screenTips;
inline std::vector<std::u16string> superTips;

// Selects the active row of the label table by code; a code without a row, the empty code
// included, leaves the English row active. Host errors skip the failing step.
void loadLanguageRow(std::u16string& code);
void loadScreenTips();
void loadSuperTips();

// The built-in row of 34 English labels (field 0 "En") used when labelRow is missing.
const std::vector<std::u16string>& fallbackLabelRow();

}  // namespace shell
