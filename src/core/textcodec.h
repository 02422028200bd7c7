// Conversion between the program's Unicode texts and the 8-bit Windows-1252
// files that older installations and other programs exchange.
#pragma once

#include <QByteArray>
#include <QString>

namespace obi {

QString aus_windows1252(const QByteArray &bytes);
QByteArray nach_windows1252(const QString &text); // unmappable characters become '?'

// UTF-8 when the bytes are valid UTF-8 (BOM or not), Windows-1252 otherwise.
QString text_dekodieren(const QByteArray &bytes);

} // namespace obi
