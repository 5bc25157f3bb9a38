// The about box.
#include "settings/windows/about10.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/program_icon.h"
#include "version.h"

namespace qtl {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("A propos"));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setPixmap(programPixmap(64));

    auto* product = new QLabel(QStringLiteral("Quantrel pour Windows 32 bits"), this);
    product->setObjectName(QStringLiteral("ProductName"));
    QFont bold = product->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    product->setFont(bold);

    auto* version =
        new QLabel(QStringLiteral("Version %1").arg(QString::fromUtf8(versionText())), this);
    version->setObjectName(QStringLiteral("Version"));

    auto* comments =
        new QLabel(QStringLiteral("Logiciel de mesure et d'expérimentation pour l'enseignement.\n"
                                  "Il acquiert, affiche et traite les mesures d'appareils\n"
                                  "et d'interfaces de mesure, qu'il commande au travers\n"
                                  "de bibliothèques pilotes (DLL) choisies par l'utilisateur."),
                   this);
    comments->setObjectName(QStringLiteral("Comments"));

    OKButton = new QPushButton(QStringLiteral("J'ai lu"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addWidget(version);
    texts->addSpacing(8);
    texts->addWidget(comments);

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setWindowIcon(programIcon());
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the screen, not on the banner that opens it.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

}  // namespace qtl
