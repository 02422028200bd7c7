#pragma once

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

namespace obi {

// "--name value" options, "--flag" switches and positional words of a verb.
struct CliOptionen {
    QMap<QString, QString> werte; // without the leading "--"
    QSet<QString> schalter;
    QStringList positionale;
    QString fehler; // non-empty when the arguments could not be read

    bool hat(const QString &name) const { return werte.contains(name) || schalter.contains(name); }
    QString wert(const QString &name, const QString &standard = {}) const { return werte.value(name, standard); }

    // flags: the names that take no value. Every other "--name" needs one.
    static CliOptionen lesen(const QStringList &args, const QSet<QString> &flags);
};

} // namespace obi
