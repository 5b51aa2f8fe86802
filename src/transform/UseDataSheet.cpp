#include "transform/UseDataSheet.h"

#include "canvas/UtilPlot.h"

namespace ploq {

namespace {

KeyField keyFieldOf(Field field)
{
    switch (field) {
    case Field::Number: return KeyField::Number;
    case Field::Location: return KeyField::Location;
    case Field::Comment: return KeyField::Comment;
    default: return KeyField::Nature;
    }
}

} // namespace

std::string UseDataSheetKey(std::string_view chosen, bool exact)
{
    if (chosen.empty() || chosen == kKeyAll)
        return {};
    std::string key(chosen);
    if (exact && key.back() != '/')
        key += '/';
    return key;
}

std::vector<std::string> KeyChoices(const DataSheet& sheet, Field field)
{
    std::vector<std::string> choices{std::string(kKeyAll)};
    for (std::string& code : DistinctCodes(sheet, keyFieldOf(field)))
        choices.push_back(std::move(code));
    return choices;
}

std::string UseDataSheetLabel(const VarGlob& settings, Field field, const std::string& key)
{
    if (key.empty())
        return "all data";
    return "code : " + settings.TNomC[static_cast<std::size_t>(field) + 1] + ", key :" + key;
}

} // namespace ploq
