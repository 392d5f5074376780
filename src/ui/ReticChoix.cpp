#include "ui/ReticChoix.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/Texte8.h"
#include "ui/TexteMessage.h"

namespace VIEW {

QFont POLICE_DEPUIS_CONFIG(const tPoliceConfig& police) {
    QFont f(DepuisCp1252(police.Nom, static_cast<int>(sizeof police.Nom)));
    f.setPointSizeF(police.Taille > 0.f ? static_cast<double>(police.Taille) : 10.0);
    f.setBold((police.Style & StyleGras) != 0);
    f.setItalic((police.Style & StyleItalique) != 0);
    f.setUnderline((police.Style & StyleSouligne) != 0);
    f.setStrikeOut((police.Style & StyleBarre) != 0);
    return f;
}

void POLICE_VERS_CONFIG(const QFont& police, tPoliceConfig& record) {
    CONVERT_STRING_CHAR(police.family(), record.Nom);
    // A font sized in pixels has no point size: 96 dots per inch make 0.75 point a pixel.
    const double points = police.pointSizeF() > 0.0 ? police.pointSizeF() : police.pixelSize() * 0.75;
    record.Taille = points > 0.0 ? static_cast<float>(points) : 10.f;
    int32_t style = 0;
    if (police.bold()) style |= StyleGras;
    if (police.italic()) style |= StyleItalique;
    if (police.underline()) style |= StyleSouligne;
    if (police.strikeOut()) style |= StyleBarre;
    record.Style = style;
}

QColor COULEUR_QT(int32_t argb) {
    return QColor::fromRgba(static_cast<QRgb>(static_cast<uint32_t>(argb)));
}

int32_t COULEUR_ARGB(const QColor& couleur) {
    return static_cast<int32_t>(static_cast<uint32_t>(couleur.rgba()));
}

void POSER_TEXTE(QLineEdit* champ, const QString& texte) {
    if (champ == nullptr || champ->text() == texte) return;
    champ->setText(texte);
    // A text longer than its box shows its start, as it reads, not its end.
    champ->setCursorPosition(0);
}

std::optional<QColor> CHOIX_COULEUR_QT(QWidget* parent, const QColor& depart) {
    const QColor c = QColorDialog::getColor(depart, parent);
    if (!c.isValid()) return std::nullopt;
    return c;
}

std::optional<QFont> CHOIX_POLICE_QT(QWidget* parent, const QFont& depart, QColor* couleur) {
    if (couleur == nullptr) {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, depart, parent);
        if (!ok) return std::nullopt;
        return f;
    }
    // The toolkit's font chooser has no colour: it is shown inside a dialog of
    // our own, with a colour button under it.
    QDialog dialogue(parent);
    dialogue.setWindowTitle(TexteMessage(M_Police));
    auto* polices = new QFontDialog(depart, &dialogue);
    polices->setWindowFlags(Qt::Widget);
    polices->setOptions(QFontDialog::NoButtons);
    QColor choisie = *couleur;
    auto* boutonCouleur = new QPushButton(TexteMessage(M_Couleur), &dialogue);
    auto montrer = [&] {
        boutonCouleur->setStyleSheet(QStringLiteral("background-color: %1").arg(choisie.name()));
    };
    montrer();
    QObject::connect(boutonCouleur, &QPushButton::clicked, &dialogue, [&] {
        if (auto c = CHOIX_COULEUR_QT(&dialogue, choisie)) {
            choisie = *c;
            montrer();
        }
    });
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialogue);
    QObject::connect(boutons, &QDialogButtonBox::accepted, &dialogue, &QDialog::accept);
    QObject::connect(boutons, &QDialogButtonBox::rejected, &dialogue, &QDialog::reject);
    auto* page = new QVBoxLayout(&dialogue);
    page->addWidget(polices);
    page->addWidget(boutonCouleur);
    page->addWidget(boutons);
    if (dialogue.exec() != QDialog::Accepted) return std::nullopt;
    *couleur = choisie;
    return polices->currentFont();
}

QString CHOIX_FICHIER_QT(QWidget* parent, const QString& propose, const QString& filtre) {
    // "Bitmap *.bmp|*.bmp" reads "Bitmap *.bmp (*.bmp)" in the toolkit.
    const QStringList morceaux = filtre.split(QLatin1Char('|'));
    QString filtreQt;
    for (qsizetype k = 0; k + 1 < morceaux.size(); k += 2) {
        if (!filtreQt.isEmpty()) filtreQt += QStringLiteral(";;");
        filtreQt += morceaux[k] + QStringLiteral(" (") + morceaux[k + 1] + QLatin1Char(')');
    }
    // A proposal that is a pattern is the filter's business, not a starting place.
    const QString depart = propose.contains(QLatin1Char('*')) ? QString() : propose;
    return QFileDialog::getOpenFileName(parent, QString(), depart, filtreQt);
}

} // namespace VIEW
