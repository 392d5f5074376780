// The data checksum of recordings with signature 0x0449: verified once, on the
// first full pass, against every byte from the data start to the end of file.
#include "GrapheTestUtil.h"

#include <fstream>

namespace graphe_test {
namespace {

using recmaker::Constant;
using recmaker::Rampe;

Enregistrement AvecChecksum(int64_t scans, int16_t decalage = 0) {
    Enregistrement e =
        TKAR(scans, {Canal(0, Rampe(0, 13)), Canal(1, Rampe(7, -5)), Canal(4, Constant(0x1234))}, true,
             Rampe(0, 1));
    e.Checksum = true;
    e.ChecksumDecalage = decalage;
    return e;
}

// Changes one byte of a written file.
void Alterer(const std::string& chemin, int64_t position) {
    std::fstream f(chemin, std::ios::in | std::ios::out | std::ios::binary);
    f.seekg(position);
    const char c = static_cast<char>(f.get() ^ 0x40);
    f.seekp(position);
    f.put(c);
}

TEST_F(PasseTest, ChecksumOfAnIntactRecordingIsAccepted) {
    Ouvrir(AvecChecksum(60000));
    ASSERT_EQ(EnteteF.VersionFichier, SignatureTKARChecksum);
    ASSERT_EQ(EnteteF.ChecksumVerifie, 0);
    ASSERT_TRUE(Ref.ChecksumJuste());
    DonneesGraphe g;
    PasseComparee(g);
    EXPECT_EQ(g.CalculTerminer.load(), CalculFini);
    EXPECT_EQ(g.PointeurCyclique.load(), 1000);
    EXPECT_EQ(EnteteF.ChecksumVerifie, 1);
}

TEST_F(PasseTest, ChecksumMismatchHoldsTheTableInState3Once) {
    struct Cas {
        const char* Nom;
        int16_t Decalage;
        bool OctetAltere;
    } cas[] = {{"stored value off by one", 1, false}, {"one data byte altered", 0, true}};
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.Nom);
        RESET_ENTETE();
        Ref = Reference{};
        Ouvreur.reset();
        const std::string chemin = Chemin();
        ASSERT_TRUE(recmaker::Ecrire(AvecChecksum(60000, k.Decalage), chemin));
        recmaker::Plan plan;
        recmaker::Construire(AvecChecksum(60000, k.Decalage), &plan);
        if (k.OctetAltere) Alterer(chemin, plan.DebutDonnees + 100001);
        Ouvreur = std::make_unique<OuvreREC>(&EnteteF);
        Ouvreur->VraiNomFichier = QString::fromStdString(chemin);
        ASSERT_EQ(Ouvreur->LECTURE_ENTETE(), LectureOK);
        DonneesGraphe g;
        g.CALCUL_GRAPH_FT_MEM();
        EXPECT_EQ(g.CalculTerminer.load(), CalculChecksumFaux);
        EXPECT_EQ(g.PointeurCyclique.load(), 1000); // the table is complete, only held
        EXPECT_EQ(g.ArretDemander.load(), 0);
        EXPECT_EQ(EnteteF.ChecksumVerifie, 1);
        g.CALCUL_GRAPH_FT_MEM(); // checked once per opened recording
        EXPECT_EQ(g.CalculTerminer.load(), CalculFini);
    }
}

TEST_F(PasseTest, PassesThatDoNotCoverTheWholeRecordingCheckNothing) {
    // Zoomed: the first page starts inside the data, no checksum is verified.
    Ouvrir(AvecChecksum(60000, 1));
    ::Setup = {0.1, 0.5};
    DonneesGraphe g;
    g.CALCUL_GRAPH_FT_MEM();
    EXPECT_EQ(g.CalculTerminer.load(), CalculFini);
    EXPECT_EQ(EnteteF.ChecksumVerifie, 1);

    // Spreading path (at most 1000 scans): the checksum stays to be done.
    Ouvreur.reset();
    RESET_ENTETE();
    ::Setup = {0.0, 1.0};
    Ouvrir(AvecChecksum(800, 1), "court.rec");
    g.CALCUL_GRAPH_FT_MEM();
    EXPECT_EQ(g.CalculTerminer.load(), CalculFini);
    EXPECT_EQ(EnteteF.ChecksumVerifie, 0);

    // No checksum in the recording: marked done by the first reduction pass.
    Ouvreur.reset();
    RESET_ENTETE();
    Enregistrement sans = AvecChecksum(5000);
    sans.Checksum = false;
    Ouvrir(sans, "sans.rec");
    g.CALCUL_GRAPH_FT_MEM();
    EXPECT_EQ(g.CalculTerminer.load(), CalculFini);
    EXPECT_EQ(EnteteF.ChecksumVerifie, 1);
}

TEST_F(PasseTest, ChecksumCoversBytesTheDisplayDoesNotRead) {
    // Data of exactly two pages, then the annotation area: the display never
    // reads it, the stored sum includes it.
    Enregistrement fin = TKAR(131072, {Canal(0, Rampe(0, 1))});
    fin.Checksum = true;
    recmaker::AnnotationNouvelle a;
    a.PositionMot = 1000;
    a.Texte = "Repere";
    fin.AnnotationsNouvelles = {a};
    // Under-sampled by 100000 scans: whole pages are skipped.
    Enregistrement saut = TKAR(400000, {Canal(0, Rampe(3, 1))});
    saut.Checksum = true;
    struct Cas {
        const char* Nom;
        Enregistrement Rec;
        float Ratio;
    } cas[] = {{"annotation area after the last page", fin, 0.f},
               {"pages skipped by under-sampling", saut, 1e5f}};
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.Nom);
        Ouvreur.reset();
        RESET_ENTETE();
        Ref = Reference{};
        sousEchantillonageEnabled = k.Ratio > 0.f;
        underSamplingRatio = k.Ratio;
        Ouvrir(k.Rec);
        ASSERT_TRUE(Ref.ChecksumJuste());
        DonneesGraphe g;
        PasseComparee(g);
        EXPECT_EQ(g.CalculTerminer.load(), CalculFini);
        EXPECT_EQ(EnteteF.ChecksumVerifie, 1);
    }
}

struct Arret {
    int64_t PagesAvantArret;
    DonneesGraphe* G = nullptr;
    int64_t Pages = 0;
};

int64_t LectureAvecArret(void* contexte, int32_t handle, int64_t position, void* tampon, int64_t n) {
    auto* a = static_cast<Arret*>(contexte);
    if (++a->Pages == a->PagesAvantArret) a->G->ArretDemander = 1;
    return FichierREC::LireHandle(handle, position, tampon, n);
}

TEST_F(PasseTest, StoppedFirstPassLeavesTheChecksumToTheNextFullPass) {
    Ouvrir(AvecChecksum(60000, 1));
    DonneesGraphe g;
    Arret a{2, &g};
    g.RemplacerLecture(&LectureAvecArret, &a);
    g.CALCUL_GRAPH_FT_MEM();
    EXPECT_EQ(g.CalculTerminer.load(), CalculFini); // no false alarm from a partial sum
    EXPECT_EQ(g.PointeurCyclique.load(), 0);
    EXPECT_EQ(EnteteF.ChecksumVerifie, 0);
    g.RemplacerLecture(nullptr, nullptr);
    g.CALCUL_GRAPH_FT_MEM();
    EXPECT_EQ(g.CalculTerminer.load(), CalculChecksumFaux);
}

} // namespace
} // namespace graphe_test
