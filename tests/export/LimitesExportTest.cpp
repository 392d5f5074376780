// An export of a recording announcing billions of scans (a sparse file far
// larger than the disk): with a row limit it reads only the rows it writes,
// quickly and within a small address space.
#include "ExportTestUtil.h"
#include "LimitesTestUtil.h"

#include <chrono>

namespace export_test {
namespace {

using Horloge = std::chrono::steady_clock;

class LimitesExport : public ExportTest {
protected:
    // Essai() made 2^36 bytes of samples longer by a hole: 2^33 more scans.
    void OuvrirCreux() {
        const QString chemin = Ecrire(Essai());
        recmaker::Plan plan;
        recmaker::Construire(Essai(), &plan);
        ASSERT_TRUE(
            limites_test::Etendre(QFile::encodeName(chemin).toStdString(), plan.Taille + (int64_t{1} << 36)));
        Ouvre.VraiNomFichier = Ouvre.NomFichier = chemin;
        ASSERT_EQ(Ouvre.OUVRIR_REC(1), LectureOK) << Ouvre.CauseErreur;
        ASSERT_EQ(static_cast<int64_t>(E.NombreScans), 1000 + (int64_t{1} << 33));
        Config.LimitationExport = 1;
        Config.LongueurExport = 2000;
    }
};

TEST_F(LimitesExport, LimitedExportOfBillionsOfScansIsQuick) {
    OuvrirCreux();
    for (const uint8_t type : {TypeTexte, TypeCSV}) {
        SCOPED_TRACE(static_cast<int>(type));
        const auto debut = Horloge::now();
        const std::vector<std::string> lignes = ExporterTexte(type);
        EXPECT_LT(Horloge::now() - debut, std::chrono::seconds(5));
        // Summary, date, column names, then the rows.
        ASSERT_EQ(lignes.size(), 3u + 2000u);
        const char sep = type == TypeCSV ? ';' : '\t';
        // Row 0 is scan 0; every later row falls in the hole: zero words.
        EXPECT_EQ(Champs(lignes[3], sep)[1], Printf("%8.4e", 0.0));
        const std::vector<std::string> derniere = Champs(lignes.back(), sep);
        EXPECT_EQ(derniere[1], Printf("%8.4e", 0.0));
        EXPECT_EQ(derniere[2], Printf("%8.4e", -32.768));
    }
}

TEST_F(LimitesExport, LimitedExportOfBillionsOfScansNeedsNoMemoryForThem) {
    if (limites_test::SousSanitizer) GTEST_SKIP() << "no address-space bound under a sanitizer";
    OuvrirCreux();
    const QString cible = Chemin(QStringLiteral("borne.txt"));
    const int code = limites_test::DansEnfantBorne(int64_t{128} << 20, [&] {
        EtatExport etat;
        return Exporter(TypeTexte, cible, etat) ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(Lignes(LireFichier(cible)).size(), 3u + 2000u);
}

} // namespace
} // namespace export_test
