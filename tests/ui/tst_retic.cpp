// The display settings dialog on opened recordings: pages and the page asked for, "Abort" giving
// Config back byte for byte, the consistency pass on closing, list positions against channel
// numbers, screens, logic band, bounds, the time window in relative and absolute time, the
// "Change" and script buttons, colours, fonts, the user graticule and the cursor page.
#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "config/Coherence.h"
#include "config/Config.h"
#include "config/Defauts.h"
#include "config/OnOff.h"
#include "graph/GlobauxCurseurs.h"
#include "graph/GlobauxGraphe.h"
#include "graph/grapheft.h"
#include "math/Fonctions.h"
#include "recmaker/RecMaker.h"
#include "recording/Annotations.h"
#include "recording/EnteteREC.h"
#include "recording/EtatFonctions.h"
#include "recording/OuvreREC.h"
#include "recording/ScriptsREC.h"
#include "recording/TexteTemps.h"
#include "recording/TexteValeur.h"
#include "shell/BoiteMessageEnregistreuse.h"
#include "shell/Messages.h"
#include "ui/AffScript.h"
#include "ui/AppelReticule.h"
#include "ui/FonctionNew.h"
#include "ui/Retic.h"
#include "ui/ReticTempsCalcul.h"

using VIEW::Retic;
using VIEW::tLiensRetic;

namespace {

// Ten seconds at 1 ms, `voies` channels numbered from 0, three logic inputs.
recmaker::Enregistrement Essai(int voies) {
    recmaker::Enregistrement e;
    e.Famille = FamilleTKAR;
    e.Modele = "TKAR 8";
    e.PeriodeUs = 1000.f;
    e.NombreScans = 10000;
    const char* noms[] = {"Tension", "Courant", "Temp", "Pression"};
    for (int n = 0; n < voies; ++n)
        e.Voies.push_back(
            recmaker::Voie{.Numero = n, .Nom = noms[n], .Unite = "V", .Donnees = recmaker::Rampe(0, 1)});
    e.Logique = true;
    e.NomsLogiques = {"Porte", "Moteur", "Alarme"};
    return e;
}

// The filter dialog leaves the given entries out: with entry 1 out of four, list positions 0, 1, 2
// are channels 0, 2, 3.
class FiltreSans : public DialogueFiltre {
public:
    std::vector<int> Retirees;
    bool EXECUTER(FiltreFichierModele& modele) override {
        for (int k : Retirees) modele.SELECTION(k, false);
        modele.CEST_OK();
        return true;
    }
};

bool MemeConfig(const tConfig& a) {
    return std::memcmp(&a, &Config, sizeof a) == 0;
}

tConfig CopieConfig() {
    tConfig c;
    std::memcpy(&c, &Config, sizeof c);
    return c;
}

// Runs `action` on the modal dialog of type D once its loop runs, then closes it if the action did
// not. The timer dies with the returned object.
template <typename D> std::unique_ptr<QTimer> QuandDialogue(std::function<void(D&)> action, int* vus) {
    auto t = std::make_unique<QTimer>();
    t->setSingleShot(true);
    QObject::connect(t.get(), &QTimer::timeout, [action, vus] {
        auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
        if (d == nullptr) return;
        ++*vus;
        action(*d);
        if (d->isVisible()) d->reject();
    });
    t->start(0);
    return t;
}

float F(float v) {
    return v;
}

} // namespace

class TestRetic : public QObject {
    Q_OBJECT

    QTemporaryDir Dossier;
    QLocale Culture;
    BoiteMessageEnregistreuse Boites;
    std::optional<InstallationBoiteMessage> Installation;
    OuvreREC Ouvre;
    FiltreSans Filtre;
    QString Entete, Titre;

    // What the fake choosers answer, and what they were asked.
    std::optional<QColor> CouleurChoisie;
    std::optional<QFont> PoliceChoisie;
    QColor CouleurPolice;
    QFont PoliceDepart;
    bool PoliceAvecCouleur = false;
    QString FichierChoisi;
    QStringList DemandesFichier;

    void Ouvrir(const recmaker::Enregistrement& e, std::vector<int> retirees) {
        const QString chemin = Dossier.filePath(QStringLiteral("essai.rec"));
        QVERIFY(recmaker::Ecrire(e, QFile::encodeName(chemin).toStdString()));
        Ouvre.VraiNomFichier = Ouvre.NomFichier = chemin;
        Filtre.Retirees = std::move(retirees);
        Ouvre.Dialogue = &Filtre;
        QCOMPARE(Ouvre.OUVRIR_REC(0), LectureOK);
        COHERENCE_CONFIGURATION();
        Entete = Ouvre.TexteMessageEntete();
        Titre = Ouvre.TexteMessageTitreEntete();
    }
    void Ouvrir(int voies = 4, std::vector<int> retirees = {1}) { Ouvrir(Essai(voies), std::move(retirees)); }

    tLiensRetic Liens() {
        tLiensRetic l;
        l.MessageEntete = &Entete;
        l.MessageTitreEntete = &Titre;
        l.DateTrigger = Ouvre.DateTrigger;
        l.Scripts = Ouvre.Scripts.get();
        return l;
    }

    void Choosers(Retic& d) {
        d.ChoisirCouleur = [this](const QColor&) { return CouleurChoisie; };
        d.ChoisirPolice = [this](const QFont& depart, QColor* couleur) -> std::optional<QFont> {
            PoliceDepart = depart;
            PoliceAvecCouleur = couleur != nullptr;
            if (PoliceChoisie && couleur) *couleur = CouleurPolice;
            return PoliceChoisie;
        };
        d.ChoisirBitmap = [this](const QString& propose, const QString& filtre) {
            DemandesFichier << propose + QLatin1Char('/') + filtre;
            return FichierChoisi;
        };
    }

    // One edit on every page, each checked as it is made.
    void ToutModifier(Retic& d) {
        Choosers(d);
        CouleurChoisie = QColor(10, 20, 30);
        PoliceChoisie = QFont(QStringLiteral("DejaVu Sans"), 14);
        CouleurPolice = QColor(200, 0, 0);
        FichierChoisi = QStringLiteral("/tmp/grille.bmp");
        // Screen page.
        d.numericNbEcran->setValue(2);
        QCOMPARE(Config.ReticEcran.NbEcran, 2);
        d.numericHaut->setValue(30);
        d.numericDivision->setValue(3);
        QCOMPARE(Config.ReticEcran.NbDivEcran[0], 3);
        d.checkBoxBornes->setChecked(false);
        QCOMPARE(Config.AffichageBornes, 0);
        d.checkBoxReticPerso->setChecked(true);
        QCOMPARE(Config.ReticulePerso, 1);
        d.buttonCouleurFond->click();
        QCOMPARE(Config.CouleurFond, int32_t(0xFF0A141E));
        CouleurChoisie = QColor(1, 2, 3);
        d.buttonCouleurReticule->click();
        QCOMPARE(Config.CouleurReticule, int32_t(0xFF010203));
        d.buttonPoliceNom->click();
        QCOMPARE(F(Config.PoliceNom.Taille), 14.f);
        d.checkBoxXY->setChecked(true);
        QCOMPARE(Config.ModeXY, 1);
        d.comboBoxVoieX->setCurrentIndex(2);
        QCOMPARE(Config.VoieX, 3);
        d.radioButtonPoints->setChecked(true);
        QCOMPARE(Config.XYPoints, 1);
        d.checkBoxXY->setChecked(false);
        d.numericHauteurVL->setValue(80);
        QCOMPARE(Config.HauteurVoiesLogiques, 80);
        d.checkBoxVLEnDehors->setChecked(true);
        QCOMPARE(Config.VoiesLogiquesEnDehors, 1);
        d.textBoxTitre->setText(QStringLiteral("Nouveau titre"));
        // Channel page.
        d.listBoxVoies->setCurrentRow(1);
        d.textBoxNomVoie->setText(QStringLiteral("Renomme"));
        d.buttonCouleurVoie->click();
        QCOMPARE(Config.CouleurVoie[2], int32_t(0xFF010203));
        d.numericEpaisseur->setValue(5);
        QCOMPARE(Config.EpaisseurVoie[2], 5);
        d.textBoxMax->setText(QStringLiteral("70")); // in thousands: the range is about 32768
        d.buttonBornes->click();
        QCOMPARE(F(Config.ParamVoie[2].BorneMax), 70000.f);
        d.radioButtonExpo->setChecked(true);
        QCOMPARE(Config.ParamVoie[2].FormatAffichage, 2);
        d.buttonEcranBas->click();
        QCOMPARE(Config.ReticEcran.EcranVoie[2], 2);
        d.checkBoxPlusieurBorne->toggle();
        d.checkBoxNomVertical->toggle();
        d.buttonPoliceBornes->click();
        QCOMPARE(QByteArray(Config.PoliceBaseDeTemps.Nom), QByteArray("DejaVu Sans"));
        d.checkBoxOn->setChecked(false);
        QVERIFY(!TST_B_ONOFF(Config.VoiesAffichees, 2));
        // Logic page.
        d.checkBoxLogique[1]->setChecked(false);
        QCOMPARE(Config.MasqueVoiesLogiques, 0b101);
        d.buttonCouleurLogique->click();
        QCOMPARE(Config.CouleurVoieLogique[0], int32_t(0xFF010203));
        // Time-base page.
        d.radioButtonAbsolu->setChecked(true);
        QCOMPARE(Config.TempsAbsolu, 1);
        // Cursor page.
        d.checkBoxBoiteCurseur->setChecked(false);
        QCOMPARE(Config.BoiteCurseur, 0);
        d.numericNbVoieCurseur->setValue(4);
        QCOMPARE(Config.NombreVoieCurseur, 4);
        d.radioButtonPosCurseur[2]->setChecked(true);
        QCOMPARE(Config.PositionBoiteCurseur, 2);
        d.checkBoxCurseurDansRetic->setChecked(true);
        d.buttonCouleurCurseur->click();
        d.comboBoxVoieSuit->setCurrentIndex(2);
        QCOMPARE(Config.VoieSuitCurseur, 2);
        d.checkBoxValeurSuit->setChecked(false);
        QCOMPARE(Config.ValeurSuitCurseur, 0);
    }

private slots:
    void initTestCase() {
        QVERIFY(Dossier.isValid());
        Culture = QLocale();
        Installation.emplace(Boites);
    }
    void init() {
        Ouvre.FERMER_FICHIER();
        RESET_ENTETE();
        RESET_ANNOTATIONS();
        RESET_VALIDITE_SCRIPTS();
        RESET_LANGUE();
        Langue = 1;
        RESET_GLOBAL_CONFIG();
        INIT_CONFIG();
        RESET_GLOBAL_SETUP();
        RESET_FONCTIONS();
        RESET_VALID_FICHIER();
        RESET_TEXTE_TEMPS();
        RESET_TEXTE_VALEUR();
        RESET_GLOBAUX_GRAPHE();
        RESET_GLOBAUX_CURSEURS();
        QLocale::setDefault(QLocale::c());
        Boites.Appels.clear();
        CouleurChoisie.reset();
        PoliceChoisie.reset();
        FichierChoisi.clear();
        DemandesFichier.clear();
    }
    void cleanup() {
        Ouvre.FERMER_FICHIER();
        QLocale::setDefault(Culture);
    }

    void pagesAndTexts() {
        Ouvrir();
        QCOMPARE(EnteteF.LogiqueAffichee, 1);
        Retic d(0, 0, Liens());
        QCOMPARE(d.windowTitle(), QString());
        QCOMPARE(d.buttonValid->text(), QStringLiteral("Valid"));
        QCOMPARE(d.buttonAbort->text(), QStringLiteral("Abort"));
        const QStringList onglets = {QStringLiteral("Screen"), QStringLiteral("Channels"),
                                     QStringLiteral("Logic channels :"), QStringLiteral("Time base"),
                                     QStringLiteral("Cursor")};
        for (int k = 0; k < onglets.size(); ++k) {
            QCOMPARE(d.tabControl1->tabText(k), onglets[k]);
            QVERIFY(d.tabControl1->isTabVisible(k));
        }
        QCOMPARE(d.labelNbEcran->text(), QStringLiteral("Screen number :"));
        QCOMPARE(d.checkBoxVLEnDehors->text(), QStringLiteral("Separate logic channels"));
        QCOMPARE(d.buttonModifFonction->text(), QStringLiteral("Change"));
        QCOMPARE(d.labelDebut->text(), QStringLiteral("Begin:"));
        QCOMPARE(d.dateTimeDebut->displayFormat(), QStringLiteral("dd/MM/yyyy  HH:mm:ss"));
        QCOMPARE(d.VoiesListe(), (std::vector<int>{0, 2, 3}));
        QCOMPARE(d.listBoxVoies->count(), 3);
        QCOMPARE(d.listBoxVoies->item(2)->text(), QStringLiteral("Pression"));

        // No logic page without displayed logic inputs; no time-base page in XY mode, whose five
        // screen rows and logic group are hidden while its own controls show.
        EnteteF.LogiqueAffichee = 0;
        Config.ModeXY = 1;
        Retic xy(0, 0, Liens());
        QVERIFY(!xy.tabControl1->isTabVisible(xy.tabControl1->indexOf(xy.pageLogique)));
        QVERIFY(!xy.tabControl1->isTabVisible(xy.tabControl1->indexOf(xy.pageTemps)));
        QVERIFY(xy.numericNbEcran->isHidden());
        QVERIFY(xy.numericDivision->isHidden());
        QVERIFY(xy.groupBoxLogique->isHidden());
        QVERIFY(!xy.comboBoxVoieX->isHidden());
        QVERIFY(!xy.groupBoxXY->isHidden());
        QVERIFY(xy.groupBoxSuitCurseur->isHidden());
        QVERIFY(d.comboBoxVoieX->isHidden());
        QVERIFY(!d.groupBoxLogique->isHidden());
    }

    // The page and channel asked for; a channel position that cannot be selected gives the first.
    void openingPageAndChannel_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("voie");
        QTest::addColumn<bool>("xy");
        QTest::addColumn<QString>("ouverte");
        QTest::addColumn<int>("ligne");
        QTest::addColumn<int>("reelle");
        QTest::newRow("screen") << 0 << 0 << false << "pageEcran" << 0 << 0;
        QTest::newRow("channel 2") << 1 << 2 << false << "pageVoie" << 2 << 3;
        QTest::newRow("channel 1") << 1 << 1 << false << "pageVoie" << 1 << 2;
        QTest::newRow("none found") << 1 << 255 << false << "pageVoie" << 0 << 0;
        QTest::newRow("beyond the list") << 1 << 3 << false << "pageVoie" << 0 << 0;
        QTest::newRow("time base") << 2 << 0 << false << "pageTemps" << 0 << 0;
        QTest::newRow("time base in XY") << 2 << 0 << true << "pageCurseur" << 0 << 0;
    }
    void openingPageAndChannel() {
        QFETCH(int, page);
        QFETCH(int, voie);
        QFETCH(bool, xy);
        QFETCH(QString, ouverte);
        QFETCH(int, ligne);
        QFETCH(int, reelle);
        Ouvrir();
        Config.ModeXY = xy ? 1 : 0;
        Retic d(page, voie, Liens());
        QCOMPARE(d.tabControl1->currentWidget()->objectName(), ouverte);
        QCOMPARE(int(d.NumeroVoie), ligne);
        QCOMPARE(d.listBoxVoies->currentRow(), ligne);
        QCOMPARE(d.VoieChoisie(), reelle);
        QCOMPARE(d.textBoxNomVoie->text(), QString::fromLatin1(EnteteF.Affichage[reelle].NomAffiche));
    }

    // Edits on every page, then "Abort": Config is back byte for byte; the channel name and the
    // title typed stay, and every edit asked for a redraw.
    void abortRestoresConfigByteForByte() {
        Ouvrir();
        const tConfig avant = CopieConfig();
        int redessins = 0;
        tLiensRetic l = Liens();
        l.Redessiner = [&] { ++redessins; };
        l.Executer = [&](QDialog& q) {
            auto& d = static_cast<Retic&>(q);
            ToutModifier(d);
            d.buttonAbort->click();
            return d.result();
        };
        QCOMPARE(VIEW::APPEL_RETICULE(nullptr, 0, 0, l), uint8_t(0));
        QVERIFY(!QTest::currentTestFailed());
        QVERIFY(MemeConfig(avant));
        QVERIFY(redessins > 20);
        QCOMPARE(QByteArray(EnteteF.Affichage[2].NomAffiche), QByteArray("Renomme"));
        QCOMPARE(Titre, QStringLiteral("Nouveau titre"));
    }

    // "Valid" keeps the edits; the consistency pass runs after both ways of closing.
    void closingRunsTheConsistencyPass() {
        Ouvrir();
        Config.NombreVoieCurseur = 45; // out of range before the dialog opens
        tLiensRetic l = Liens();
        l.Executer = [&](QDialog& q) {
            auto& d = static_cast<Retic&>(q);
            d.buttonAbort->click();
            return d.result();
        };
        QCOMPARE(VIEW::APPEL_RETICULE(nullptr, 0, 0, l), uint8_t(0));
        QCOMPARE(Config.NombreVoieCurseur, 30);

        l.Executer = [&](QDialog& q) {
            auto& d = static_cast<Retic&>(q);
            Choosers(d);
            d.listBoxVoies->setCurrentRow(0);
            d.textBoxMax->setText(QStringLiteral("-40000"));
            QTest::keyClick(d.textBoxMax, Qt::Key_Return);
            CouleurChoisie = QColor(Qt::white); // the background's colour
            d.buttonCouleurVoie->click();
            d.buttonValid->click();
            return d.result();
        };
        const float min = Config.ParamVoie[0].BorneMin;
        QCOMPARE(VIEW::APPEL_RETICULE(nullptr, 1, 0, l), uint8_t(1));
        QCOMPARE(F(Config.ParamVoie[0].BorneMin), min);
        QVERIFY(Config.ParamVoie[0].BorneMax > Config.ParamVoie[0].BorneMin);
        QCOMPARE(Config.CouleurVoie[0], Config.CouleurReticule);
    }

    // The window goes to the main window's recomputation: Setup is never touched then, not even by
    // the closing pass; without it the dialog writes Setup and the pass keeps it in range.
    void windowHandedBackWhenAPassMayRun() {
        Ouvrir();
        Setup.DebutFenetre = 0.25;
        Setup.LargeurFenetre = 0.0; // a value only the window rule would change
        std::vector<std::pair<double, double>> fenetres;
        tLiensRetic l = Liens();
        l.NouvelleFenetre = [&](double d, double w) { fenetres.emplace_back(d, w); };
        l.Executer = [&](QDialog& q) {
            auto& d = static_cast<Retic&>(q);
            d.buttonInitDate->click();
            d.buttonValid->click();
            return d.result();
        };
        VIEW::APPEL_RETICULE(nullptr, 2, 0, l);
        QCOMPARE(fenetres.size(), size_t(1));
        QCOMPARE(fenetres[0].first, 0.0);
        QCOMPARE(fenetres[0].second, 1.0);
        QCOMPARE(Setup.DebutFenetre, 0.25);
        QCOMPARE(Setup.LargeurFenetre, 0.0);

        l.NouvelleFenetre = nullptr;
        l.Executer = [&](QDialog& q) {
            static_cast<Retic&>(q).buttonAbort->click();
            return 0;
        };
        VIEW::APPEL_RETICULE(nullptr, 2, 0, l);
        QCOMPARE(Setup.LargeurFenetre, static_cast<double>(1e-8f));
    }

    // Lower channels absent: every per-channel field is written at the channel's own number, the
    // abscissa channel too; the followed channel is stored as its list position.
    void listPositionsBecomeChannelNumbers() {
        Ouvrir();
        Retic d(1, 1, Liens());
        QCOMPARE(d.VoieChoisie(), 2);
        const tConfig avant = CopieConfig();
        d.radioButtonExpo->setChecked(true);
        QCOMPARE(Config.ParamVoie[2].FormatAffichage, 2);
        QCOMPARE(Config.ParamVoie[1].FormatAffichage, avant.ParamVoie[1].FormatAffichage);
        QCOMPARE(Config.ParamVoie[0].FormatAffichage, avant.ParamVoie[0].FormatAffichage);
        d.listBoxVoies->setCurrentRow(2);
        d.checkBoxOn->setChecked(false);
        QVERIFY(!TST_B_ONOFF(Config.VoiesAffichees, 3));
        QVERIFY(TST_B_ONOFF(Config.VoiesAffichees, 2));
        QVERIFY(d.panelVoie->isHidden());

        Config.ModeXY = 1;
        d.REINIT_FORM();
        d.comboBoxVoieX->setCurrentIndex(2);
        QCOMPARE(Config.VoieX, 3);
        QCOMPARE(d.comboBoxVoieX->currentIndex(), 2);
        Config.VoieX = 1; // absent: the list shows its first entry
        d.REINIT_FORM();
        QCOMPARE(d.comboBoxVoieX->currentIndex(), 0);
        QCOMPARE(Config.VoieX, 1);

        Config.ModeXY = 0;
        d.REINIT_FORM();
        d.comboBoxVoieSuit->setCurrentIndex(2);
        QCOMPARE(Config.VoieSuitCurseur, 2);
        Config.VoieSuitCurseur = 9; // beyond the list: its first entry
        d.REINIT_FORM();
        QCOMPARE(d.comboBoxVoieSuit->currentIndex(), 0);
    }

    // Three screens for two displayed channels: one channel each, the third a hidden channel; never
    // more screens than present channels.
    void screenNumber() {
        Ouvrir(3, {});
        Retic d(1, 2, Liens());
        d.checkBoxOn->setChecked(false);
        d.numericNbEcran->setValue(3);
        const tReticEcran& r = Config.ReticEcran;
        QCOMPARE(r.NbEcran, 3);
        QCOMPARE(r.EcranVoie[0], 1);
        QCOMPARE(r.EcranVoie[1], 2);
        QCOMPARE(r.EcranVoie[2], 3);
        QVERIFY(!TST_B_ONOFF(Config.VoiesAffichees, 2));
        QCOMPARE(d.numericNumEcran->maximum(), 3);
        d.numericNbEcran->setValue(5);
        QCOMPARE(r.NbEcran, 3);
        QCOMPARE(d.numericNbEcran->value(), 3);
    }

    // The selected screen's bounds: a top beyond 200 (a byte would wrap 300) is capped, then the
    // layout rule keeps every screen at least 2 high and in order.
    void screenBounds_data() {
        QTest::addColumn<int>("haut");
        QTest::newRow("250") << 250;
        QTest::newRow("300") << 300;
    }
    void screenBounds() {
        QFETCH(int, haut);
        Ouvrir(3, {});
        Retic d(0, 0, Liens());
        d.numericNbEcran->setValue(3); // 0-66, 66-133, 133-200
        d.numericNumEcran->setValue(2);
        QCOMPARE(d.numericHaut->value(), 66);
        QCOMPARE(d.numericBas->value(), 133);
        d.numericHaut->setValue(haut);
        const tReticEcran& r = Config.ReticEcran;
        QCOMPARE(r.HautEcran[1], 196);
        QCOMPARE(r.BasEcran[1], 198);
        QCOMPARE(r.HautEcran[2], 198);
        QCOMPARE(r.BasEcran[2], 200);
        QCOMPARE(d.numericHaut->value(), 196);
        d.numericNumEcran->setValue(1);
        d.numericBas->setValue(280);
        QCOMPARE(r.BasEcran[0], 196); // the two screens below keep their 2 units
        QCOMPARE(r.HautEcran[1], 196);
        d.numericDivision->setValue(7);
        QCOMPARE(r.NbDivEcran[0], 7);
        QCOMPARE(r.NbDivEcran[1], 5);
    }

    // The logic band: the control stops at 200, 2 becomes 3; a band kept outside leaves its room.
    void logicBand() {
        Ouvrir();
        Retic d(0, 0, Liens());
        QCOMPARE(d.numericHauteurVL->maximum(), 200);
        d.numericHauteurVL->setValue(2);
        QCOMPARE(Config.HauteurVoiesLogiques, 3);
        QCOMPARE(d.numericHauteurVL->value(), 3);
        d.numericHauteurVL->setValue(50);
        d.numericNbEcran->setValue(2);
        d.checkBoxVLEnDehors->setChecked(true);
        QCOMPARE(Config.ReticEcran.HautEcran[0], 50);
        QCOMPARE(Config.ReticEcran.BasEcran[1], 200);
        d.comboBoxPositionVL->setCurrentIndex(1);
        QCOMPARE(Config.PositionVoiesLogiques, 1);
        QCOMPARE(Config.ReticEcran.HautEcran[0], 0);
        QCOMPARE(Config.ReticEcran.BasEcran[1], 150);
    }

    // Bounds in the unit of the channel's prefix: Enter takes one, the button both; a text that is
    // no number keeps the bound, one beyond a float gives 1.0; Enter never closes the dialog.
    void bounds() {
        Ouvrir();
        Config.ParamVoie[0].BorneMin = -0.005f;
        Config.ParamVoie[0].BorneMax = 0.005f;
        Retic d(1, 0, Liens());
        d.show();
        QCOMPARE(Config.ParamVoie[0].ExposantUnite, -1);
        QCOMPARE(d.textBoxMax->text(), QStringLiteral("5"));
        QCOMPARE(d.textBoxMin->text(), QStringLiteral("-5"));
        QCOMPARE(d.labelUnite->text(), QStringLiteral("mV"));
        d.textBoxMax->setText(QStringLiteral("2"));
        d.textBoxMin->setText(QStringLiteral("-3"));
        QTest::keyClick(d.textBoxMax, Qt::Key_Return);
        QVERIFY(d.isVisible());
        QCOMPARE(F(Config.ParamVoie[0].BorneMax), 0.002f);
        QCOMPARE(F(Config.ParamVoie[0].BorneMin), -0.005f);
        QCOMPARE(d.textBoxMin->text(), QStringLiteral("-5")); // refilled from Config
        d.textBoxMin->setText(QStringLiteral("-3"));
        QTest::keyClick(d.textBoxMin, Qt::Key_Return);
        QCOMPARE(F(Config.ParamVoie[0].BorneMin), -0.003f);
        QCOMPARE(F(Config.ParamVoie[0].BorneMax), 0.002f);
        d.textBoxMax->setText(QStringLiteral("4"));
        d.textBoxMin->setText(QStringLiteral("-4"));
        d.buttonBornes->click();
        QCOMPARE(F(Config.ParamVoie[0].BorneMax), 0.004f);
        QCOMPARE(F(Config.ParamVoie[0].BorneMin), -0.004f);
        d.textBoxMax->setText(QStringLiteral("abc"));
        d.buttonBornes->click();
        QCOMPARE(F(Config.ParamVoie[0].BorneMax), 0.004f);
        d.textBoxMax->setText(QStringLiteral("1e300"));
        d.buttonBornes->click();
        QCOMPARE(F(Config.ParamVoie[0].BorneMax), 1.0f);
    }

    // The arrows move the channel between screens, within 1..NbEcran, only with several screens.
    void changeScreenArrows() {
        Ouvrir();
        Retic d(1, 0, Liens());
        QVERIFY(!d.buttonEcranBas->isEnabled());
        d.numericNbEcran->setValue(2);
        QVERIFY(d.buttonEcranBas->isEnabled());
        QCOMPARE(Config.ReticEcran.EcranVoie[0], 1);
        d.buttonEcranHaut->click();
        QCOMPARE(Config.ReticEcran.EcranVoie[0], 1);
        d.buttonEcranBas->click();
        QCOMPARE(Config.ReticEcran.EcranVoie[0], 2);
        d.buttonEcranBas->click();
        QCOMPARE(Config.ReticEcran.EcranVoie[0], 2);
        d.buttonEcranHaut->click();
        QCOMPARE(Config.ReticEcran.EcranVoie[0], 1);
    }

    void timeUnits() {
        const struct {
            double division;
            const char* unite;
            double us;
        } cas[] = {
            {99.9, "\xC2\xB5sec", 1.0}, {100.0, "millisec", 1e3}, {99999.0, "millisec", 1e3},
            {1e5, "sec", 1e6},          {9.99e6, "sec", 1e6},     {1e7, "min", 6e7},
            {5.99e8, "min", 6e7},       {6e8, "H", 3.6e9},
        };
        for (const auto& c : cas) {
            const VIEW::tUniteRetic u = VIEW::UNITE_RETIC(c.division);
            QCOMPARE(u.Libelle, QString::fromUtf8(c.unite));
            QCOMPARE(u.Unite, c.us);
        }
    }

    // Relative time: Begin 1.5 s and End 2.0 s of a 10 s recording give 0.15 and 0.05, handed to
    // the main window; times in reverse order count as in order.
    void relativeWindow() {
        Ouvrir();
        std::vector<std::pair<double, double>> fenetres;
        tLiensRetic l = Liens();
        // The main window's recomputation: the window is stored, kept in range.
        l.NouvelleFenetre = [&](double debut, double largeur) {
            fenetres.emplace_back(debut, largeur);
            Setup.DebutFenetre = debut;
            Setup.LargeurFenetre = largeur;
            COHER_SETUP();
        };
        Retic d(2, 0, l);
        QSignalSpy redessins(&d, &Retic::DemandeRedessin);
        QVERIFY(d.groupBoxTemps->isEnabled());
        QVERIFY(d.radioButtonRelatif->isChecked());
        QVERIFY(!d.panelRelatif->isHidden());
        QVERIFY(d.panelDate->isHidden());
        QCOMPARE(d.labelUniteTemps->text(), QStringLiteral("sec"));
        QCOMPARE(d.BDT_Retic, 1e6);
        QCOMPARE(d.numericDebut->minimum(), 0.0);
        QCOMPARE(d.numericDebut->maximum(), 10.0);
        QCOMPARE(d.numericFin->value(), 10.0);
        d.numericDebut->setValue(1.5);
        d.numericFin->setValue(2.0);
        QCOMPARE(fenetres.size(), size_t(2));
        QCOMPARE(fenetres[1].first, 0.15);
        QCOMPARE(fenetres[1].second, 0.05);
        QCOMPARE(redessins.count(), 0); // the recomputation redraws
        QCOMPARE(d.labelUniteTemps->text(), QStringLiteral("millisec"));
        QCOMPARE(d.numericDebut->value(), 1500.0);
        QCOMPARE(d.numericFin->value(), 2000.0);
        d.numericDebut->setValue(3000.0); // after the end
        QCOMPARE(fenetres.back().first, 0.2);
        QCOMPARE(fenetres.back().second, 0.1);
        d.buttonInitDate->click();
        QCOMPARE(fenetres.back().first, 0.0);
        QCOMPARE(fenetres.back().second, 1.0);

        // Without a pass to stop, the dialog writes the window itself and redraws.
        Retic seul(2, 0, Liens());
        QSignalSpy redessinsSeul(&seul, &Retic::DemandeRedessin);
        seul.numericDebut->setValue(1.5);
        QCOMPARE(Setup.DebutFenetre, 0.15);
        QCOMPARE(Setup.LargeurFenetre, 0.85);
        QCOMPARE(redessinsSeul.count(), 1);
    }

    // Absolute time: two dates limited to the recording give the same window, also in reverse.
    void absoluteWindow() {
        Ouvrir();
        Config.TempsAbsolu = 1;
        std::vector<std::pair<double, double>> fenetres;
        tLiensRetic l = Liens();
        l.NouvelleFenetre = [&](double debut, double largeur) {
            fenetres.emplace_back(debut, largeur);
            Setup.DebutFenetre = debut;
            Setup.LargeurFenetre = largeur;
            COHER_SETUP();
        };
        const QDateTime t = Ouvre.DateTrigger;
        QVERIFY(t.isValid());
        Retic d(2, 0, l);
        QVERIFY(d.radioButtonAbsolu->isChecked());
        QVERIFY(d.panelRelatif->isHidden());
        QVERIFY(!d.panelDate->isHidden());
        QCOMPARE(d.dateTimeDebut->minimumDateTime(), t);
        QCOMPARE(d.dateTimeDebut->maximumDateTime(), t.addMSecs(10000));
        QCOMPARE(d.dateTimeDebut->dateTime(), t);
        QCOMPARE(d.dateTimeFin->dateTime(), t.addMSecs(10000));
        d.dateTimeDebut->setDateTime(t.addMSecs(1500));
        d.dateTimeFin->setDateTime(t.addMSecs(2000));
        QCOMPARE(fenetres.back().first, 0.15);
        QCOMPARE(fenetres.back().second, 0.05);
        QCOMPARE(d.dateTimeDebut->dateTime(), t.addMSecs(1500));
        d.dateTimeDebut->setDateTime(t.addMSecs(3000)); // after the end date
        QCOMPARE(fenetres.back().first, 0.2);
        QCOMPARE(fenetres.back().second, 0.1);

        d.radioButtonRelatif->setChecked(true);
        QCOMPARE(Config.TempsAbsolu, 0);
        QVERIFY(d.panelDate->isHidden());

        // Without an internal time base the page is disabled and shows relative time.
        Config.TempsAbsolu = 1;
        EnteteF.BaseDeTempsInterne = 0;
        Retic externe(2, 0, l);
        QVERIFY(!externe.groupBoxTemps->isEnabled());
        QVERIFY(externe.radioButtonRelatif->isChecked());
        QVERIFY(externe.panelDate->isHidden());
    }

    // "Change" shows only on an added function channel, and changes it through the function dialog.
    void changeButtonOnlyOnFunctionChannels() {
        Ouvrir();
        tFonctionConfig& f = Config.TabFonction[0];
        f = tFonctionConfig{};
        f.CoeffA = 2.f;
        std::strcpy(f.NomFonction, "Double");
        std::strcpy(f.UniteFonction, "V");
        NumeroFonction = 0;
        QCOMPARE(AJOUT_FONCTION(), 0);
        Retic d(1, 0, Liens());
        QCOMPARE(d.VoiesListe(), (std::vector<int>{0, 2, 3, 4}));
        for (int ligne = 0; ligne < 3; ++ligne) {
            d.listBoxVoies->setCurrentRow(ligne);
            QVERIFY(d.buttonModifFonction->isHidden());
        }
        d.listBoxVoies->setCurrentRow(3);
        QVERIFY(!d.buttonModifFonction->isHidden());
        QVERIFY(d.groupBoxScript->isHidden());

        QSignalSpy redessins(&d, &Retic::DemandeRedessin);
        int vus = 0;
        auto t = QuandDialogue<VIEW::FonctionNew>(
            [](VIEW::FonctionNew& n) {
                n.textBoxNom->setText(QStringLiteral("Triple"));
                n.buttonValid->click();
            },
            &vus);
        d.buttonModifFonction->click();
        QCOMPARE(vus, 1);
        QCOMPARE(QByteArray(EnteteF.Affichage[4].NomAffiche), QByteArray("Triple"));
        QCOMPARE(d.listBoxVoies->item(3)->text(), QStringLiteral("Triple"));
        QCOMPARE(redessins.count(), 1);
    }

    // The script group: computed channels of a recording with scripts.
    void scriptButton() {
        Ouvrir(recmaker::ExempleTKOS(), {});
        QVERIFY(Ouvre.Scripts != nullptr);
        QVERIFY(EnteteF.NombreVoiesTotal > EnteteF.NombreVoiesAnalog);
        Retic d(1, 0, Liens());
        const std::vector<int> voies = d.VoiesListe();
        const auto calculee =
            std::find_if(voies.begin(), voies.end(), [](int n) { return n >= EnteteF.NombreVoiesAnalog; });
        QVERIFY(calculee != voies.end());
        QVERIFY(d.groupBoxScript->isHidden());
        d.listBoxVoies->setCurrentRow(static_cast<int>(calculee - voies.begin()));
        QVERIFY(!d.groupBoxScript->isHidden());
        QString titre, texte;
        d.ExecuterDialogue = [&](QDialog& q) {
            auto* s = qobject_cast<VIEW::AffScript*>(&q);
            if (s) {
                titre = s->windowTitle();
                texte = s->textBoxScript->toPlainText();
            }
            return 0;
        };
        d.buttonScript->click();
        QCOMPARE(titre, VIEW::TITRE_AFF_SCRIPT(*calculee, *Ouvre.Scripts));
        QCOMPARE(texte, VIEW::TEXTE_AFF_SCRIPT(*calculee, *Ouvre.Scripts));
        QVERIFY(!texte.trimmed().isEmpty());

        tLiensRetic sans = Liens();
        sans.Scripts = nullptr;
        Retic d2(1, static_cast<int>(calculee - voies.begin()), sans);
        QVERIFY(d2.groupBoxScript->isHidden());

        // A recording of a family without scripts.
        Ouvre.FERMER_FICHIER();
        Ouvrir();
        Retic tkar(1, 2, Liens());
        QVERIFY(tkar.groupBoxScript->isHidden());
    }

    // Colours through CALCUL_COULEUR; a cancelled chooser changes nothing; fonts start from the
    // graph's and give it the chosen one.
    void coloursAndFonts() {
        Ouvrir();
        grapheft graphe;
        graphe.FontNomFichier = QFont(QStringLiteral("Serif"), 9);
        graphe.FontBaseDetemps = QFont(QStringLiteral("Monospace"), 7);
        tLiensRetic l = Liens();
        l.Graphe = &graphe;
        Retic d(0, 0, l);
        Choosers(d);
        const tConfig avant = CopieConfig();
        for (QPushButton* b :
             {d.buttonCouleurFond, d.buttonCouleurReticule, d.buttonPoliceNom, d.buttonCouleurCurseur,
              d.buttonCouleurLogique, d.buttonCouleurVoie, d.buttonPoliceBornes})
            b->click();
        QVERIFY(MemeConfig(avant));
        QCOMPARE(PoliceDepart.family(), QStringLiteral("Monospace"));

        CouleurChoisie = QColor(0x12, 0x34, 0x56);
        d.buttonCouleurCurseur->click();
        QCOMPARE(Config.CouleurCurseur, int32_t(0xFF123456));
        QFont choisie(QStringLiteral("DejaVu Sans"), 13);
        choisie.setBold(true);
        choisie.setUnderline(true);
        PoliceChoisie = choisie;
        CouleurPolice = QColor(0, 128, 0);
        d.buttonPoliceNom->click();
        QCOMPARE(PoliceDepart.family(), QStringLiteral("Serif"));
        QVERIFY(PoliceAvecCouleur);
        QCOMPARE(QByteArray(Config.PoliceNom.Nom), QByteArray("DejaVu Sans"));
        QCOMPARE(F(Config.PoliceNom.Taille), 13.f);
        QCOMPARE(Config.PoliceNom.Style, StyleGras | StyleSouligne);
        QCOMPARE(Config.CouleurPoliceNom, int32_t(0xFF008000));
        QCOMPARE(graphe.FontNomFichier->family(), QStringLiteral("DejaVu Sans"));
        d.buttonPoliceBornes->click();
        QVERIFY(!PoliceAvecCouleur);
        QCOMPARE(Config.PoliceBaseDeTemps.Style, StyleGras | StyleSouligne);
        QCOMPARE(graphe.FontBaseDetemps->pointSizeF(), 13.0);
    }

    // A swatch has a border of another colour than its fill: a white background on a white
    // button is seen.
    void swatchesHaveABorder() {
        Ouvrir();
        Config.CouleurFond = static_cast<int32_t>(0xFFFFFFFF);
        Retic d(0, 0, Liens());
        const QImage carre = d.buttonCouleurFond->icon().pixmap(16, 16).toImage();
        QCOMPARE(carre.pixelColor(8, 8), QColor(Qt::white));
        for (const QPoint bord : {QPoint(0, 0), QPoint(15, 8), QPoint(8, 15)})
            QVERIFY(carre.pixelColor(bord) != QColor(Qt::white));
    }

    // Titles go to the main window: the file name on Enter, the title on every change.
    void graphTitles() {
        Ouvrir();
        Retic d(0, 0, Liens());
        QCOMPARE(d.textBoxNomFichier->text(), Entete);
        QCOMPARE(d.textBoxNomFichier->cursorPosition(), 0); // the long line shows its start
        QSignalSpy redessins(&d, &Retic::DemandeRedessin);
        d.textBoxNomFichier->setText(QStringLiteral("Autre nom"));
        QVERIFY(Entete != QStringLiteral("Autre nom"));
        QTest::keyClick(d.textBoxNomFichier, Qt::Key_Return);
        QCOMPARE(Entete, QStringLiteral("Autre nom"));
        QTest::keyClicks(d.textBoxTitre, QStringLiteral("ab"));
        QCOMPARE(Titre, Ouvre.TexteMessageTitreEntete() + QStringLiteral("ab"));
        QCOMPARE(redessins.count(), 3);
    }

    // Channel names: at most 26 characters, kept in the header at once.
    void channelName() {
        Ouvrir();
        Retic d(1, 2, Liens());
        QCOMPARE(d.textBoxNomVoie->maxLength(), 26);
        d.textBoxNomVoie->clear();
        QTest::keyClicks(d.textBoxNomVoie, QString(30, QLatin1Char('x')));
        QCOMPARE(QByteArray(EnteteF.Affichage[3].NomAffiche), QByteArray(26, 'x'));
        QCOMPARE(d.listBoxVoies->item(2)->text(), QString(26, QLatin1Char('x')));
    }

    // The user graticule: ticking with no file opens the chooser, double-clicking the path too; a
    // path the record cannot hold is refused.
    void customGrid() {
        Ouvrir();
        Retic d(0, 0, Liens());
        Choosers(d);
        d.checkBoxReticPerso->setChecked(true);
        QCOMPARE(DemandesFichier, QStringList{QStringLiteral("*.bmp/Bitmap *.bmp|*.bmp")});
        QCOMPARE(Config.ReticulePerso, 1);
        QCOMPARE(Config.FichierReticulePerso[0], '\0');
        FichierChoisi = QStringLiteral("/tmp/grille.bmp");
        QTest::mouseDClick(d.textBoxReticPerso, Qt::LeftButton);
        QCOMPARE(DemandesFichier.size(), 2);
        QCOMPARE(QByteArray(Config.FichierReticulePerso), QByteArray("/tmp/grille.bmp"));
        QCOMPARE(d.textBoxReticPerso->text(), FichierChoisi);
        d.checkBoxReticPerso->setChecked(false);
        d.checkBoxReticPerso->setChecked(true);
        QCOMPARE(DemandesFichier.size(), 2); // a file is already named
        FichierChoisi = QStringLiteral("/tmp/") + QString(250, QLatin1Char('g'));
        QTest::mouseDClick(d.textBoxReticPerso, Qt::LeftButton);
        QCOMPARE(QByteArray(Config.FichierReticulePerso), QByteArray("/tmp/grille.bmp"));
        QCOMPARE(Boites.Appels.size(), size_t(1));
        QCOMPARE(Boites.Appels[0].Texte, QStringLiteral("Custom Grid Not Found"));
    }

    void logicInputs() {
        Ouvrir();
        Config.CouleurVoieLogique[2] = 0;
        Retic d(0, 0, Liens());
        Choosers(d);
        for (int k = 0; k < 16; ++k) QCOMPARE(d.checkBoxLogique[k]->isHidden(), k >= 3);
        QCOMPARE(d.checkBoxLogique[1]->text(), QStringLiteral("Moteur"));
        QVERIFY(d.checkBoxLogique[2]->isChecked());
        d.checkBoxLogique[0]->setChecked(false);
        QCOMPARE(Config.MasqueVoiesLogiques, 0b110);
        QCOMPARE(Config.NombreVoiesLogiquesAffichees, 2);
        d.checkBoxLogique[0]->setChecked(true);
        QCOMPARE(Config.NombreVoiesLogiquesAffichees, 3);
        QCOMPARE(d.comboBoxLogique->count(), 3);
        d.comboBoxLogique->setCurrentIndex(2);
        CouleurChoisie = QColor(Qt::blue);
        d.buttonCouleurLogique->click();
        QCOMPARE(Config.CouleurVoieLogique[2], int32_t(0xFF0000FF));
    }

    void cursorPage() {
        Ouvrir();
        VoieCurseurDebut = 5;
        Retic d(0, 0, Liens());
        QSignalSpy redessins(&d, &Retic::DemandeRedessin);
        QVERIFY(d.groupBoxBoiteCurseur->isEnabled());
        d.checkBoxBoiteCurseur->setChecked(false);
        QCOMPARE(Config.BoiteCurseur, 0);
        QVERIFY(!d.groupBoxBoiteCurseur->isEnabled());
        QCOMPARE(d.numericNbVoieCurseur->minimum(), 1);
        QCOMPARE(d.numericNbVoieCurseur->maximum(), 30);
        d.numericNbVoieCurseur->setValue(7);
        QCOMPARE(Config.NombreVoieCurseur, 7);
        QCOMPARE(VoieCurseurDebut, 0);
        d.checkBoxCurseurDansRetic->setChecked(true);
        d.radioButtonPosCurseur[3]->setChecked(true);
        QCOMPARE(Config.PositionBoiteCurseur, 3);
        QCOMPARE(Config.CurseurDansReticule, 1);
        QVERIFY(!d.comboBoxVoieSuit->isHidden());
        d.checkBoxValeurSuit->setChecked(false);
        QVERIFY(d.comboBoxVoieSuit->isHidden());
        QCOMPARE(redessins.count(), 5);
    }
};

QTEST_MAIN(TestRetic)
#include "tst_retic.moc"
