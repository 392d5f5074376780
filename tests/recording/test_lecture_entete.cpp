// Reading well-formed recordings of the three families into the header record.
#include "test_lecture_fixture.h"

#include <cmath>

using namespace lecture_test;
using recmaker::AnnotationAncienne;
using recmaker::AnnotationNouvelle;
using recmaker::EntreeSup;

namespace {

std::string Nom(const tCalibVoie& v) {
    return std::string(v.NomVoie, strnlen(v.NomVoie, sizeof v.NomVoie));
}
std::string Unite(const tCalibVoie& v) {
    return std::string(v.UniteVoie, strnlen(v.UniteVoie, sizeof v.UniteVoie));
}

struct CasFamille {
    FamilleREC Famille;
    int16_t Signature;
    int32_t DebutDonnees; // fixed header + records + logic names (+ script area)
    uint8_t Analog, Total;
    float Periode;
    double PreTrig;
    int64_t Scans;
    uint8_t NouvelleFormule, ModeleTKAR;
    uint8_t Operande1, Operande2; // positions of the first computed channel's operands
};

class FamilleTest : public LectureTest, public ::testing::WithParamInterface<CasFamille> {};

TEST_P(FamilleTest, CountsOffsetsAndTimeBase) {
    const CasFamille& c = GetParam();
    const Enregistrement e = Petit(c.Famille);
    Plan plan;
    const std::vector<uint8_t> octets = recmaker::Construire(e, &plan);
    ASSERT_EQ(LireOctets(octets), 0) << Ouvre.CauseErreur;

    EXPECT_EQ(Val(E.FamilleEnregistreur), c.Famille);
    EXPECT_EQ(Val(E.VersionFichier), c.Signature);
    EXPECT_NE(Val(E.HandleFichier), 0);
    EXPECT_EQ(Val(E.DebutDonnees), c.DebutDonnees);
    EXPECT_EQ(Val(E.DebutDonnees), plan.DebutDonnees);
    EXPECT_EQ(Val(E.NombreVoiesAnalog), c.Analog);
    EXPECT_EQ(Val(E.NombreVoiesTotal), c.Total);
    EXPECT_EQ(Val(E.NombreVoiesTotalCopie), c.Total);
    EXPECT_EQ(Val(E.PresenceLogique), 1);
    EXPECT_EQ(Val(E.LongueurScan), c.Analog + 1);
    EXPECT_EQ(Val(E.NombreScans), c.Scans);
    EXPECT_FLOAT_EQ(E.PeriodeEchantillon, c.Periode);
    EXPECT_EQ(Val(E.BaseDeTempsInterne), 1);
    EXPECT_DOUBLE_EQ(E.PreTrig, c.PreTrig);
    EXPECT_DOUBLE_EQ(E.TempsDebut, -2.0 * c.Periode * c.PreTrig);
    EXPECT_DOUBLE_EQ(E.DureeTotale, static_cast<double>(c.Scans) * c.Periode);
    EXPECT_EQ(Val(E.NouvelleFormule), c.NouvelleFormule);
    EXPECT_EQ(Val(E.ModeleTKAR), c.ModeleTKAR);
    EXPECT_EQ(Val(E.Revision), 3);
    EXPECT_EQ(Val(E.ChecksumVerifie), 0);
    EXPECT_EQ(Ouvre.V_EPA_1000, 0);

    // Channel table: analog channels in channel order, then the computed ones,
    // whose operands become positions among the present channels.
    ASSERT_EQ(e.Voies.size(), size_t{c.Total});
    for (int k = 0; k < c.Total; ++k)
        EXPECT_EQ(Nom(E.CalibVoie[k]), e.Voies[static_cast<size_t>(k)].Nom) << k;
    EXPECT_EQ(Val(E.CalibVoie[c.Analog].Operande1), c.Operande1);
    EXPECT_EQ(Val(E.CalibVoie[c.Analog].Operande2), c.Operande2);

    // The header checksum covers every header byte after the fixed header.
    const int64_t fixe = plan.TailleEnteteFixe;
    const int64_t finEntete = plan.DebutNomsLogiques + 2 * TailleNomLogiqueFichier;
    EXPECT_EQ(Val(E.NombreOctetsLus), finEntete - fixe);
    EXPECT_EQ(Ouvre.NombreLu, finEntete - fixe);
    EXPECT_EQ(static_cast<uint32_t>(Val(E.SommeEntete)), Somme(octets, fixe, finEntete));
    EXPECT_TRUE(Boites.Appels.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Familles, FamilleTest,
    ::testing::Values(
        // 52 + 4 records + 2 names; computed channel 36 = channel 2 + channel 5 (positions 1, 2)
        CasFamille{FamilleTKAR, SignatureTKAR, 52 + 4 * 72 + 40, 3, 4, 250.f, 40.0, 100, 1, 1, 1, 2},
        // 80 + 4 records + 2 names + script area
        CasFamille{FamilleTKOS, SignatureTKOS, 80 + 4 * 72 + 40 + TailleZoneScripts, 3, 4, 12.5f, 1000.0, 64,
                   1, 1, 1, 2},
        // 96 + 5 records + 2 names + script area; F1 = channel 100 x channel 203
        CasFamille{FamilleVEL, SignatureVEL, 96 + 5 * 72 + 40 + TailleZoneScripts, 3, 5, 100.f, 5.0, 30, 1, 0,
                   1, 2}));

TEST_F(LectureTest, TkarChecksumSignatureKeepsStoredWord) {
    Enregistrement e = PetitTKAR();
    e.Checksum = true;
    e.ChecksumDecalage = 7;
    Plan plan;
    const std::vector<uint8_t> octets = recmaker::Construire(e, &plan);
    ASSERT_EQ(LireOctets(octets), 0);
    EXPECT_EQ(Val(E.VersionFichier), SignatureTKARChecksum);
    uint16_t stocke = 0;
    std::memcpy(&stocke, octets.data() + 36, 2);
    EXPECT_EQ(static_cast<uint16_t>(Val(E.ChecksumDonnees)), stocke);
    // Header part plus samples, plus the deliberate offset, is what is stored.
    const uint32_t tout = static_cast<uint32_t>(E.SommeEntete) + Somme(octets, E.DebutDonnees, plan.Taille);
    EXPECT_EQ(static_cast<uint16_t>(tout + 7), stocke);
}

TEST_F(LectureTest, TkosWordAt60AndVelZeroAsChecksum) {
    Enregistrement e = PetitTKOS();
    e.MotChecksumTKOS = 0x1234;
    ASSERT_EQ(Lire(e), 0);
    EXPECT_EQ(Val(E.ChecksumDonnees), 0x1234);
    ASSERT_EQ(Lire(PetitVEL()), 0);
    EXPECT_EQ(Val(E.ChecksumDonnees), 0);
}

TEST_F(LectureTest, ModelAndFormulaFlags) {
    struct Cas {
        FamilleREC Famille;
        const char* Modele;
        uint8_t RevisionVoies, Revision;
        uint8_t NouvelleFormule, ModeleTKAR;
    } cas[] = {
        {FamilleTKAR, "MORA 3", 3, 3, 1, 1}, {FamilleTKAR, "XNIVX", 3, 2, 0, 1},
        {FamilleTKAR, "OTHER", 3, 3, 1, 0},  {FamilleTKOS, "OTHER", 3, 7, 0, 1},
        {FamilleTKOS, "OTHER", 4, 0, 1, 1},  {FamilleVEL, "TKAR", 1, 0, 1, 0},
    };
    for (const Cas& c : cas) {
        Enregistrement e = Petit(c.Famille);
        e.Modele = c.Modele;
        e.RevisionVoies = c.RevisionVoies;
        e.Revision = c.Revision;
        ASSERT_EQ(Lire(e), 0) << c.Modele;
        EXPECT_EQ(Val(E.NouvelleFormule), c.NouvelleFormule) << c.Modele;
        EXPECT_EQ(Val(E.ModeleTKAR), c.ModeleTKAR) << c.Modele;
        EXPECT_EQ(Val(E.Revision), c.Revision) << c.Modele;
    }
}

TEST_F(LectureTest, ExternalClockGivesUnitPeriod) {
    for (FamilleREC f : {FamilleTKAR, FamilleTKOS, FamilleVEL}) {
        Enregistrement e = Petit(f);
        e.PeriodeUs = 0.f;
        e.PreTrig = 3;
        ASSERT_EQ(Lire(e), 0) << f;
        EXPECT_EQ(Val(E.BaseDeTempsInterne), 0) << f;
        EXPECT_FLOAT_EQ(E.PeriodeEchantillon, 1.f) << f;
        EXPECT_DOUBLE_EQ(E.TempsDebut, -6.0) << f;
        EXPECT_DOUBLE_EQ(E.DureeTotale, static_cast<double>(E.NombreScans)) << f;
    }
}

TEST_F(LectureTest, TrailingPartialFrameIsIgnored) {
    for (FamilleREC f : {FamilleTKAR, FamilleTKOS, FamilleVEL}) {
        const Enregistrement e = Petit(f);
        Plan plan;
        const std::vector<uint8_t> base = recmaker::Construire(e, &plan);
        for (int reste = 1; reste < 2 * plan.MotsParScan; ++reste) {
            std::vector<uint8_t> octets = base;
            octets.resize(octets.size() + static_cast<size_t>(reste), 0xAB);
            ASSERT_EQ(LireOctets(octets), 0) << f << " " << reste;
            EXPECT_EQ(Val(E.NombreScans), e.NombreScans) << f << " " << reste;
        }
    }
}

TEST_F(LectureTest, TwoPointCoefficientsBecomeSlopeAndOffset) {
    struct Cas {
        float A, B, C, D;     // input upper, input lower, output lower, output upper
        float Pente, Origine; // CoefA and CoefB after reading
    } cas[] = {
        {10.f, 0.f, 0.f, 100.f, 10.f, 0.f},
        {5.f, 1.f, 3.f, 11.f, 2.f, 1.f},     // s = 8 / 4; b = 3 - 1 * 2
        {2.f, 2.f, 1.f, 4.f, 3.f, -5.f},     // equal inputs: divisor taken as 1
        {-4.f, 4.f, -1.f, 1.f, -0.25f, 0.f}, // s = 2 / -8; b = -1 + 1
    };
    Enregistrement e = PetitTKAR();
    e.Voies.clear();
    int n = 0;
    for (const Cas& c : cas)
        e.Voies.push_back(
            Voie{.Numero = n++, .CoefA = c.A, .CoefB = c.B, .CoefC = c.C, .CoefD = c.D, .TypeConversion = 1});
    // The same law on a computed channel of an older table revision (kept, normalised).
    e.RevisionVoies = 2;
    e.Voies.push_back(
        Voie{.Numero = 40, .CoefA = 5.f, .CoefB = 1.f, .CoefC = 3.f, .CoefD = 11.f, .TypeConversion = 1});
    ASSERT_EQ(Lire(e), 0);
    ASSERT_EQ(Val(E.NombreVoiesTotal), 5);
    for (int k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(E.CalibVoie[k].CoefA, cas[k].Pente) << k;
        EXPECT_FLOAT_EQ(E.CalibVoie[k].CoefB, cas[k].Origine) << k;
        EXPECT_FLOAT_EQ(E.CalibVoie[k].CoefC, cas[k].C) << k;
        EXPECT_FLOAT_EQ(E.CalibVoie[k].CoefD, cas[k].D) << k;
    }
    EXPECT_FLOAT_EQ(E.CalibVoie[4].CoefA, 2.f);
    EXPECT_FLOAT_EQ(E.CalibVoie[4].CoefB, 1.f);
}

TEST_F(LectureTest, UnitOfRecordedChannelsComesFromUnitKind) {
    struct Cas {
        uint16_t TypeUnite;
        const char* Stockee;
        uint8_t Conversion;
        const char* Attendue; // Windows-1252
    } cas[] = {
        {0, "mbarx", 0, "mba"},
        {1, "zz", 0, "A"},
        {2, "", 0, "\260C"},
        {3 | (1 << 14), "", 0, "\260F"},
        {7 | (2 << 14), "", 0, "\260K"},
        {2 | (3 << 14), "abcd", 0, "abc"}, // no temperature unit named: like kind 0
        {4, "x", 0, "Hz"},
        {5, "x", 0, "\265S"},
        {6 | (1 << 14), "x", 0, "V"},
        {1, "mbar", 2, "mbar"}, // another conversion law keeps the stored unit
    };
    Enregistrement e = PetitTKAR();
    e.Voies.clear();
    int n = 0;
    for (const Cas& c : cas)
        e.Voies.push_back(Voie{
            .Numero = n++, .Unite = c.Stockee, .TypeUnite = c.TypeUnite, .TypeConversion = c.Conversion});
    // A computed channel keeps its unit whatever its unit kind.
    e.Voies.push_back(Voie{.Numero = 37, .Unite = "kWh", .TypeUnite = 1});
    ASSERT_EQ(Lire(e), 0);
    ASSERT_EQ(Val(E.NombreVoiesTotal), 11);
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(Unite(E.CalibVoie[k]), cas[k].Attendue) << k;
        EXPECT_STREQ(E.Affichage[k].UniteAffichee, cas[k].Attendue) << k;
    }
    EXPECT_EQ(Unite(E.CalibVoie[10]), "kWh");
}

TEST_F(LectureTest, ScaledComputedChannelsDroppedFromRevisionThree) {
    struct Cas {
        FamilleREC Famille;
        uint8_t RevisionVoies;
        bool Supprimee;
    } cas[] = {
        {FamilleTKAR, 3, true},  {FamilleTKAR, 2, false}, {FamilleTKOS, 3, true},
        {FamilleTKOS, 2, false}, {FamilleVEL, 4, false},
    };
    for (const Cas& c : cas) {
        Enregistrement e = Petit(c.Famille);
        e.RevisionVoies = c.RevisionVoies;
        const int premier = c.Famille == FamilleTKAR ? 36 : c.Famille == FamilleTKOS ? 72 : 204;
        // Recorded channels 0 and 1, a scaled computed channel, then a plain one.
        e.Voies = {Voie{.Numero = 0, .Nom = "R0"}, Voie{.Numero = 1, .Nom = "R1"},
                   Voie{.Numero = premier, .Nom = "Echelle", .CoefA = 1.f, .CoefD = 1.f, .TypeConversion = 1},
                   Voie{.Numero = premier + 1,
                        .Nom = "Produit",
                        .OperateurFonction = 2,
                        .Operande1 = 1,
                        .Operande2 = static_cast<uint8_t>(premier + 1)}};
        Plan plan;
        ASSERT_EQ(Lire(e, &plan), 0) << c.Famille;
        const int total = c.Supprimee ? 3 : 4;
        EXPECT_EQ(Val(E.NombreVoiesAnalog), 2);
        ASSERT_EQ(Val(E.NombreVoiesTotal), total) << c.Famille;
        EXPECT_EQ(Nom(E.CalibVoie[total - 1]), "Produit");
        // The dropped record was still read: the TKAR data offset counts it.
        if (c.Famille == FamilleTKAR) {
            EXPECT_EQ(Val(E.DebutDonnees), 52 + 4 * 72 + 40);
        }
        const bool bit = c.Famille == FamilleTKAR   ? TST_B_ONOFF_TKAR(E.EnteteTKAR.Presence, premier)
                         : c.Famille == FamilleTKOS ? TST_B_ONOFF(E.EnteteTKOS.Presence, premier)
                                                    : TST_B_ONOFF(E.EnteteVEL.Presence, premier);
        EXPECT_EQ(bit, !c.Supprimee) << c.Famille;
        // Operand positions are taken on the mask without the dropped channel.
        EXPECT_EQ(Val(E.CalibVoie[total - 1].Operande1), 1);
        EXPECT_EQ(Val(E.CalibVoie[total - 1].Operande2), total - 1);
    }
}

TEST_F(LectureTest, QuillModelKeepsFirst32AndLast20ChannelNumbers) {
    Enregistrement e = PetitVEL();
    e.Modele = "QUILL 2";
    e.Logique = false;
    e.Voies = {Voie{.Numero = 0, .Nom = "Q0"}, Voie{.Numero = 1, .Nom = "Q1"},
               Voie{.Numero = 33, .Nom = "Q33"}, Voie{.Numero = 100, .Nom = "Q100"},
               Voie{.Numero = 230, .Nom = "F230", .Operande1 = 0, .Operande2 = 1}};
    Plan plan;
    ASSERT_EQ(Lire(e, &plan), 0) << Ouvre.CauseErreur;
    EXPECT_EQ(Val(E.NombreVoiesAnalog), 2);
    EXPECT_EQ(Val(E.NombreVoiesTotal), 3);
    EXPECT_EQ(Nom(E.CalibVoie[2]), "F230");
    EXPECT_EQ(Val(E.CalibVoie[2].Operande2), 1);
    EXPECT_FALSE(TST_B_ONOFF(E.EnteteVEL.Presence, 33));
    EXPECT_TRUE(TST_B_ONOFF(E.EnteteVEL.Presence, 230));
    EXPECT_EQ(Val(E.DebutDonnees), plan.DebutDonnees);

    // Without the model text the same file holds four recorded channels.
    e.Modele = "VEL";
    ASSERT_EQ(Lire(e), 0);
    EXPECT_EQ(Val(E.NombreVoiesAnalog), 4);
    EXPECT_EQ(Val(E.NombreVoiesTotal), 5);
}

struct CasBloc {
    FamilleREC Famille;
    uint8_t RevisionVoies;
    int TailleBloc;
    int32_t Ordinaire, Vide;
};

class BlocSupTest : public LectureTest, public ::testing::WithParamInterface<CasBloc> {};

TEST_P(BlocSupTest, SupplementaryChannelsWithUnitPrefixes) {
    const CasBloc& c = GetParam();
    Enregistrement e = Petit(c.Famille);
    e.RevisionVoies = c.RevisionVoies;
    e.Logique = false;
    e.Voies = {Voie{.Numero = 0, .Nom = "Ordinaire", .Unite = "V"}};
    e.BlocSup = std::vector<EntreeSup>{
        EntreeSup{.Type = c.Ordinaire},
        EntreeSup{
            .Type = 3, .Gain = 2.f, .BorneBasse = -1.f, .BorneHaute = 3.f, .Nom = "Courant", .Unite = "KA"},
        EntreeSup{.Type = 0x12,
                  .Gain = 0.5f,
                  .BorneBasse = 0.f,
                  .BorneHaute = 2.f,
                  .Nom = "Puissance",
                  .Unite = "GW"},
        EntreeSup{.Type = 1,
                  .Gain = 1.f,
                  .BorneBasse = -5.f,
                  .BorneHaute = 5.f,
                  .Nom = "NomDeQuatorzeX",
                  .Unite = "mV"},
        EntreeSup{.Type = c.Vide},
    };
    Plan plan;
    const std::vector<uint8_t> octets = recmaker::Construire(e, &plan);
    ASSERT_EQ(LireOctets(octets), 0) << Ouvre.CauseErreur;
    EXPECT_EQ(Ouvre.V_EPA_1000, 1);
    EXPECT_EQ(Ouvre.NbLus, plan.TailleEnteteFixe + c.TailleBloc + 72);
    EXPECT_EQ(Val(E.DebutDonnees), plan.DebutDonnees);
    ASSERT_EQ(Val(E.NombreVoiesAnalog), 4);
    EXPECT_EQ(Val(E.NombreVoiesTotal), 4);
    EXPECT_EQ(Val(E.LongueurScan), 4);

    EXPECT_EQ(Nom(E.CalibVoie[0]), "Ordinaire");
    EXPECT_EQ(Val(E.Affichage[0].VoieSignee), 0);

    struct Attendu {
        const char* Nom;
        const char* Unite;
        float Gain, Etendue, Centre;
    } attendu[] = {{"Courant", "A", 2000.f, 4000.f, 1000.f},
                   {"Puissance", "W", 500000.f, 2000000.f, 1000000.f},
                   {"NomDeQuatorzeX", "mV", 1.f, 10.f, 0.f}};
    for (int k = 1; k <= 3; ++k) {
        const tCalibVoie& v = E.CalibVoie[k];
        const Attendu& a = attendu[k - 1];
        EXPECT_EQ(Nom(v), a.Nom) << k;
        EXPECT_EQ(Unite(v), a.Unite) << k;
        EXPECT_FLOAT_EQ(v.Gain, a.Gain) << k;
        EXPECT_FLOAT_EQ(v.Etendue, a.Etendue) << k;
        EXPECT_FLOAT_EQ(v.Centre, a.Centre) << k;
        EXPECT_FLOAT_EQ(v.Decalage, 0.f);
        EXPECT_EQ(v.TypeConversion, 0);
        EXPECT_EQ(v.PositionVoie, 0);
        EXPECT_EQ(Val(E.Affichage[k].VoieSignee), 1) << k;
        EXPECT_STREQ(E.Affichage[k].NomAffiche, a.Nom);
        EXPECT_STREQ(E.Affichage[k].UniteAffichee, a.Unite);
    }
    // The block is part of the header checksum.
    EXPECT_EQ(static_cast<uint32_t>(Val(E.SommeEntete)),
              Somme(octets, plan.TailleEnteteFixe, plan.TailleEnteteFixe + c.TailleBloc + 72));
}

INSTANTIATE_TEST_SUITE_P(
    Blocs, BlocSupTest,
    ::testing::Values(CasBloc{FamilleTKAR, 3, 884, TypeSupOrdinaireTKAR, TypeSupVideTKAR},
                      CasBloc{FamilleTKOS, 3, 900, TypeSupOrdinaireTKOS, TypeSupVideTKOS},
                      CasBloc{FamilleTKOS, 4, 2232, TypeSupOrdinaireTKOS, TypeSupVideTKOS},
                      CasBloc{FamilleVEL, 4, 2248, TypeSupOrdinaireVEL, TypeSupVideVEL}));

TEST_F(LectureTest, SupplementaryChannelTakesEntryOfProducedCount) {
    // The entry type is taken at the loop index, the description at the number
    // of channels produced so far: after an empty entry 0, the channel of entry 1
    // is described by entry 0.
    Enregistrement e = PetitTKOS();
    e.Logique = false;
    e.Voies.clear();
    e.BlocSup = std::vector<EntreeSup>{
        EntreeSup{.Type = TypeSupVideTKOS, .Gain = 4.f, .Nom = "Premiere", .Unite = "s"},
        EntreeSup{.Type = 2, .Gain = 9.f, .Nom = "Seconde", .Unite = "m"}};
    ASSERT_EQ(Lire(e), 0);
    ASSERT_EQ(Val(E.NombreVoiesAnalog), 1);
    EXPECT_EQ(Nom(E.CalibVoie[0]), "Premiere");
    EXPECT_FLOAT_EQ(E.CalibVoie[0].Gain, 4.f);
}

TEST_F(LectureTest, BlockEntryCountReplacesChannelLimit) {
    // Only the first two entries are processed: the record of channel 5 is not read.
    Enregistrement e = PetitTKAR();
    e.Logique = false;
    e.Voies = {Voie{.Numero = 0, .Nom = "V0"}, Voie{.Numero = 5, .Nom = "V5"}};
    e.BlocSup = std::vector<EntreeSup>{
        EntreeSup{.Type = TypeSupOrdinaireTKAR}, EntreeSup{.Type = 2, .Nom = "S"},
        EntreeSup{.Type = TypeSupVideTKAR},      EntreeSup{.Type = TypeSupVideTKAR},
        EntreeSup{.Type = TypeSupVideTKAR},      EntreeSup{.Type = TypeSupOrdinaireTKAR}};
    e.NombreEntreesSup = 2;
    Plan plan;
    ASSERT_EQ(Lire(e, &plan), 0);
    EXPECT_EQ(Val(E.NombreVoiesAnalog), 2);
    EXPECT_EQ(Val(E.DebutDonnees), 52 + 884 + 72);
    EXPECT_EQ(Val(E.DebutDonnees), plan.DebutDonnees);
}

TEST_F(LectureTest, LogicNamesAreTrimmed) {
    Enregistrement e = PetitTKAR();
    e.NomsLogiques = {"  Pompe  ", "Vanne", "", "ABCDEFGHIJKLMNOPQRST", " a b "};
    ASSERT_EQ(Lire(e), 0);
    EXPECT_EQ(Val(E.NombreEntreesLogiques), 5);
    EXPECT_STREQ(E.NomLogique[0], "Pompe");
    EXPECT_STREQ(E.NomLogique[1], "Vanne");
    EXPECT_STREQ(E.NomLogique[2], "");
    EXPECT_STREQ(E.NomLogique[3], "ABCDEFGHIJKLMNOPQRST");
    EXPECT_STREQ(E.NomLogique[4], "a b");
    EXPECT_STREQ(E.NomLogique[5], "");
}

TEST_F(LectureTest, NoLogicWordMeansNoNames) {
    Enregistrement e = PetitTKAR();
    e.Logique = false;
    Plan plan;
    std::vector<uint8_t> octets = recmaker::Construire(e, &plan);
    Poser<uint8_t>(octets, 45, 5); // a name count without a logic word is not read
    ASSERT_EQ(LireOctets(octets), 0);
    EXPECT_EQ(Val(E.PresenceLogique), 0);
    EXPECT_EQ(Val(E.NombreEntreesLogiques), 0);
    EXPECT_EQ(Val(E.LongueurScan), 3);
    EXPECT_EQ(Val(E.DebutDonnees), 52 + 4 * 72);
}

TEST_F(LectureTest, OnlyLogicWord) {
    Enregistrement e = PetitTKOS();
    e.Voies.clear();
    ASSERT_EQ(Lire(e), 0);
    EXPECT_EQ(Val(E.NombreVoiesAnalog), 0);
    EXPECT_EQ(Val(E.NombreVoiesTotal), 0);
    EXPECT_EQ(Val(E.LongueurScan), 1);
    EXPECT_EQ(Val(E.NombreScans), e.NombreScans);
}

TEST_F(LectureTest, DisplayNamesAndUnitsAreTrimmed) {
    Enregistrement e = PetitTKAR();
    e.Voies = {
        Voie{.Numero = 0, .Nom = "  Pression amont   ", .Unite = " bar", .TypeConversion = 2},
        Voie{.Numero = 1, .Nom = "ABCDEFGHIJKLMNOPQRSTUVWXYZ", .Unite = "mm/s2x", .TypeConversion = 2}};
    ASSERT_EQ(Lire(e), 0);
    EXPECT_STREQ(E.Affichage[0].NomAffiche, "Pression amont");
    EXPECT_STREQ(E.Affichage[0].UniteAffichee, "bar");
    EXPECT_STREQ(E.Affichage[1].NomAffiche,
                 "ABCDEFGHIJKLMNOPQRSTUVWXYZ"); // 26 characters, no terminator stored
    EXPECT_STREQ(E.Affichage[1].UniteAffichee, "mm/s2x");
}

TEST_F(LectureTest, ScriptTexts) {
    const std::string longue(LongueurLigneScript, 'x'); // fills its line, no terminator
    Enregistrement e = PetitTKOS();
    e.RevisionVoies = 2;
    e.Scripts = {{0, {"V1 = V0 * 2;", "// fin"}}, {3, {"", "", longue}}};
    ASSERT_EQ(Lire(e), 0);
    ASSERT_NE(Ouvre.Scripts, nullptr);
    EXPECT_EQ(ValiditeAngelScript, 1);
    EXPECT_EQ(Ouvre.Scripts->EnteteFichier, &EnteteF);
    EXPECT_EQ(Ouvre.Scripts->Ligne(0, 0), "V1 = V0 * 2;");
    EXPECT_EQ(Ouvre.Scripts->Ligne(0, 1), "// fin");
    EXPECT_EQ(Ouvre.Scripts->Ligne(0, 2), "");
    EXPECT_EQ(Ouvre.Scripts->Ligne(3, 2), longue);
    EXPECT_EQ(Ouvre.Scripts->Ligne(3, 3), "");
    EXPECT_TRUE(Ouvre.Scripts->SlotVide(1));
    EXPECT_FALSE(Ouvre.Scripts->SlotVide(3));
    EXPECT_EQ(Ouvre.Scripts->Ligne(40, 0), "");
    for (uint8_t f : Ouvre.Scripts->ErreurScript) EXPECT_EQ(f, 0);

    Enregistrement v = PetitVEL();
    v.Scripts = {{39, {"a", "b"}}};
    ASSERT_EQ(Lire(v), 0);
    ASSERT_NE(Ouvre.Scripts, nullptr);
    EXPECT_EQ(Ouvre.Scripts->Ligne(39, 1), "b");
}

TEST_F(LectureTest, ScriptAreaOnlyFromTheRevisionThatHasIt) {
    struct Cas {
        FamilleREC Famille;
        uint8_t RevisionVoies;
        bool Scripts;
    } cas[] = {{FamilleTKOS, 1, false},
               {FamilleTKOS, 2, true},
               {FamilleVEL, 3, false},
               {FamilleVEL, 4, true},
               {FamilleTKAR, 9, false}};
    for (const Cas& c : cas) {
        Enregistrement e = Petit(c.Famille);
        e.RevisionVoies = c.RevisionVoies;
        ASSERT_EQ(Lire(e), 0) << c.Famille;
        EXPECT_EQ(Ouvre.Scripts != nullptr, c.Scripts) << c.Famille << " " << int(c.RevisionVoies);
        EXPECT_EQ(ValiditeAngelScript, c.Scripts ? 1 : 0);
    }
}

// A holder that notes the set-up calls, as the scripting engine's will receive them.
class ScriptsEspion : public ScriptsREC {
public:
    using ScriptsREC::ScriptsREC;
    void Quit_moteur_script() override { Arrets.push_back(SlotCourant); }
    void LANCEMENT_TOUS_SCRIPTS() override {
        ++Lancements;
        TexteAuLancement = Ligne(0, 0);
    }
    std::vector<int> Arrets;
    int Lancements = 0;
    std::string TexteAuLancement;
};

TEST_F(LectureTest, EverySlotResetThenAllScriptsStarted) {
    Ouvre.FabriqueScripts = [](t_EnteteREC_GlobalTotal* e) { return std::make_unique<ScriptsEspion>(e); };
    for (FamilleREC f : {FamilleTKOS, FamilleVEL}) {
        Enregistrement e = Petit(f);
        e.Scripts = {{0, {"main"}}};
        ASSERT_EQ(Lire(e), 0);
        auto* espion = dynamic_cast<ScriptsEspion*>(Ouvre.Scripts.get());
        ASSERT_NE(espion, nullptr);
        const int nombreSlots = f == FamilleTKOS ? 24 : 40;
        ASSERT_EQ(static_cast<int>(espion->Arrets.size()), nombreSlots);
        for (int s = 0; s < nombreSlots; ++s) EXPECT_EQ(espion->Arrets[static_cast<size_t>(s)], s);
        EXPECT_EQ(espion->Lancements, 1);
        EXPECT_EQ(espion->TexteAuLancement, "main"); // texts loaded before the start
    }
}

TEST_F(LectureTest, TkarAnnotationsOfBothLayouts) {
    Enregistrement e = PetitTKAR();
    const std::string trenteDeux(32, 'T'); // fills the old text field: 31 kept
    e.AnnotationsAnciennes = {AnnotationAncienne{.PositionMot = 12, .Texte = "debut"},
                              AnnotationAncienne{.PositionMot = (int64_t{1} << 33) + 4, .Texte = trenteDeux}};
    const std::string longue(125, 'L');
    e.AnnotationsNouvelles = {
        AnnotationNouvelle{.PositionMot = 40,
                           .Genre = 1,
                           .Couleur = 0x00FF00,
                           .Hauteur = 250,
                           .Verticale = 1,
                           .Texte = "pic"},
        AnnotationNouvelle{.PositionMot = 0, .Genre = 2, .Texte = "Essai moteur"},
        AnnotationNouvelle{.PositionMot = 80, .Genre = 1, .Texte = longue},
    };
    Plan plan;
    std::vector<uint8_t> octets = recmaker::Construire(e, &plan);
    // A stray byte after the longest text: cleared when read.
    Poser<uint8_t>(octets, plan.DebutAnnotations + 2 * 44 + 2 * 152 + 148, 'Z');
    ASSERT_EQ(LireOctets(octets), 0) << Ouvre.CauseErreur;
    EXPECT_EQ(plan.TailleAnnotations, 544);
    EXPECT_EQ(Val(E.NombreScans), e.NombreScans);
    EXPECT_EQ(AncienAnnot, 2);
    EXPECT_EQ(NouveauAnnot, 3);
    EXPECT_EQ(NombreAnnotEnPlus, 0);
    EXPECT_EQ(Val(TabAnnotMem[0].PositionMot), 12);
    EXPECT_STREQ(TabAnnotMem[0].TexteAnnot, "debut");
    EXPECT_EQ(Val(TabAnnotMem[1].PositionMot), (int64_t{1} << 33) + 4);
    EXPECT_EQ(std::string(Val(TabAnnotMem[1].TexteAnnot)), std::string(31, 'T'));
    EXPECT_EQ(Val(TabAnnotMem[2].GenreAnnot), 0); // only old-layout records are left in that table

    EXPECT_EQ(Val(TabAnnotMemNew[0].PositionMot), 40);
    EXPECT_EQ(Val(TabAnnotMemNew[0].GenreAnnot), 1);
    EXPECT_EQ(Val(TabAnnotMemNew[0].CouleurAnnot), 0x00FF00);
    EXPECT_EQ(Val(TabAnnotMemNew[0].HauteurAnnot), 250);
    EXPECT_EQ(Val(TabAnnotMemNew[0].AnnotVerticale), 1);
    EXPECT_STREQ(TabAnnotMemNew[0].TexteAnnot, "pic");
    EXPECT_EQ(Val(TabAnnotMemNew[1].GenreAnnot), 2);
    EXPECT_EQ(Val(TabAnnotMemNew[2].Reserve2[0]), 0); // ends the text that fills its field
    EXPECT_EQ(std::string(Val(TabAnnotMemNew[2].TexteAnnot), 125), longue);

    EXPECT_EQ(Ouvre.OnAunTitre, 1);
    EXPECT_STREQ(Ouvre.M_Titre_Fichier, "Essai moteur");
}

TEST_F(LectureTest, TkosAndVelAnnotationsAreAllNewLayout) {
    for (FamilleREC f : {FamilleTKOS, FamilleVEL}) {
        Enregistrement e = Petit(f);
        e.AnnotationsNouvelles = {AnnotationNouvelle{.PositionMot = 3, .Texte = "un"},
                                  AnnotationNouvelle{.PositionMot = 9, .Genre = 1, .Texte = "deux"}};
        ASSERT_EQ(Lire(e), 0);
        EXPECT_EQ(AncienAnnot, 0);
        EXPECT_EQ(NouveauAnnot, 2);
        EXPECT_STREQ(TabAnnotMemNew[1].TexteAnnot, "deux");
        EXPECT_EQ(Val(TabAnnotMemNew[1].PositionMot), 9);
        EXPECT_EQ(Ouvre.OnAunTitre, 0);
        EXPECT_EQ(Val(E.NombreScans), e.NombreScans);
    }
}

TEST_F(LectureTest, NoAnnotationAreaResetsCounters) {
    Enregistrement avec = PetitTKAR();
    avec.AnnotationsAnciennes = {AnnotationAncienne{.Texte = "a"}};
    avec.AnnotationsNouvelles = {AnnotationNouvelle{.Genre = 2, .Texte = "titre"}};
    ASSERT_EQ(Lire(avec), 0);
    ASSERT_EQ(AncienAnnot, 1);
    NombreAnnotEnPlus = 4;

    Plan plan;
    ASSERT_EQ(Lire(PetitTKAR(), &plan), 0);
    EXPECT_EQ(plan.TailleAnnotations, 0);
    EXPECT_EQ(AncienAnnot, 0);
    EXPECT_EQ(NouveauAnnot, 0);
    EXPECT_EQ(NombreAnnotEnPlus, 0);
    EXPECT_EQ(Ouvre.OnAunTitre, 0);
    EXPECT_STREQ(Ouvre.M_Titre_Fichier, "");
    EXPECT_EQ(Val(TabAnnotMem[0].TexteAnnot[0]), 0);
    EXPECT_EQ(Val(E.NombreScans), 100);
}

TEST_F(LectureTest, OldAreaWithoutNewRecords) {
    // 3 old records and 20 stray bytes: too few for a new-layout record.
    Enregistrement e = PetitTKAR();
    e.AnnotationsAnciennes = {AnnotationAncienne{.Texte = "a"}, AnnotationAncienne{.Texte = "b"},
                              AnnotationAncienne{.Texte = "c"}};
    Plan plan;
    std::vector<uint8_t> octets = recmaker::Construire(e, &plan);
    octets.insert(octets.end(), 20, 0x55);
    Poser<uint16_t>(octets, 38, static_cast<uint16_t>(3 * 44 + 20));
    ASSERT_EQ(LireOctets(octets), 0);
    EXPECT_EQ(AncienAnnot, 3);
    EXPECT_EQ(NouveauAnnot, 0);
    EXPECT_STREQ(TabAnnotMem[2].TexteAnnot, "c");
}

struct CasDate {
    FamilleREC Famille;
    uint8_t Jour, Mois, Heure;
    int16_t Ms;
    uint8_t Resultat;
    bool Defaut; // 1 January 1970 with the warning box
    int MsDate;  // milliseconds of the date
};

class DateTest : public LectureTest, public ::testing::WithParamInterface<CasDate> {};

TEST_P(DateTest, TriggerDate) {
    const CasDate& c = GetParam();
    Enregistrement e = Petit(c.Famille);
    e.Annee = 24, e.Mois = c.Mois, e.Jour = c.Jour, e.Heure = c.Heure, e.Minute = 34, e.Seconde = 56;
    e.Millisecondes = c.Ms;
    ASSERT_EQ(Lire(e), c.Resultat) << Ouvre.CauseErreur;
    if (c.Resultat != 0) {
        EXPECT_EQ(Val(E.HandleFichier), 0);
        EXPECT_TRUE(Boites.Appels.empty());
        return;
    }
    EXPECT_EQ(Val(E.MillisecondesTrigger), c.Ms);
    if (c.Defaut) {
        EXPECT_EQ(Ouvre.DateTrigger, QDateTime(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC));
        ASSERT_EQ(Boites.Appels.size(), 1u);
        const auto& b = Boites.Appels[0];
        EXPECT_EQ(b.Titre, QStringLiteral("File Error - Erreur Fichier"));
        EXPECT_EQ(b.Texte, QString::fromUtf8(
                               "Trigger date time error, Openning files with default date : 01/01/1970\n "
                               "Date de déclenchement erroné, ouverture du fichier avec une date par "
                               "défaut 01/01/1970"));
        EXPECT_EQ(b.Icone, tIconeBoite::Erreur);
    } else {
        EXPECT_EQ(Ouvre.DateTrigger,
                  QDateTime(QDate(2024, c.Mois + 1, c.Jour), QTime(c.Heure, 34, 56, c.MsDate), Qt::UTC));
        EXPECT_TRUE(Boites.Appels.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DateTest,
    ::testing::Values(
        CasDate{FamilleTKAR, 15, 5, 12, 789, 0, false, 789}, CasDate{FamilleVEL, 31, 11, 23, 0, 0, false, 0},
        CasDate{FamilleTKOS, 29, 1, 0, 999, 0, false, 999}, // 29 February 2024
        CasDate{FamilleTKAR, 15, 5, 12, -1, 0, false, 0},   // shown without milliseconds
        CasDate{FamilleVEL, 15, 5, 12, 1500, 0, false, 0}, CasDate{FamilleTKAR, 15, 5, 12, -20, 0, false, 0},
        CasDate{FamilleTKAR, 15, 5, 12, 1000, 1, false, 0}, CasDate{FamilleVEL, 15, 5, 12, 1000, 1, false, 0},
        CasDate{FamilleTKOS, 15, 5, 12, 1000, 0, true, 0}, CasDate{FamilleTKAR, 0, 5, 12, 0, 1, false, 0},
        CasDate{FamilleVEL, 15, 12, 12, 0, 1, false, 0}, CasDate{FamilleTKAR, 30, 1, 12, 0, 1, false, 0},
        CasDate{FamilleTKOS, 0, 5, 12, 0, 0, true, 0}, CasDate{FamilleTKOS, 15, 5, 24, 0, 0, true, 0}));

TEST_F(LectureTest, RankRoutinesOnTheOpenFileMask) {
    Enregistrement e = PetitTKAR();
    e.Logique = false;
    e.Voies = {Voie{.Numero = 0}, Voie{.Numero = 2}, Voie{.Numero = 5}, Voie{.Numero = 63}};
    ASSERT_EQ(Lire(e), 0);
    EXPECT_EQ(Ouvre.RECUP_POS_VOIE(5), 2);
    EXPECT_EQ(Ouvre.RECUP_POS_VOIE(4), 1);
    EXPECT_EQ(Ouvre.RECUP_POS_VOIE(63), 3);
    EXPECT_EQ(Ouvre.RECUP_POS_VOIE(200), 3); // beyond the layout: all of it counted

    Enregistrement t = PetitTKOS();
    t.Voies = {Voie{.Numero = 1}, Voie{.Numero = 90}};
    ASSERT_EQ(Lire(t), 0);
    EXPECT_EQ(Ouvre.RECUP_POS_VOIE_TKOS(0), 255); // no channel up to 0: -1 as 8 bits
    EXPECT_EQ(Ouvre.RECUP_POS_VOIE_TKOS(90), 1);

    Enregistrement v = PetitVEL();
    v.Voies = {Voie{.Numero = 10}, Voie{.Numero = 240}};
    ASSERT_EQ(Lire(v), 0);
    EXPECT_EQ(Ouvre.RECUP_POS_VOIE_VEL(240), 1);
    EXPECT_EQ(Ouvre.RECUP_POS_VOIE_VEL(239), 0);
}

TEST_F(LectureTest, ClosingAndReopening) {
    ASSERT_EQ(Lire(PetitVEL()), 0);
    const int32_t handle = E.HandleFichier;
    ASSERT_NE(handle, 0);
    // The sample area can be read through the kept handle.
    uint16_t mot = 0;
    EXPECT_EQ(FichierREC::LireHandle(handle, Val(E.DebutDonnees), &mot, 2), 2);
    EXPECT_EQ(Ouvre.Fichier().Lire(Ouvre.LongueurFichier(), &mot, 2), 0); // at the end: nothing
    Ouvre.FERMER_FICHIER();
    EXPECT_EQ(Val(E.HandleFichier), 0);
    EXPECT_FALSE(Ouvre.Fichier().EstOuvert());
    Ouvre.FERMER_FICHIER(); // closing twice is harmless
    ASSERT_EQ(Lire(PetitTKAR()), 0);
    EXPECT_NE(Val(E.HandleFichier), 0);
    Ouvre.Reset();
    EXPECT_EQ(Val(E.HandleFichier), 0);
}

TEST_F(LectureTest, PrivateHeaderRecord) {
    // A reader of another header record (joining recordings) leaves EnteteF alone.
    t_EnteteREC_GlobalTotal prive{};
    OuvreREC autre(&prive);
    autre.VraiNomFichier =
        QString::fromStdString(EcrireFichier(recmaker::Construire(PetitTKOS()), "autre.rec"));
    ASSERT_EQ(autre.LECTURE_ENTETE(), 0);
    EXPECT_EQ(Val(prive.FamilleEnregistreur), FamilleTKOS);
    EXPECT_NE(Val(prive.HandleFichier), 0);
    EXPECT_EQ(Val(EnteteF.HandleFichier), 0);
    EXPECT_EQ(Val(EnteteF.NombreVoiesTotal), 0);
    ASSERT_NE(autre.Scripts, nullptr);
    EXPECT_EQ(autre.Scripts->EnteteFichier, &prive);
}

} // namespace
