#pragma once

// The one place where Ploq's Windows-1252 texts become Qt strings and back.

#include <QString>

#include <string>
#include <string_view>

namespace ploq {

QString toQString(std::string_view cp1252);
// Characters Windows-1252 lacks become '?'.
std::string fromQString(const QString& text);

} // namespace ploq
