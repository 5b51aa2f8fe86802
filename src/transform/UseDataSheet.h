#pragma once

// The choice of rows of a data sheet by a key on one code field, as the "Data Sheet" dialog
// gives it: the key list offers "All" and the codes found in the field, and "exact
// equivalence" asks for the whole code.

#include "app/VarGlob.h"
#include "model/DataSheet.h"

#include <string>
#include <string_view>
#include <vector>

namespace ploq {

inline constexpr std::string_view kKeyAll = "All";

// The code fields the dialog offers, in its order: nature, number, location, comment.
inline constexpr Field kKeyFields[] = {Field::Nature, Field::Number, Field::Location,
                                       Field::Comment};

// The key to match (MatchCode): empty for "All"; with "exact equivalence" a final "/" so that
// only the whole code matches.
std::string UseDataSheetKey(std::string_view chosen, bool exact);

// What the key list offers for a field of the sheet: "All", then every distinct code.
std::vector<std::string> KeyChoices(const DataSheet& sheet, Field field);

// "code : nat, key :S0/" or "all data".
std::string UseDataSheetLabel(const VarGlob& settings, Field field, const std::string& key);

} // namespace ploq
