// The measurement tool window: filling from the configuration, the slot
// labels and the current slot, the channel and type lists, the switches, the
// redraw requests, and the position kept on close.
#include "EtatProgramme.h"
#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

#include <cstring>

#include "config/Config.h"
#include "config/Defauts.h"
#include "config/OnOff.h"
#include "graph/Mesures.h"
#include "recording/EnteteREC.h"
#include "shell/Messages.h"
#include "shell/Registre.h"
#include "ui/Form_Calcul.h"

using VIEW::Form_Calcul;

namespace {

// A TKAR recording of six channels of which 0, 2 and 5 are present.
void TroisVoies() {
    EnteteF.FamilleEnregistreur = FamilleTKAR;
    EnteteF.NombreVoiesAnalog = 6;
    EnteteF.NombreVoiesTotal = 6;
    VIDE_ONOFF(Config.VoiesPresentes);
    const struct {
        int Voie;
        const char* Nom;
    } voies[] = {{0, "Tension"}, {2, "Courant"}, {5, "Temp\xE9rature"}};
    for (const auto& v : voies) {
        AJOUT_ONOFF(Config.VoiesPresentes, v.Voie);
        std::strcpy(EnteteF.Affichage[v.Voie].NomAffiche, v.Nom);
    }
    std::strcpy(EnteteF.Affichage[1].NomAffiche, "Absente");
}

void Creneau(int k, int voie, int type) {
    Config.TabCalcul[k][0] = static_cast<uint8_t>(voie);
    Config.TabCalcul[k][1] = static_cast<uint8_t>(type);
}

QStringList Entrees(const QListWidget* liste) {
    QStringList l;
    for (int i = 0; i < liste->count(); ++i) l.append(liste->item(i)->text());
    return l;
}

QStringList Etiquettes(const Form_Calcul& d) {
    QStringList l;
    for (const auto* e : d.label)
        if (!e->isHidden()) l.append(e->text());
    return l;
}

int Marquee(const Form_Calcul& d) {
    int k = -1;
    for (int i = 0; i < Form_Calcul::NombreEtiquettes; ++i)
        if (d.label[i]->Marque()) {
            if (k >= 0) return -2; // two markers
            k = i;
        }
    return k;
}

} // namespace

class TestFormCalcul : public QObject {
    Q_OBJECT

private slots:
    void init() {
        RESET_GLOBAL_REGISTRE(); // Langue too: before the English texts are chosen
        RESET_ETAT_PROGRAMME();
        TroisVoies();
        Config.CalculValide = 1;
        Config.NombreCalcul = 3;
        Config.PlacementMinMax = 0;
        Creneau(0, 2, MesureFrequence);
        Creneau(1, 5, MesureRMS);
        Creneau(2, 0, MesureMin);
    }
    void cleanup() {
        RESET_ENTETE();
        RESET_GLOBAL_CONFIG();
        RESET_LANGUE();
    }

    void controlsFilledFromTheConfiguration() {
        Form_Calcul d;
        QVERIFY(d.windowFlags().testFlag(Qt::Tool));
        QCOMPARE(d.checkBoxValid->text(), QStringLiteral("Draw calculation"));
        QCOMPARE(d.labelNombre->text(), QStringLiteral("Number  of calculations:"));
        QCOMPARE(d.checkBoxMinMax->text(), QStringLiteral("Position Min and Max value onto the graph"));
        QCOMPARE(d.buttonRetour->text(), QStringLiteral("Return"));
        for (int k = 0; k < Form_Calcul::NombreEtiquettes; ++k)
            QCOMPARE(d.label[k]->objectName(), QStringLiteral("label%1").arg(k));
        QVERIFY(d.checkBoxValid->isChecked());
        QVERIFY(!d.checkBoxMinMax->isChecked());
        QCOMPARE(d.numericUpDown1->value(), 3);
        QCOMPARE(Etiquettes(d), QStringList({QStringLiteral("     Courant [ Freq ]"),
                                             QString::fromUtf8("     Temp\xC3\xA9rature [ RMS ]"),
                                             QStringLiteral("     Tension [ Min ]")}));
        QCOMPARE(Marquee(d), 0);
        QCOMPARE(Entrees(d.listBoxVoie), QStringList({QStringLiteral("Tension"), QStringLiteral("Courant"),
                                                      QString::fromUtf8("Temp\xC3\xA9rature")}));
        QCOMPARE(d.listBoxVoie->currentRow(), 1); // channel 2
        QCOMPARE(Entrees(d.listBoxType),
                 QStringList({QStringLiteral(" Min Value"), QStringLiteral(" Max Value"),
                              QStringLiteral("Peak to Peak"), QStringLiteral(" Frequency"),
                              QStringLiteral("Period"), QStringLiteral("Mean "), QStringLiteral("RMS")}));
        QCOMPARE(d.listBoxType->currentRow(), int(MesureFrequence));
    }

    // Shown as read, without rewriting: a count beyond 1..10, a channel beyond
    // the recording, a channel not present, an unknown type.
    void outOfRangeValuesShownWithoutRewriting() {
        Config.NombreCalcul = 11;
        Creneau(0, 40, 9);
        Creneau(1, 1, MesureMax);
        Form_Calcul d;
        QSignalSpy redessins(&d, &Form_Calcul::DemandeRedessin);
        QCOMPARE(d.numericUpDown1->value(), 10);
        QCOMPARE(Etiquettes(d).size(), 10);
        QCOMPARE(d.label[0]->text(), QStringLiteral("     Tension [ Min ]"));
        QCOMPARE(d.label[1]->text(), QStringLiteral("     Absente [ Max ]"));
        QCOMPARE(d.listBoxVoie->currentRow(), 0);
        QCOMPARE(d.listBoxType->currentRow(), 0);
        d.Init();
        QCOMPARE(int(Config.NombreCalcul), 11);
        QCOMPARE(int(Config.TabCalcul[0][0]), 40);
        QCOMPARE(int(Config.TabCalcul[0][1]), 9);
        QCOMPARE(redessins.count(), 0);

        Config.NombreCalcul = 0;
        d.Init();
        QCOMPARE(d.numericUpDown1->value(), 1);
        QCOMPARE(Etiquettes(d).size(), 1);
        QCOMPARE(int(Config.NombreCalcul), 0);
    }

    void drawSwitchHidesTheGroups() {
        Form_Calcul d;
        QSignalSpy spy(&d, &Form_Calcul::DemandeRedessin);
        d.checkBoxValid->click();
        QCOMPARE(int(Config.CalculValide), 0);
        QVERIFY(d.groupBoxNombre->isHidden());
        QVERIFY(d.groupBoxChoix->isHidden());
        QVERIFY(d.groupBoxPlacement->isHidden());
        QVERIFY(!d.checkBoxValid->isHidden());
        QCOMPARE(spy.count(), 1);
        d.checkBoxValid->click();
        QCOMPARE(int(Config.CalculValide), 1);
        QVERIFY(!d.groupBoxChoix->isHidden());
        QCOMPARE(spy.count(), 2);
        // A stored value other than 0 or 1 draws the results as 1 does: it shows
        // checked, and the switch turns it off.
        Config.CalculValide = 7;
        d.Init();
        QVERIFY(d.checkBoxValid->isChecked());
        QVERIFY(!d.groupBoxChoix->isHidden());
        d.checkBoxValid->click();
        QCOMPARE(int(Config.CalculValide), 0);
    }

    void clickingALabelMakesItsSlotCurrent() {
        Form_Calcul d;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QSignalSpy spy(&d, &Form_Calcul::DemandeRedessin);
        QTest::mouseClick(d.label[1], Qt::LeftButton);
        QCOMPARE(d.NumeroCalcul(), 1);
        QCOMPARE(Marquee(d), 1);
        QCOMPARE(d.listBoxVoie->currentRow(), 2); // channel 5
        QCOMPARE(d.listBoxType->currentRow(), int(MesureRMS));
        QCOMPARE(spy.count(), 1);
        QTest::mouseClick(d.label[2], Qt::LeftButton);
        QCOMPARE(d.listBoxVoie->currentRow(), 0);
        QCOMPARE(d.listBoxType->currentRow(), int(MesureMin));
    }

    // The lists edit the current slot: an entry becomes the absolute channel
    // number of that present channel, a type its code.
    void listsEditTheCurrentSlot() {
        Form_Calcul d;
        QSignalSpy spy(&d, &Form_Calcul::DemandeRedessin);
        d.listBoxVoie->setCurrentRow(2);
        QCOMPARE(int(Config.TabCalcul[0][0]), 5);
        QCOMPARE(d.label[0]->text(), QString::fromUtf8("     Temp\xC3\xA9rature [ Freq ]"));
        d.listBoxType->setCurrentRow(MesurePeriode);
        QCOMPARE(int(Config.TabCalcul[0][1]), int(MesurePeriode));
        QCOMPARE(d.label[0]->text(), QString::fromUtf8("     Temp\xC3\xA9rature [ Period ]"));
        QCOMPARE(spy.count(), 2);
        // Other slots untouched.
        QCOMPARE(int(Config.TabCalcul[1][0]), 5);
        QCOMPARE(int(Config.TabCalcul[1][1]), int(MesureRMS));
        QCOMPARE(int(Config.TabCalcul[2][0]), 0);
    }

    // Beyond the family's channel limit the entry gives channel 0.
    void channelsBeyondTheFamilyLimit() {
        AJOUT_ONOFF(Config.VoiesPresentes, 215);
        std::strcpy(EnteteF.Affichage[215].NomAffiche, "Fonction");
        Form_Calcul d;
        QCOMPARE(d.listBoxVoie->count(), 4);
        d.listBoxVoie->setCurrentRow(3);
        QCOMPARE(int(Config.TabCalcul[0][0]), 0); // TKAR: channels below 210 only
        EnteteF.FamilleEnregistreur = FamilleTKOS;
        d.listBoxVoie->setCurrentRow(3);
        QCOMPARE(int(Config.TabCalcul[0][0]), 215);
    }

    void countKeepsTheCurrentSlotBelowIt() {
        Form_Calcul d;
        QSignalSpy spy(&d, &Form_Calcul::DemandeRedessin);
        QTest::mouseClick(d.label[2], Qt::LeftButton);
        QCOMPARE(d.NumeroCalcul(), 2);
        d.numericUpDown1->setValue(2);
        QCOMPARE(int(Config.NombreCalcul), 2);
        QCOMPARE(d.NumeroCalcul(), 1);
        QCOMPARE(Marquee(d), 1);
        QCOMPARE(Etiquettes(d).size(), 2);
        d.numericUpDown1->setValue(10);
        QCOMPARE(int(Config.NombreCalcul), 10);
        QCOMPARE(Etiquettes(d).size(), 10);
        QCOMPARE(d.NumeroCalcul(), 1);
        QCOMPARE(spy.count(), 3);
    }

    void minMaxSwitch() {
        Form_Calcul d;
        QSignalSpy spy(&d, &Form_Calcul::DemandeRedessin);
        d.checkBoxMinMax->click();
        QCOMPARE(int(Config.PlacementMinMax), 1);
        d.checkBoxMinMax->click();
        QCOMPARE(int(Config.PlacementMinMax), 0);
        QCOMPARE(spy.count(), 2);
    }

    void frenchTexts() {
        Langue = 0;
        Form_Calcul d;
        QCOMPARE(d.checkBoxValid->text(), QStringLiteral("Afficher les calculs"));
        QCOMPARE(d.label[0]->text(), QString::fromUtf8("     Courant [ Fr\xC3\xA9q ]"));
        QCOMPARE(d.listBoxType->item(2)->text(), QString::fromUtf8("Cr\xC3\xAAte \xC3\xA0 cr\xC3\xAAte"));
    }

    void returnClosesAndKeepsThePosition() {
        QWidget principale;
        principale.show();
        QPointer<Form_Calcul> d = new Form_Calcul(&principale);
        d->setAttribute(Qt::WA_DeleteOnClose);
        bool detruite = false;
        connect(d, &QObject::destroyed, this, [&] { detruite = true; });
        d->move(123, 45);
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        const QPoint ou = d->pos();
        QTest::mouseClick(d->buttonRetour, Qt::LeftButton);
        QTRY_VERIFY(d.isNull());
        QVERIFY(detruite);
        QCOMPARE(int(PosCalculX), ou.x());
        QCOMPARE(int(PosCalculY), ou.y());
        QCOMPARE(int(PosAnnotX), 0); // the other tool windows' position is left alone
    }
};

QTEST_MAIN(TestFormCalcul)
#include "tst_form_calcul.moc"
