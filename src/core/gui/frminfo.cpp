#include "frminfo.h"

#include "core/programmbilder.h"
#include "core/version.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
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

    auto *bilder = new QHBoxLayout;
    const auto bild = [this, bilder](const char *name, const QImage &inhalt) {
        auto *l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setPixmap(QPixmap::fromImage(inhalt));
        l->setAlignment(Qt::AlignCenter);
        bilder->addWidget(l);
    };
    bild("imgMatte", bild_matte(96));
    bild("imgGuertel", bild_guertel(96));

    auto *knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton *ok = knoepfe->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setText(QStringLiteral("&OK"));
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(produkt);
    layout->addWidget(versionLabel);
    layout->addLayout(bilder);
    layout->addWidget(knoepfe);
    ok->setFocus();
}

} // namespace obi
