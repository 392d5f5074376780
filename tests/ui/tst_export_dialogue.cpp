// The export dialog over the export state: controls and texts, visibility rules, toggling, the
// progress, and the closing message.
#include "EtatProgramme.h"
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "config/Config.h"
#include "config/Defauts.h"
#include "export/EtatExport.h"
#include "export/GlobauxExport.h"
#include "export/OptionsCSV.h"
#include "graph/GlobauxGraphe.h"
#include "recmaker/RecMaker.h"
#include "recording/Annotations.h"
#include "recording/EnteteREC.h"
#include "recording/EtatFonctions.h"
#include "recording/OuvreREC.h"
#include "recording/ScriptsREC.h"
#include "recording/SousEchantillonnage.h"
#include "recording/TexteTemps.h"
#include "shell/BoiteMessageEnregistreuse.h"
#include "shell/Messages.h"
#include "ui/Export.h"

using VIEW::Export;

namespace {

recmaker::Enregistrement Essai(int64_t scans) {
    recmaker::Enregistrement e;
    e.Famille = FamilleTKAR;
    e.Modele = "TKAR 8";
    e.PeriodeUs = 250.f;
    e.NombreScans = scans;
    e.Voies = {recmaker::Voie{.Numero = 0, .Nom = "Tension", .Unite = "V", .Donnees = recmaker::Rampe(0, 1)},
               recmaker::Voie{.Numero = 1, .Nom = "Temp", .Unite = "C", .Donnees = recmaker::Constant(3)}};
    return e;
}

// Rows of an export file: the lines after the column header.
int Rangees(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    int n = -1;
    for (const QByteArray& l : f.readAll().split('\n')) {
        if (n >= 0 && !l.isEmpty()) ++n;
        if (l.startsWith("Time")) n = 0;
    }
    return n;
}

void Cliquer(QAbstractButton* b) {
    QVERIFY(b != nullptr);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

} // namespace

class TestExportDialogue : public QObject {
    Q_OBJECT

    QTemporaryDir Dossier;
    QLocale Culture;
    BoiteMessageEnregistreuse Boites;
    std::optional<InstallationBoiteMessage> Installation;
    OuvreREC Ouvre;

    QString Chemin(const char* nom) const { return Dossier.filePath(QString::fromLatin1(nom)); }

    void Ouvrir(int64_t scans) {
        const QString chemin = Chemin("essai.rec");
        QVERIFY(recmaker::Ecrire(Essai(scans), QFile::encodeName(chemin).toStdString()));
        Ouvre.VraiNomFichier = Ouvre.NomFichier = chemin;
        QCOMPARE(Ouvre.OUVRIR_REC(1), LectureOK);
    }

private slots:
    void initTestCase() {
        QVERIFY(Dossier.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(Dossier.filePath(QStringLiteral("data"))));
        Culture = QLocale();
        Installation.emplace(Boites);
    }
    void init() {
        Ouvre.FERMER_FICHIER();
        RESET_ETAT_PROGRAMME();
        QLocale::setDefault(QLocale::c());
        Boites.Appels.clear();
        for (const char* f : {"sortie.txt", "sortie.csv", "sortie.xlsx"}) QFile::remove(Chemin(f));
        Ouvrir(1000);
    }
    void cleanup() {
        Ouvre.FERMER_FICHIER();
        QLocale::setDefault(Culture);
    }

    void controlsAndTexts() {
        Export d(Chemin("sortie.txt"), TypeTexte, 1, SOURCE_EXPORT(Ouvre));
        QCOMPARE(d.windowTitle(), Chemin("sortie.txt"));
        QCOMPARE(d.buttonValid->text(), QStringLiteral("Valid"));
        QCOMPARE(d.buttonAbort->text(), QStringLiteral("Abort"));
        QCOMPARE(d.checkBoxLimitation->text(), QStringLiteral("Convert all points "));
        QCOMPARE(d.checkBoxAnnot->text(), QStringLiteral("Export annotations"));
        QCOMPARE(d.groupBoxFormat->title(), QStringLiteral("Format"));
        QCOMPARE(d.radioButtonExpo->text(), QStringLiteral("Exponent"));
        QCOMPARE(d.radioButtonFixe->text(), QStringLiteral("Fixed"));
        QCOMPARE(d.numericUpDown1->minimum(), 1);
        QCOMPARE(d.numericUpDown1->maximum(), 1048000);
        QCOMPARE(d.progressBar1->minimum(), 0);
        QCOMPARE(d.progressBar1->maximum(), 1000);
        d.show();
        QVERIFY(!d.progressBar1->isVisible());
        QVERIFY(d.buttonValid->isEnabled());
        QCOMPARE(d.findChild<QSpinBox*>(QStringLiteral("numericUpDown1")), d.numericUpDown1);
    }

    void formatGroupHiddenForExcel_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("visible");
        QTest::newRow("Excel") << int(TypeExcel) << false;
        QTest::newRow("text") << int(TypeTexte) << true;
        QTest::newRow("CSV") << int(TypeCSV) << true;
    }
    void formatGroupHiddenForExcel() {
        QFETCH(int, type);
        QFETCH(bool, visible);
        Export d(Chemin("sortie.txt"), static_cast<uint8_t>(type), 1, SOURCE_EXPORT(Ouvre));
        d.show();
        QCOMPARE(d.groupBoxFormat->isVisible(), visible);
    }

    void formatFollowsAndWritesConfig() {
        Config.FormatExportFixe = 1;
        Export d(Chemin("sortie.txt"), TypeTexte, 1, SOURCE_EXPORT(Ouvre));
        d.show();
        QVERIFY(d.radioButtonFixe->isChecked());
        QVERIFY(!d.radioButtonExpo->isChecked());
        Cliquer(d.radioButtonExpo);
        QCOMPARE(Config.FormatExportFixe, uint8_t(0));
        Cliquer(d.radioButtonFixe);
        QCOMPARE(Config.FormatExportFixe, uint8_t(1));
    }

    void limitationToggles() {
        Config.LimitationExport = 0;
        Config.LongueurExport = 0;
        Export d(Chemin("sortie.txt"), TypeTexte, 1, SOURCE_EXPORT(Ouvre));
        d.show();
        // Unlimited: every scan of the displayed window, the count after the label.
        QVERIFY(d.checkBoxLimitation->isChecked());
        QVERIFY(!d.numericUpDown1->isVisible());
        QVERIFY(!d.label1->isEnabled());
        QCOMPARE(d.label1->text(), QStringLiteral("Number of points maximum :1000"));
        QCOMPARE(Config.LongueurExport, 100); // 0 normalised

        Cliquer(d.checkBoxLimitation);
        QCOMPARE(Config.LimitationExport & 1, 1);
        QVERIFY(!d.checkBoxLimitation->isChecked());
        QVERIFY(d.numericUpDown1->isVisible());
        QVERIFY(d.label1->isEnabled());
        QCOMPARE(d.label1->text(), QStringLiteral("Number of points maximum :"));
        QCOMPARE(d.numericUpDown1->value(), 100);
        QCOMPARE(d.Etat().LongueurACalculer, int64_t(100));

        // A count typed survives the next toggle.
        d.numericUpDown1->setValue(321);
        Cliquer(d.checkBoxLimitation);
        QCOMPARE(Config.LimitationExport & 1, 0);
        QVERIFY(!d.numericUpDown1->isVisible());
        Cliquer(d.checkBoxLimitation);
        QCOMPARE(d.numericUpDown1->value(), 321);
        QCOMPARE(d.Etat().LongueurACalculer, int64_t(321));
    }

    void rowCountNormalised() {
        Config.LimitationExport = 1;
        Config.LongueurExport = 5000000;
        Export d(Chemin("sortie.txt"), TypeTexte, 1, SOURCE_EXPORT(Ouvre));
        QCOMPARE(Config.LongueurExport, 1048000);
        QCOMPARE(d.numericUpDown1->value(), 1048000);
    }

    void annotationsBoxFollowsConfig() {
        for (uint8_t masquees : {uint8_t(0), uint8_t(1)}) {
            Config.AnnotationsMasquees = masquees;
            Export d(Chemin("sortie.txt"), TypeTexte, 0, SOURCE_EXPORT(Ouvre));
            QCOMPARE(d.checkBoxAnnot->isChecked(), masquees == 0);
        }
    }

    // "Valid" without the worker: the choices go into Config, the rows are written at once and the
    // closing box follows.
    void validWritesAtOnce() {
        Config.LimitationExport = 1;
        Config.AnnotationsMasquees = 0;
        Export d(Chemin("sortie.txt"), TypeTexte, 0, SOURCE_EXPORT(Ouvre));
        d.show();
        d.numericUpDown1->setValue(10);
        Cliquer(d.checkBoxAnnot);
        QTest::mouseClick(d.buttonValid, Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(Config.LongueurExport, 10);
        QCOMPARE(Config.AnnotationsMasquees, uint8_t(1));
        QCOMPARE(Rangees(Chemin("sortie.txt")), 10);
        QCOMPARE(Boites.Appels.size(), size_t(1));
        QCOMPARE(Boites.Appels[0].Titre, QStringLiteral("Export"));
        QCOMPARE(Boites.Appels[0].Texte, QStringLiteral("Export finish"));
        QCOMPARE(Boites.Appels[0].Icone, tIconeBoite::Avertissement);
    }

    // With the worker: the option controls give way to the progress bar, the timer follows the
    // writing and closes the dialog when it has finished.
    void workerProgressAndClosing() {
        Export d(Chemin("sortie.txt"), TypeTexte, 1, SOURCE_EXPORT(Ouvre));
        d.show();
        QTest::mouseClick(d.buttonValid, Qt::LeftButton);
        QVERIFY(d.ExportLance());
        if (d.isVisible()) {
            QVERIFY(d.progressBar1->isVisible());
            QVERIFY(!d.buttonValid->isEnabled());
            QVERIFY(!d.checkBoxLimitation->isVisible());
            QVERIFY(!d.checkBoxAnnot->isVisible());
            QVERIFY(!d.groupBoxFormat->isVisible());
            QVERIFY(d.timer1->isActive());
        }
        QTRY_VERIFY_WITH_TIMEOUT(!d.isVisible(), 30000);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.progressBar1->value(), 1000);
        QCOMPARE(Rangees(Chemin("sortie.txt")), 1000);
        QCOMPARE(Boites.TEXTES(), std::vector<std::string>{"Export finish"});
    }

    // The timer's tick shows LongProgress and closes once the writing is reported finished.
    void progressFollowsTheState() {
        Export d(Chemin("sortie.txt"), TypeTexte, 1, SOURCE_EXPORT(Ouvre));
        d.show();
        d.Etat().CalCulEnCours.store(ExportEnCours);
        d.Etat().LongProgress.store(420);
        d.SUIVRE_PROGRESSION();
        QCOMPARE(d.progressBar1->value(), 420);
        QVERIFY(d.isVisible());
        d.Etat().LongProgress.store(999);
        d.Etat().CalCulEnCours.store(ExportFini);
        d.SUIVRE_PROGRESSION();
        QVERIFY(!d.isVisible());
        QCOMPARE(d.progressBar1->value(), 1000);
    }

    // Closed before "Valid": no export, so no closing message and no file.
    void abortBeforeStartSaysNothing() {
        Export d(Chemin("sortie.txt"), TypeTexte, 1, SOURCE_EXPORT(Ouvre));
        d.show();
        QTest::mouseClick(d.buttonAbort, Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(Boites.Appels.empty());
        QVERIFY(!QFile::exists(Chemin("sortie.txt")));
    }

    // "Abort" while the rows are written stops after the current row and keeps what was written.
    void abortWhileWriting() {
        Ouvrir(400000);
        Export d(Chemin("sortie.txt"), TypeTexte, 1, SOURCE_EXPORT(Ouvre));
        d.show();
        QTest::mouseClick(d.buttonValid, Qt::LeftButton);
        if (d.isVisible()) QTest::mouseClick(d.buttonAbort, Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QVERIFY(d.Etat().CalCulEnCours.load() != ExportEnCours);
        QCOMPARE(Boites.TEXTES(), std::vector<std::string>{"Export finish"});
        const int rangees = Rangees(Chemin("sortie.txt"));
        QVERIFY(rangees >= 0);
        QVERIFY(rangees <= 400000);
    }

    void fileThatCannotBeCreated() {
        const QString cible = Dossier.filePath(QStringLiteral("absent/sortie.txt"));
        Export d(cible, TypeTexte, 1, SOURCE_EXPORT(Ouvre));
        d.show();
        QTest::mouseClick(d.buttonValid, Qt::LeftButton);
        QTRY_VERIFY(!d.isVisible());
        QCOMPARE(Boites.TEXTES(), std::vector<std::string>{"Export error: the file could not be created"});
        QCOMPARE(Boites.Appels[0].Titre, QStringLiteral("Export"));
        QVERIFY(!QFile::exists(cible));
    }
};

QTEST_MAIN(TestExportDialogue)
#include "tst_export_dialogue.moc"
