// The annotation written on a row: the first record of the table that falls
// between the previous row's scan and the row's scan, titles skipped, the walk
// ended by a record at position 0.
#include "ExportTestUtil.h"

using namespace export_test;

namespace {

// Annotation texts by row: row index -> text (the field after the empty one).
std::map<int64_t, std::string> AnnotationsDesLignes(const std::vector<std::string>& l, size_t champs) {
    std::map<int64_t, std::string> a;
    size_t premiere = 0; // first row: after the column header
    while (premiere < l.size() && l[premiere].rfind("Time\t", 0) != 0) ++premiere;
    ++premiere;
    for (size_t i = premiere; i < l.size(); ++i) {
        const std::vector<std::string> c = Champs(l[i], '\t');
        if (c.size() == champs + 1) continue; // fields each followed by a tab: no annotation
        EXPECT_EQ(c.size(), champs + 2) << l[i];
        EXPECT_EQ(c[champs], "") << "the annotation follows an empty field";
        a[static_cast<int64_t>(i - premiere)] = c.back();
    }
    return a;
}

constexpr size_t ChampsEssai = 1 + 3 + 3; // time, channels, logic inputs

TEST_F(ExportTest, FirstAnnotationOfARowOnlyAndNeverOnALaterRow) {
    Enregistrement e = Essai(100);
    e.AnnotationsNouvelles = {Annot(10, "A"), Annot(10, "B"), Annot(20, "Titre", 4, GenreTitre),
                              Annot(20, "C"), Annot(35, "D")};
    ASSERT_EQ(Ouvrir(e), LectureOK);
    const std::map<int64_t, std::string> a = AnnotationsDesLignes(ExporterTexte(), ChampsEssai);
    const std::map<int64_t, std::string> attendu{{10, "A"}, {20, "C"}, {35, "D"}};
    EXPECT_EQ(a, attendu);
}

TEST_F(ExportTest, AnnotationWalkStopsAtARecordAtPositionZero) {
    Enregistrement e = Essai(100);
    e.AnnotationsNouvelles = {Annot(5, "avant"), Annot(0, "debut"), Annot(50, "apres")};
    ASSERT_EQ(Ouvrir(e), LectureOK);
    const std::map<int64_t, std::string> a = AnnotationsDesLignes(ExporterTexte(), ChampsEssai);
    const std::map<int64_t, std::string> attendu{{5, "avant"}};
    EXPECT_EQ(a, attendu);
}

TEST_F(ExportTest, LimitedRowsTakeTheFirstRecordInTableOrderOfTheirRange) {
    Enregistrement e = Essai(1000);
    // Row r covers scans (100 (r - 1), 100 r].
    e.AnnotationsNouvelles = {Annot(150, "X"), Annot(120, "Y"), Annot(101, "Z"), Annot(999, "W"),
                              Annot(300, "V")};
    ASSERT_EQ(Ouvrir(e), LectureOK);
    Config.LimitationExport = 1;
    Config.LongueurExport = 10;
    const std::map<int64_t, std::string> a = AnnotationsDesLignes(ExporterTexte(), ChampsEssai);
    // Scan 999 lies after the last row (scan 900): never written.
    const std::map<int64_t, std::string> attendu{{2, "X"}, {3, "V"}};
    EXPECT_EQ(a, attendu);
}

TEST_F(ExportTest, AnnotationsInAZoomedWindowAddedOnesAndHidden) {
    Enregistrement e = Essai(1000);
    e.AnnotationsNouvelles = {Annot(100, "dehors"), Annot(250, "premier"), Annot(260, "dedans")};
    ASSERT_EQ(Ouvrir(e), LectureOK);
    ASSERT_EQ(NouveauAnnot, 3);
    // One added since the opening, not yet saved.
    TabAnnotMemNew[3] = TabAnnotMemNew[2];
    TabAnnotMemNew[3].PositionMot = 300 * 4;
    std::strcpy(TabAnnotMemNew[3].TexteAnnot, "ajout\xE9");
    NombreAnnotEnPlus = 1;
    ::Setup.DebutFenetre = 0.25;
    ::Setup.LargeurFenetre = 0.5;
    std::map<int64_t, std::string> a = AnnotationsDesLignes(ExporterTexte(), ChampsEssai);
    const std::map<int64_t, std::string> attendu{{0, "premier"}, {10, "dedans"}, {50, "ajout\xE9"}};
    EXPECT_EQ(a, attendu);

    Config.AnnotationsMasquees = 1;
    a = AnnotationsDesLignes(ExporterTexte(), ChampsEssai);
    EXPECT_TRUE(a.empty());
}

} // namespace
