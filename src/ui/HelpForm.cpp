#include "ui/HelpForm.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "shell/BoiteMessage.h"
#include "shell/Messages.h"
#include "shell/Texte8.h"
#include "ui/FenetreGuide.h"
#include "ui/OuvertureBureau.h"
#include "ui/TexteMessage.h"

namespace VIEW {

QString CHEMIN_AIDE(const QString& dossierProgramme, int langue) {
    return QDir(dossierProgramme)
        .filePath(QStringLiteral("Help") + QStringLiteral("OmbrixViewer") +
                  (langue == 0 ? QStringLiteral("_fra.chm") : QStringLiteral("_eng.chm")));
}

QString CHEMIN_GUIDE(const QString& dossierProgramme, int langue) {
    const QString nom = langue == 0 ? QStringLiteral("guide_fr.html") : QStringLiteral("guide_en.html");
    const QDir programme(dossierProgramme);
    for (const QString& dossier : {programme.filePath(QStringLiteral("guide")),
                                   programme.filePath(QStringLiteral("../share/doc/ombrixviewer/guide"))}) {
        const QString chemin = QDir::cleanPath(QDir(dossier).filePath(nom));
        if (QFileInfo(chemin).isFile()) return chemin;
    }
    return {};
}

bool APPEL_CHM(const QString& dossierProgramme, int langue, const std::function<bool(const QUrl&)>& ouvrir,
               QWidget* parent) {
    const QString chemin = CHEMIN_AIDE(dossierProgramme, langue);
    // The desktop opener reports success as soon as it starts, even for a file
    // that is not there: a missing help file is told here.
    if (QFileInfo(chemin).isFile() && ouvrir && ouvrir(QUrl::fromLocalFile(chemin))) return true;
    const QString guide = CHEMIN_GUIDE(dossierProgramme, langue);
    if (!guide.isEmpty()) {
        MONTRER_GUIDE(guide, parent);
        return true;
    }
    BOITE_MESSAGE().MONTRER(TexteMessage(M_Erreur), QStringLiteral("Error Reading help file "),
                            tIconeBoite::Avertissement);
    return false;
}

namespace {

// The program's own icon: the picture compiled into the viewer, or the
// application's icon, or (neither set, as in tests) the information sign.
QPixmap IconeProgramme(const QStyle& style, int taille) {
    const QPixmap image(QStringLiteral(":/icons/64x64/ombrixviewer.png"));
    if (!image.isNull()) return image.scaled(taille, taille, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QIcon application = QApplication::windowIcon();
    if (!application.availableSizes().isEmpty()) return application.pixmap(taille, taille);
    return style.standardIcon(QStyle::SP_MessageBoxInformation).pixmap(taille, taille);
}

} // namespace

HelpForm::HelpForm(QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("HelpForm"));
    Ouvrir = OUVRIR_AVEC_BUREAU;
    QPalette fond = palette();
    fond.setColor(QPalette::Window, Qt::white);
    setPalette(fond);
    setAutoFillBackground(true);

    pictureBox1 = new QLabel(this);
    pictureBox1->setObjectName(QStringLiteral("pictureBox1"));
    pictureBox1->setPixmap(IconeProgramme(*style(), 64));
    labelNom = new QLabel(this);
    labelNom->setObjectName(QStringLiteral("labelNom"));
    QFont grand = labelNom->font();
    grand.setPointSize(24);
    grand.setBold(true);
    labelNom->setFont(grand);
    labelVersion = new QLabel(this);
    labelVersion->setObjectName(QStringLiteral("labelVersion"));
    linkLabel1 = new QLabel(this);
    linkLabel1->setObjectName(QStringLiteral("linkLabel1"));
    linkLabel1->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard |
                                        Qt::TextSelectableByMouse);
    connect(linkLabel1, &QLabel::linkActivated, this, [this] { APPEL_SITE(); });
    labelSansNavigateur = new QLabel(this);
    labelSansNavigateur->setObjectName(QStringLiteral("labelSansNavigateur"));
    labelSansNavigateur->setWordWrap(true);
    labelSansNavigateur->hide();
    button1 = new QPushButton(this);
    button1->setObjectName(QStringLiteral("button1"));
    connect(button1, &QPushButton::clicked, this, &QDialog::accept);

    auto* textes = new QVBoxLayout;
    textes->addWidget(labelNom);
    textes->addWidget(labelVersion);
    textes->addWidget(linkLabel1);
    textes->addWidget(labelSansNavigateur);
    auto* haut = new QHBoxLayout;
    haut->addWidget(pictureBox1, 0, Qt::AlignTop);
    haut->addLayout(textes);
    auto* tout = new QVBoxLayout(this);
    tout->addLayout(haut);
    tout->addWidget(button1, 0, Qt::AlignRight);
    init();
    setFixedSize(sizeHint());
}

void HelpForm::init() {
    setWindowTitle(TexteMessage(M_Aide));
    labelNom->setText(DepuisCp1252(M_NomLogiciel));
    labelVersion->setText(TexteMessage(M_Version) + QLatin1String(VersionAffichee));
    const QString adresse = DepuisCp1252(M_ADR_WEB);
    linkLabel1->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(adresse.toHtmlEscaped()));
    labelSansNavigateur->setText(TexteMessage(M_NavigateurAbsent));
    button1->setText(TexteMessage(M_Retour));
}

void HelpForm::APPEL_SITE() {
    if (Ouvrir && Ouvrir(QUrl(DepuisCp1252(M_ADR_WEB)))) return;
    labelSansNavigateur->show();
    setFixedSize(sizeHint());
}

} // namespace VIEW
