// Opening a recording as a whole: the filter dialog's list and its defaults,
// what the opening leaves in Config, failures and cancellation, script errors.
#include "test_ouverture_fixture.h"

#include <cmath>
#include <utility>
#include <vector>

#include "recording/ScriptsREC.h"

using namespace ouverture_test;

namespace {

std::string Nom(const tCalibVoie& v) {
    return std::string(v.NomVoie, strnlen(v.NomVoie, sizeof v.NomVoie));
}

class SansDialogueTest : public OuvertureTest, public ::testing::WithParamInterface<FamilleREC> {};

TEST_P(SansDialogueTest, EveryChannelAndTheLogicEntryAreChosen) {
    Dialogue.Valider = false; // would cancel, if it were asked
    ASSERT_EQ(Ouvrir(Petit(GetParam())), LectureOK) << Ouvre.CauseErreur;
    EXPECT_EQ(Dialogue.Appels, 0);

    const int total = E.NombreVoiesTotal;
    ASSERT_GT(total, 2);
    const FiltreFichierModele& f = Ouvre.Filtre;
    ASSERT_EQ(f.NombreEntrees(), total + 1);
    EXPECT_EQ(f.NombreVoieFonc, total);
    EXPECT_EQ(E.NombreEntreesFiltre, total);
    for (int k = 0; k < f.NombreEntrees(); ++k) EXPECT_TRUE(f.EstSelectionnee(k)) << k;
    EXPECT_EQ(f.TexteEntree(total).toStdString(), "Logic channels :");
    EXPECT_TRUE(f.EstEntreeLogique(total));
    EXPECT_EQ(f.TexteEntree(0).toStdString(), Nom(E.CalibVoie[0]));
    EXPECT_EQ(f.ValidSortie, 1);

    std::string tous;
    for (int k = 0; k < total; ++k) tous += (k ? " " : "") + std::to_string(k);
    EXPECT_EQ(Membres(Config.VoiesPresentes), tous);
    EXPECT_EQ(Membres(Config.VoiesAffichees), tous);
    EXPECT_EQ(Val(Config.VoiesPresentes.VoiesFonction), 0);
    EXPECT_EQ(E.NbVoiesChoisies, total);
    EXPECT_EQ(E.LogiqueAffichee, 1);
    EXPECT_EQ(Config.VoiesLogiquesPresentes, 1);
    EXPECT_EQ(Config.NombreVoiesLogiques, 2);
    EXPECT_EQ(Config.NombreVoiesLogiquesAffichees, 2);
    EXPECT_EQ(Val(Config.MasqueVoiesLogiques), 3);

    EXPECT_EQ(ValidFichier, 1);
    EXPECT_EQ(Val(::Setup.DebutFenetre), 0.0);
    EXPECT_EQ(Val(::Setup.LargeurFenetre), 1.0);
    EXPECT_NE(E.HandleFichier, 0); // left open for the sample reader
    EXPECT_TRUE(Boites.Appels.empty());
}

INSTANTIATE_TEST_SUITE_P(Familles, SansDialogueTest, ::testing::Values(FamilleTKAR, FamilleTKOS, FamilleVEL));

TEST_F(OuvertureTest, WithoutDialogTheDefaultsAreKeptAsOkWouldKeepThem) {
    Config.TypeCalibre = 0;
    Config.NombreEcranFiltre = 1;
    Config.ModeXY = 1;
    sousEchantillonageEnabled = true; // left by an earlier opening
    selectedValue = 1000.f;
    underSamplingRatio = 4.f;
    ASSERT_EQ(Ouvrir(PetitTKAR()), LectureOK);
    EXPECT_EQ(Config.TypeCalibre, 0);
    EXPECT_EQ(Config.NombreEcranFiltre, 1);
    EXPECT_EQ(Config.ReticEcran.NbEcran, 1);
    EXPECT_EQ(Config.ModeXY, 1); // several channels: XY stays
    // The dialog starts with under-sampling off, and so does the opening.
    EXPECT_FALSE(sousEchantillonageEnabled.load());
    EXPECT_FALSE(Ouvre.Filtre.SousEchantillonCoche());
    EXPECT_EQ(std::string(Ouvre.MessageEntSimplifie).find("Undersampling"), std::string::npos);

    // One channel cannot be drawn in XY: OK turns the mode off.
    Enregistrement un = PetitTKAR();
    un.Voies.resize(1);
    ASSERT_EQ(Ouvrir(un), LectureOK);
    EXPECT_EQ(Config.ModeXY, 0);
}

TEST_F(OuvertureTest, NoInstalledDialogTakesTheDefaults) {
    const Enregistrement e = PetitTKAR();
    EcrireFichier(recmaker::Construire(e));
    Ouvre.VraiNomFichier = Ouvre.NomFichier = Dossier() + "/essai.rec";
    Ouvre.Dialogue = nullptr;
    ASSERT_EQ(Ouvre.OUVRIR_REC(0), LectureOK);
    EXPECT_EQ(Ouvre.Filtre.ValidSortie, 1);
    EXPECT_EQ(E.NbVoiesChoisies, E.NombreVoiesTotal);
}

TEST_F(OuvertureTest, LogicOnlyFileListsTheLogicEntryAlone) {
    Enregistrement e = PetitTKAR();
    e.Voies.clear();
    e.NomsLogiques = {"A", "B", "C"};
    Config.NombreEcranFiltre = 2; // one screen per chosen channel: none chosen
    ASSERT_EQ(Ouvrir(e), LectureOK) << Ouvre.CauseErreur;
    const FiltreFichierModele& f = Ouvre.Filtre;
    ASSERT_EQ(f.NombreEntrees(), 1);
    EXPECT_EQ(f.NombreVoieFonc, 0);
    EXPECT_EQ(f.TexteEntree(0).toStdString(), "Logic channels :");
    EXPECT_TRUE(f.EstSelectionnee(0));
    EXPECT_EQ(Membres(Config.VoiesPresentes), "");
    EXPECT_EQ(E.NbVoiesChoisies, 0);
    EXPECT_EQ(E.LogiqueAffichee, 1);
    EXPECT_EQ(Val(Config.MasqueVoiesLogiques), 7);
    EXPECT_EQ(Config.NombreVoiesLogiquesAffichees, 3);
    EXPECT_EQ(Config.ReticEcran.NbEcran, 1);
}

TEST_F(OuvertureTest, FileWithoutLogicWord) {
    Enregistrement e = PetitTKAR();
    e.Logique = false;
    e.NomsLogiques.clear();
    Config.VoiesLogiquesPresentes = 1;
    Config.MasqueVoiesLogiques = 0x0F;
    ASSERT_EQ(Ouvrir(e), LectureOK);
    EXPECT_EQ(Ouvre.Filtre.NombreEntrees(), E.NombreVoiesTotal);
    EXPECT_EQ(Config.VoiesLogiquesPresentes, 0);
    EXPECT_EQ(E.LogiqueAffichee, 0);
    EXPECT_EQ(Config.NombreVoiesLogiques, 1);
    EXPECT_EQ(Val(Config.MasqueVoiesLogiques), 0x0F); // only a chosen logic entry sets the mask
}

struct CasErreur {
    const char* Nom;
    std::function<std::vector<uint8_t>()> Octets; // empty: no file
    uint8_t Resultat;
    const char* Texte;
};

TEST_F(OuvertureTest, FailuresAreShownAndReturned) {
    const CasErreur cas[] = {
        {"missing", nullptr, LectureErreur, "File error"},
        {"unknown family",
         [] {
             auto o = recmaker::Construire(PetitTKAR());
             o[0] = 0x12, o[1] = 0x34;
             return o;
         },
         LectureInconnu, "These file is not compatible with this software\n use instead OmbrixView"},
        {"cut short",
         [] {
             auto o = recmaker::Construire(PetitTKAR());
             o.resize(30);
             return o;
         },
         LectureErreur, "File error"},
    };
    for (const CasErreur& c : cas) {
        SCOPED_TRACE(c.Nom);
        Boites.Appels.clear();
        ASSERT_EQ(Ouvrir(PetitTKAR()), LectureOK); // a recording set up before
        ASSERT_EQ(ValidFichier, 1);
        const std::string chemin =
            c.Octets ? EcrireFichier(c.Octets(), "mauvais.rec") : (Dossier() + "/absent.rec").toStdString();
        Ouvre.VraiNomFichier = Ouvre.NomFichier = QString::fromStdString(chemin);
        EXPECT_EQ(Ouvre.OUVRIR_REC(0), c.Resultat);
        EXPECT_EQ(Dialogue.Appels, 0);
        ASSERT_EQ(Boites.Appels.size(), 1u);
        EXPECT_EQ(Boites.TEXTES()[0], c.Texte);
        EXPECT_EQ(Boites.TITRES()[0], "Error");
        EXPECT_EQ(Boites.Appels[0].Icone, tIconeBoite::Avertissement);
        EXPECT_EQ(ValidFichier, 0);
        EXPECT_EQ(E.HandleFichier, 0);
    }
}

TEST_F(OuvertureTest, CancelledDialogAbandonsTheOpening) {
    Config.VoiesPresentes = {};
    AJOUT_ONOFF(Config.VoiesPresentes, 40); // left by an earlier recording
    Config.ReticEcran.NbEcran = 3;
    Dialogue.Valider = false;
    EXPECT_EQ(Ouvrir(PetitVEL(), 0), LectureErreur);
    EXPECT_EQ(Dialogue.Appels, 1);
    EXPECT_TRUE(Boites.Appels.empty());
    EXPECT_EQ(ValidFichier, 0);
    EXPECT_EQ(E.HandleFichier, 0);
    EXPECT_EQ(Ouvre.Scripts, nullptr);
    EXPECT_EQ(ValiditeAngelScript, 0);
    EXPECT_EQ(Membres(Config.VoiesPresentes), "40");
    EXPECT_EQ(Config.ReticEcran.NbEcran, 3);
}

TEST_F(OuvertureTest, DialogChoosesASubset) {
    Config.TypeCalibre = 1;
    Dialogue.Action = [](FiltreFichierModele& f) {
        ASSERT_EQ(f.NombreEntrees(), 5);
        f.SELECTION(1, false);
        f.SELECTION(4, false); // the logic entry
        f.CHOIX_CALIBRE(0);
        f.CHOIX_ECRAN(2);
    };
    ASSERT_EQ(Ouvrir(PetitTKAR(), 0), LectureOK);
    EXPECT_EQ(Dialogue.Appels, 1);
    EXPECT_EQ(Membres(Config.VoiesPresentes), "0 2 3");
    EXPECT_EQ(Membres(Config.VoiesAffichees), "0 2 3");
    EXPECT_EQ(E.NbVoiesChoisies, 3);
    EXPECT_EQ(E.LogiqueAffichee, 0);
    EXPECT_EQ(Config.NombreVoiesLogiques, 1);
    EXPECT_EQ(Config.TypeCalibre, 0);
    EXPECT_EQ(Config.NombreEcranFiltre, 2);
    EXPECT_EQ(Config.ReticEcran.NbEcran, 3); // one screen per chosen channel
    // The even layout puts the chosen channels one per screen.
    EXPECT_EQ(Config.ReticEcran.EcranVoie[0], 1);
    EXPECT_EQ(Config.ReticEcran.EcranVoie[2], 2);
    EXPECT_EQ(Config.ReticEcran.EcranVoie[3], 3);
    EXPECT_EQ(VRAI_NUMERO(1), 2);
}

TEST_F(OuvertureTest, OpeningResetsTheFunctionChannelState) {
    NumeroNewFonction = 3;
    NumeroFonction = 2;
    PremiereFonctionAjoutee = 5;
    ASSERT_EQ(Ouvrir(PetitTKAR()), LectureOK);
    EXPECT_EQ(NumeroNewFonction, 0);
    EXPECT_EQ(NumeroFonction, 0);
    EXPECT_EQ(PremiereFonctionAjoutee, -1);
}

TEST_F(OuvertureTest, ComparisonFileKeepsTheViewWindow) {
    ::Setup = {0.25, 0.5};
    Ouvre.FicCompar = 1;
    ASSERT_EQ(Ouvrir(PetitTKAR()), LectureOK);
    EXPECT_EQ(Val(::Setup.DebutFenetre), 0.25);
    EXPECT_EQ(Val(::Setup.LargeurFenetre), 0.5);
    Ouvre.FicCompar = 0;
    ASSERT_EQ(Ouvrir(PetitTKAR()), LectureOK);
    EXPECT_EQ(Val(::Setup.DebutFenetre), 0.0);
    EXPECT_EQ(Val(::Setup.LargeurFenetre), 1.0);
}

// A script holder whose set-up reports errors in the given slots.
class ScriptsEnErreur : public ScriptsREC {
public:
    ScriptsEnErreur(t_EnteteREC_GlobalTotal* e, std::vector<int> erreurs)
        : ScriptsREC(e), Slots(std::move(erreurs)) {}
    void LANCEMENT_TOUS_SCRIPTS() override {
        for (int s : Slots) ErreurScript[s] = 1;
    }
    std::vector<int> Slots;
};

TEST_F(OuvertureTest, ScriptErrorsAreShownOnceThenCleared) {
    struct Cas {
        std::vector<int> Slots;
        bool Crochet;
        int Montres;
    } cas[] = {{{3, 39}, true, 1}, {{}, true, 0}, {{0}, false, 0}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.Slots.size());
        Ouvre.FabriqueScripts = [&](t_EnteteREC_GlobalTotal* e) {
            return std::make_unique<ScriptsEnErreur>(e, c.Slots);
        };
        int montres = 0;
        std::vector<int> vus;
        Ouvre.MontrerErreursScripts = nullptr;
        if (c.Crochet) {
            Ouvre.MontrerErreursScripts = [&](const uint8_t(&erreurs)[NombreSlotsScript]) {
                ++montres;
                for (int s = 0; s < NombreSlotsScript; ++s)
                    if (erreurs[s] != 0) vus.push_back(s);
            };
        }
        ASSERT_EQ(Ouvrir(PetitVEL()), LectureOK);
        ASSERT_EQ(ValiditeAngelScript, 1);
        ASSERT_NE(Ouvre.Scripts, nullptr);
        EXPECT_EQ(montres, c.Montres);
        if (c.Montres != 0) {
            EXPECT_EQ(vus, c.Slots);
        }
        for (int s = 0; s < NombreSlotsScript; ++s) EXPECT_EQ(Ouvre.Scripts->ErreurScript[s], 0) << s;
    }
}

TEST_F(OuvertureTest, TriggerDateErrorOfTkosStillOpens) {
    Enregistrement e = PetitTKOS();
    e.Millisecondes = 1000; // not a time of day
    ASSERT_EQ(Ouvrir(e), LectureOK);
    ASSERT_EQ(Boites.Appels.size(), 1u);
    EXPECT_EQ(Boites.TITRES()[0], "File Error - Erreur Fichier");
    EXPECT_EQ(ValidFichier, 1);
    EXPECT_EQ(std::string(Ouvre.Filtre.Mes_DateTrigger), "Date :1 Jan 1970 00:00:00.000");
}

} // namespace
