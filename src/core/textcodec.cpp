#include "textcodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace obi {

QString aus_windows1252(const QByteArray &bytes)
{
    QStringDecoder dec("windows-1252");
    if (dec.isValid())
        return dec.decode(bytes);
    return QString::fromLatin1(bytes); // Qt without ICU: Latin-1 covers the umlauts
}

QByteArray nach_windows1252(const QString &text)
{
    QStringEncoder enc("windows-1252", QStringConverter::Flag::Default);
    if (enc.isValid())
        return enc.encode(text);
    return text.toLatin1();
}

QString text_dekodieren(const QByteArray &bytes)
{
    QByteArray daten = bytes;
    if (daten.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(daten.mid(3));
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(daten);
    if (!utf8.hasError())
        return text;
    return aus_windows1252(daten);
}

} // namespace obi
