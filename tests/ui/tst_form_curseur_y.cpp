// The amplitude-cursor tool window: its controls, the channel list over the
// present channels, switching the cursors on, and the position kept on close.
#include "EtatProgramme.h"
#include <QCheckBox>
#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <cstring>

#include "config/Config.h"
#include "config/Defauts.h"
#include "config/OnOff.h"
#include "graph/grapheft.h"
#include "recording/EnteteREC.h"
#include "shell/Messages.h"
#include "shell/Registre.h"
#include "ui/FormCurseurY.h"

using VIEW::FormCurseurY;

namespace {

// Present channels 0, 2 and 5 (a gap after 0 and after 2), with their names.
void TroisVoies() {
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
    EnteteF.NombreEntreesFiltre = 6;
}

QStringList Entrees(const QComboBox* liste) {
    QStringList l;
    for (int i = 0; i < liste->count(); ++i) l.append(liste->itemText(i));
    return l;
}

} // namespace

class TestFormCurseurY : public QObject {
    Q_OBJECT

    uint8_t Validite = 0;

private slots:
    void init() {
        RESET_GLOBAL_REGISTRE(); // Langue too: before the English texts are chosen
        RESET_ETAT_PROGRAMME();
        Validite = 0;
        TroisVoies();
    }

    void controlsAndTexts() {
        FormCurseurY d(nullptr, Validite, nullptr);
        QCOMPARE(d.checkBox_AfficheCurseurY->objectName(), QStringLiteral("checkBox_AfficheCurseurY"));
        QCOMPARE(d.comboBoxCurseurY->objectName(), QStringLiteral("comboBoxCurseurY"));
        QCOMPARE(d.button1->objectName(), QStringLiteral("button1"));
        QCOMPARE(d.checkBox_AfficheCurseurY->text(), QStringLiteral("Plot Cursor Y"));
        QCOMPARE(d.button1->text(), QStringLiteral("Return"));
        QVERIFY(d.windowFlags().testFlag(Qt::Tool));
        QVERIFY(!d.checkBox_AfficheCurseurY->isChecked());
        Validite = 1;
        d.Init_CurseurY();
        QVERIFY(d.checkBox_AfficheCurseurY->isChecked());
    }

    // The list holds the present channels in channel order; a position is a channel through
    // VRAI_NUMERO, and the entry shown at opening is the one of the cursors' channel.
    void listOverPresentChannels_data() {
        QTest::addColumn<int>("voieAvant");
        QTest::addColumn<int>("entreeMontree");
        QTest::addColumn<int>("voieApres");
        QTest::addColumn<int>("redessins");
        QTest::newRow("first channel") << 0 << 0 << 0 << 0;
        QTest::newRow("channel 2 is entry 1") << 2 << 1 << 2 << 0;
        QTest::newRow("channel 5 is entry 2") << 5 << 2 << 5 << 0;
        QTest::newRow("absent channel 1: entry 0 takes it") << 1 << 0 << 0 << 1;
        QTest::newRow("channel beyond the list") << 40 << 0 << 0 << 1;
    }
    void listOverPresentChannels() {
        QFETCH(int, voieAvant);
        QFETCH(int, entreeMontree);
        QFETCH(int, voieApres);
        QFETCH(int, redessins);
        Config.VoieCurseurY = 0;
        FormCurseurY d(nullptr, Validite, nullptr);
        QCOMPARE(Entrees(d.comboBoxCurseurY),
                 QStringList({QStringLiteral("Tension"), QStringLiteral("Courant"),
                              QString::fromUtf8("Temp\xC3\xA9rature")}));
        QSignalSpy spy(&d, &FormCurseurY::DemandeRedessin);
        Config.VoieCurseurY = static_cast<uint8_t>(voieAvant);
        d.Init_CurseurY();
        QCOMPARE(d.comboBoxCurseurY->currentIndex(), entreeMontree);
        QCOMPARE(int(Config.VoieCurseurY), voieApres);
        QCOMPARE(int(spy.count()), redessins);
        QCOMPARE(d.comboBoxCurseurY->count(), 3);
    }

    void choosingAnEntryMovesTheCursorsToItsChannel() {
        Config.VoieCurseurY = 0;
        FormCurseurY d(nullptr, Validite, nullptr);
        QSignalSpy spy(&d, &FormCurseurY::DemandeRedessin);
        const int attendu[] = {0, 2, 5};
        for (int entree : {2, 1, 0}) {
            d.comboBoxCurseurY->setCurrentIndex(entree);
            QCOMPARE(int(Config.VoieCurseurY), attendu[entree]);
        }
        QCOMPARE(spy.count(), 3);
    }

    void emptyListLeavesTheChannel() {
        VIDE_ONOFF(Config.VoiesPresentes);
        Config.VoieCurseurY = 7;
        FormCurseurY d(nullptr, Validite, nullptr);
        QCOMPARE(d.comboBoxCurseurY->count(), 0);
        QCOMPARE(int(Config.VoieCurseurY), 7);
    }

    // Switched on from off, Y1 and Y2 go 10 pixels inside the zone of the cursors' channel, in
    // thousandths of the zone's height; switched off or on again while on, they stay.
    void switchingOnPlacesTheCursorsInsideTheZone() {
        grapheft graphe;
        graphe.DebutScrollY = 25;
        graphe.ScrollY = 400;
        tReticEcran& r = Config.ReticEcran;
        r.NbEcran = 2;
        r.HautEcran[0] = 0;
        r.BasEcran[0] = 100;
        r.HautEcran[1] = 100;
        r.BasEcran[1] = 150; // pixels 200..300 of the plot: 100 high
        r.EcranVoie[5] = 2;
        Config.VoieCurseurY = 5;
        Config.PositionCurseurY1 = 300;
        Config.PositionCurseurY2 = 600;

        FormCurseurY d(nullptr, Validite, &graphe);
        QSignalSpy spy(&d, &FormCurseurY::DemandeRedessin);
        d.checkBox_AfficheCurseurY->setChecked(true);
        QCOMPARE(Validite, uint8_t(1));
        QCOMPARE(Config.PositionCurseurY1, uint16_t(100)); // 10 of 100 pixels
        QCOMPARE(Config.PositionCurseurY2, uint16_t(900));
        QCOMPARE(spy.count(), 1);

        Config.PositionCurseurY1 = 250;
        Config.PositionCurseurY2 = 750;
        d.checkBox_AfficheCurseurY->setChecked(false);
        QCOMPARE(Validite, uint8_t(0));
        QCOMPARE(Config.PositionCurseurY1, uint16_t(250));
        QCOMPARE(Config.PositionCurseurY2, uint16_t(750));
        QCOMPARE(spy.count(), 2);

        // Another channel, zone 0 of 200 pixels: 10 pixels are 50 thousandths.
        d.comboBoxCurseurY->setCurrentIndex(0);
        QCOMPARE(spy.count(), 3);
        d.checkBox_AfficheCurseurY->setChecked(true);
        QCOMPARE(Config.PositionCurseurY1, uint16_t(50));
        QCOMPARE(Config.PositionCurseurY2, uint16_t(950));
        QCOMPARE(spy.count(), 4);
    }

    // Only a switch from off places the cursors: the main window's flag already on, they stay.
    void alreadyOnTheCursorsStay() {
        grapheft graphe;
        graphe.ScrollY = 400;
        Config.PositionCurseurY1 = 123;
        Config.PositionCurseurY2 = 456;
        FormCurseurY d(nullptr, Validite, &graphe);
        QVERIFY(!d.checkBox_AfficheCurseurY->isChecked());
        Validite = 1;
        d.checkBox_AfficheCurseurY->setChecked(true);
        QCOMPARE(Validite, uint8_t(1));
        QCOMPARE(Config.PositionCurseurY1, uint16_t(123));
        QCOMPARE(Config.PositionCurseurY2, uint16_t(456));
    }

    void closingKeepsThePositionSharedWithTheAnnotationWindow() {
        QWidget principale;
        principale.show();
        QPointer<FormCurseurY> d = new FormCurseurY(&principale, Validite, nullptr);
        d->setAttribute(Qt::WA_DeleteOnClose);
        d->move(123, 45);
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        const QPoint ou = d->pos();
        QTest::mouseClick(d->button1, Qt::LeftButton);
        QTRY_VERIFY(d.isNull());
        QCOMPARE(int(PosAnnotX), ou.x());
        QCOMPARE(int(PosAnnotY), ou.y());
        QCOMPARE(ou, QPoint(123, 45));
        QCOMPARE(PosCalculX, uint16_t(0));

        // Escape closes it as well, and an off-screen position is kept within the stored range.
        FormCurseurY e(&principale, Validite, nullptr);
        e.move(-40, 300);
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        QTest::keyClick(&e, Qt::Key_Escape);
        QVERIFY(!e.isVisible());
        QCOMPARE(PosAnnotX, uint16_t(0));
        QCOMPARE(int(PosAnnotY), e.pos().y());
    }
};

QTEST_MAIN(TestFormCurseurY)
#include "tst_form_curseur_y.moc"
