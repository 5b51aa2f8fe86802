#pragma once

// The one place where Ploq's Windows-1252 texts become Qt strings and back.

#include "platform/Colour.h"

#include <QString>

class QTextEdit;

#include <string>
#include <string_view>

namespace ploq {

QString toQString(std::string_view cp1252);
// Characters Windows-1252 lacks become '?'.
std::string fromQString(const QString& text);

// Appends a paragraph (Windows-1252) to an information panel, bold for a heading, in a colour,
// italic for a note, and shows it.
void AppendInfoLine(QTextEdit& panel, std::string_view line, bool bold = false,
                    TColor colour = clBlack, bool italic = false);

} // namespace ploq
