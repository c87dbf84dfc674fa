#pragma once
// The texts the duplicate cleaner and the duplicate preventer show, exactly as the user
// sees them (spelling and spacing included).
#include <string_view>

namespace tools::duplicates {

// Results and refusals, shown in frmAlert.
inline constexpr std::u16string_view kDuplicatesRemoved = u"Duplicate Entries are removed in Your Selection";
inline constexpr std::u16string_view kSecondListRemoved = u"All Entries are deleted from 1st Column exist in 2nd";
inline constexpr std::u16string_view kUniquesRemoved = u"Unique Entries are removed in Your Selection";
inline constexpr std::u16string_view kSelectSingleColumn = u"Please Select Single Column!";
inline constexpr std::u16string_view kSelectTwoColumns = u"Please Select Two Column!";
inline constexpr std::u16string_view kPreventerActivated = u"Duplicate Preventer is Activated for Selected Column";
inline constexpr std::u16string_view kPreventerDeactivated = u"Duplicate Preventer is Deactivated for Selected Column";

// Progress prefix of the running tools.
inline constexpr std::u16string_view kRemovingPrefix = u"Removing...";

// The preventer's validation rule.
inline constexpr std::u16string_view kRuleInputTitle = u"Duplicate";
inline constexpr std::u16string_view kRuleErrorMessage = u"Duplicate Entry!";

}  // namespace tools::duplicates
