// The time-base page: relative or absolute time labels, and the displayed
// window chosen by two times or two dates.
#include <algorithm>
#include <cmath>

#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "config/Coherence.h"
#include "graph/GeometrieGraphe.h"
#include "recording/EnteteREC.h"
#include "ui/Retic.h"
#include "ui/ReticOutils.h"
#include "ui/ReticTempsCalcul.h"
#include "ui/TexteMessage.h"

namespace VIEW {

namespace {

QDoubleSpinBox* TEMPS_RETIC(QWidget* parent, const char* nom) {
    auto* boite = Nommer(new QDoubleSpinBox(parent), nom);
    boite->setDecimals(3);
    boite->setKeyboardTracking(false);
    return boite;
}

QDateTimeEdit* DATE_RETIC(QWidget* parent, const char* nom) {
    auto* date = Nommer(new QDateTimeEdit(parent), nom);
    date->setDisplayFormat(QStringLiteral("dd/MM/yyyy  HH:mm:ss"));
    date->setKeyboardTracking(false);
    return date;
}

// Whole milliseconds of a time in microseconds, rounded down.
int64_t MILLISECONDES(int64_t microsecondes) {
    return microsecondes >= 0 ? microsecondes / 1000 : -((-microsecondes + 999) / 1000);
}

} // namespace

QWidget* Retic::CONSTRUIRE_TEMPS() {
    auto* page = new QWidget(this);
    groupBoxTemps = Nommer(new QGroupBox(TexteMessage(M_Timebase), page), "groupBoxTemps");
    radioButtonRelatif =
        Nommer(new QRadioButton(TexteMessage(M_TempsRelatif), groupBoxTemps), "radioButtonRelatif");
    radioButtonAbsolu =
        Nommer(new QRadioButton(TexteMessage(M_TempsAbsolue), groupBoxTemps), "radioButtonAbsolu");

    panelRelatif = Nommer(new QWidget(groupBoxTemps), "panelRelatif");
    labelDebut = Nommer(new QLabel(TexteMessage(M_TempsDebut), panelRelatif), "labelDebut");
    numericDebut = TEMPS_RETIC(panelRelatif, "numericDebut");
    labelFin = Nommer(new QLabel(TexteMessage(M_TempsFin), panelRelatif), "labelFin");
    numericFin = TEMPS_RETIC(panelRelatif, "numericFin");
    labelUniteTemps = Nommer(new QLabel(panelRelatif), "labelUniteTemps");
    auto* relatif = new QGridLayout(panelRelatif);
    relatif->setContentsMargins(0, 0, 0, 0);
    relatif->addWidget(labelDebut, 0, 0);
    relatif->addWidget(numericDebut, 0, 1);
    relatif->addWidget(labelFin, 1, 0);
    relatif->addWidget(numericFin, 1, 1);
    relatif->addWidget(labelUniteTemps, 0, 2, 2, 1);

    panelDate = Nommer(new QWidget(groupBoxTemps), "panelDate");
    labelDateDebut = Nommer(new QLabel(TexteMessage(M_TempsDebut), panelDate), "labelDateDebut");
    dateTimeDebut = DATE_RETIC(panelDate, "dateTimeDebut");
    labelDateFin = Nommer(new QLabel(TexteMessage(M_TempsFin), panelDate), "labelDateFin");
    dateTimeFin = DATE_RETIC(panelDate, "dateTimeFin");
    auto* dates = new QGridLayout(panelDate);
    dates->setContentsMargins(0, 0, 0, 0);
    dates->addWidget(labelDateDebut, 0, 0);
    dates->addWidget(dateTimeDebut, 0, 1);
    dates->addWidget(labelDateFin, 1, 0);
    dates->addWidget(dateTimeFin, 1, 1);

    buttonInitDate = Nommer(new QPushButton(TexteMessage(M_PleinePage), groupBoxTemps), "buttonInitDate");

    auto* modes = new QHBoxLayout;
    modes->addWidget(radioButtonRelatif);
    modes->addWidget(radioButtonAbsolu);
    auto* groupe = new QVBoxLayout(groupBoxTemps);
    groupe->addLayout(modes);
    groupe->addWidget(panelRelatif);
    groupe->addWidget(panelDate);
    groupe->addWidget(buttonInitDate);
    auto* disposition = new QVBoxLayout(page);
    disposition->addWidget(groupBoxTemps);
    disposition->addStretch(1);

    connect(radioButtonRelatif, &QRadioButton::toggled, this, [this](bool c) {
        if (c) CHANGE_MODE_TEMPS(0);
    });
    connect(radioButtonAbsolu, &QRadioButton::toggled, this, [this](bool c) {
        if (c) CHANGE_MODE_TEMPS(1);
    });
    for (QDoubleSpinBox* b : {numericDebut, numericFin})
        connect(b, &QDoubleSpinBox::valueChanged, this, [this] { CHANGE_DATE(); });
    for (QDateTimeEdit* d : {dateTimeDebut, dateTimeFin})
        connect(d, &QDateTimeEdit::dateTimeChanged, this, [this] { CHANGE_DATE(); });
    connect(buttonInitDate, &QPushButton::clicked, this, [this] { INIT_DATE(); });
    return page;
}

void Retic::INIT_CHANGE_DATE() {
    const Remplissage remplissage(CalculModifEnCours);
    // Copies: the header is packed, its doubles may not be bound to references.
    const double tempsDebut = EnteteF.TempsDebut, duree = EnteteF.DureeTotale;
    const bool interne = EnteteF.BaseDeTempsInterne == 1;
    const QDateTime& trigger = Liens_.DateTrigger;
    const bool absolu = interne && Config.TempsAbsolu == 1 && trigger.isValid();
    groupBoxTemps->setEnabled(interne);
    radioButtonAbsolu->setEnabled(trigger.isValid());
    radioButtonRelatif->setChecked(!absolu);
    radioButtonAbsolu->setChecked(absolu);
    panelRelatif->setVisible(!absolu);
    panelDate->setVisible(absolu);

    // The window as the graph draws it: start and span in microseconds, and the
    // time per division that picks the unit.
    const double debutTemps = duree * Setup.DebutFenetre + tempsDebut;
    const tDivisionsTemps d = CALCUL_DIVISIONS(debutTemps, Setup.LargeurFenetre * duree);
    const tUniteRetic unite = UNITE_RETIC(d.BDT_Division);
    BDT_Retic = unite.Unite;
    labelUniteTemps->setText(unite.Libelle);
    const double bas = tempsDebut / BDT_Retic;
    const double haut = std::max(bas, (tempsDebut + duree) / BDT_Retic);
    for (QDoubleSpinBox* b : {numericDebut, numericFin}) b->setRange(bas, haut);
    numericDebut->setValue(std::clamp(debutTemps / BDT_Retic, bas, haut));
    numericFin->setValue(std::clamp((debutTemps + d.TempsTotal) / BDT_Retic, bas, haut));

    if (!trigger.isValid()) return;
    // Microseconds since the epoch, counted from the trigger's own milliseconds.
    const int64_t t0 = trigger.toMSecsSinceEpoch() * 1000;
    DebutFic = t0 + std::llround(tempsDebut);
    FinFic = DebutFic + std::llround(std::max(0.0, duree));
    DebutEcran = t0 + std::llround(debutTemps);
    FinEcran = DebutEcran + std::llround(d.TempsTotal);
    auto date = [&](int64_t microsecondes) { return trigger.addMSecs(MILLISECONDES(microsecondes - t0)); };
    for (QDateTimeEdit* p : {dateTimeDebut, dateTimeFin}) {
        p->setTimeSpec(trigger.timeSpec());
        p->setDateTimeRange(date(DebutFic), date(FinFic));
    }
    dateTimeDebut->setDateTime(date(DebutEcran));
    dateTimeFin->setDateTime(date(FinEcran));
}

void Retic::CHANGE_MODE_TEMPS(uint8_t absolu) {
    if (CalculModifEnCours) return;
    Config.TempsAbsolu = absolu;
    APRES_CHANGEMENT();
}

void Retic::CHANGE_DATE() {
    if (CalculModifEnCours) return;
    const t_EnteteREC_GlobalTotal& e = EnteteF;
    std::optional<tFenetre> f;
    if (!panelDate->isHidden() && Liens_.DateTrigger.isValid()) {
        const QDateTime& trigger = Liens_.DateTrigger;
        const int64_t t0 = trigger.toMSecsSinceEpoch() * 1000;
        DebutEcran = t0 + trigger.msecsTo(dateTimeDebut->dateTime()) * 1000;
        FinEcran = t0 + trigger.msecsTo(dateTimeFin->dateTime()) * 1000;
        f = FENETRE_TEMPS_ABSOLU(DebutFic, FinFic, DebutEcran, FinEcran);
    } else {
        f = FENETRE_TEMPS_RELATIF(numericDebut->value() * BDT_Retic, numericFin->value() * BDT_Retic,
                                  e.TempsDebut, e.DureeTotale);
    }
    if (!f) return;
    FENETRE(f->Debut, f->Largeur);
    REINIT_FORM();
}

void Retic::INIT_DATE() {
    if (CalculModifEnCours) return;
    FENETRE(0.0, 1.0);
    REINIT_FORM();
}

void Retic::FENETRE(double debut, double largeur) {
    if (Liens_.NouvelleFenetre) {
        Liens_.NouvelleFenetre(debut, largeur);
        return;
    }
    Setup.DebutFenetre = debut;
    Setup.LargeurFenetre = largeur;
    COHER_SETUP();
    REAFFICHER_TOTAL();
}

} // namespace VIEW
