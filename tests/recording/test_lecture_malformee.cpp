// Malformed recordings: each gives result 1 (or 2) with its message, never a
// crash nor a read past a buffer (run these under the sanitizers too).
#include "test_lecture_fixture.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include <QDir>
#include <QFile>

using namespace lecture_test;
using recmaker::AnnotationNouvelle;
using recmaker::EntreeSup;

namespace {

std::vector<uint8_t> Octets(const Enregistrement& e, Plan* plan = nullptr) {
    return recmaker::Construire(e, plan);
}

Enregistrement AvecBloc(FamilleREC f, uint8_t revision) {
    Enregistrement e = Petit(f);
    e.RevisionVoies = revision;
    const int32_t ordinaire =
        f == FamilleTKOS ? TypeSupOrdinaireTKOS : TypeSupOrdinaireVEL; // TKAR = VEL codes
    e.Voies = {Voie{.Numero = 0, .Nom = "R0"}, Voie{.Numero = 1, .Nom = "R1"}};
    e.BlocSup = std::vector<EntreeSup>{EntreeSup{.Type = ordinaire}, EntreeSup{.Type = ordinaire},
                                       EntreeSup{.Type = 2, .Nom = "S", .Unite = "KV"}};
    return e;
}

// The file with one field overwritten; `valeur` may depend on the plan.
template <typename T>
std::vector<uint8_t> Patch(const Enregistrement& e, int64_t position, std::function<T(const Plan&)> valeur) {
    Plan plan;
    std::vector<uint8_t> octets = Octets(e, &plan);
    Poser<T>(octets, position, valeur(plan));
    return octets;
}
template <typename T> std::vector<uint8_t> Patch(const Enregistrement& e, int64_t position, T valeur) {
    return Patch<T>(e, position, std::function<T(const Plan&)>([valeur](const Plan&) { return valeur; }));
}

std::vector<uint8_t> Coupe(const Enregistrement& e, std::function<int64_t(const Plan&)> longueur) {
    Plan plan;
    std::vector<uint8_t> octets = Octets(e, &plan);
    octets.resize(static_cast<size_t>(longueur(plan)));
    return octets;
}

int32_t Taille(const Plan& p) {
    return static_cast<int32_t>(p.Taille);
}

struct CasMalforme {
    const char* Nom;
    std::function<std::vector<uint8_t>()> Fabrique;
    uint8_t Resultat;
    const char* Cause; // part of the diagnostic of a result 1
};

std::vector<CasMalforme> Cas() {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    return {
        {"EmptyFile", [] { return std::vector<uint8_t>{}; }, 1, "fixed header"},
        {"OneByte", [] { return std::vector<uint8_t>{0x48}; }, 1, "fixed header"},
        {"TkarCutInFixedHeader", [] { return Coupe(PetitTKAR(), [](const Plan&) { return 30; }); }, 1,
         "fixed header"},
        {"TkosCutAfterTkarSize", [] { return Coupe(PetitTKOS(), [](const Plan&) { return 60; }); }, 1,
         "fixed header"},
        {"VelCutAfterTkosSize", [] { return Coupe(PetitVEL(), [](const Plan&) { return 90; }); }, 1,
         "fixed header"},
        {"UnknownSignature", [] { return Patch<int16_t>(PetitTKAR(), 0, 0x1234); }, 2, ""},
        {"UnknownSignatureOfFixedHeaderSize", [] { return std::vector<uint8_t>(52, 'Z'); }, 2, ""},
        {"TkarSignatureByteSwapped", [] { return Patch<int16_t>(PetitTKAR(), 0, 0x4804); }, 2, ""},

        // Annotation area and sample area outside the file.
        {"TkarAnnotationAreaLargerThanFile", [] { return Patch<uint16_t>(PetitTKAR(), 38, 0xFFFF); }, 1,
         "annotation area outside"},
        {"TkarAnnotationAreaOverlapsHeader",
         [] {
             return Patch<uint16_t>(PetitTKAR(), 38, std::function<uint16_t(const Plan&)>([](const Plan& p) {
                                        return static_cast<uint16_t>(p.Taille - p.DebutDonnees + 2);
                                    }));
         },
         1, "negative sample count"},
        {"TkosNegativeAnnotationArea", [] { return Patch<int32_t>(PetitTKOS(), 44, -152); }, 1,
         "annotation area outside"},
        {"VelAnnotationAreaLargerThanFile",
         [] {
             return Patch<int32_t>(PetitVEL(), 60, std::function<int32_t(const Plan&)>([](const Plan& p) {
                                       return Taille(p) + 1;
                                   }));
         },
         1, "annotation area outside"},
        {"TkosDataOffsetBeyondEnd",
         [] {
             return Patch<int32_t>(PetitTKOS(), 48, std::function<int32_t(const Plan&)>([](const Plan& p) {
                                       return Taille(p) + 1;
                                   }));
         },
         1, "sample area outside"},
        {"TkosNegativeDataOffset", [] { return Patch<int32_t>(PetitTKOS(), 48, -1); }, 1,
         "sample area outside"},
        {"VelDataOffsetHuge",
         [] { return Patch<int32_t>(PetitVEL(), 64, std::numeric_limits<int32_t>::max()); }, 1,
         "sample area outside"},
        {"VelNegativeDataOffset",
         [] { return Patch<int32_t>(PetitVEL(), 64, std::numeric_limits<int32_t>::min()); }, 1,
         "sample area outside"},
        {"VelNegativeSampleCount",
         [] {
             Plan plan;
             std::vector<uint8_t> o = Octets(PetitVEL(), &plan);
             Poser<int32_t>(o, 64, Taille(plan) - 10);
             Poser<int32_t>(o, 60, 152);
             return o;
         },
         1, "negative sample count"},
        {"TkosDataOffsetInsideChannelRecords",
         [] {
             return Patch<int32_t>(PetitTKOS(), 48, std::function<int32_t(const Plan&)>([](const Plan& p) {
                                       return static_cast<int32_t>(p.DebutVoies + 72);
                                   }));
         },
         1, "overlap the sample area"},

        // Supplementary block.
        {"TkarBlockEntryCountBeyondBlock",
         [] { return Patch<uint8_t>(AvecBloc(FamilleTKAR, 3), 52 + 3, 25); }, 1, "supplementary entries"},
        {"TkosSmallBlockEntryCountBeyondBlock",
         [] { return Patch<uint8_t>(AvecBloc(FamilleTKOS, 3), 80 + 3, 25); }, 1, "supplementary entries"},
        {"TkosLargeBlockEntryCountBeyondBlock",
         [] { return Patch<uint8_t>(AvecBloc(FamilleTKOS, 4), 80 + 3, 62); }, 1, "supplementary entries"},
        {"VelBlockEntryCountBeyondBlock", [] { return Patch<uint8_t>(AvecBloc(FamilleVEL, 4), 96 + 3, 255); },
         1, "supplementary entries"},
        {"TkarBlockCutShort",
         [] { return Coupe(AvecBloc(FamilleTKAR, 3), [](const Plan&) { return 52 + 500; }); }, 1,
         "block cut short"},
        {"VelBlockCutShort",
         [] { return Coupe(AvecBloc(FamilleVEL, 4), [](const Plan&) { return 96 + 2247; }); }, 1,
         "block cut short"},
        {"QuillSupplementaryChannelAfterComputedChannel",
         [] {
             // Entries 0..39 empty, 40 an ordinary record (computed on this model), 41 supplementary.
             Enregistrement e = PetitVEL();
             e.Modele = "QUILL";
             e.Logique = false;
             e.Voies = {Voie{.Numero = 40, .Nom = "F40"}};
             std::vector<EntreeSup> entrees(40, EntreeSup{.Type = TypeSupVideVEL});
             entrees.push_back(EntreeSup{.Type = TypeSupOrdinaireVEL});
             entrees.push_back(EntreeSup{.Type = 2});
             e.BlocSup = entrees;
             return Octets(e);
         },
         1, "after a computed channel"},

        // Channel records and logic names.
        {"TkarMaskAnnouncesMoreRecordsThanFileHolds",
         [] {
             Plan plan;
             std::vector<uint8_t> o = Octets(PetitTKAR(), &plan);
             for (int w = 0; w < 4; ++w) Poser<uint16_t>(o, 28 + 2 * w, 0xFFFF);
             return o;
         },
         1, "channel records cut short"},
        {"VelMaskAnnouncesMoreRecordsThanFileHolds",
         [] {
             Enregistrement e = PetitVEL();
             e.RevisionVoies = 3; // no script area
             std::vector<uint8_t> o = Octets(e);
             for (int w = 0; w < 8; ++w) Poser<uint32_t>(o, 24 + 4 * w, 0xFFFFFFFFu);
             return o;
         },
         1, "channel records cut short"},
        {"TkosMaskAnnouncesRecordsOverTheSamples",
         [] {
             Enregistrement e = PetitTKOS();
             e.RevisionVoies = 1;  // no script area between the records and the samples
             e.NombreScans = 4000; // room enough to read the samples as records
             std::vector<uint8_t> o = Octets(e);
             for (int w = 0; w < 3; ++w) Poser<uint32_t>(o, 24 + 4 * w, 0xFFFFFFFFu);
             return o;
         },
         1, "overlap the sample area"},
        {"TkarChannelRecordCutShort",
         [] { return Coupe(PetitTKAR(), [](const Plan& p) { return p.DebutVoies + 3 * 72 + 71; }); }, 1,
         "channel records cut short"},
        {"TwoLogicWords", [] { return Patch<uint8_t>(PetitTKAR(), 44, 2); }, 1, "logic word"},
        {"VelLogicWordCount255", [] { return Patch<uint8_t>(PetitVEL(), 57, 255); }, 1, "logic word"},
        {"TkarLogicNamesCutShort",
         [] { return Coupe(PetitTKAR(), [](const Plan& p) { return p.DebutNomsLogiques + 30; }); }, 1,
         "logic names cut short"},
        {"TkarFrameOfNoWord",
         [] {
             Enregistrement e = PetitTKAR();
             e.Voies.clear();
             e.Logique = false;
             return Octets(e);
         },
         1, "frames of no word"},
        {"TkarOnlyComputedChannel",
         [] {
             Enregistrement e = PetitTKAR();
             e.Voies = {Voie{.Numero = 36}};
             e.Logique = false;
             return Octets(e);
         },
         1, "frames of no word"},
        {"TkosOnlyDroppedChannel",
         [] {
             Enregistrement e = PetitTKOS();
             e.Voies = {Voie{.Numero = 80, .TypeConversion = 1}};
             e.Logique = false;
             return Octets(e);
         },
         1, "frames of no word"},

        // Script area.
        {"VelScriptAreaPastEnd",
         [] {
             return Patch<int32_t>(PetitVEL(), 84, std::function<int32_t(const Plan&)>([](const Plan& p) {
                                       return Taille(p) - 10;
                                   }));
         },
         1, "script area outside"},
        {"TkosScriptAreaOneBytePastEnd",
         [] {
             return Patch<int32_t>(PetitTKOS(), 68, std::function<int32_t(const Plan&)>([](const Plan& p) {
                                       return Taille(p) - TailleZoneScripts + 1;
                                   }));
         },
         1, "script area outside"},
        {"VelNegativeScriptArea", [] { return Patch<int32_t>(PetitVEL(), 84, -1); }, 1,
         "script area outside"},
        {"TkosScriptAreaHugeOffset",
         [] { return Patch<int32_t>(PetitTKOS(), 68, std::numeric_limits<int32_t>::max()); }, 1,
         "script area outside"},

        // Sampling period that is no time.
        {"TkosNaNPeriod", [nan] { return Patch<float>(PetitTKOS(), 20, nan); }, 1, "sampling period"},
        {"VelInfinitePeriod", [inf] { return Patch<float>(PetitVEL(), 20, inf); }, 1, "sampling period"},
        {"VelNegativePeriod", [] { return Patch<float>(PetitVEL(), 20, -1.f); }, 1, "sampling period"},

        // Trigger date that cannot be formed.
        {"TkarMonthThirteen", [] { return Patch<uint8_t>(PetitTKAR(), 50, 12); }, 1, "trigger date"},
        {"VelSecond60", [] { return Patch<uint8_t>(PetitVEL(), 68, 60); }, 1, "trigger date"},
    };
}

class MalformeTest : public LectureTest, public ::testing::WithParamInterface<CasMalforme> {};

TEST_P(MalformeTest, GivesResultAndMessage) {
    const CasMalforme& c = GetParam();
    const uint8_t r = LireOctets(c.Fabrique());
    ASSERT_EQ(r, c.Resultat) << Ouvre.CauseErreur;
    if (c.Resultat == 1) {
        EXPECT_NE(std::string(Ouvre.CauseErreur).find(c.Cause), std::string::npos) << Ouvre.CauseErreur;
    }
    // Nothing of the file is kept open or half set up.
    EXPECT_EQ(Val(E.HandleFichier), 0);
    EXPECT_FALSE(Ouvre.Fichier().EstOuvert());
    EXPECT_EQ(Ouvre.Scripts, nullptr);
    EXPECT_EQ(ValiditeAngelScript, 0);
    EXPECT_TRUE(Boites.Appels.empty()); // the reading itself shows nothing

    OuvreREC::AFFICHE_ERREUR_LECTURE(r);
    ASSERT_EQ(Boites.Appels.size(), 1u);
    EXPECT_EQ(Boites.Appels[0].Titre, QStringLiteral("Error"));
    EXPECT_EQ(Boites.Appels[0].Texte,
              c.Resultat == 2 ? QStringLiteral("These file is not compatible with this software\n "
                                               "use instead OmbrixView")
                              : QStringLiteral("File error"));
    EXPECT_EQ(Boites.Appels[0].Icone, tIconeBoite::Avertissement);
}

INSTANTIATE_TEST_SUITE_P(Fichiers, MalformeTest, ::testing::ValuesIn(Cas()),
                         [](const ::testing::TestParamInfo<CasMalforme>& info) {
                             return std::string(info.param.Nom);
                         });

TEST_F(LectureTest, MissingFileOrFolder) {
    EXPECT_EQ(LireChemin(Dossier().toStdString() + "/absent.rec"), 1);
    EXPECT_EQ(LireChemin(Dossier().toStdString()), 1); // a folder is no recording
    Ouvre.VraiNomFichier.clear();
    EXPECT_EQ(Ouvre.LECTURE_ENTETE(), 1);
    EXPECT_EQ(Val(E.HandleFichier), 0);
    OuvreREC::AFFICHE_ERREUR_LECTURE(0); // success shows nothing
    EXPECT_TRUE(Boites.Appels.empty());
}

TEST_F(LectureTest, FailureClosesThePreviousFile) {
    ASSERT_EQ(Lire(PetitVEL()), 0);
    ASSERT_NE(Ouvre.Scripts, nullptr);
    EXPECT_EQ(LireOctets({}), 1);
    EXPECT_EQ(Val(E.HandleFichier), 0);
    EXPECT_EQ(Ouvre.Scripts, nullptr);
}

class CoupeTest : public LectureTest, public ::testing::WithParamInterface<FamilleREC> {
protected:
    // Reads the file cut at each length, from the longest down (one file, truncated in place).
    void Couper(const std::vector<uint8_t>& octets, std::vector<int64_t> longueurs) {
        const std::string chemin = EcrireFichier(octets, "coupe.rec");
        QFile f(QString::fromStdString(chemin));
        std::sort(longueurs.rbegin(), longueurs.rend());
        for (int64_t l : longueurs) {
            ASSERT_TRUE(f.resize(l));
            ASSERT_EQ(LireChemin(chemin), 1) << "length " << l;
            ASSERT_EQ(Val(E.HandleFichier), 0);
        }
    }
};

TEST_P(CoupeTest, EveryCutBeforeTheEndFails) {
    // Block, channel records, logic names, annotations; no script area.
    Enregistrement e = AvecBloc(GetParam(), GetParam() == FamilleTKOS ? 1 : 3);
    e.Logique = true;
    e.NomsLogiques = {"a", "b", "c"};
    e.NombreScans = 3;
    e.AnnotationsNouvelles = {AnnotationNouvelle{.Texte = "x"}, AnnotationNouvelle{.Genre = 2, .Texte = "t"}};
    Plan plan;
    const std::vector<uint8_t> octets = Octets(e, &plan);
    ASSERT_EQ(plan.DebutScripts, -1);
    ASSERT_EQ(LireOctets(octets), 0) << Ouvre.CauseErreur;
    ASSERT_EQ(Ouvre.V_EPA_1000, 1);
    // Cut inside the header, or leaving less than the annotation area after it.
    std::vector<int64_t> longueurs;
    for (int64_t l = 0; l < plan.DebutDonnees + plan.TailleAnnotations; ++l) longueurs.push_back(l);
    Couper(octets, longueurs);
}

class CoupeScriptsTest : public CoupeTest {};

TEST_P(CoupeScriptsTest, CutsAroundTheScriptArea) {
    Enregistrement e = AvecBloc(GetParam(), 4);
    e.Scripts = {{0, {"V1 = 2;"}}};
    e.AnnotationsNouvelles = {AnnotationNouvelle{.Texte = "x"}};
    Plan plan;
    const std::vector<uint8_t> octets = Octets(e, &plan);
    ASSERT_GT(plan.DebutScripts, 0);
    ASSERT_EQ(LireOctets(octets), 0) << Ouvre.CauseErreur;
    std::vector<int64_t> longueurs;
    for (int64_t l = 0; l < plan.DebutScripts + 8; ++l) longueurs.push_back(l);
    for (int64_t l = plan.DebutScripts + 8; l < plan.DebutDonnees - 8; l += 997) longueurs.push_back(l);
    for (int64_t l = plan.DebutDonnees - 8; l < plan.DebutDonnees + plan.TailleAnnotations; ++l)
        longueurs.push_back(l);
    Couper(octets, longueurs);
}

INSTANTIATE_TEST_SUITE_P(Familles, CoupeTest, ::testing::Values(FamilleTKAR, FamilleTKOS, FamilleVEL));
INSTANTIATE_TEST_SUITE_P(Familles, CoupeScriptsTest, ::testing::Values(FamilleTKOS, FamilleVEL));

TEST_F(LectureTest, MoreThanSixteenLogicNamesReadsSixteen) {
    Enregistrement e = PetitTKAR();
    e.NomsLogiques.clear();
    for (int i = 0; i < 16; ++i) e.NomsLogiques.push_back("N" + std::to_string(i));
    Plan plan;
    std::vector<uint8_t> octets = Octets(e, &plan);
    Poser<uint8_t>(octets, 45, 40);
    ASSERT_EQ(LireOctets(octets), 0) << Ouvre.CauseErreur;
    EXPECT_EQ(Val(E.NombreEntreesLogiques), 16);
    EXPECT_STREQ(E.NomLogique[15], "N15");
    EXPECT_EQ(Val(E.DebutDonnees), plan.DebutDonnees);
}

TEST_F(LectureTest, FullChannelTableFits) {
    // Every VEL channel number present: 204 recorded and 40 computed channels.
    Enregistrement e = PetitVEL();
    e.RevisionVoies = 3;
    e.NombreScans = 2;
    e.Voies.clear();
    for (int n = 0; n < LimiteVoiesVEL; ++n) e.Voies.push_back(Voie{.Numero = n});
    Plan plan;
    std::vector<uint8_t> octets = Octets(e, &plan);
    // Bits beyond the channel limit are not channels.
    Poser<uint32_t>(octets, 24 + 4 * 7, 0xFFFFFFFFu);
    ASSERT_EQ(LireOctets(octets), 0) << Ouvre.CauseErreur;
    EXPECT_EQ(Val(E.NombreVoiesAnalog), 204);
    EXPECT_EQ(Val(E.NombreVoiesTotal), 244);
    EXPECT_EQ(Val(E.LongueurScan), 205);
    EXPECT_EQ(Val(E.NombreScans), 2);
}

TEST_F(LectureTest, MoreAnnotationsThanTheTableHolds) {
    Enregistrement e = PetitVEL();
    e.RevisionVoies = 3;
    for (int i = 0; i <= TailleTabAnnotMemNew; ++i)
        e.AnnotationsNouvelles.push_back(
            AnnotationNouvelle{.PositionMot = i, .Texte = "A" + std::to_string(i)});
    Plan plan;
    ASSERT_EQ(Lire(e, &plan), 0) << Ouvre.CauseErreur;
    EXPECT_EQ(plan.TailleAnnotations, 152 * (TailleTabAnnotMemNew + 1));
    EXPECT_EQ(NouveauAnnot, TailleTabAnnotMemNew);
    EXPECT_EQ(Val(TabAnnotMemNew[0].PositionMot), 0);
    EXPECT_EQ(Val(TabAnnotMemNew[TailleTabAnnotMemNew - 1].PositionMot), TailleTabAnnotMemNew - 1);
    EXPECT_STREQ(TabAnnotMemNew[TailleTabAnnotMemNew - 1].TexteAnnot, "A5099");
    EXPECT_EQ(Val(E.NombreScans), e.NombreScans);
}

TEST_F(LectureTest, LargestTkarAnnotationAreaFitsTheTables) {
    // The 16-bit size field at its largest: 65535 bytes of old records, read whole.
    Enregistrement e = PetitTKAR();
    Plan plan;
    std::vector<uint8_t> octets = Octets(e, &plan);
    octets.resize(octets.size() + 65535, 0);
    Poser<uint16_t>(octets, 38, 0xFFFF);
    ASSERT_EQ(LireOctets(octets), 0) << Ouvre.CauseErreur;
    EXPECT_EQ(AncienAnnot, 65535 / 44);
    EXPECT_EQ(NouveauAnnot, 0);
    EXPECT_EQ(Val(E.NombreScans), e.NombreScans);
}

} // namespace
