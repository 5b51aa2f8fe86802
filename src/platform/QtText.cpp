#include "platform/QtText.h"

#include "platform/Text1252.h"

#include <QColor>
#include <QList>
#include <QTextCursor>
#include <QTextEdit>

namespace ploq {

QString toQString(std::string_view cp1252)
{
    QString text;
    text.reserve(static_cast<qsizetype>(cp1252.size()));
    for (char c : cp1252)
        text += QChar(static_cast<char16_t>(CodePointOf1252(static_cast<unsigned char>(c))));
    return text;
}

std::string fromQString(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const uint cp : text.toUcs4())
        bytes += ByteOf1252(cp);
    return bytes;
}

void AppendInfoLine(QTextEdit& panel, std::string_view line, bool bold, TColor colour, bool italic)
{
    QTextCursor cursor(panel.document());
    cursor.movePosition(QTextCursor::End);
    if (!panel.document()->isEmpty())
        cursor.insertBlock();
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    format.setForeground(QColor(redOf(colour), greenOf(colour), blueOf(colour)));
    cursor.insertText(toQString(line), format);
    panel.setTextCursor(cursor);
    panel.ensureCursorVisible();
}

} // namespace ploq
