// Hostile sizes at opening: more samples than can be addressed, annotation
// areas announcing gigabytes or cut short. Each is refused with "File error"
// before anything is allocated for it, or read no further than the tables
// hold; quickly, and within a small address space.
#include "LimitesTestUtil.h"
#include "config/Defauts.h"
#include "test_lecture_fixture.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <limits>

using namespace lecture_test;
using recmaker::AnnotationNouvelle;
using Horloge = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace {

// One analog channel, no logic word, no annotation: the whole tail is samples.
Enregistrement UneVoie(FamilleREC famille) {
    Enregistrement e = Petit(famille);
    e.Voies = {Voie{.Numero = 0, .Nom = "U"}};
    e.Logique = false;
    e.NomsLogiques.clear();
    e.Scripts.clear();
    e.RevisionVoies = famille == FamilleTKAR ? 3 : 1; // no script area
    return e;
}

class Limites : public LectureTest {
protected:
    void SetUp() override {
        LectureTest::SetUp();
        INIT_CONFIG();
    }
    std::string Chemin(const char* nom) const { return Dossier().toStdString() + "/" + nom; }

    // Opens through OUVRIR_REC: the result, and "File error" shown when refused.
    uint8_t Ouvrir(const std::string& chemin) {
        Ouvre.VraiNomFichier = Ouvre.NomFichier = QString::fromStdString(chemin);
        const auto debut = Horloge::now();
        const uint8_t r = Ouvre.OUVRIR_REC(1);
        EXPECT_LT(Horloge::now() - debut, milliseconds(2000));
        if (r == LectureErreur) {
            EXPECT_EQ(Boites.Appels.size(), 1u);
            if (!Boites.Appels.empty()) {
                EXPECT_EQ(Boites.Appels.back().Texte, QStringLiteral("File error"));
            }
            EXPECT_EQ(Val(E.HandleFichier), 0);
        }
        return r;
    }

    // The reading of `chemin` gives `resultat` in a child allowed 64 MiB of
    // address space more than this process holds.
    void LectureBornee(const std::string& chemin, uint8_t resultat) {
        if (limites_test::SousSanitizer) return;
        const int code = limites_test::DansEnfantBorne(int64_t{64} << 20, [&] {
            OuvreREC ouvre;
            ouvre.VraiNomFichier = QString::fromStdString(chemin);
            return static_cast<int>(ouvre.LECTURE_ENTETE());
        });
        EXPECT_EQ(code, resultat);
    }
};

TEST_F(Limites, MoreSamplesThanCanBeAddressedAreRefused) {
    const std::string dossier = limites_test::DossierMemoire();
    if (dossier.empty()) GTEST_SKIP() << "no memory file system for a sparse file of petabytes";
    for (const FamilleREC famille : {FamilleTKAR, FamilleTKOS, FamilleVEL}) {
        SCOPED_TRACE(famille);
        const std::string chemin = dossier + "/ombrix-limites-" + std::to_string(::getpid()) + ".rec";
        const limites_test::Effaceur effaceur{chemin};
        Plan plan;
        ASSERT_TRUE(recmaker::Ecrire(UneVoie(famille), chemin, &plan));
        // Exactly the most samples a recording may hold, then one more.
        ASSERT_TRUE(limites_test::Etendre(chemin, plan.DebutDonnees + 2 * NombreScansMax));
        EXPECT_EQ(Ouvrir(chemin), LectureOK) << Ouvre.CauseErreur;
        EXPECT_EQ(Val(E.NombreScans), NombreScansMax);
        EXPECT_DOUBLE_EQ(Val(E.DureeTotale), static_cast<double>(NombreScansMax) * E.PeriodeEchantillon);
        Ouvre.FERMER_FICHIER();
        ASSERT_TRUE(limites_test::Etendre(chemin, plan.DebutDonnees + 2 * NombreScansMax + 2));
        EXPECT_EQ(Ouvrir(chemin), LectureErreur);
        EXPECT_STREQ(Ouvre.CauseErreur, "more samples than can be addressed");
        LectureBornee(chemin, LectureErreur);
        // The largest file the system takes: 2^62 samples.
        ASSERT_TRUE(limites_test::Etendre(chemin, std::numeric_limits<int64_t>::max()));
        Boites.Appels.clear();
        EXPECT_EQ(Ouvrir(chemin), LectureErreur);
        EXPECT_STREQ(Ouvre.CauseErreur, "more samples than can be addressed");
        Boites.Appels.clear();
        Ouvre.FERMER_FICHIER();
    }
}

TEST_F(Limites, BillionsOfSamplesOpenWithTheirCount) {
    for (const FamilleREC famille : {FamilleTKAR, FamilleTKOS, FamilleVEL}) {
        SCOPED_TRACE(famille);
        Plan plan;
        const std::string chemin = Chemin("creux.rec");
        ASSERT_TRUE(recmaker::Ecrire(UneVoie(famille), chemin, &plan));
        // 2^35 samples: counts of samples, words and bytes beyond 32 bits.
        ASSERT_TRUE(limites_test::Etendre(chemin, plan.DebutDonnees + (int64_t{1} << 36)));
        ASSERT_EQ(Ouvrir(chemin), LectureOK) << Ouvre.CauseErreur;
        EXPECT_EQ(Val(E.NombreScans), int64_t{1} << 35);
        EXPECT_NE(std::string(Ouvre.MessageEntSimplifie).find(" ( 34359738368 "), std::string::npos)
            << Ouvre.MessageEntSimplifie;
        Ouvre.FERMER_FICHIER();
        LectureBornee(chemin, LectureOK);
    }
}

// Annotation areas of ten records: announced sizes patched into the header,
// files made longer (a hole) or cut short.
constexpr int64_t CommeConstruite = std::numeric_limits<int64_t>::min();

struct tZone {
    const char* Nom;
    FamilleREC Famille;
    int64_t Taille;          // the announced size (TKAR 16 bits, TKOS and VEL 32 bits), or CommeConstruite
    int64_t LongueurFichier; // 0: as built; above: made that long; below: that many bytes cut off
    uint8_t Resultat;
    const char* Cause;
    int32_t Nouveaux; // records read when accepted
};

class ZoneAnnotations : public Limites, public ::testing::WithParamInterface<tZone> {};

TEST_P(ZoneAnnotations, RefusedOrReadNoFurtherThanTheTables) {
    const tZone& c = GetParam();
    Enregistrement e = UneVoie(c.Famille);
    for (int i = 0; i < 10; ++i)
        e.AnnotationsNouvelles.push_back(AnnotationNouvelle{.PositionMot = 5 + i, .Texte = "a"});
    Plan plan;
    const std::string chemin = Chemin("zone.rec");
    ASSERT_TRUE(recmaker::Ecrire(e, chemin, &plan));
    ASSERT_EQ(plan.TailleAnnotations, 1520);
    if (c.LongueurFichier != 0) {
        const int64_t longueur = c.LongueurFichier > 0 ? c.LongueurFichier : plan.Taille + c.LongueurFichier;
        ASSERT_TRUE(limites_test::Etendre(chemin, longueur));
    }
    if (c.Taille != CommeConstruite) {
        std::FILE* f = std::fopen(chemin.c_str(), "r+b");
        ASSERT_NE(f, nullptr);
        const long position = c.Famille == FamilleTKAR ? 38 : c.Famille == FamilleTKOS ? 44 : 60;
        ASSERT_EQ(std::fseek(f, position, SEEK_SET), 0);
        if (c.Famille == FamilleTKAR) {
            const auto v = static_cast<uint16_t>(c.Taille);
            ASSERT_EQ(std::fwrite(&v, sizeof v, 1, f), 1u);
        } else {
            const auto v = static_cast<int32_t>(c.Taille);
            ASSERT_EQ(std::fwrite(&v, sizeof v, 1, f), 1u);
        }
        ASSERT_EQ(std::fclose(f), 0);
    }
    ASSERT_EQ(Ouvrir(chemin), c.Resultat) << Ouvre.CauseErreur;
    if (c.Resultat == LectureErreur) {
        EXPECT_NE(std::string(Ouvre.CauseErreur).find(c.Cause), std::string::npos) << Ouvre.CauseErreur;
        EXPECT_EQ(NouveauAnnot, 0);
        EXPECT_EQ(AncienAnnot, 0);
    } else {
        EXPECT_EQ(NouveauAnnot, c.Nouveaux);
    }
    Ouvre.FERMER_FICHIER();
    LectureBornee(chemin, c.Resultat);
}

constexpr int64_t Max32 = std::numeric_limits<int32_t>::max();
constexpr int64_t Gio4 = int64_t{4} << 30;

INSTANTIATE_TEST_SUITE_P(
    Cas, ZoneAnnotations,
    ::testing::Values(
        // 2^31 bytes announced (the largest size the field holds) in a small file.
        tZone{"TkosHugeArea", FamilleTKOS, Max32, 0, LectureErreur, "annotation area outside", 0},
        tZone{"VelHugeArea", FamilleVEL, Max32, 0, LectureErreur, "annotation area outside", 0},
        tZone{"TkosNegativeArea", FamilleTKOS, std::numeric_limits<int32_t>::min(), 0, LectureErreur,
              "annotation area outside", 0},
        tZone{"VelAreaOfMinusOne", FamilleVEL, int64_t{0xFFFFFFFF} /* -1 in its field */, 0, LectureErreur,
              "annotation area outside", 0},
        tZone{"TkarLargestArea", FamilleTKAR, 0xFFFF, 0, LectureErreur, "annotation area outside", 0},
        // The ten records announced, the file cut short: past the samples the
        // area would hold header bytes; cut to less than the area, it is not there.
        tZone{"TkosAreaCutIntoTheHeader", FamilleTKOS, CommeConstruite, -250, LectureErreur,
              "negative sample count", 0},
        tZone{"VelAreaCutIntoTheHeader", FamilleVEL, CommeConstruite, -100, LectureErreur,
              "negative sample count", 0},
        tZone{"TkarAreaCutIntoTheHeader", FamilleTKAR, CommeConstruite, -250, LectureErreur,
              "negative sample count", 0},
        tZone{"TkosAreaLongerThanTheCutFile", FamilleTKOS, CommeConstruite, -1500, LectureErreur,
              "annotation area outside", 0},
        // Cut by less than the samples: the area then holds sample bytes, which
        // no reading can tell; the ten records are read, nothing beyond them.
        tZone{"TkosAreaCutIntoTheSamples", FamilleTKOS, CommeConstruite, -100, LectureOK, "", 10},
        // 2^31 bytes of area in a file that holds them: only what the table holds is read.
        tZone{"TkosHugeAreaInAHugeFile", FamilleTKOS, Max32, Gio4, LectureOK, "", TailleTabAnnotMemNew},
        tZone{"VelHugeAreaInAHugeFile", FamilleVEL, Max32 / 152 * 152, Gio4, LectureOK, "",
              TailleTabAnnotMemNew},
        tZone{"TkarLargestAreaInAFileThatHoldsIt", FamilleTKAR, 0xFFFF, 1 << 20, LectureOK, "", 0}),
    [](const ::testing::TestParamInfo<tZone>& i) { return i.param.Nom; });

} // namespace
