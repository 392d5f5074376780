// The function-channel dialog on an opened recording: controls and texts, filling from a slot,
// coefficient parsing in both decimal conventions and reformatting, the channel-2 list, "Valid"
// and "Abort", the "Add" command with the caller's AJOUT_FONCTION, its two limits, and "Change"
// on an added function channel.
#include "EtatProgramme.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "config/Config.h"
#include "config/Defauts.h"
#include "config/OnOff.h"
#include "math/Fonctions.h"
#include "math/ValeursPhysiques.h"
#include "recmaker/RecMaker.h"
#include "recording/Annotations.h"
#include "recording/EnteteREC.h"
#include "recording/EtatFonctions.h"
#include "recording/OuvreREC.h"
#include "recording/ScriptsREC.h"
#include "recording/TexteValeur.h"
#include "shell/BoiteMessageEnregistreuse.h"
#include "shell/Messages.h"
#include "ui/AjoutFonction.h"
#include "ui/FonctionNew.h"

using VIEW::FonctionNew;

namespace {

// Four channels; the filter leaves the second one out, so list positions and channel numbers
// differ: positions 0, 1, 2 are channels 0, 2, 3.
recmaker::Enregistrement Essai() {
    recmaker::Enregistrement e;
    e.Famille = FamilleTKAR;
    e.Modele = "TKAR 8";
    e.NombreScans = 200;
    e.Voies = {recmaker::Voie{.Numero = 0, .Nom = "Tension", .Unite = "V", .Donnees = recmaker::Rampe(0, 1)},
               recmaker::Voie{.Numero = 1, .Nom = "Courant", .Unite = "A"},
               recmaker::Voie{.Numero = 2,
                              .Nom = "Temp",
                              .Unite = "\xB0"
                                       "C"},
               recmaker::Voie{.Numero = 3, .Nom = "Pression", .Unite = "bar"}};
    return e;
}

class FiltreSansVoie1 : public DialogueFiltre {
public:
    bool EXECUTER(FiltreFichierModele& modele) override {
        modele.SELECTION(1, false);
        modele.CEST_OK();
        return true;
    }
};

// Runs `action` on the function dialog once its modal loop runs, then closes it if the action
// did not. The timer dies with the returned object, so an action never runs in a later test.
// With `attendu` false, no dialog is expected: `vus` then counts any that opens anyway.
std::unique_ptr<QTimer> QuandDialogue(std::function<void(FonctionNew&)> action, int* vus = nullptr,
                                      bool attendu = true) {
    auto t = std::make_unique<QTimer>();
    t->setSingleShot(true);
    QObject::connect(t.get(), &QTimer::timeout, [action, vus, attendu] {
        auto* d = qobject_cast<FonctionNew*>(QApplication::activeModalWidget());
        if (d == nullptr) {
            if (attendu) QTest::qFail("no function dialog shown", __FILE__, __LINE__);
            return;
        }
        if (vus) ++*vus;
        action(*d);
        if (d->isVisible()) d->reject();
    });
    t->start(0);
    return t;
}

// Typing any text, including characters beyond ASCII.
void Frapper(QWidget* w, const QString& texte) {
    for (QChar c : texte) QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// What the user does to enter a coefficient: replace the text, then leave the field or press Enter.
void Taper(QLineEdit* champ, const QString& texte, bool entree) {
    champ->clear();
    QTest::keyClicks(champ, texte);
    if (entree) {
        QTest::keyClick(champ, Qt::Key_Return);
    } else {
        QFocusEvent sortie(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(champ, &sortie);
    }
}

void Definir(int slot, float a, float b, float c, uint8_t v1, uint8_t v2, uint8_t op, const char* nom,
             const char* unite) {
    tFonctionConfig& f = Config.TabFonction[slot];
    f = tFonctionConfig{};
    f.CoeffA = a;
    f.CoeffB = b;
    f.CoeffC = c;
    f.Voie1 = v1;
    f.Voie2 = v2;
    f.Operateur = op;
    // Bounded copies that always leave the terminator the record was zeroed with.
    std::snprintf(f.NomFonction, sizeof f.NomFonction, "%s", nom);
    std::snprintf(f.UniteFonction, sizeof f.UniteFonction, "%s", unite);
}

bool MemesOctets(const void* a, const void* b, size_t n) {
    return std::memcmp(a, b, n) == 0;
}

// Config apart from one slot, compared byte for byte.
bool ConfigSaufSlot(const tConfig& avant, int slot) {
    tConfig copie = Config;
    copie.TabFonction[slot] = avant.TabFonction[slot];
    return MemesOctets(&copie, &avant, sizeof copie);
}

} // namespace

class TestFonctionNew : public QObject {
    Q_OBJECT

    QTemporaryDir Dossier;
    QLocale Culture;
    BoiteMessageEnregistreuse Boites;
    std::optional<InstallationBoiteMessage> Installation;
    FiltreSansVoie1 Filtre;
    OuvreREC Ouvre;

    // The main window's "Add": the dialog, then AJOUT_FONCTION when a function was defined.
    static uint8_t Ajouter(std::function<void(FonctionNew&)> action, int* vus = nullptr) {
        const auto t = QuandDialogue(std::move(action), vus);
        const uint8_t fait = VIEW::ADD_FONCTION(nullptr);
        if (fait == 1 && AJOUT_FONCTION() != 0) return 2;
        return fait;
    }
    static uint8_t Valider(FonctionNew& d) {
        QTest::mouseClick(d.buttonValid, Qt::LeftButton);
        return d.FaireFonction;
    }

private slots:
    void initTestCase() {
        QVERIFY(Dossier.isValid());
        Culture = QLocale();
        Installation.emplace(Boites);
    }
    void init() {
        Ouvre.FERMER_FICHIER();
        RESET_ETAT_PROGRAMME();
        QLocale::setDefault(QLocale::c());
        Boites.Appels.clear();

        const QString chemin = Dossier.filePath(QStringLiteral("essai.rec"));
        QVERIFY(recmaker::Ecrire(Essai(), QFile::encodeName(chemin).toStdString()));
        Ouvre.VraiNomFichier = Ouvre.NomFichier = chemin;
        Ouvre.Dialogue = &Filtre;
        QCOMPARE(Ouvre.OUVRIR_REC(0), LectureOK);
        QCOMPARE(EnteteF.NombreVoiesTotal, 4);
        QCOMPARE(EnteteF.NbVoiesChoisies, 3);
        QVERIFY(!TST_B_ONOFF(Config.VoiesPresentes, 1));
        RESET_FONCTIONS();
    }
    void cleanup() {
        Ouvre.FERMER_FICHIER();
        QLocale::setDefault(Culture);
    }

    void controlsAndTexts_data() {
        QTest::addColumn<int>("langue");
        QTest::addColumn<QString>("abandon");
        QTest::addColumn<QString>("valider");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("unite");
        QTest::newRow("English") << 1 << "Abort"
                                 << "Valid"
                                 << "Name:"
                                 << "Unit:";
        QTest::newRow("French") << 0 << "Annuler"
                                << "Valider"
                                << "Nom :" << QString::fromUtf8("Unité :");
    }
    void controlsAndTexts() {
        QFETCH(int, langue);
        Langue = static_cast<uint8_t>(langue);
        FonctionNew d;
        d.Init();
        QCOMPARE(d.windowTitle(), QStringLiteral("ADD"));
        QTEST(d.buttonAbort->text(), "abandon");
        QTEST(d.buttonValid->text(), "valider");
        QTEST(d.labelNom->text(), "nom");
        QTEST(d.labelUnite->text(), "unite");
        QVERIFY(d.isModal());
        QCOMPARE(d.comboBoxOperateur->count(), 4);
        const char* ops[] = {"+", "-", "*", "/"};
        for (int i = 0; i < 4; ++i) QCOMPARE(d.comboBoxOperateur->itemText(i), QString::fromLatin1(ops[i]));
        // Present channels only, by their display names.
        for (QComboBox* l : {d.comboBoxVoie1, d.comboBoxVoie2}) {
            QCOMPARE(l->count(), 3);
            QCOMPARE(l->itemText(0), QStringLiteral("Tension"));
            QCOMPARE(l->itemText(1), QStringLiteral("Temp"));
            QCOMPARE(l->itemText(2), QStringLiteral("Pression"));
        }
        QCOMPARE(d.VoiesListe(), (std::vector<uint8_t>{0, 2, 3}));
        QCOMPARE(d.textBoxNom->maxLength(), 26);
        QCOMPARE(d.textBoxUnite->maxLength(), 6);
        QVERIFY(!d.buttonValid->autoDefault() && !d.buttonValid->isDefault());
        QCOMPARE(d.findChild<QLineEdit*>(QStringLiteral("textBoxB")), d.textBoxB);
    }

    void initShowsTheSlot() {
        Definir(2, 1500.f, 0.f, -0.25f, 3, 2, 2, "Puissance", "W");
        Definir(3, 1.f, 2.f, 0.f, 1, 9, 7, "Absente", "x"); // channels 1 and 9 are not present
        NumeroFonction = 2;
        FonctionNew d;
        d.Init();
        QCOMPARE(d.FaireFonction, 0);
        QCOMPARE(d.ModifEnCours, 0);
        QCOMPARE(d.CoeffA, 1500.f);
        QCOMPARE(d.textBoxA->text(), QStringLiteral(" 1.500E+3"));
        QCOMPARE(d.textBoxB->text(), QStringLiteral(" 0.0000"));
        QCOMPARE(d.textBoxC->text(), QStringLiteral("-0.2500"));
        QCOMPARE(d.comboBoxVoie1->currentIndex(), 2); // channel 3
        QCOMPARE(d.comboBoxVoie2->currentIndex(), 1); // channel 2
        QCOMPARE(d.comboBoxOperateur->currentIndex(), 2);
        QVERIFY(!d.comboBoxVoie2->isEnabled()); // B = 0
        QCOMPARE(d.textBoxNom->text(), QStringLiteral("Puissance"));
        QCOMPARE(d.textBoxUnite->text(), QStringLiteral("W"));

        NumeroFonction = 3;
        d.Init();
        QCOMPARE(d.comboBoxVoie1->currentIndex(), 0);
        QCOMPARE(d.comboBoxVoie2->currentIndex(), 0);
        QCOMPARE(d.comboBoxOperateur->currentIndex(), 0); // 7 is no operator of the list
        QVERIFY(d.comboBoxVoie2->isEnabled());
    }

    // Typed text -> coefficient (NaN: the previous one, 1, is kept) -> text shown afterwards.
    void coefficientParsing_data() {
        QTest::addColumn<QLocale>("culture");
        QTest::addColumn<QString>("tape");
        QTest::addColumn<bool>("entree");
        QTest::addColumn<double>("attendu");
        QTest::addColumn<QString>("affiche");
        const QLocale c = QLocale::c(), fr(QLocale::French, QLocale::France);
        const double garde = std::nan("");
        QTest::newRow("C point") << c << "2.5" << true << 2.5 << " 2.500";
        QTest::newRow("C thousands") << c << "1500" << false << 1500.0 << " 1.500E+3";
        QTest::newRow("C shown form edited") << c << "2.5E+3" << true << 2500.0 << " 2.500E+3";
        QTest::newRow("C small negative") << c << "-0.0005" << true << -0.0005 << "-0.5000E-3";
        QTest::newRow("C blanks") << c << " 7 " << false << 7.0 << " 7.000";
        QTest::newRow("C text") << c << "abc" << true << garde << " 1.000";
        QTest::newRow("C empty") << c << "" << false << garde << " 1.000";
        QTest::newRow("C beyond float") << c << "1e39" << true << garde << " 1.000";
        QTest::newRow("C infinity") << c << "inf" << true << garde << " 1.000";
        QTest::newRow("fr comma") << fr << "2,5" << true << 2.5 << " 2.500";
        QTest::newRow("fr point") << fr << "2.5" << false << 2.5 << " 2.500";
        QTest::newRow("fr grouped") << fr << "1 2,5" << true << 12.5 << " 12.500";
        QTest::newRow("fr shown form edited") << fr << "2.5E+3" << false << 2500.0 << " 2.500E+3";
        QTest::newRow("fr negative") << fr << "-0,25" << true << -0.25 << "-0.2500";
        QTest::newRow("fr text") << fr << "x1" << true << garde << " 1.000";
    }
    void coefficientParsing() {
        QFETCH(QLocale, culture);
        QFETCH(QString, tape);
        QFETCH(bool, entree);
        QFETCH(double, attendu);
        QFETCH(QString, affiche);
        QLocale::setDefault(culture);
        Definir(0, 1.f, 1.f, 1.f, 0, 2, 0, "F", "V");
        FonctionNew d;
        d.Init();
        d.show();
        const float valeur = std::isnan(attendu) ? 1.f : static_cast<float>(attendu);
        // Each field in turn; the other two are reformatted and keep their values.
        struct {
            QLineEdit* champ;
            float FonctionNew::*coeff;
        } champs[] = {{d.textBoxA, &FonctionNew::CoeffA},
                      {d.textBoxB, &FonctionNew::CoeffB},
                      {d.textBoxC, &FonctionNew::CoeffC}};
        for (auto& c : champs) {
            Taper(c.champ, tape, entree);
            QCOMPARE(d.*c.coeff, valeur);
            QCOMPARE(c.champ->text(), affiche);
        }
        QCOMPARE(d.textBoxA->text(), affiche);
        QVERIFY(d.isVisible()); // Enter never closes the dialog
        QCOMPARE(d.FaireFonction, 0);
        QCOMPARE(+Config.TabFonction[0].CoeffA, 1.f); // nothing stored before "Valid"
    }

    // Leaving a field, or pressing Enter, without editing it keeps all the digits of its
    // coefficient, not just the ones shown.
    void untouchedFieldKeepsItsPrecision() {
        Definir(0, 1.23456f, -0.000123456f, 98765.4f, 0, 2, 0, "F", "V");
        FonctionNew d;
        d.Init();
        d.show();
        QCOMPARE(d.textBoxA->text(), QStringLiteral(" 1.235"));
        QKeyEvent entree(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(d.textBoxA, &entree);
        QFocusEvent sortie(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(d.textBoxB, &sortie);
        QCOMPARE(d.CoeffA, 1.23456f);
        QCOMPARE(d.CoeffB, -0.000123456f);
        QTest::mouseClick(d.buttonValid, Qt::LeftButton);
        QCOMPARE(+Config.TabFonction[0].CoeffA, 1.23456f);
        QCOMPARE(+Config.TabFonction[0].CoeffB, -0.000123456f);
        QCOMPARE(+Config.TabFonction[0].CoeffC, 98765.4f);
    }

    void channel2ListFollowsB() {
        Definir(0, 1.f, 0.f, 0.f, 0, 2, 0, "F", "V");
        FonctionNew d;
        d.Init();
        d.show();
        QVERIFY(!d.comboBoxVoie2->isEnabled());
        const struct {
            const char* texte;
            bool active;
        } pas[] = {{"2", true}, {"0", false}, {"-0.5", true}, {"abc", true}, {"0.0", false}, {"-0", false}};
        for (const auto& p : pas) {
            Taper(d.textBoxB, QString::fromLatin1(p.texte), true);
            QCOMPARE(d.comboBoxVoie2->isEnabled(), p.active);
        }
        // Edits of A and C leave it as B says.
        Taper(d.textBoxA, QStringLiteral("0"), false);
        Taper(d.textBoxC, QStringLiteral("3"), false);
        QVERIFY(!d.comboBoxVoie2->isEnabled());
    }

    // Coefficients typed and never confirmed by Enter or by leaving the field count as well.
    void validTakesPendingText() {
        Definir(0, 1.f, 0.f, 0.f, 0, 0, 0, "F", "V");
        FonctionNew d;
        d.Init();
        d.show();
        d.textBoxC->clear();
        QTest::keyClicks(d.textBoxC, QStringLiteral("4.5"));
        QTest::mouseClick(d.buttonValid, Qt::LeftButton);
        QCOMPARE(+Config.TabFonction[0].CoeffC, 4.5f);
    }

    void nameAndUnit() {
        Definir(0, 1.f, 0.f, 0.f, 0, 0, 0, "ancien nom tres long qui d", "ancien");
        std::memset(Config.TabFonction[0].NomFonction + 26, 'z', 6); // bytes 41..46 of the slot
        FonctionNew d;
        d.Init();
        QCOMPARE(d.textBoxNom->text(), QStringLiteral("ancien nom tres long qui d"));
        d.show();
        d.textBoxNom->clear();
        Frapper(d.textBoxNom, QString::fromUtf8("Débit massique du circuit primaire"));
        d.textBoxUnite->clear();
        Frapper(d.textBoxUnite, QString::fromUtf8("µS/cm²xyz"));
        QCOMPARE(d.textBoxNom->text().size(), 26);
        QCOMPARE(d.textBoxUnite->text(), QString::fromUtf8("µS/cm²"));
        QTest::mouseClick(d.buttonValid, Qt::LeftButton);
        const tFonctionConfig& f = Config.TabFonction[0];
        QCOMPARE(QByteArray(f.NomFonction), QByteArray("D\xE9"
                                                       "bit massique du circuit "));
        QCOMPARE(QByteArray(f.UniteFonction), QByteArray("\xB5S/cm\xB2"));
        const auto* octets = reinterpret_cast<const uint8_t*>(&f);
        QCOMPARE(octets[41], uint8_t{0});
        QCOMPARE(octets[53], uint8_t{0});
        for (size_t i = 15 + 26; i < 47; ++i) QCOMPARE(octets[i], uint8_t{0});
    }

    // "Add" through the caller: the dialog, then AJOUT_FONCTION, in both decimal conventions.
    void addStoresTheSlotAndTheCallerAddsTheChannel_data() {
        QTest::addColumn<QLocale>("culture");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::newRow("decimal point") << QLocale::c() << "2.5"
                                       << "0.5";
        QTest::newRow("decimal comma") << QLocale(QLocale::French, QLocale::France) << "2,5"
                                       << "0,5";
    }
    void addStoresTheSlotAndTheCallerAddsTheChannel() {
        QFETCH(QLocale, culture);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QLocale::setDefault(culture);
        const tConfig avant = Config;
        int vus = 0;
        const auto t = QuandDialogue(
            [&](FonctionNew& d) {
                Taper(d.textBoxA, a, true);
                Taper(d.textBoxB, b, false);
                Taper(d.textBoxC, QStringLiteral("-1"), true);
                d.comboBoxVoie1->setCurrentIndex(1); // Temp, channel 2
                d.comboBoxOperateur->setCurrentIndex(3);
                d.comboBoxVoie2->setCurrentIndex(2); // Pression, channel 3
                d.textBoxNom->setText(QStringLiteral("Rapport"));
                d.textBoxUnite->setText(QStringLiteral("K/bar"));
                QCOMPARE(Valider(d), 1);
            },
            &vus);
        QCOMPARE(VIEW::ADD_FONCTION(nullptr), 1);
        QCOMPARE(vus, 1);
        QCOMPARE(NumeroFonction, 0);
        const tFonctionConfig& f = Config.TabFonction[0];
        QCOMPARE(+f.CoeffA, 2.5f);
        QCOMPARE(+f.CoeffB, 0.5f);
        QCOMPARE(+f.CoeffC, -1.f);
        QCOMPARE(f.Voie1, 2); // channel numbers, not list positions
        QCOMPARE(f.Voie2, 3);
        QCOMPARE(f.Operateur, 3);
        QCOMPARE(QByteArray(f.NomFonction), QByteArray("Rapport"));
        QCOMPARE(QByteArray(f.UniteFonction), QByteArray("K/bar"));
        // The dialog wrote the slot only; the caller then adds the channel.
        QVERIFY(ConfigSaufSlot(avant, 0));
        QCOMPARE(EnteteF.NombreVoiesTotal, 4);
        QCOMPARE(AJOUT_FONCTION(), 0);
        tConfig attendu = avant;
        attendu.TabFonction[0] = f;
        AJOUT_ONOFF(attendu.VoiesPresentes, 4);
        AJOUT_ONOFF(attendu.VoiesAffichees, 4);
        QVERIFY(MemesOctets(&Config, &attendu, sizeof Config));

        // The header holds the channel, and its values follow the formula.
        QCOMPARE(EnteteF.NombreVoiesTotal, 5);
        QCOMPARE(PremiereFonctionAjoutee, 4);
        QCOMPARE(NumeroNewFonction, 1);
        const tCalibVoie& v = EnteteF.CalibVoie[4];
        QCOMPARE(v.TypeConversion, ConversionFonctionViewer);
        QCOMPARE(+v.CoefA, 2.5f);
        QCOMPARE(v.Operande1, 2);
        QCOMPARE(v.Operande2, 3);
        QCOMPARE(v.OperateurFonction, 3);
        QCOMPARE(QByteArray(EnteteF.Affichage[4].NomAffiche), QByteArray("Rapport"));
        std::vector<uint16_t> brut(NombreSlotsColonne, 0);
        brut[0] = 40000;
        brut[2] = 50000;
        brut[3] = 30000;
        std::vector<double> ligne(NombreSlotsColonne, 0.0);
        RECUP_DOUBLE(brut.data(), ligne.data(), {});
        QVERIFY(ligne[3] != 0.0);
        // A "TKAR" model: B is not applied to * and /.
        QCOMPARE(EnteteF.ModeleTKAR, 1);
        QCOMPARE(ligne[4], 2.5 * ligne[2] / ligne[3] - 1.0);

        // The next "Add" edits the next slot, starting from what it holds.
        Definir(1, 3.f, 1.f, 0.f, 3, 0, 1, "Suivante", "V");
        QCOMPARE(Ajouter([](FonctionNew& d) {
                     QCOMPARE(d.textBoxNom->text(), QStringLiteral("Suivante"));
                     QCOMPARE(d.comboBoxVoie1->currentIndex(), 2);
                     QCOMPARE(Valider(d), 1);
                 }),
                 1);
        QCOMPARE(EnteteF.NombreVoiesTotal, 6);
        QCOMPARE(+EnteteF.CalibVoie[5].CoefA, 3.f);
        QCOMPARE(EnteteF.CalibVoie[5].OperateurFonction, 1);
    }

    void abortChangesNothing_data() {
        QTest::addColumn<int>("sortie"); // 0 Abort, 1 Escape, 2 the close box
        QTest::newRow("Abort") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("close") << 2;
    }
    void abortChangesNothing() {
        QFETCH(int, sortie);
        Definir(0, 1.f, 2.f, 3.f, 0, 2, 1, "Avant", "V");
        const tConfig avant = Config;
        const t_EnteteREC_GlobalTotal enteteAvant = EnteteF;
        const uint8_t fait = Ajouter([&](FonctionNew& d) {
            Taper(d.textBoxA, QStringLiteral("9"), true);
            Taper(d.textBoxB, QStringLiteral("0"), false);
            d.comboBoxVoie1->setCurrentIndex(2);
            d.comboBoxOperateur->setCurrentIndex(2);
            d.textBoxNom->setText(QStringLiteral("Apres"));
            if (sortie == 0)
                QTest::mouseClick(d.buttonAbort, Qt::LeftButton);
            else if (sortie == 1)
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                d.close();
            QVERIFY(!d.isVisible());
            QCOMPARE(d.FaireFonction, 0);
        });
        QCOMPARE(fait, 0);
        QVERIFY(MemesOctets(&Config, &avant, sizeof Config));
        QVERIFY(MemesOctets(&EnteteF, &enteteAvant, sizeof EnteteF));
        QCOMPARE(NumeroNewFonction, 0);
        QCOMPARE(PremiereFonctionAjoutee, -1);
    }

    void addRefusedWhenTheChannelRecordsAreFull() {
        EnteteF.NombreVoiesTotal = NombreVoiesTable;
        const tConfig avant = Config;
        int vus = 0;
        const auto t = QuandDialogue([](FonctionNew&) {}, &vus, false);
        QCOMPARE(VIEW::ADD_FONCTION(nullptr), 0);
        QCoreApplication::processEvents();
        QCOMPARE(vus, 0); // no dialog was opened
        QCOMPARE(Boites.Appels.size(), size_t{1});
        QCOMPARE(Boites.Appels[0].Titre, QStringLiteral("Error"));
        QCOMPARE(Boites.Appels[0].Icone, tIconeBoite::Avertissement);
        QVERIFY(Boites.Appels[0].Texte.contains(QStringLiteral("244")));
        QVERIFY(MemesOctets(&Config, &avant, sizeof Config));
        QCOMPARE(EnteteF.NombreVoiesTotal, NombreVoiesTable);
    }

    // The seventh "Add" says that the sixth definition is stored over, then edits slot 5 and
    // still adds a channel.
    void seventhAddReusesTheSixthSlotAndSaysSo() {
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(Ajouter([i](FonctionNew& d) {
                         Taper(d.textBoxA, QString::number(i + 1), true);
                         QCOMPARE(Valider(d), 1);
                     }),
                     1);
        }
        QCOMPARE(Boites.Appels.size(), size_t{0});
        QCOMPARE(NumeroNewFonction, 5);
        QCOMPARE(EnteteF.NombreVoiesTotal, 10);
        QCOMPARE(Ajouter([](FonctionNew& d) {
                     QCOMPARE(d.CoeffA, 6.f); // slot 5 as the sixth addition left it
                     Taper(d.textBoxA, QStringLiteral("7"), true);
                     QCOMPARE(Valider(d), 1);
                 }),
                 1);
        QCOMPARE(Boites.Appels.size(), size_t{1});
        QCOMPARE(Boites.Appels[0].Titre, QStringLiteral("Math functions"));
        QCOMPARE(Boites.Appels[0].Icone, tIconeBoite::Information);
        QVERIFY(Boites.Appels[0].Texte.contains(QStringLiteral("six")));
        QCOMPARE(EnteteF.NombreVoiesTotal, 11);
        QCOMPARE(NumeroNewFonction, 5);
        QCOMPARE(+Config.TabFonction[5].CoeffA, 7.f);
        QCOMPARE(+EnteteF.CalibVoie[9].CoefA, 6.f); // the sixth channel keeps its formula
        QCOMPARE(+EnteteF.CalibVoie[10].CoefA, 7.f);
    }

    void addedFunctionChannels() {
        QCOMPARE(VIEW::NOMBRE_FONCTIONS_AJOUTEES(), 0);
        for (int v : {-1, 0, 3, 4, 243, 244, 300}) QCOMPARE(VIEW::NUMERO_FONCTION_AJOUTEE(v), -1);
        for (int i = 0; i < 2; ++i) QCOMPARE(Ajouter([](FonctionNew& d) { Valider(d); }), 1);
        QCOMPARE(VIEW::NOMBRE_FONCTIONS_AJOUTEES(), 2);
        const int attendu[][2] = {{0, -1}, {2, -1}, {3, -1}, {4, 0}, {5, 1}, {6, -1}, {244, -1}};
        for (const auto& a : attendu) QCOMPARE(VIEW::NUMERO_FONCTION_AJOUTEE(a[0]), a[1]);
    }

    // "Change" on the second added channel: the dialog shows its slot, "Valid" rewrites the slot
    // and the channel, and nothing else.
    void changeRewritesTheChannel() {
        Definir(0, 1.f, 1.f, 0.f, 0, 2, 0, "Somme", "V");
        Definir(1, 2.f, 0.f, 0.f, 3, 0, 0, "Double", "bar");
        for (int i = 0; i < 2; ++i) QCOMPARE(Ajouter([](FonctionNew& d) { Valider(d); }), 1);
        const tCalibVoie premiere = EnteteF.CalibVoie[4];
        const tConfig avant = Config;

        int vus = 0;
        auto t = QuandDialogue(
            [](FonctionNew& d) {
                QCOMPARE(d.textBoxNom->text(), QStringLiteral("Double"));
                QCOMPARE(d.comboBoxVoie1->currentIndex(), 2);
                QCOMPARE(d.VoiesListe(), (std::vector<uint8_t>{0, 2, 3, 4, 5}));
                Taper(d.textBoxA, QStringLiteral("4"), true);
                Taper(d.textBoxB, QStringLiteral("1"), true);
                d.comboBoxVoie2->setCurrentIndex(3); // the first function, channel 4
                d.comboBoxOperateur->setCurrentIndex(1);
                d.textBoxNom->setText(QStringLiteral("Ecart"));
                QCOMPARE(Valider(d), 1);
            },
            &vus);
        QCOMPARE(VIEW::MODIF_FONCTION(nullptr, 5), 1);
        QCOMPARE(vus, 1);
        QCOMPARE(NumeroFonction, 1);
        QVERIFY(ConfigSaufSlot(avant, 1));
        QCOMPARE(+Config.TabFonction[1].CoeffA, 4.f);
        QCOMPARE(Config.TabFonction[1].Voie2, 4);
        const tCalibVoie& v = EnteteF.CalibVoie[5];
        QCOMPARE(+v.CoefA, 4.f);
        QCOMPARE(+v.CoefB, 1.f);
        QCOMPARE(v.Operande1, 3);
        QCOMPARE(v.Operande2, 4);
        QCOMPARE(v.OperateurFonction, 1);
        QCOMPARE(QByteArray(EnteteF.Affichage[5].NomAffiche), QByteArray("Ecart"));
        QVERIFY(MemesOctets(&premiere, &EnteteF.CalibVoie[4], sizeof premiere));
        QCOMPARE(EnteteF.NombreVoiesTotal, 6);
        QCOMPARE(NumeroNewFonction, 2);

        // "Abort" leaves slot and channel as they are.
        const tConfig configAvant = Config;
        const t_EnteteREC_GlobalTotal enteteAvant = EnteteF;
        t = QuandDialogue([](FonctionNew& d) {
            Taper(d.textBoxA, QStringLiteral("8"), true);
            QTest::mouseClick(d.buttonAbort, Qt::LeftButton);
        });
        QCOMPARE(VIEW::MODIF_FONCTION(nullptr, 4), 0);
        QVERIFY(MemesOctets(&Config, &configAvant, sizeof Config));
        QVERIFY(MemesOctets(&EnteteF, &enteteAvant, sizeof EnteteF));
    }

    void changeRefusedOnOtherChannels() {
        QCOMPARE(Ajouter([](FonctionNew& d) { Valider(d); }), 1);
        const tConfig avant = Config;
        const t_EnteteREC_GlobalTotal enteteAvant = EnteteF;
        int vus = 0;
        const auto t = QuandDialogue([](FonctionNew&) {}, &vus, false);
        for (int v : {-1, 0, 2, 3, 5, 244}) QCOMPARE(VIEW::MODIF_FONCTION(nullptr, v), 0);
        QCoreApplication::processEvents();
        QCOMPARE(vus, 0);
        QVERIFY(MemesOctets(&Config, &avant, sizeof Config));
        QVERIFY(MemesOctets(&EnteteF, &enteteAvant, sizeof EnteteF));
    }

    // Beyond six functions the sixth slot holds the last one added: "Change" on an earlier
    // channel sharing it starts from that channel's own definition.
    void changeOnASharedSlotStartsFromTheChannel() {
        for (int i = 0; i < 8; ++i)
            QCOMPARE(Ajouter([i](FonctionNew& d) {
                         Taper(d.textBoxA, QString::number(i + 1), true);
                         d.textBoxNom->setText(QStringLiteral("F%1").arg(i + 1));
                         Valider(d);
                     }),
                     1);
        QCOMPARE(+Config.TabFonction[5].CoeffA, 8.f);
        const int septieme = 4 + 6;
        QCOMPARE(+EnteteF.CalibVoie[septieme].CoefA, 7.f);
        auto t = QuandDialogue([](FonctionNew& d) {
            QCOMPARE(d.CoeffA, 7.f);
            QCOMPARE(d.textBoxNom->text(), QStringLiteral("F7"));
            Taper(d.textBoxC, QStringLiteral("0.5"), true);
            Valider(d);
        });
        QCOMPARE(VIEW::MODIF_FONCTION(nullptr, septieme), 1);
        QCOMPARE(+EnteteF.CalibVoie[septieme].CoefA, 7.f);
        QCOMPARE(+EnteteF.CalibVoie[septieme].CoefC, 0.5f);
        QCOMPARE(+Config.TabFonction[5].CoeffA, 7.f);
        QCOMPARE(+EnteteF.CalibVoie[septieme + 1].CoefA, 8.f);

        // A channel of its own slot shows the slot.
        Config.TabFonction[2].CoeffA = 30.f;
        t = QuandDialogue([](FonctionNew& d) { QCOMPARE(d.CoeffA, 30.f); });
        QCOMPARE(VIEW::MODIF_FONCTION(nullptr, 4 + 2), 0);
    }
};

QTEST_MAIN(TestFonctionNew)
#include "tst_fonction_new.moc"
