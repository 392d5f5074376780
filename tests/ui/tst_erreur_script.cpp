// The two script windows: the error window over the flags of an opening
// (texts, slot letters, picture, closing by its button and by Escape, shown
// through the opener's hook) and the script text window of a computed channel.
#include "EtatProgramme.h"
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "config/Config.h"
#include "config/Defauts.h"
#include "math/InstallationScripts.h"
#include "recmaker/RecMaker.h"
#include "recording/EnteteREC.h"
#include "recording/OuvreREC.h"
#include "recording/ScriptsREC.h"
#include "shell/Messages.h"
#include "ui/AffScript.h"
#include "ui/ErreurScript.h"

using VIEW::AffScript;
using VIEW::ErreurScript;

namespace {

void Cliquer(QAbstractButton* b) {
    QVERIFY(b != nullptr);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

recmaker::Voie Voie(int numero, const char* nom) {
    recmaker::Voie v;
    v.Numero = numero;
    v.Nom = nom;
    return v;
}

// TKOS: two recorded channels, script channels 72 and 74 (slot 1 has text but no channel).
recmaker::Enregistrement Essai() {
    recmaker::Enregistrement e;
    e.Famille = FamilleTKOS;
    e.RevisionVoies = 4;
    e.Revision = 4;
    e.NombreScans = 10;
    e.Voies = {Voie(0, "Pression"), Voie(1, "Temp"), Voie(72, "Double    "), Voie(74, "Temp\xE9rature x 2")};
    e.Scripts = {{0, {"// Double", "function = 'Pression' * 2;"}},
                 {1, {"function = 1;"}},
                 {2, {"function = 'Temp' * 2", "", "// \xE9t\xE9"}}};
    return e;
}

} // namespace

class TestErreurScript : public QObject {
    Q_OBJECT

    QTemporaryDir Dossier;
    OuvreREC Ouvre;

    void Ouvrir(const recmaker::Enregistrement& e) {
        const QString chemin = Dossier.filePath(QStringLiteral("scripts.rec"));
        QVERIFY(recmaker::Ecrire(e, QFile::encodeName(chemin).toStdString()));
        Ouvre.VraiNomFichier = Ouvre.NomFichier = chemin;
        QCOMPARE(Ouvre.OUVRIR_REC(1), LectureOK);
    }

private slots:
    void initTestCase() { QVERIFY(Dossier.isValid()); }
    void init() {
        Ouvre.FERMER_FICHIER();
        RESET_ETAT_PROGRAMME();
        Ouvre.MontrerErreursScripts = nullptr;
    }
    void cleanup() { Ouvre.FERMER_FICHIER(); }

    void errorWindowTextsAndSlots() {
        uint8_t erreurs[NombreSlotsScript]{};
        erreurs[0] = erreurs[2] = erreurs[25] = 1;
        ErreurScript d(erreurs);
        QCOMPARE(d.windowTitle(), QStringLiteral("Error"));
        QCOMPARE(d.labelTexte->text(), QStringLiteral("Errors in the following scripts:"));
        QCOMPARE(d.labelSlots->text(), QStringLiteral("FA FC FZ "));
        QCOMPARE(d.buttonRetour->text(), QStringLiteral("Return"));
        QVERIFY(!d.pictureBox->pixmap().isNull());
        QVERIFY(d.isModal());
        uint8_t aucune[NombreSlotsScript]{};
        QCOMPARE(VIEW::TEXTE_SLOTS_ERREUR(aucune), QString());
        aucune[1] = 1;
        QCOMPARE(VIEW::TEXTE_SLOTS_ERREUR(aucune), QStringLiteral("FB "));
    }

    // Reports of running scripts: the slots named, and one line each saying
    // where, why and what the channel holds; none with the opening's flags.
    void errorWindowWithTheReportsOfRunningScripts() {
        Langue = 0;
        Ouvrir(Essai());
        tArretsScripts arrets;
        arrets[0] = {ArretDefinitif, {RangeeExport, 12}, "Ligne 1 : nombre d'instructions d\xE9pass\xE9"};
        arrets[2] = {ArretException, {RangeeColonne, 7}, "Ligne 3 : Divide by zero"};
        ErreurScript d(arrets, EnteteF);
        QCOMPARE(d.labelSlots->text(), QStringLiteral("FA FC "));
        QCOMPARE(
            d.labelArrets->text(),
            QStringLiteral("FA (Double) arr\u00eat\u00e9 \u00e0 la ligne export\u00e9e 12: Ligne 1 : nombre "
                           "d'instructions d\u00e9pass\u00e9; sa voie vaut 0 \u00e0 partir de l\u00e0\n"
                           "FC (Temp\u00e9rature x 2) interrompu \u00e0 la colonne d'affichage 7: Ligne 3 : "
                           "Divide by zero; sa voie n'y est pas calcul\u00e9e"));
        QVERIFY(!d.labelArrets->isHidden());
        uint8_t erreurs[NombreSlotsScript]{};
        erreurs[0] = 1;
        ErreurScript ouverture(erreurs);
        QVERIFY(ouverture.labelArrets->isHidden());
    }

    void errorWindowTextsInFrench() {
        Langue = 0;
        uint8_t erreurs[NombreSlotsScript]{};
        erreurs[1] = 1;
        ErreurScript d(erreurs);
        QCOMPARE(d.windowTitle(), QStringLiteral("Erreur"));
        QCOMPARE(d.labelTexte->text(), QStringLiteral("Erreurs dans les scripts suivants :"));
        QCOMPARE(d.buttonRetour->text(), QStringLiteral("Retour"));
    }

    void returnButtonAndEscapeClose() {
        uint8_t erreurs[NombreSlotsScript]{};
        erreurs[3] = 1;
        {
            ErreurScript d(erreurs);
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            Cliquer(d.buttonRetour);
            QVERIFY(!d.isVisible());
            QCOMPARE(d.result(), int(QDialog::Accepted));
        }
        {
            ErreurScript d(erreurs);
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            QTest::keyClick(&d, Qt::Key_Escape);
            QVERIFY(!d.isVisible());
        }
    }

    // The opening shows the window for the slot that did not compile, and clears the flags.
    void shownByTheOpeningThroughTheHook() {
        const auto installation = INSTALLER_SCRIPTS(Ouvre);
        Ouvre.MontrerErreursScripts = VIEW::MONTRER_ERREURS_SCRIPTS;
        QString vu;
        int fenetres = 0;
        // The modal window is closed by Escape once it is up.
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<ErreurScript*>(QApplication::activeModalWidget());
            if (d == nullptr) return;
            ++fenetres;
            vu = d->labelSlots->text();
            QTest::keyClick(d, Qt::Key_Escape);
        });
        Ouvrir(Essai());
        QCOMPARE(fenetres, 1);
        QCOMPARE(vu, QStringLiteral("FC ")); // slot 2 lacks its ';'
        QVERIFY(Ouvre.Scripts != nullptr);
        for (int s = 0; s < NombreSlotsScript; ++s) QCOMPARE(Ouvre.Scripts->ErreurScript[s], uint8_t(0));
    }

    void scriptWindowOfAComputedChannel_data() {
        QTest::addColumn<int>("voie");
        QTest::addColumn<QString>("titre");
        QTest::addColumn<QString>("texte");
        const QString vides = QString(10, QLatin1Char('\n'));
        QTest::newRow("slot 0") << 2 << QStringLiteral("Double")
                                << QStringLiteral("// Double\nfunction = 'Pression' * 2;\n") + vides;
        QTest::newRow("slot 2") << 3 << QStringLiteral("Temp\u00e9rature x 2")
                                << QStringLiteral("function = 'Temp' * 2\n\n// \u00e9t\u00e9\n") +
                                       QString(9, QLatin1Char('\n'));
        QTest::newRow("recorded channel") << 0 << QStringLiteral("Pression") << QString();
    }
    void scriptWindowOfAComputedChannel() {
        QFETCH(int, voie);
        QFETCH(QString, titre);
        QFETCH(QString, texte);
        Ouvrir(Essai());
        QVERIFY(Ouvre.Scripts != nullptr);
        AffScript d(voie, *Ouvre.Scripts);
        QCOMPARE(d.windowTitle(), titre);
        QCOMPARE(d.textBoxScript->toPlainText(), texte);
        QVERIFY(d.textBoxScript->isReadOnly());
        QCOMPARE(d.textBoxScript->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(d.textBoxScript->palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(d.textBoxScript->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(d.textBoxScript->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        // Typing changes nothing.
        d.show();
        QTest::keyClicks(d.textBoxScript, QStringLiteral("xyz"));
        QCOMPARE(d.textBoxScript->toPlainText(), texte);
    }
};

QTEST_MAIN(TestErreurScript)
#include "tst_erreur_script.moc"
