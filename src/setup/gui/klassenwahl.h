#pragma once

#include "register/teilnehmer.h"

class QWidget;

namespace obi {

// The class pickers a window's name resolution opens when a typed text
// matches several classes. Creating a club is not offered here; the main
// window derives and adds it.
class Klassenwahl : public Auswahlhilfe
{
public:
    explicit Klassenwahl(QWidget *eltern)
        : m_eltern(eltern)
    {
    }

    bool altersklasse_waehlen(const QString &filter, QString &gewaehlt) override;
    bool gewichtsklasse_waehlen(const QString &akid, const QString &filter, QString &gewaehlt) override;
    bool verein_anlegen(const QString &, QString &) override { return false; }

protected:
    QWidget *eltern() const { return m_eltern; }

private:
    QWidget *m_eltern;
};

} // namespace obi
