// The main window driven as a user drives it: opening generated recordings,
// the background pass and its redraw, zooms with the buttons, the wheel and the
// mouse, cursors, the scroll bar, keys, drops, the checksum question, the recent
// list and the window placement.
#include "EtatProgramme.h"
#include <memory>

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>
#include <QtTest>

#include "ProgrammeLance.h"
#include "config/Coherence.h"
#include "config/Config.h"
#include "config/Defauts.h"
#include "config/OnOff.h"
#include "graph/GlobauxCurseurs.h"
#include "graph/GlobauxGraphe.h"
#include "graph/TravailleurGraphe.h"
#include "graph/grapheft.h"
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
#include "shell/Registre.h"
#include "shell/Texte8.h"
#include "ui/ErreurScript.h"
#include "ui/FenetreGuide.h"
#include "ui/Form_Calcul.h"
#include "ui/Form_main.h"
#include "ui/HelpForm.h"
#include "ui/ImageGraphe.h"
#include "ui/OuvertureBureau.h"
#include "ui/Retic.h"
#include "ui/TraductionQt.h"
#include "ui/concatene.h"

using VIEW::Form_main;

namespace {

// Complaints of Qt's painters during a test, and the handler they go on to.
QStringList PlaintesPeintre;
QtMessageHandler AvantPlaintes = nullptr;

recmaker::Enregistrement Essai(int64_t scans, bool checksum = false, int16_t decalage = 0) {
    recmaker::Enregistrement e;
    e.Famille = FamilleTKAR;
    e.Modele = "TKAR 8";
    e.PeriodeUs = 1000.f;
    e.NombreScans = scans;
    e.Checksum = checksum;
    e.ChecksumDecalage = decalage;
    e.Voies = {
        recmaker::Voie{
            .Numero = 0, .Nom = "Tension", .Unite = "V", .Donnees = recmaker::Sinus(32768, 20000, 200)},
        recmaker::Voie{
            .Numero = 1, .Nom = "Temp", .Unite = "C", .Donnees = recmaker::Carre(1000, 60000, 100)}};
    return e;
}

} // namespace

class TestFormMain : public QObject {
    Q_OBJECT

    QTemporaryDir Dossier;
    BoiteMessageEnregistreuse Boites;
    std::optional<InstallationBoiteMessage> Installation;
    std::unique_ptr<Form_main> F;

    QString Chemin(const QString& nom) const { return Dossier.filePath(nom); }

    QString Fabriquer(const QString& nom, const recmaker::Enregistrement& e) {
        const QString chemin = Chemin(nom);
        if (!recmaker::Ecrire(e, QFile::encodeName(chemin).toStdString())) return {};
        return chemin;
    }

    // Waits until the pass requested last has been drawn.
    bool AttendrePasse() {
        return QTest::qWaitFor([&] { return F->progressBar1->isHidden() && !F->IMAGE_ATTENDUE(); }, 20000) &&
               F->FichierOuvert == 1 && F->grapheFT->TABLE_COMPLETE();
    }

    bool Ouvrir(const QString& chemin) {
        F->APPEL_FICHIER(chemin, chemin, 1);
        return F->FichierOuvert == 1 && AttendrePasse();
    }

    QPoint Point(double fraction, double hauteur = 0.5) const {
        const grapheft& g = *F->grapheFT;
        return {static_cast<int>(g.DebutScrollX + fraction * g.ScrollX),
                static_cast<int>(g.DebutScrollY + hauteur * g.ScrollY)};
    }

    // The filter dialog the next opening shows is answered by accepting it.
    static void AccepterFiltre() {
        QTimer::singleShot(200, [] {
            if (QWidget* d = QApplication::activeModalWidget())
                if (auto* ok = d->findChild<QPushButton*>(QStringLiteral("buttonOK"))) ok->click();
        });
    }

    void Nouvelle() {
        F = std::make_unique<Form_main>();
        F->resize(1000, 700);
        F->show();
        QVERIFY(QTest::qWaitForWindowExposed(F.get()));
    }

private slots:
    void initTestCase() {
        QVERIFY(Dossier.isValid());
        Installation.emplace(Boites);
        // A painter that fails to begin draws nothing and says so only here:
        // any such complaint fails the test that caused it.
        AvantPlaintes =
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& c, const QString& m) {
                if (m.startsWith(QLatin1String("QPainter"))) PlaintesPeintre << m;
                AvantPlaintes(type, c, m);
            });
    }

    void cleanupTestCase() { qInstallMessageHandler(AvantPlaintes); }

    void init() {
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("OmbView"),
                  QStringLiteral("OmbrixViewer"))
            .clear();
        RESET_GLOBAL_REGISTRE(); // Langue too: before the English texts are chosen
        RESET_ETAT_PROGRAMME();
        COHERENCE_CONFIGURATION();
        Boites.Appels.clear();
        Boites.Reponses.clear();
        Nouvelle();
    }

    void cleanup() {
        F.reset();
        const QStringList plaintes = std::exchange(PlaintesPeintre, {});
        QVERIFY2(plaintes.isEmpty(), qPrintable(plaintes.join(QLatin1Char('\n'))));
        VIEW::CHARGER_TRADUCTION_QT(1); // Qt's texts back in English for the next test
    }

    void startsEmpty() {
        QCOMPARE(F->windowTitle(), QStringLiteral("OmbrixViewer"));
        QCOMPARE(F->FichierOuvert, uint8_t{0});
        QVERIFY(!F->pictureBox1->isVisible());
        QVERIFY(!F->boutonZoomPlus->isVisible());
        QVERIFY(!F->boutonCurseur->isVisible());
        QVERIFY(!F->actionExportExcel->isVisible());
        QVERIFY(F->actionResetConf->isVisible());
        QVERIFY(!F->actionExportCSV->isEnabled());
        QVERIFY(F->actionExportDossier->isEnabled());
        QVERIFY(F->progressBar1->isHidden());
        QCOMPARE(F->actionOuvrir->text().remove(QLatin1Char('&')), QStringLiteral("Open file"));
        QCOMPARE(F->boutonZoomPlus->text(), QStringLiteral("Zoom +"));
        QCOMPARE(F->CursSouris1, static_cast<double>(0.3f));
        QCOMPARE(F->CursSouris2, static_cast<double>(0.6f));
        for (QAction* a : F->actionRecents) QVERIFY(!a->isVisible());
        // The empty plot says how to open a recording.
        QVERIFY(F->labelAccueil->isVisible());
        QVERIFY(F->labelAccueil->text().contains(QStringLiteral("No recording open.")));
        QVERIFY(F->labelAccueil->text().contains(QStringLiteral("File &gt; Open file (Ctrl+O)")));
    }

    // Without a recording the window lists the recent files; a click on one opens it.
    void emptyWindowListsTheRecentFiles() {
        const QString chemin = Fabriquer(QStringLiteral("recent.rec"), Essai(2000));
        QVERIFY(Ouvrir(chemin));
        F.reset();
        ValidFichier = 0; // as at a start of the program
        Nouvelle();       // a new window, nothing open, the recent list kept
        QVERIFY(F->labelAccueil->isVisible());
        const QString lien = QUrl::fromLocalFile(chemin).toString();
        QVERIFY(F->labelAccueil->text().contains(lien.toHtmlEscaped()));
        AccepterFiltre();
        emit F->labelAccueil->linkActivated(lien);
        QVERIFY(AttendrePasse());
        QCOMPARE(F->Fichier1, chemin);
        QVERIFY(!F->labelAccueil->isVisible());
    }

    void openDrawsAfterThePass() {
        const QString chemin = Fabriquer(QStringLiteral("a.rec"), Essai(20000));
        QVERIFY(Ouvrir(chemin));
        QCOMPARE(F->windowTitle(), QDir::toNativeSeparators(chemin));
        QVERIFY(F->pictureBox1->isVisible());
        QVERIFY(F->boutonZoomPlus->isVisible());
        QVERIFY(F->actionExportCSV->isEnabled());
        QVERIFY(!F->actionResetConf->isVisible());
        QVERIFY(!F->hScrollBar1->isVisible()); // whole recording shown
        QCOMPARE(F->LargeurImage, F->pictureBox1->width());
        QCOMPARE(F->grapheFT->NewBitmap.size(), F->pictureBox1->size());
        QCOMPARE(LIRE_FICHIER_RECENT(1).value_or(QString()), chemin);
        QVERIFY(F->actionRecents[0]->isVisible());
        QCOMPARE(F->Fichier1, chemin);
        // The traces are drawn: a displayed channel's colour is found on its trace.
        bool trouve = false;
        for (int x = F->grapheFT->DebutScrollX;
             x < F->grapheFT->DebutScrollX + F->grapheFT->ScrollX && !trouve; x += 7)
            for (int y = F->grapheFT->DebutScrollY;
                 y < F->grapheFT->DebutScrollY + F->grapheFT->ScrollY && !trouve; y += 3)
                trouve = F->RECHERCHE_PIXEL_COULEUR(QPoint(x, y)) != 255;
        QVERIFY(trouve);
        QCOMPARE(F->RECHERCHE_PIXEL_COULEUR(QPoint(0, 0)), uint8_t{255});
    }

    // A script stopped while the picture's columns are computed is reported in
    // the script error window, once, with its column and why; the other
    // scripts' channels are drawn.
    void stoppedScriptIsReportedOnceWithItsColumn() {
        recmaker::Enregistrement e;
        e.Famille = FamilleTKOS;
        e.RevisionVoies = 4;
        e.Revision = 4;
        e.Modele = "TKOS 8";
        e.NombreScans = 1000;
        e.Voies = {recmaker::Voie{.Numero = 0, .Nom = "A", .Donnees = recmaker::Rampe(0, 1)},
                   recmaker::Voie{.Numero = 72, .Nom = "Boucle"},
                   recmaker::Voie{.Numero = 73, .Nom = "Double"}};
        e.Scripts = {{0, {"function = 1;", "if ('A' > 500) while (true) {}"}}, {1, {"function = 'A' * 2;"}}};
        const QString chemin = Fabriquer(QStringLiteral("boucle.rec"), e);
        QStringList vus;
        QTimer guet;
        connect(&guet, &QTimer::timeout, [&] {
            auto* d = qobject_cast<VIEW::ErreurScript*>(QApplication::activeModalWidget());
            if (d == nullptr) return;
            vus.append(d->labelSlots->text() + QLatin1Char('|') + d->labelArrets->text());
            d->accept();
        });
        guet.start(50);
        QVERIFY(Ouvrir(chemin));
        QVERIFY(QTest::qWaitFor([&] { return !vus.isEmpty(); }, 20000));
        QCOMPARE(vus.size(), 1);
        QCOMPARE(vus[0],
                 QStringLiteral("FA |FA (Boucle) stopped at display column 501: Ligne 2 : nombre "
                                "d'instructions d\u00e9pass\u00e9; its channel holds 0 from there on"));
        // Later redraws: the slot is stopped for good (its channel holds 0 on
        // every column), nothing more to say.
        F->RECALCUL_FORM();
        QVERIFY(AttendrePasse());
        QTest::qWait(200);
        QCOMPARE(vus.size(), 1);
        QCOMPARE(F->grapheFT->VALEUR_TABLE(400, 1), 0.0);
        QCOMPARE(F->grapheFT->VALEUR_TABLE(700, 2), 1400.0);
    }

    // A slow script on every column (a second or more of conversion per
    // picture): the window's thread never waits for it. The event loop stays
    // within 100 ms throughout, a zoom meanwhile drops the stale picture, and
    // only the latest window is drawn.
    void theWindowAnswersWhileASlowPictureIsDrawn() {
        recmaker::Enregistrement e;
        e.Famille = FamilleTKOS;
        e.RevisionVoies = 4;
        e.Revision = 4;
        e.Modele = "TKOS 8";
        e.NombreScans = 4000;
        e.Voies = {recmaker::Voie{.Numero = 0, .Nom = "A", .Donnees = recmaker::Rampe(0, 1)},
                   recmaker::Voie{.Numero = 72, .Nom = "Lent"}};
        e.Scripts = {{0, {"double s = 0; for (int i = 0; i < 30000; i++) s += 1;", "function = s;"}}};
        const QString chemin = Fabriquer(QStringLiteral("lent.rec"), e);
        qint64 pire = 0;
        QElapsedTimer horloge;
        horloge.start();
        qint64 precedent = horloge.elapsed();
        QTimer battement;
        connect(&battement, &QTimer::timeout, [&] {
            const qint64 t = horloge.elapsed();
            pire = std::max(pire, t - precedent);
            precedent = t;
        });
        F->APPEL_FICHIER(chemin, chemin, 1);
        QVERIFY(F->FichierOuvert == 1);
        // From here on the pictures are drawn.
        precedent = horloge.elapsed();
        battement.start(5);
        QTest::qWait(150); // its first picture is being drawn
        F->ZOOM_PLUS();
        const VIEW::tFenetre zoom{Setup.DebutFenetre, Setup.LargeurFenetre};
        QVERIFY(AttendrePasse());
        battement.stop();
        qInfo("longest wait of the event loop: %lld ms", static_cast<long long>(pire));
        QVERIFY2(pire < 100, qPrintable(QStringLiteral("the event loop waited %1 ms").arg(pire)));
        // The picture shown is of the zoomed window, its script's values right.
        QCOMPARE(F->grapheFT->TempsTotal, zoom.Largeur * EnteteF.DureeTotale);
        QCOMPARE(F->grapheFT->VALEUR_TABLE(500, 1), 30000.0);
    }

    // Run again with QT_SCALE_FACTOR=2 (its own test): on a screen of twice
    // the density the picture and its layers have twice the pixels each way,
    // the layout is the same.
    void hiDensityPicture() {
        const double r = F->pictureBox1->devicePixelRatioF();
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("dense.rec"), Essai(20000))));
        F->CURSEUR_ON_OFF();
        QVERIFY(AttendrePasse());
        QTRY_COMPARE(F->grapheFT->NewBitmap.devicePixelRatio(), r);
        QCOMPARE(F->grapheFT->NewBitmap.width(), static_cast<int>(std::ceil(F->LargeurImage * r)));
        QCOMPARE(F->BitmapCurseur.devicePixelRatio(), r);
        QCOMPARE(F->BitmapCurseur.size(), F->grapheFT->NewBitmap.size());
        if (r < 1.5) QSKIP("a screen of ordinary density; the test runs again at twice it");
    }

    void zoomButtons_data() {
        QTest::addColumn<double>("debut");
        QTest::addColumn<double>("largeur");
        QTest::addColumn<QString>("bouton");
        QTest::addColumn<double>("debutAttendu");
        QTest::addColumn<double>("largeurAttendue");
        QTest::newRow("zoom - at full page") << 0.0 << 1.0 << "moins" << 0.0 << 1.0;
        QTest::newRow("zoom - 0.4/0.5") << 0.4 << 0.5 << "moins" << 0.0 << 1.0;
        QTest::newRow("zoom - 0.7/0.25") << 0.7 << 0.25 << "moins" << 0.5 << 0.5;
        QTest::newRow("zoom + keeps the centre") << 0.2 << 0.4 << "plus" << 0.3 << 0.2;
        QTest::newRow("full page") << 0.3 << 0.2 << "pleine" << 0.0 << 1.0;
        QTest::newRow("full page at full page") << 0.0 << 1.0 << "pleine" << 0.0 << 1.0;
    }
    void zoomButtons() {
        QFETCH(double, debut);
        QFETCH(double, largeur);
        QFETCH(QString, bouton);
        QFETCH(double, debutAttendu);
        QFETCH(double, largeurAttendue);
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("z.rec"), Essai(20000))));
        F->RECALCUL_FORM(VIEW::tFenetre{debut, largeur});
        QVERIFY(AttendrePasse());
        const int64_t passes = F->Travailleur->PassesLancees();
        QAction* a = bouton == "plus"    ? F->boutonZoomPlus
                     : bouton == "moins" ? F->boutonZoomMoins
                                         : F->boutonPleinePage;
        a->trigger();
        QVERIFY(AttendrePasse());
        QCOMPARE(Setup.DebutFenetre, debutAttendu);
        QCOMPARE(Setup.LargeurFenetre, largeurAttendue);
        QCOMPARE(F->hScrollBar1->isVisible(), largeurAttendue < 1.0);
        // Full page at full page changes nothing and asks for no pass.
        if (bouton == "pleine" && largeur == 1.0) QCOMPARE(F->Travailleur->PassesLancees(), passes);
    }

    void zoomGuardOnThirtyScans() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("court.rec"), Essai(30))));
        F->boutonZoomPlus->trigger();
        QVERIFY(AttendrePasse());
        QCOMPARE(Setup.LargeurFenetre, 0.5);
        F->boutonZoomPlus->trigger(); // 7.5 scans would remain
        QVERIFY(AttendrePasse());
        QCOMPARE(Setup.LargeurFenetre, 0.5);
    }

    void zoomBetweenCursors() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("c.rec"), Essai(20000))));
        QVERIFY(!F->boutonZoomCurseurs->isVisible());
        F->boutonCurseur->trigger();
        QCOMPARE(F->ValiditeCurseur, uint8_t{1});
        QVERIFY(F->boutonZoomCurseurs->isVisible());
        F->CursSouris1 = 0.6;
        F->CursSouris2 = 0.3;
        F->boutonZoomCurseurs->trigger();
        QVERIFY(AttendrePasse());
        QCOMPARE(Setup.DebutFenetre, 0.3);
        QCOMPARE(Setup.LargeurFenetre, 0.6 - 0.3);
        QCOMPARE(F->CursSouris1, 0.6); // the cursors keep their fractions
    }

    void wheelZoomsAroundThePointer() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("w.rec"), Essai(20000))));
        const QPoint p = Point(0.25);
        const double fraction =
            (p.x() - F->grapheFT->DebutScrollX) / static_cast<double>(F->grapheFT->ScrollX);
        QWheelEvent avant(p, F->pictureBox2->mapToGlobal(p), {}, QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(F->pictureBox2, &avant);
        QVERIFY(AttendrePasse());
        QCOMPARE(Setup.LargeurFenetre, 0.5);
        QVERIFY(std::abs(Setup.DebutFenetre + fraction * 0.5 - fraction) < 1e-6);
        QWheelEvent arriere(p, F->pictureBox2->mapToGlobal(p), {}, QPoint(0, -120), Qt::NoButton,
                            Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(F->pictureBox2, &arriere);
        QVERIFY(AttendrePasse());
        QCOMPARE(Setup.LargeurFenetre, 1.0);
        QCOMPARE(Setup.DebutFenetre, 0.0);
    }

    void dragTheFirstCursor() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("d.rec"), Essai(20000))));
        F->boutonCurseur->trigger();
        const int64_t passes = F->Travailleur->PassesLancees();
        QTest::mousePress(F->pictureBox2, Qt::LeftButton, {}, Point(0.3 + 0.004));
        QCOMPARE(F->Souris, uint8_t{1});
        QCOMPARE(F->SwitchSouris, uint8_t{0});
        QTest::mouseMove(F->pictureBox2, Point(0.5));
        QMouseEvent glisse(QEvent::MouseMove, Point(0.5), F->pictureBox2->mapToGlobal(Point(0.5)),
                           Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(F->pictureBox2, &glisse);
        QTest::mouseRelease(F->pictureBox2, Qt::LeftButton, {}, Point(0.5));
        QCOMPARE(F->Souris, uint8_t{0});
        QVERIFY(std::abs(F->CursSouris1 - 0.5) < 2.0 / F->grapheFT->ScrollX);
        QCOMPARE(F->CursSouris2, static_cast<double>(0.6f));
        // Moving a cursor never asks for a pass.
        QCOMPARE(F->Travailleur->PassesLancees(), passes);
        // Dragged past the plot, the cursor stops at its edge.
        QTest::mousePress(F->pictureBox2, Qt::LeftButton, {}, Point(0.6));
        QCOMPARE(F->SwitchSouris, uint8_t{1});
        QMouseEvent dehors(QEvent::MouseMove, Point(1.4), F->pictureBox2->mapToGlobal(Point(1.4)),
                           Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(F->pictureBox2, &dehors);
        QTest::mouseRelease(F->pictureBox2, Qt::LeftButton, {}, Point(1.0));
        QCOMPARE(F->CursSouris2, 1.0);
    }

    void zoomRectangle() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("r.rec"), Essai(20000))));
        QTest::mousePress(F->pictureBox2, Qt::RightButton, {}, Point(0.2));
        QCOMPARE(F->Souris, uint8_t{2});
        QMouseEvent glisse(QEvent::MouseMove, Point(0.6), F->pictureBox2->mapToGlobal(Point(0.6)),
                           Qt::NoButton, Qt::RightButton, Qt::NoModifier);
        QCoreApplication::sendEvent(F->pictureBox2, &glisse);
        // The rectangle is drawn half transparent on the overlay.
        QCOMPARE(qAlpha(F->BitmapCurseur.pixel(Point(0.4))), 0x80);
        const double a = F->CursZoom1, b = F->CursZoom2;
        QTest::mouseRelease(F->pictureBox2, Qt::RightButton, {}, Point(0.6));
        QVERIFY(AttendrePasse());
        QCOMPARE(Setup.DebutFenetre, a);
        QCOMPARE(Setup.LargeurFenetre, b - a);
        QCOMPARE(qAlpha(F->BitmapCurseur.pixel(Point(0.4))), 0);
        // Dragged to the left: the whole recording.
        QTest::mousePress(F->pictureBox2, Qt::RightButton, {}, Point(0.7));
        QMouseEvent gauche(QEvent::MouseMove, Point(0.1), F->pictureBox2->mapToGlobal(Point(0.1)),
                           Qt::NoButton, Qt::RightButton, Qt::NoModifier);
        QCoreApplication::sendEvent(F->pictureBox2, &gauche);
        QTest::mouseRelease(F->pictureBox2, Qt::RightButton, {}, Point(0.1));
        QVERIFY(AttendrePasse());
        QCOMPARE(Setup.DebutFenetre, 0.0);
        QCOMPARE(Setup.LargeurFenetre, 1.0);
    }

    void leavingTheOverlayEndsTheDrag() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("l.rec"), Essai(20000))));
        QTest::mousePress(F->pictureBox2, Qt::RightButton, {}, Point(0.2));
        QCOMPARE(F->Souris, uint8_t{2});
        // Left outside the plot's horizontal extent: nothing happens.
        F->SOURIS_EN_DEHORS(QPoint(1, Point(0.5).y()));
        QCOMPARE(F->Souris, uint8_t{2});
        F->SOURIS_EN_DEHORS(Point(0.7));
        QCOMPARE(F->Souris, uint8_t{0});
        QVERIFY(std::abs(F->CursZoom2 - 0.7) < 2.0 / F->grapheFT->ScrollX);
        // The release that follows zooms nothing.
        const int64_t passes = F->Travailleur->PassesLancees();
        QTest::mouseRelease(F->pictureBox2, Qt::RightButton, {}, Point(0.7));
        QCOMPARE(Setup.LargeurFenetre, 1.0);
        QCOMPARE(F->Travailleur->PassesLancees(), passes);
        // A click outside every band and the plot does nothing either.
        QTest::mousePress(F->pictureBox2, Qt::LeftButton, {},
                          QPoint(F->grapheFT->DebutScrollX - 2, Point(0.5).y()));
        QCOMPARE(F->Souris, uint8_t{0});
    }

    void scrollBarToTheEnd() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("s.rec"), Essai(20000))));
        F->RECALCUL_FORM(VIEW::tFenetre{0.1, 0.3});
        QVERIFY(AttendrePasse());
        QScrollBar* b = F->hScrollBar1;
        QVERIFY(b->isVisible());
        QCOMPARE(b->pageStep(), 300000000);
        QCOMPARE(b->singleStep(), 30000000);
        QCOMPARE(b->value(), 100000000);
        b->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(F->ModScrollEnCours, uint8_t{1});
        // Events while the pass is pending are dropped.
        const double attendu = 1.0 - 0.3;
        b->triggerAction(QAbstractSlider::SliderToMinimum);
        QCOMPARE(Setup.DebutFenetre, attendu);
        QVERIFY(AttendrePasse());
        QTRY_COMPARE(F->ModScrollEnCours, uint8_t{0});
        QCOMPARE(Setup.DebutFenetre, attendu);
        QCOMPARE(Setup.LargeurFenetre, 0.3);
        // One page click moves by one window.
        b->triggerAction(QAbstractSlider::SliderPageStepSub);
        QVERIFY(AttendrePasse());
        QVERIFY(std::abs(Setup.DebutFenetre - (attendu - 0.3)) < 1e-7);
    }

    void arrowKeysScroll() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("k.rec"), Essai(20000))));
        F->RECALCUL_FORM(VIEW::tFenetre{0.5, 0.2});
        QVERIFY(AttendrePasse());
        QTRY_COMPARE(F->ModScrollEnCours, uint8_t{0});
        QTest::keyClick(F.get(), Qt::Key_Right);
        QVERIFY(AttendrePasse());
        QVERIFY(std::abs(Setup.DebutFenetre - 0.52) < 1e-9);
        QTRY_COMPARE(F->ModScrollEnCours, uint8_t{0});
        QTest::keyClick(F.get(), Qt::Key_Home);
        QVERIFY(AttendrePasse());
        QCOMPARE(Setup.LargeurFenetre, 1.0);
    }

    void checksumQuestion_data() {
        QTest::addColumn<bool>("reponse");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void checksumQuestion() {
        QFETCH(bool, reponse);
        const QString chemin = Fabriquer(QStringLiteral("cs.rec"), Essai(20000, true, 1));
        Boites.Reponses.push_back(reponse);
        F->APPEL_FICHIER(chemin, chemin, 1);
        QTRY_VERIFY_WITH_TIMEOUT(!Boites.Appels.empty(), 20000);
        QCOMPARE(Boites.Appels.back().Texte,
                 QStringLiteral("The checksum is false \n Would you still open the file?"));
        QCOMPARE(Boites.Appels.back().Titre, QStringLiteral("Error"));
        QVERIFY(Boites.Appels.back().Question);
        if (reponse) {
            QVERIFY(AttendrePasse());
            QCOMPARE(F->FichierOuvert, uint8_t{1});
            QVERIFY(F->grapheFT->TABLE_COMPLETE());
        } else {
            QTRY_VERIFY(F->progressBar1->isHidden());
            QCOMPARE(F->FichierOuvert, uint8_t{0});
            QCOMPARE(F->grapheFT->Donnees.CalculTerminer.load(), CalculAucun);
            QVERIFY(!F->actionExportCSV->isEnabled());
            F->Modification();
            QVERIFY(!F->actionExportCSV->isEnabled());
        }
        QCOMPARE(Boites.Appels.size(), size_t{1});
    }

    // While the question about a wrong checksum waits, nothing of the
    // previous recording is read out under the new one's units.
    void noValuesOfThePreviousRecordingWhileTheQuestionWaits() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("avant.rec"), Essai(20000))));
        F->CURSEUR_ON_OFF();
        QVERIFY(F->grapheFT->TABLE_COMPLETE());
        struct Guet : BoiteMessage {
            Form_main* Fenetre = nullptr;
            int Questions = 0;
            bool ValeursLues = true;
            void MONTRER(const QString&, const QString&, tIconeBoite) override {}
            bool DEMANDER(const QString&, const QString&, tIconeBoite, bool) override {
                ++Questions;
                ValeursLues = Fenetre->grapheFT->TABLE_COMPLETE();
                return true;
            }
        } guet;
        guet.Fenetre = F.get();
        const InstallationBoiteMessage boite(guet);
        const QString chemin = Fabriquer(QStringLiteral("joint.rec"), Essai(20000, true, 1));
        F->APPEL_FICHIER(chemin, chemin, 1);
        QTRY_VERIFY_WITH_TIMEOUT(guet.Questions == 1, 20000);
        QVERIFY(!guet.ValeursLues);
        QVERIFY(AttendrePasse());
        QVERIFY(F->grapheFT->TABLE_COMPLETE());
    }

    // A file that is no recording: the box says so, and the window is left
    // as a window without a recording, title and menus included; it then
    // opens the next recording as usual.
    void failedOpenClosesThePreviousRecordingCleanly() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("bon.rec"), Essai(20000))));
        const QString mauvais = Chemin(QStringLiteral("mauvais.rec"));
        {
            QFile f(mauvais);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(400, 'x'));
        }
        F->APPEL_FICHIER(mauvais, mauvais, 1);
        QVERIFY(!Boites.Appels.empty());
        QCOMPARE(F->FichierOuvert, uint8_t{0});
        QCOMPARE(F->windowTitle(), QStringLiteral("OmbrixViewer"));
        QVERIFY(!F->menuGraphique->menuAction()->isVisible());
        QVERIFY(!F->actionExportCSV->isEnabled());
        QVERIFY(!F->pictureBox1->isVisible());
        QVERIFY(!F->grapheFT->TABLE_COMPLETE());
        F->resize(900, 650);
        QTest::qWait(50);
        QCOMPARE(F->windowTitle(), QStringLiteral("OmbrixViewer"));
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("apres.rec"), Essai(2000))));
        QVERIFY(F->pictureBox1->isVisible());
    }

    // A language change or a new page count while a pass runs: its picture,
    // traces included, is drawn when it ends.
    void changesDuringAPassStillDrawItsPicture() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("passe.rec"), Essai(200000))));
        for (int k = 0; k < 2; ++k) {
            F->ZOOM_PLUS();
            if (k == 0)
                F->CHANGE_LANGUE(0);
            else
                F->MODIF_NOMBRE_DE_PAGE(2);
            QVERIFY(AttendrePasse());
            QVERIFY(F->grapheFT->TABLE_COMPLETE());
            QCOMPARE(F->grapheFT->TempsTotal, Setup.LargeurFenetre * EnteteF.DureeTotale);
        }
    }

    void recentList() {
        QStringList chemins;
        for (int k = 0; k < 5; ++k) chemins << Fabriquer(QStringLiteral("r%1.rec").arg(k), Essai(2000));
        for (int k = 0; k < 4; ++k) QVERIFY(Ouvrir(chemins[k]));
        QVERIFY(Ouvrir(chemins[1])); // already there: does not move
        QCOMPARE(LIRE_FICHIER_RECENT(1).value_or(QString()), chemins[3]);
        QCOMPARE(LIRE_FICHIER_RECENT(3).value_or(QString()), chemins[1]);
        QVERIFY(Ouvrir(chemins[4]));
        QCOMPARE(LIRE_FICHIER_RECENT(1).value_or(QString()), chemins[4]);
        QCOMPARE(LIRE_FICHIER_RECENT(4).value_or(QString()), chemins[1]);
        QCOMPARE(F->actionRecents[3]->data().toString(), chemins[1]);
        // A recent item opens its recording.
        AccepterFiltre();
        F->actionRecents[3]->trigger();
        QVERIFY(AttendrePasse());
        QCOMPARE(F->NomFichier, chemins[1]);
    }

    void placement() {
        F.reset();
        LargeurGra = 200;
        HauteurGra = 200;
        PosGraX = PosGraY = 10;
        F = std::make_unique<Form_main>();
        QCOMPARE(LargeurGra, uint16_t{800});
        QCOMPARE(HauteurGra, uint16_t{0x258});
        const QSize ecran = QGuiApplication::primaryScreen()->size();
        F.reset();
        PosGraX = static_cast<uint16_t>(ecran.width() - 100);
        LargeurGra = 800;
        PosGraY = 20;
        HauteurGra = 400;
        F = std::make_unique<Form_main>();
        QCOMPARE(PosGraX, uint16_t{0});
        QCOMPARE(LargeurGra, static_cast<uint16_t>(ecran.width()));
        QCOMPARE(PosGraY, uint16_t{20});
        F->close();
        QCOMPARE(LargeurGra, static_cast<uint16_t>(F->width()));
    }

    void xyModeHidesTheZooms() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("xy.rec"), Essai(2000))));
        Config.ModeXY = 1;
        F->Modification();
        for (QAction* a : {F->boutonZoomPlus, F->boutonZoomMoins, F->boutonPleinePage, F->boutonCurseurY})
            QVERIFY(!a->isVisible());
        QVERIFY(F->boutonCurseur->isVisible());
        QVERIFY(!F->boutonHorVer->isVisible());
        F->boutonCurseur->trigger();
        QVERIFY(F->boutonHorVer->isVisible());
        QVERIFY(!F->boutonZoomCurseurs->isVisible());
    }

    void splitPiecesJoinedOnOpening() {
        QByteArray attendu;
        const QString nom = Chemin(QStringLiteral("morceaux.rec"));
        const QString pieces[3] = {nom, nom + QLatin1Char('0'), nom + QStringLiteral("00")};
        QVERIFY(recmaker::Ecrire(Essai(3000), QFile::encodeName(nom).toStdString()));
        for (int k = 0; k < 3; ++k) {
            if (k > 0) {
                QFile f(pieces[k]);
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.write(QByteArray(1000 * k, static_cast<char>('a' + k)));
            }
            QFile f(pieces[k]);
            QVERIFY(f.open(QIODevice::ReadOnly));
            attendu += f.readAll();
        }
        Boites.Reponses.push_back(true);
        QVERIFY(Ouvrir(nom));
        QCOMPARE(Boites.Appels.front().Texte,
                 QStringLiteral("Voulez vous concatener les fichiers rec,rec0 etc..."));
        QCOMPARE(Boites.Appels.front().Titre, QStringLiteral("Concatenation"));
        QFile f(nom);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), attendu);
        QVERIFY(!QFile::exists(pieces[1]));
        QVERIFY(!QFile::exists(pieces[2]));
    }

    void splitPiecesKeptWhenRefused() {
        const QString nom = Chemin(QStringLiteral("garde.rec"));
        QVERIFY(recmaker::Ecrire(Essai(3000), QFile::encodeName(nom).toStdString()));
        const qint64 taille = QFileInfo(nom).size();
        QFile suite(nom + QLatin1Char('0'));
        QVERIFY(suite.open(QIODevice::WriteOnly));
        suite.write(QByteArray(500, 'x'));
        suite.close();
        Boites.Reponses.push_back(false);
        QVERIFY(Ouvrir(nom));
        QCOMPARE(QFileInfo(nom).size(), taille);
        QCOMPARE(QFileInfo(nom + QLatin1Char('0')).size(), qint64{500});
    }

    void toolWindows() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("t.rec"), Essai(5000))));
        const QSize ecran = QGuiApplication::primaryScreen()->size();
        QCOMPARE(F->POSITION_OUTIL(static_cast<uint16_t>(ecran.width() - 10), 40), QPoint(0, 40));
        QCOMPARE(F->POSITION_OUTIL(40, static_cast<uint16_t>(ecran.height() - 10)), QPoint(40, 0));
        QCOMPARE(F->POSITION_OUTIL(40, 50), QPoint(40, 50));

        QVERIFY(F->boutonCalcul->isVisible());
        F->boutonCalcul->trigger();
        QCOMPARE(F->FormCalculOuvert, uint8_t{1});
        QVERIFY(F->FenetreCalcul);
        F->boutonCalcul->trigger();
        QTRY_COMPARE(F->FormCalculOuvert, uint8_t{0});

        F->boutonCurseurY->trigger();
        QCOMPARE(F->FormCurseurYOuvert, uint8_t{1});
        QCOMPARE(F->pictureBox2->cursor().shape(), Qt::PointingHandCursor);
        // Switched on in the window: Y1 10 pixels below the zone's top, then dragged.
        auto* coche = F->FenetreCurseurY->findChild<QCheckBox*>(QStringLiteral("checkBox_AfficheCurseurY"));
        QVERIFY(coche);
        coche->click();
        QCOMPARE(F->ValiditeCurseurY, uint8_t{1});
        const grapheft& g = *F->grapheFT;
        const int haut = Config.ReticEcran.HautEcran[Config.ReticEcran.EcranVoie[0] - 1] * g.ScrollY / 200 +
                         g.DebutScrollY;
        const int bas =
            Config.ReticEcran.BasEcran[Config.ReticEcran.EcranVoie[0] - 1] * g.ScrollY / 200 + g.DebutScrollY;
        const int y1 = haut + Config.PositionCurseurY1 * (bas - haut) / 1000;
        QTest::mousePress(F->pictureBox2, Qt::LeftButton, {}, QPoint(Point(0.45).x(), y1));
        QCOMPARE(F->SwitchSouris, uint8_t{2});
        const QPoint milieu(Point(0.45).x(), (haut + bas) / 2);
        QMouseEvent glisse(QEvent::MouseMove, milieu, F->pictureBox2->mapToGlobal(milieu), Qt::NoButton,
                           Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(F->pictureBox2, &glisse);
        QTest::mouseRelease(F->pictureBox2, Qt::LeftButton, {}, milieu);
        QVERIFY(std::abs(Config.PositionCurseurY1 - 500) <= 5);
        F->boutonCurseurY->trigger();
        QTRY_COMPARE(F->FormCurseurYOuvert, uint8_t{0});
        QCOMPARE(F->pictureBox2->cursor().shape(), Qt::ArrowCursor);
    }

    // Never placed yet, a tool window opens inside the plot, under the menus,
    // the tool bar and the read-out box; a stored place off every screen is
    // brought back on one, title bar included.
    void toolWindowsOpenWithinReach() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("outils.rec"), Essai(5000))));
        F->CURSEUR_ON_OFF();
        const grapheft& g = *F->grapheFT;
        QTRY_VERIFY(!g.BoiteLecture.isEmpty()); // the picture with the read-out box
        const QRect ecran = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect lecture(F->pictureBox1->mapToGlobal(g.BoiteLecture.toRect().topLeft()),
                            g.BoiteLecture.toRect().size());
        QVERIFY(!lecture.isEmpty());
        const int sousLesMenus = F->pictureBox1->mapToGlobal(QPoint(0, 0)).y();
        const struct {
            const char* Nom;
            QAction* Bouton;
            QPointer<QWidget>* Fenetre;
        } outils[] = {{"measurements", F->boutonCalcul, &F->FenetreCalcul},
                      {"Y cursors", F->boutonCurseurY, &F->FenetreCurseurY},
                      {"annotations", F->boutonAnnotation, &F->FenetreAnnot}};
        for (const auto& o : outils) {
            for (const bool loin : {false, true}) {
                PosCalculX = PosCalculY = PosAnnotX = PosAnnotY = loin ? 60000 : 0;
                o.Bouton->trigger();
                QWidget* w = *o.Fenetre;
                QVERIFY2(w, o.Nom);
                QVERIFY(QTest::qWaitForWindowExposed(w));
                const QRect cadre = w->frameGeometry();
                QVERIFY2(ecran.contains(cadre), qPrintable(QStringLiteral("%1: %2,%3 %4x%5 in %6x%7")
                                                               .arg(QLatin1String(o.Nom))
                                                               .arg(cadre.x())
                                                               .arg(cadre.y())
                                                               .arg(cadre.width())
                                                               .arg(cadre.height())
                                                               .arg(ecran.width())
                                                               .arg(ecran.height())));
                if (!loin) {
                    QVERIFY2(cadre.top() >= sousLesMenus, o.Nom);
                    QVERIFY2(!cadre.intersects(lecture), o.Nom);
                }
                // Grown to show its settings, the measurement window stays on the screen.
                if (auto* calcul = qobject_cast<VIEW::Form_Calcul*>(w)) {
                    calcul->checkBoxValid->click();
                    QTRY_VERIFY(w->height() > cadre.height() - 40);
                    QTRY_VERIFY(ecran.contains(w->frameGeometry()));
                    calcul->checkBoxValid->click();
                }
                o.Bouton->trigger(); // closed again
                QTRY_VERIFY(!*o.Fenetre);
            }
        }
    }

    void addFunctionChannel() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("f.rec"), Essai(5000))));
        QVERIFY(F->boutonAjout->isVisible());
        const int voies = EnteteF.NombreVoiesTotal;
        // Twice the first channel, a sine.
        tFonctionConfig& f = Config.TabFonction[0];
        f.CoeffA = 2.f;
        f.CoeffB = 0.f;
        f.CoeffC = 0.f;
        f.Voie1 = 0;
        f.Voie2 = 0;
        f.Operateur = 0;
        QTimer::singleShot(200, [] {
            if (QWidget* d = QApplication::activeModalWidget())
                if (auto* ok = d->findChild<QPushButton*>(QStringLiteral("buttonValid"))) ok->click();
        });
        F->boutonAjout->trigger();
        QCOMPARE(int(EnteteF.NombreVoiesTotal), voies + 1);
        QVERIFY(TST_B_ONOFF(Config.VoiesAffichees, voies));
        QVERIFY(F->grapheFT->TABLE_COMPLETE());
        // Its range holds its values in the window with a little room, and its
        // colour is none of the displayed channels'.
        QTRY_VERIFY(!F->IMAGE_ATTENDUE());
        double min = 1e300, max = -1e300;
        for (int c = 0; c < NombreColonnesAffichage; ++c) {
            min = std::min(min, F->grapheFT->VALEUR_TABLE(c, voies));
            max = std::max(max, F->grapheFT->VALEUR_TABLE(c, voies));
        }
        const tParamVoie& p = Config.ParamVoie[voies];
        QVERIFY2(max > min, "a function of a sine varies");
        QVERIFY(p.BorneMin < min && min - p.BorneMin < 0.1 * (max - min));
        QVERIFY(p.BorneMax > max && p.BorneMax - max < 0.1 * (max - min));
        for (int ch = 0; ch < voies; ++ch)
            if (TST_B_ONOFF(Config.VoiesAffichees, ch))
                QVERIFY((Config.CouleurVoie[ch] & 0xFFFFFF) != (Config.CouleurVoie[voies] & 0xFFFFFF));
    }

    void printThreeSlices() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("p.rec"), Essai(20000))));
        F->RECALCUL_FORM(VIEW::tFenetre{0.2, 0.6});
        QVERIFY(AttendrePasse());
        F->MODIF_NOMBRE_DE_PAGE(2);
        QCOMPARE(NombreDePageImprimante, int16_t{3});
        QVERIFY(F->actionPages->text().endsWith(QLatin1String(": 3")));
        const QString pdf = Chemin(QStringLiteral("trois.pdf"));
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        F->DemanderImpression = [&](QPrinter& p) {
            orientation = p.pageLayout().orientation();
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            return true;
        };
        F->actionImprimer->trigger();
        QCOMPARE(orientation, QPageLayout::Landscape);
        QCOMPARE(F->FenetresImprimees.size(), size_t{3});
        for (int k = 0; k < 3; ++k) {
            QVERIFY(std::abs(F->FenetresImprimees[k].Debut - (0.2 + 0.2 * k)) < 1e-12);
            QVERIFY(std::abs(F->FenetresImprimees[k].Largeur - 0.2) < 1e-12);
        }
        QVERIFY(AttendrePasse());
        QCOMPARE(Setup.DebutFenetre, 0.2);
        QCOMPARE(Setup.LargeurFenetre, 0.6);
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray octets = f.readAll();
        QCOMPARE(octets.count("/Type /Page\n") + octets.count("/Type /Page\r") + octets.count("/Type /Page "),
                 3);
    }

    // A PDF printout is drawn, not pasted as a picture: its texts can be
    // found in it (the channel names, the time labels, the title).
    void printoutTextsCanBeSearched() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("texte.rec"), Essai(20000))));
        const QString pdf = Chemin(QStringLiteral("texte.pdf"));
        F->DemanderImpression = [&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            return true;
        };
        F->actionImprimer->trigger();
        const programme_test::tResultat texte = programme_test::LANCER(
            QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}, std::chrono::seconds(30));
        QVERIFY2(texte.Fini && texte.Code == 0, texte.Erreurs.constData());
        const QString mots = QString::fromUtf8(texte.Sortie);
        for (const QString& attendu :
             {QStringLiteral("Tension [KV]"), QStringLiteral("Temp [KC]"),
              QStringLiteral("20000 Samples/channels"), QStringLiteral("10s"), QStringLiteral("2s/div")})
            QVERIFY2(mots.contains(attendu), qPrintable(attendu + QStringLiteral(" not in:\n") + mots));
    }

    void printCountOutOfRangeGivesOnePage() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("p1.rec"), Essai(5000))));
        NombreDePageImprimante = 0;
        const int64_t passes = F->Travailleur->PassesLancees();
        const QString pdf = Chemin(QStringLiteral("une.pdf"));
        F->DemanderImpression = [&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            return true;
        };
        F->APPEL_IMPRESSION();
        QCOMPARE(F->FenetresImprimees.size(), size_t{1});
        QCOMPARE(F->Travailleur->PassesLancees(), passes); // one page: the screen is not recomputed
        QVERIFY(QFileInfo(pdf).size() > 0);
        F->MODIF_NOMBRE_DE_PAGE(40);
        QCOMPARE(NombreDePageImprimante, int16_t{30});
    }

    void bitmapAtTheScreenSize() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("b.rec"), Essai(5000))));
        F->boutonCurseur->trigger();
        const QString png = Chemin(QStringLiteral("b.png"));
        QString propose, filtre;
        F->DemanderEnregistrement = [&](const QString& titre, const QString&, const QString& nom,
                                        const QString& f) {
            propose = titre + QLatin1Char('|') + nom;
            filtre = f;
            return png;
        };
        F->actionExportBitmap->trigger();
        QCOMPARE(propose, QStringLiteral(" |b.png"));
        QCOMPARE(filtre, QStringLiteral("File *.png|*.png"));
        const QImage image(png);
        QCOMPARE(image.size(), F->pictureBox1->size());
        // A picture that cannot be written is told.
        Boites.Appels.clear();
        QVERIFY(!F->ENREGISTRER_BITMAP(Chemin(QStringLiteral("absent/dossier/b.png"))));
        QCOMPARE(Boites.Appels.size(), size_t{1});
    }

    void helpFileAndAbout() {
        QCOMPARE(VIEW::CHEMIN_AIDE(QStringLiteral("/opt/o"), 0),
                 QStringLiteral("/opt/o/HelpOmbrixViewer_fra.chm"));
        QCOMPARE(VIEW::CHEMIN_AIDE(QStringLiteral("/opt/o"), 1),
                 QStringLiteral("/opt/o/HelpOmbrixViewer_eng.chm"));
        QCOMPARE(VIEW::CHEMIN_AIDE(QStringLiteral("/opt/o"), 2),
                 QStringLiteral("/opt/o/HelpOmbrixViewer_eng.chm"));
        QList<QUrl> ouverts;
        auto ouvrir = [&](const QUrl& u) {
            ouverts << u;
            return true;
        };
        QVERIFY(!VIEW::APPEL_CHM(Dossier.path(), 1, ouvrir));
        QCOMPARE(Boites.Appels.back().Texte, QStringLiteral("Error Reading help file "));
        QCOMPARE(Boites.Appels.back().Titre, QStringLiteral("Error"));
        QVERIFY(ouverts.isEmpty());
        QFile aide(Chemin(QStringLiteral("HelpOmbrixViewer_fra.chm")));
        QVERIFY(aide.open(QIODevice::WriteOnly));
        aide.close();
        QVERIFY(VIEW::APPEL_CHM(Dossier.path(), 0, ouvrir));
        QCOMPARE(ouverts.value(0), QUrl::fromLocalFile(aide.fileName()));
        aide.remove();

        VIEW::HelpForm a;
        QCOMPARE(a.windowTitle(), QStringLiteral("Help"));
        QCOMPARE(a.labelVersion->text(),
                 QStringLiteral("Version :") + QLatin1String(OMBRIX_VERSION_AFFICHEE));
        QVERIFY(QRegularExpression(QStringLiteral("^Version :\\d+\\.\\d+$"))
                    .match(a.labelVersion->text())
                    .hasMatch());
        QCOMPARE(a.labelNom->text(), QStringLiteral("OmbrixViewer"));
        QCOMPARE(a.palette().color(QPalette::Window), QColor(Qt::white));
        a.Ouvrir = ouvrir;
        a.APPEL_SITE();
        QCOMPARE(ouverts.size(), 2);
        QVERIFY(ouverts.back().toString().startsWith(QLatin1String("http")));
        QVERIFY(a.labelSansNavigateur->isHidden());
        // No browser: the box says so, not the terminal.
        a.Ouvrir = [](const QUrl&) { return false; };
        a.APPEL_SITE();
        QVERIFY(!a.labelSansNavigateur->isHidden());
        QCOMPARE(a.labelSansNavigateur->text(),
                 QStringLiteral("No web browser could be opened: copy the address above."));
        QVERIFY(a.height() >= a.sizeHint().height());
        QVERIFY(F->actionAPropos->isVisible());
        QVERIFY(F->boutonAide->isVisible());
    }

    // A web address is opened only when the session knows a browser, so that its absence can be
    // told in the window (the desktop's opener reports success whatever happens next).
    void browserLookedForBeforeOpening() {
        const QByteArray chemin = qgetenv("PATH"), navigateur = qgetenv("BROWSER");
        QTemporaryDir bin;
        auto executable = [&](const QString& nom) {
            QFile f(bin.filePath(nom));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("#!/bin/sh\n");
            f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        };
        qputenv("PATH", QFile::encodeName(bin.path()));
        qunsetenv("BROWSER");
        QVERIFY(!VIEW::NAVIGATEUR_PRESENT());
        QVERIFY(!VIEW::OUVRIR_AVEC_BUREAU(QUrl(QStringLiteral("https://www.ombrix.example"))));
        qputenv("BROWSER", "absent:navigateur --nouveau");
        QVERIFY(!VIEW::NAVIGATEUR_PRESENT());
        executable(QStringLiteral("navigateur"));
        QVERIFY(VIEW::NAVIGATEUR_PRESENT());
        qunsetenv("BROWSER");
        QVERIFY(!VIEW::NAVIGATEUR_PRESENT());
        executable(QStringLiteral("x-www-browser"));
        QVERIFY(VIEW::NAVIGATEUR_PRESENT());
        qputenv("PATH", chemin);
        if (!navigateur.isNull()) qputenv("BROWSER", navigateur);
    }

    // The about box shows the program's own icon.
    void aboutShowsTheProgramIcon() {
        QPixmap rouge(64, 64);
        rouge.fill(Qt::red);
        const QIcon avant = QApplication::windowIcon();
        QApplication::setWindowIcon(QIcon(rouge));
        VIEW::HelpForm a;
        QApplication::setWindowIcon(avant);
        const QImage image = a.pictureBox1->pixmap().toImage();
        QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), QColor(Qt::red));
    }

    // Without the platform's help file the user guide of the language opens in the help window:
    // beside the program first, then in the installed documentation; the error box only when
    // neither has it.
    void helpGuideWithoutHelpFile() {
        QTemporaryDir racine;
        const QString programme = racine.filePath(QStringLiteral("bin"));
        const QString aCote = programme + QStringLiteral("/guide/guide_fr.html");
        const QString installe =
            racine.filePath(QStringLiteral("share/doc/ombrixviewer/guide/guide_en.html"));
        for (const QString& page : {aCote, installe}) {
            QVERIFY(QDir().mkpath(QFileInfo(page).path()));
            QFile f(page);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("<html><body><h1>" + QFileInfo(page).baseName().toLatin1() + "</h1></body></html>");
        }
        QCOMPARE(VIEW::CHEMIN_GUIDE(programme, 0), aCote);
        QCOMPARE(VIEW::CHEMIN_GUIDE(programme, 1), installe);
        QCOMPARE(VIEW::CHEMIN_GUIDE(programme, 2), installe);

        int demandes = 0;
        auto ouvrir = [&](const QUrl&) { return ++demandes, true; };
        QWidget proprietaire;
        QVERIFY(VIEW::APPEL_CHM(programme, 0, ouvrir, &proprietaire));
        auto* guide = proprietaire.findChild<VIEW::FenetreGuide*>();
        QVERIFY(guide != nullptr && guide->isVisible());
        QCOMPARE(guide->textBrowser1->source(), QUrl::fromLocalFile(aCote));
        QVERIFY(guide->textBrowser1->toPlainText().contains(QStringLiteral("guide_fr")));
        QCOMPARE(guide->windowTitle(), QStringLiteral("Detailed Help"));
        QVERIFY(VIEW::APPEL_CHM(programme, 1, ouvrir, &proprietaire)); // the same window, in English
        QCOMPARE(proprietaire.findChildren<VIEW::FenetreGuide*>().size(), 1);
        QCOMPARE(guide->textBrowser1->source(), QUrl::fromLocalFile(installe));
        QCOMPARE(demandes, 0);
        QVERIFY(Boites.Appels.empty());

        QVERIFY(QFile::remove(installe));
        QVERIFY(!VIEW::APPEL_CHM(programme, 1, ouvrir, &proprietaire));
        QCOMPARE(Boites.Appels.back().Texte, QStringLiteral("Error Reading help file "));

        // The build tree holds the guides beside its programs; F1 of the window shows them.
        const QString build = qEnvironmentVariable("OMBRIX_BUILD_DIR");
        QCOMPARE(VIEW::CHEMIN_GUIDE(build, 0), QDir(build).filePath(QStringLiteral("guide/guide_fr.html")));
        QCOMPARE(VIEW::CHEMIN_GUIDE(build, 1), QDir(build).filePath(QStringLiteral("guide/guide_en.html")));
        F->actionAideDetaillee->trigger();
        auto* fenetre = F->findChild<VIEW::FenetreGuide*>();
        QVERIFY(fenetre != nullptr);
        QVERIFY(fenetre->textBrowser1->toPlainText().contains(QStringLiteral("OmbrixViewer user guide")));
        QVERIFY(fenetre->textBrowser1->toPlainText().contains(QStringLiteral("exit status 3")));
    }

    void annotationPlacedAndSavedInPlace() {
        const QString chemin = Fabriquer(QStringLiteral("annot.rec"), Essai(5000));
        QVERIFY(Ouvrir(chemin));
        const qint64 taille = QFileInfo(chemin).size();
        QVERIFY(F->boutonAnnotation->isVisible());
        QVERIFY(!F->actionSauveAnnot->isVisible());
        F->boutonAnnotation->trigger();
        QCOMPARE(F->FormAnnotOuvert, uint8_t{1});
        QCOMPARE(F->pictureBox2->cursor().shape(), Qt::CrossCursor);
        // A click outside the plot proposes nothing; inside, the menu comes 30 pixels below.
        QTest::mousePress(F->pictureBox2, Qt::LeftButton, {}, QPoint(1, 1));
        QVERIFY(!F->contextMenuStrip1->isVisible());
        QTest::mousePress(F->pictureBox2, Qt::LeftButton, {}, Point(0.5, 0.3));
        QCOMPARE(F->SauvePositionXAnnot, Point(0.5, 0.3).x());
        QTRY_VERIFY(F->contextMenuStrip1->isVisible());
        F->contextMenuStrip1->hide();
        F->actionCreerAnnotation->trigger();
        QCOMPARE(NombreAnnotEnPlus, 1);
        QVERIFY(F->actionSauveAnnot->isVisible());
        F->DemanderEnregistrement = [&](const QString&, const QString&, const QString&, const QString&) {
            return chemin;
        };
        F->actionSauveAnnot->trigger();
        QCOMPARE(NombreAnnotEnPlus, 0);
        QVERIFY(QFileInfo(chemin).size() > taille);
        QVERIFY(!F->actionSauveAnnot->isVisible());
        F->boutonAnnotation->trigger();
        QTRY_COMPARE(F->FormAnnotOuvert, uint8_t{0});
        QCOMPARE(F->OnVaAjouterUneAnnotation, uint8_t{0});
        // Opened again, the recording carries the annotation.
        const int32_t avant = NouveauAnnot;
        QVERIFY(Ouvrir(chemin));
        QCOMPARE(NouveauAnnot, avant);
        QVERIFY(NouveauAnnot >= 1);
    }

    void concatenateAndOpenTheResult() {
        const QString a = Fabriquer(QStringLiteral("ca.rec"), Essai(3000));
        const QString b = Fabriquer(QStringLiteral("cb.rec"), Essai(2000));
        QVERIFY(Ouvrir(a));
        F->ExecuterDialogue = [&](QDialog& d) {
            auto* c = qobject_cast<VIEW::concatene*>(&d);
            if (!c) return d.exec();
            while (c->listBox1->count() > 0) {
                c->listBox1->setCurrentRow(0);
                c->EFFACE();
            }
            c->DemanderFichiers = [&](const QString&, const QString&, const QString&) {
                return QStringList{a, b};
            };
            c->AJOUTER_FICHIER();
            c->DEMANDE_OK();
            return int(QDialog::Accepted);
        };
        AccepterFiltre();
        F->actionConcatener->trigger();
        QVERIFY(AttendrePasse());
        QCOMPARE(F->NomFichier, a);
        QCOMPARE(EnteteF.NombreScans, int64_t{5000});
        QCOMPARE(F->OuvrirRecord->VraiNomFichier, QDir::temp().filePath(QStringLiteral("OMB_MEM/00.rec")));
    }

    void clicksOpenTheSettingsPages() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("st.rec"), Essai(20000))));
        QVERIFY(F->boutonProprietes->isVisible());
        QVERIFY(F->menuGraphique->menuAction()->isVisible());
        int page = -1, voie = -1, ouvertures = 0;
        F->ExecuterDialogue = [&](QDialog& d) {
            auto* r = qobject_cast<VIEW::Retic*>(&d);
            if (!r) return d.exec();
            ++ouvertures;
            page = r->tabControl1->currentIndex();
            voie = r->NumeroVoie;
            return int(QDialog::Rejected);
        };
        const grapheft& g = *F->grapheFT;
        // The title band's first lines: the first page.
        QTest::mousePress(F->pictureBox2, Qt::LeftButton, {}, QPoint(g.DebutScrollX + 20, 2));
        QCOMPARE(ouvertures, 1);
        QCOMPARE(page, 0);
        // The time labels below the plot: the time-base page.
        QTest::mousePress(F->pictureBox2, Qt::LeftButton, {},
                          QPoint(g.DebutScrollX + 20, g.DebutScrollY + g.ScrollY + 3));
        QCOMPARE(ouvertures, 2);
        QVERIFY(page != 0 && page != 1); // the time-base tab (its index depends on the tabs shown)
        // A right click without moving on the second channel's trace: its channel page.
        QPoint surTrace;
        for (int x = g.DebutScrollX + 5; x < g.DebutScrollX + g.ScrollX && surTrace.isNull(); x += 3)
            for (int y = g.DebutScrollY; y < g.DebutScrollY + g.ScrollY; ++y)
                if ((F->grapheFT->NewBitmap.pixel(x, y) & 0xFFFFFF) ==
                    (static_cast<uint32_t>(Config.CouleurVoie[1]) & 0xFFFFFF)) {
                    surTrace = QPoint(x, y);
                    break;
                }
        QVERIFY(!surTrace.isNull());
        QTest::mousePress(F->pictureBox2, Qt::RightButton, {}, surTrace);
        QTest::mouseRelease(F->pictureBox2, Qt::RightButton, {}, surTrace);
        QCOMPARE(ouvertures, 3);
        QCOMPARE(page, 1);
        QCOMPARE(voie, 1);
        QCOMPARE(Setup.LargeurFenetre, 1.0); // no zoom came of it
        // A click anywhere on a name of the legend, its smoothed edges or the
        // blank between its letters: that channel's page.
        QVERIFY(!g.BoitesNoms.empty());
        for (const auto& [boite, n] : g.BoitesNoms) {
            for (const QPointF p :
                 {boite.center(), boite.topLeft() + QPointF(1, 1), boite.bottomRight() - QPointF(1, 1)}) {
                QTest::mousePress(F->pictureBox2, Qt::LeftButton, {}, p.toPoint());
                QCOMPARE(page, 1);
                QCOMPARE(voie, n);
            }
        }
    }

    // Qt's own buttons follow the language (Debian's qtbase catalogues; Italian has its own).
    static QString BoutonOui() {
        QMessageBox b;
        b.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        return b.button(QMessageBox::Yes)->text();
    }

    void languageChange() {
        QCOMPARE(BoutonOui(), QStringLiteral("&Yes"));
        F->CHANGE_LANGUE(0);
        QCOMPARE(F->actionOuvrir->text().remove(QLatin1Char('&')), QStringLiteral("Ouvrir fichier"));
        QVERIFY(F->actionLangues[0]->isChecked());
        QCOMPARE(BoutonOui(), QStringLiteral("&Oui"));
        F->CHANGE_LANGUE(2);
        QCOMPARE(F->actionOuvrir->text().remove(QLatin1Char('&')), QStringLiteral("Datei öffnen"));
        QVERIFY(F->actionLangues[2]->isChecked());
        QVERIFY(!F->actionLangues[0]->isChecked());
        QCOMPARE(BoutonOui(), QStringLiteral("&Ja"));
        QVERIFY(VIEW::CHARGER_TRADUCTION_QT(3));
        QCOMPARE(BoutonOui(), QStringLiteral("&S\u00EC"));
        F->CHANGE_LANGUE(1);
        QCOMPARE(BoutonOui(), QStringLiteral("&Yes"));

        const QString traductions = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        QCOMPARE(VIEW::CATALOGUE_QT(3, traductions), QStringLiteral("qtbase_it"));
        QCOMPARE(VIEW::CATALOGUE_QT(3, Dossier.path()), QStringLiteral("qtbase_de")); // no Italian there
        QCOMPARE(VIEW::CATALOGUE_QT(4, traductions), QString());
    }

    // The graph's title line follows the language without reopening; one the user retyped stays.
    void headerTextsFollowTheLanguage() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("titres.rec"), Essai(2000))));
        QVERIFY(F->MessageEntete.contains(QStringLiteral(" Samples/channels ) Sample Rate :")));
        F->CHANGE_LANGUE(0);
        QVERIFY2(F->MessageEntete.contains(QStringLiteral(" Echant/voies ) P\u00E9riode acquisition :")),
                 qPrintable(F->MessageEntete));
        QCOMPARE(F->MessageEntete, F->OuvrirRecord->TexteMessageEntete());
        QCOMPARE(F->MessageEntSimplifie, F->OuvrirRecord->TexteMessageEntSimplifie());
        QCOMPARE(DepuisCp1252(F->grapheFT->TitreGraphique), F->MessageEntete); // drawn with it
        F->MessageEntete = QStringLiteral("Banc 3");
        F->CHANGE_LANGUE(2);
        QCOMPARE(F->MessageEntete, QStringLiteral("Banc 3"));
        QVERIFY(F->MessageEntSimplifie.contains(QStringLiteral(" Punkte/Kanal ) Abtastrate :")));
    }

    // Menus reached from the keyboard: a mnemonic for every command, none twice
    // in a menu, in every language; tool tips say the shortcuts.
    void mnemonicsAndShortcuts() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("clavier.rec"), Essai(2000))));
        for (const uint8_t langue : {uint8_t{0}, uint8_t{1}, uint8_t{2}}) {
            F->CHANGE_LANGUE(langue);
            const auto verifier = [](const QList<QAction*>& actions, const QString& ou) {
                QSet<QChar> vues;
                for (const QAction* a : actions) {
                    if (a->isSeparator() || a->text().isEmpty()) continue;
                    const QString t = a->text();
                    const qsizetype i = t.indexOf(QRegularExpression(QStringLiteral("&[^&]")));
                    QVERIFY2(i >= 0, qPrintable(ou + QStringLiteral(": ") + t));
                    QVERIFY2(!vues.contains(t[i + 1].toLower()),
                             qPrintable(ou + QStringLiteral(": twice in ") + t));
                    vues.insert(t[i + 1].toLower());
                }
            };
            verifier(F->menuBar()->actions(), QStringLiteral("menu bar"));
            for (QAction* m : F->menuBar()->actions())
                if (m->menu()) verifier(m->menu()->actions(), m->text());
        }
        QVERIFY(F->boutonZoomPlus->toolTip().contains(QStringLiteral("(+)")));
        // Key names come in the interface language too (German: "Pos1").
        const QString debut = QKeySequence(Qt::Key_Home).toString(QKeySequence::NativeText);
        QCOMPARE(debut, QStringLiteral("Pos1"));
        QVERIFY(F->boutonPleinePage->toolTip().contains(QLatin1Char('(') + debut + QLatin1Char(')')));
        F->CHANGE_LANGUE(1);
        QVERIFY(F->boutonPleinePage->toolTip().contains(QStringLiteral("(Home)")));
    }

    // Page Down and Page Up move by a whole window; the status bar reads out
    // the time and the values under the pointer.
    void pagesAndTheReadOutUnderThePointer() {
        QVERIFY(Ouvrir(Fabriquer(QStringLiteral("pages.rec"), Essai(20000))));
        F->RECALCUL_FORM(VIEW::tFenetre{0.2, 0.1});
        QVERIFY(AttendrePasse());
        QTest::keyClick(F.get(), Qt::Key_PageDown);
        QVERIFY(AttendrePasse());
        QVERIFY(std::abs(Setup.DebutFenetre - 0.3) < 1e-9);
        QTRY_COMPARE(F->ModScrollEnCours, uint8_t{0});
        QTest::keyClick(F.get(), Qt::Key_PageUp);
        QVERIFY(AttendrePasse());
        QVERIFY(std::abs(Setup.DebutFenetre - 0.2) < 1e-9);

        const grapheft& g = *F->grapheFT;
        const QPoint p = Point(0.5);
        QMouseEvent survol(QEvent::MouseMove, p, F->pictureBox2->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                           Qt::NoModifier);
        QCoreApplication::sendEvent(F->pictureBox2, &survol);
        QVERIFY(!F->labelPointeur->text().isEmpty());
        const QString t = F->labelPointeur->text();
        QVERIFY2(t.startsWith(QStringLiteral("T=")), qPrintable(t));
        char valeur[200];
        const int colonne = static_cast<int>(
            std::floor(static_cast<double>(static_cast<float>(p.x() - g.DebutScrollX) / g.ScrollX) * 1000));
        g.MESSAGE_COMPLET(valeur, 0, g.VALEUR_TABLE(std::clamp(colonne, 0, 999), 0));
        QVERIFY2(t.contains(QStringLiteral("Tension: ") + QString::fromLatin1(valeur).trimmed()),
                 qPrintable(t));
        // Off the plot: nothing.
        QCOMPARE(F->TEXTE_POINTEUR(QPoint(1, 1)), QString());
    }

    void dropOpensARecording() {
        const QString chemin = Fabriquer(QStringLiteral("drop.rec"), Essai(2000));
        QMimeData donnees;
        donnees.setUrls({QUrl::fromLocalFile(chemin)});
        QDragEnterEvent entree(QPoint(50, 50), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(F.get(), &entree);
        QVERIFY(entree.isAccepted());
        AccepterFiltre();
        QDropEvent depot(QPointF(50, 50), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(F.get(), &depot);
        QVERIFY(AttendrePasse());
        QCOMPARE(F->NomFichier, chemin);

        QMimeData autre;
        autre.setUrls({QUrl::fromLocalFile(Chemin(QStringLiteral("notes.txt")))});
        QDragEnterEvent refus(QPoint(50, 50), Qt::CopyAction, &autre, Qt::LeftButton, Qt::NoModifier);
        refus.setAccepted(false);
        QCoreApplication::sendEvent(F.get(), &refus);
        QVERIFY(!refus.isAccepted());
    }

    void openCommandUsesTheFileDialog() {
        const QString chemin = Fabriquer(QStringLiteral("dlg.rec"), Essai(2000));
        QString filtre;
        F->DemanderOuverture = [&](const QString&, const QString&, const QString& nom, const QString& f) {
            filtre = f + QLatin1Char('/') + nom;
            return chemin;
        };
        AccepterFiltre();
        F->actionOuvrir->trigger();
        QVERIFY(AttendrePasse());
        QCOMPARE(filtre, QStringLiteral("Recoder File *.rec|*.rec/*.rec"));
        QCOMPARE(F->FichierOuvert, uint8_t{1});
        QCOMPARE(QString::fromLocal8Bit(RepertoireSetUp), QDir::toNativeSeparators(Dossier.path()));
        // Cancelled: nothing changes.
        F->DemanderOuverture = [](const QString&, const QString&, const QString&, const QString&) {
            return QString();
        };
        F->actionOuvrir->trigger();
        QCOMPARE(F->FichierOuvert, uint8_t{1});
    }

    void exportNameAndFolderExportKeepTheView() {
        const QString chemin = Fabriquer(QStringLiteral("vue.rec"), Essai(5000));
        QVERIFY(Ouvrir(chemin));
        QCOMPARE(F->CALCUL_NOM_EXPORT(2), Chemin(QStringLiteral("vue.csv")));
        QCOMPARE(F->CALCUL_NOM_EXPORT(1), Chemin(QStringLiteral("vue.txt")));
        F->RECALCUL_FORM(VIEW::tFenetre{0.25, 0.5});
        QVERIFY(AttendrePasse());
        const int64_t scans = EnteteF.NombreScans;

        QTemporaryDir autre;
        recmaker::Enregistrement e = Essai(777);
        QVERIFY(
            recmaker::Ecrire(e, QFile::encodeName(autre.filePath(QStringLiteral("x.rec"))).toStdString()));
        F->DemanderDossier = [&](const QString&) { return autre.path(); };
        F->actionExportDossier->trigger();
        QVERIFY(QFile::exists(autre.filePath(QStringLiteral("x.csv"))));
        QVERIFY(AttendrePasse());
        // The recording on screen is still the one described.
        QCOMPARE(EnteteF.NombreScans, scans);
        QCOMPARE(Setup.DebutFenetre, 0.25);
        QCOMPARE(Setup.LargeurFenetre, 0.5);
        QCOMPARE(F->FichierOuvert, uint8_t{1});
        QCOMPARE(Boites.Appels.back().Titre, QStringLiteral("CSV Export"));
    }
};

QTEST_MAIN(TestFormMain)
#include "tst_form_main.moc"
