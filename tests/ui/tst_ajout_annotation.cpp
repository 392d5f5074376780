// The annotation tool window: its controls and texts, the settings of the next
// annotation, showing and hiding the annotations, creating and deleting
// annotations with the buttons that follow them, saving through the main
// window's routine into a real recording, and the position kept on close.
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <optional>

#include "config/Config.h"
#include "config/Defauts.h"
#include "export/CreationAnnotation.h"
#include "export/SauveAnnotations.h"
#include "recmaker/RecMaker.h"
#include "recording/Annotations.h"
#include "recording/EnteteREC.h"
#include "recording/OuvreREC.h"
#include "shell/BoiteMessageEnregistreuse.h"
#include "shell/Messages.h"
#include "shell/Registre.h"
#include "ui/Ajout_Annotation.h"

using VIEW::Ajout_Annotation;
using VIEW::tLienAnnotation;

class TestAjoutAnnotation : public QObject {
    Q_OBJECT

    // The main window's state the window works on.
    uint8_t Verticale = 0;
    int ClicX = 0, ClicY = 0;
    int Sauvegardes = 0;
    std::function<void()> Sauver;
    BoiteMessageEnregistreuse Boites;
    std::optional<InstallationBoiteMessage> Installation;

    tLienAnnotation Lien() {
        return tLienAnnotation{Verticale, ClicX, ClicY, [] { return QRect(100, 50, 1000, 600); },
                               [this] {
                                   ++Sauvegardes;
                                   if (Sauver) Sauver();
                               }};
    }

    static bool Montre(const QWidget* w, const QWidget* fenetre) { return w->isVisibleTo(fenetre); }

private slots:
    void initTestCase() { Installation.emplace(Boites); }

    void init() {
        RESET_ENTETE();
        RESET_ANNOTATIONS();
        RESET_GLOBAL_CONFIG();
        INIT_CONFIG();
        RESET_GLOBAL_SETUP();
        Setup.DebutFenetre = 0.0;
        Setup.LargeurFenetre = 1.0;
        RESET_GLOBAL_REGISTRE();
        RESET_LANGUE();
        Langue = 1;
        EnteteF.FamilleEnregistreur = FamilleTKOS;
        EnteteF.LongueurScan = 4;
        EnteteF.NombreScans = 1000;
        Verticale = 0;
        ClicX = ClicY = 0;
        Sauvegardes = 0;
        Sauver = nullptr;
        Boites.Appels.clear();
    }

    void controlsAndTexts() {
        std::strcpy(Config.TexteAnnotation, "Essai \xE9t\xE9");
        Config.AnnotationsMasquees = 0;
        Verticale = 1;
        Ajout_Annotation d(nullptr, Lien());
        QCOMPARE(d.windowTitle(), QStringLiteral("Annotation"));
        QVERIFY(d.windowFlags().testFlag(Qt::Tool));
        QCOMPARE(d.checkBoxValider->text(), QStringLiteral("Valid"));
        QCOMPARE(d.checkBoxVertical->text(), QStringLiteral("vertical"));
        QCOMPARE(d.buttonEfface->text(), QStringLiteral("Delete"));
        QCOMPARE(d.buttonRetour->text(), QStringLiteral("Return"));
        QCOMPARE(d.labelAnnot->text(), QStringLiteral("click where do you want to add an annotation"));
        QVERIFY(!d.buttonSauve->icon().isNull());
        QCOMPARE(d.textBoxAnnot->text(), QString::fromUtf8("Essai \xC3\xA9t\xC3\xA9"));
        QCOMPARE(d.textBoxAnnot->maxLength(), 124);
        QVERIFY(d.checkBoxVertical->isChecked());
        QVERIFY(d.checkBoxValider->isChecked());
        QVERIFY(Montre(d.panelAnnot, &d));
        QVERIFY(!Montre(d.labelAnnot, &d));
        QVERIFY(!Montre(d.buttonEfface, &d));
        QVERIFY(!Montre(d.buttonSauve, &d));
        for (QWidget* w : std::initializer_list<QWidget*>{d.checkBoxValider, d.panelAnnot, d.textBoxAnnot,
                                                          d.checkBoxVertical, d.buttonCouleur, d.labelAnnot,
                                                          d.buttonEfface, d.buttonSauve, d.buttonRetour})
            QVERIFY(!w->objectName().isEmpty());

        // Annotations hidden: "Valid" unchecked, the panel hidden.
        Config.AnnotationsMasquees = 1;
        Verticale = 0;
        d.Init_Annot();
        QVERIFY(!d.checkBoxValider->isChecked());
        QVERIFY(!d.checkBoxVertical->isChecked());
        QVERIFY(!Montre(d.panelAnnot, &d));
        // Added annotations waiting: the two buttons.
        NombreAnnotEnPlus = 1;
        d.Init_Annot();
        QVERIFY(Montre(d.buttonEfface, d.panelAnnot));
        QVERIFY(Montre(d.buttonSauve, d.panelAnnot));
    }

    void editsGoToTheSettingsOfTheNextAnnotation() {
        Ajout_Annotation d(nullptr, Lien());
        QSignalSpy redessin(&d, &Ajout_Annotation::DemandeRedessin);
        d.textBoxAnnot->clear();
        QTest::keyClicks(d.textBoxAnnot, QStringLiteral("D"));
        QCOMPARE(QByteArray(Config.TexteAnnotation), QByteArray("D"));
        d.textBoxAnnot->insert(QString::fromUtf8("\xC3\xA9"
                                                 "bit \xE2\x82\xAC"));
        QCOMPARE(QByteArray(Config.TexteAnnotation), QByteArray("D\xE9"
                                                                "bit \x80"));
        // At most 124 characters.
        d.textBoxAnnot->setText(QString(130, QLatin1Char('z')));
        QCOMPARE(std::strlen(Config.TexteAnnotation), size_t(124));

        d.checkBoxVertical->click();
        QCOMPARE(Verticale, uint8_t(1));
        d.checkBoxVertical->click();
        QCOMPARE(Verticale, uint8_t(0));

        Config.CouleurAnnotation = static_cast<int32_t>(0xFFFF0000u);
        QColor proposee;
        d.ChoisirCouleur = [&](const QColor& actuelle, QWidget*) {
            proposee = actuelle;
            return QColor(0x12, 0x34, 0x56);
        };
        d.buttonCouleur->click();
        QCOMPARE(proposee, QColor(Qt::red));
        QCOMPARE(static_cast<uint32_t>(Config.CouleurAnnotation), 0xFF123456u);
        QCOMPARE(d.buttonCouleur->icon().pixmap(24, 16).toImage().pixelColor(5, 5), QColor(0x12, 0x34, 0x56));
        // Cancelled: the colour stays.
        d.ChoisirCouleur = [](const QColor&, QWidget*) { return QColor(); };
        d.buttonCouleur->click();
        QCOMPARE(static_cast<uint32_t>(Config.CouleurAnnotation), 0xFF123456u);
        QCOMPARE(redessin.count(), 0);
    }

    void validShowsOrHidesTheAnnotations() {
        Config.AnnotationsMasquees = 0;
        Ajout_Annotation d(nullptr, Lien());
        QSignalSpy redessin(&d, &Ajout_Annotation::DemandeRedessin);
        d.checkBoxValider->click();
        QCOMPARE(Config.AnnotationsMasquees, uint8_t(1));
        QVERIFY(!Montre(d.panelAnnot, &d));
        QCOMPARE(redessin.count(), 1);
        d.checkBoxValider->click();
        QCOMPARE(Config.AnnotationsMasquees, uint8_t(0));
        QVERIFY(Montre(d.panelAnnot, &d));
        QCOMPARE(redessin.count(), 2);
    }

    // "Create Annotation" at the stored click, then "Delete" until none is left.
    void createAndDeleteFollowTheButtonsAndTheMenuEntry() {
        NouveauAnnot = 2;
        Ajout_Annotation d(nullptr, Lien());
        QSignalSpy redessin(&d, &Ajout_Annotation::DemandeRedessin);
        QSignalSpy entree(&d, &Ajout_Annotation::EntreeSauveAnnot);

        // The right edge of the plot (fraction 1): nothing.
        ClicX = 1100;
        ClicY = 200;
        QCOMPARE(d.CREATION_ANNOTATION(), AnnotHorsFenetre);
        QCOMPARE(NombreAnnotEnPlus, 0);
        QCOMPARE(redessin.count(), 0);
        QCOMPARE(entree.count(), 0);

        std::strcpy(Config.TexteAnnotation, "Premiere");
        Verticale = 1;
        ClicX = 600;
        QCOMPARE(d.CREATION_ANNOTATION(), AnnotCreee);
        QCOMPARE(NombreAnnotEnPlus, 1);
        const tTabAnnotMemNew& a = TabAnnotMemNew[2];
        QCOMPARE(a.PositionMot, int64_t(2000));
        QCOMPARE(a.HauteurAnnot, int16_t(250));
        QCOMPARE(a.AnnotVerticale, uint8_t(1));
        QCOMPARE(QByteArray(a.TexteAnnot), QByteArray("Premiere"));
        QVERIFY(Montre(d.buttonEfface, &d));
        QVERIFY(Montre(d.buttonSauve, &d));
        QCOMPARE(redessin.count(), 1);
        QCOMPARE(entree.count(), 1);
        QCOMPARE(entree.takeFirst().at(0).toBool(), true);
        QCOMPARE(d.CREATION_ANNOTATION(), AnnotCreee);
        QCOMPARE(NombreAnnotEnPlus, 2);
        entree.clear();

        d.buttonEfface->click();
        QCOMPARE(NombreAnnotEnPlus, 1);
        QVERIFY(Montre(d.buttonEfface, &d));
        QCOMPARE(entree.count(), 0);
        d.buttonEfface->click();
        QCOMPARE(NombreAnnotEnPlus, 0);
        QCOMPARE(NouveauAnnot, 2);
        QVERIFY(!Montre(d.buttonEfface, &d));
        QVERIFY(!Montre(d.buttonSauve, &d));
        QCOMPARE(entree.count(), 1);
        QCOMPARE(entree.takeFirst().at(0).toBool(), false);
        QCOMPARE(redessin.count(), 4);
    }

    // A full table: the user is told and nothing changes.
    void refusedCreationChangesNothing() {
        NouveauAnnot = TailleTabAnnotMemNew;
        Ajout_Annotation d(nullptr, Lien());
        QSignalSpy entree(&d, &Ajout_Annotation::EntreeSauveAnnot);
        ClicX = 600;
        QCOMPARE(d.CREATION_ANNOTATION(), AnnotRefusee);
        QCOMPARE(NombreAnnotEnPlus, 0);
        QCOMPARE(entree.count(), 0);
        QCOMPARE(int(Boites.Appels.size()), 1);
    }

    // The save button runs the main window's routine; saved in place, no
    // annotation waits any more and the buttons go.
    void saveButtonSavesTheRecordingInPlace() {
        QTemporaryDir dossier;
        QVERIFY(dossier.isValid());
        const QString chemin = dossier.filePath(QStringLiteral("essai.rec"));
        recmaker::Enregistrement e;
        e.Famille = FamilleVEL;
        e.Modele = "VEL";
        e.NombreScans = 500;
        e.Voies = {recmaker::Voie{.Numero = 0, .Donnees = recmaker::Rampe(0, 1)}};
        QVERIFY(recmaker::Ecrire(e, QFile::encodeName(chemin).toStdString()));
        OuvreREC ouvre;
        ouvre.VraiNomFichier = ouvre.NomFichier = chemin;
        QCOMPARE(ouvre.LECTURE_ENTETE(), LectureOK);
        const qint64 longueur = QFileInfo(chemin).size();

        Sauver = [&] {
            ::SAVE_ANNOT(
                [&](const QString&, const QString&, const QString&, const QString&) { return chemin; },
                chemin, chemin);
        };
        Ajout_Annotation d(nullptr, Lien());
        ClicX = 300;
        QCOMPARE(d.CREATION_ANNOTATION(), AnnotCreee);
        QVERIFY(Montre(d.buttonSauve, &d));
        d.buttonSauve->click();
        QCOMPARE(Sauvegardes, 1);
        QCOMPARE(QFileInfo(chemin).size(), longueur + 152);
        QCOMPARE(NouveauAnnot, 1);
        QCOMPARE(NombreAnnotEnPlus, 0);
        QVERIFY(!Montre(d.buttonSauve, &d));
        QVERIFY(!Montre(d.buttonEfface, &d));
        QVERIFY(Boites.Appels.empty());
    }

    void closingKeepsItsPosition() {
        QWidget principale;
        principale.show();
        QPointer<Ajout_Annotation> d = new Ajout_Annotation(&principale, Lien());
        d->setAttribute(Qt::WA_DeleteOnClose);
        d->move(123, 45);
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        const QPoint ou = d->pos();
        QTest::mouseClick(d->buttonRetour, Qt::LeftButton);
        QTRY_VERIFY(d.isNull());
        QCOMPARE(ou, QPoint(123, 45));
        QCOMPARE(int(PosAnnotX), ou.x());
        QCOMPARE(int(PosAnnotY), ou.y());
        QCOMPARE(PosCalculX, uint16_t(0));
    }
};

QTEST_MAIN(TestAjoutAnnotation)
#include "tst_ajout_annotation.moc"
