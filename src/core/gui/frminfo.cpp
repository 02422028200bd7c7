#include "frminfo.h"

#include "core/version.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace obi {

TfrmInfo::TfrmInfo(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral("OBITRACK - Programminfo"));
    const QString version = QString::fromLatin1(programm_version);

    auto *produkt = new QLabel(QStringLiteral("OBITRACK ") + version.left(1), this);
    produkt->setObjectName(QStringLiteral("lblProdukt"));
    QFont f = produkt->font();
    f.setPointSize(f.pointSize() * 3);
    f.setBold(true);
    produkt->setFont(f);
    produkt->setAlignment(Qt::AlignCenter);

    auto *versionLabel = new QLabel(QStringLiteral("Version ") + version.mid(2, 4), this);
    versionLabel->setObjectName(QStringLiteral("lblVersion"));
    versionLabel->setAlignment(Qt::AlignCenter);

    auto *knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton *ok = knoepfe->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setText(QStringLiteral("&OK"));
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(produkt);
    layout->addWidget(versionLabel);
    layout->addWidget(knoepfe);
    ok->setFocus();
}

} // namespace obi
