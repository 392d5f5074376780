#include "ui/ReticOutils.h"

#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>

#include "recording/EnteteREC.h"
#include "shell/Texte8.h"
#include "ui/ReticChoix.h"

namespace VIEW {

QString NOM_VOIE(int n) {
    if (n < 0 || n >= NombreVoiesTable) return {};
    const tAffichageVoie& a = EnteteF.Affichage[n];
    return DepuisCp1252(a.NomAffiche, static_cast<int>(sizeof a.NomAffiche));
}

QSpinBox* NOMBRE_RETIC(QWidget* parent, const char* nom, int minimum, int maximum) {
    auto* boite = Nommer(new QSpinBox(parent), nom);
    boite->setRange(minimum, maximum);
    boite->setKeyboardTracking(false);
    return boite;
}

void MONTRER_COULEUR(QPushButton* bouton, int32_t argb) {
    // A border in the button's text colour: a swatch of the button's own colour (a white
    // background on a white button) is still seen.
    QPixmap carre(16, 16);
    carre.fill(COULEUR_QT(argb));
    QPainter peintre(&carre);
    peintre.setPen(bouton->palette().color(QPalette::ButtonText));
    peintre.drawRect(carre.rect().adjusted(0, 0, -1, -1));
    peintre.end();
    bouton->setIcon(QIcon(carre));
}

} // namespace VIEW
