#include "guimelder.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace obi {

void GuiMelder::zeige(const QString &text, QChar art, const QString &titel)
{
    QMessageBox::Icon icon = QMessageBox::Critical;
    switch (art.unicode()) {
    case 'H': icon = QMessageBox::Information; break;
    case 'W': icon = QMessageBox::Warning; break;
    case 'M': icon = QMessageBox::NoIcon; break;
    default: break;
    }
    QMessageBox box(icon, titel, text, QMessageBox::NoButton, QApplication::activeWindow());
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

bool GuiMelder::frage(const QString &frage)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigung"), frage, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton *abbrechen = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(abbrechen);
    box.exec();
    return box.clickedButton() == ok;
}

} // namespace obi
