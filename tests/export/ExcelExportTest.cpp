// Excel exports: a real workbook of one sheet, read back with unzip.
#include "ExportTestUtil.h"

#include "ProgrammeLance.h"
#include <QXmlStreamReader>

using namespace export_test;

namespace {

// A member of the archive; a missing optional member gives nothing.
QByteArray Extraire(const QString& classeur, const QString& membre, bool obligatoire = true) {
    const programme_test::tResultat p = programme_test::LANCER(
        QStringLiteral("unzip"), {QStringLiteral("-p"), classeur, membre}, std::chrono::seconds(60));
    if (p.Fini && p.Code != 0 && !obligatoire) return {};
    if (!p.Fini || p.Code != 0) {
        ADD_FAILURE() << "unzip failed for " << membre.toStdString() << ": " << p.Erreurs.toStdString();
        return {};
    }
    return p.Sortie;
}

struct Cellule {
    std::string Type;   // "s" shared string, "inlineStr", "" number
    std::string Valeur; // the number's text, or the string in UTF-8
};

// The cells of sheet 1 by reference ("A1"), strings resolved.
std::map<std::string, Cellule> Cellules(const QString& classeur) {
    std::vector<std::string> partagees;
    const QByteArray sst = Extraire(classeur, QStringLiteral("xl/sharedStrings.xml"), false);
    for (QXmlStreamReader x(sst); !x.atEnd();) {
        if (x.readNext() == QXmlStreamReader::StartElement && x.name() == QStringLiteral("t"))
            partagees.push_back(x.readElementText().toStdString());
    }
    std::map<std::string, Cellule> cellules;
    QXmlStreamReader x(Extraire(classeur, QStringLiteral("xl/worksheets/sheet1.xml")));
    std::string ref;
    Cellule c;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QStringLiteral("c")) {
            ref = x.attributes().value(QStringLiteral("r")).toString().toStdString();
            c = Cellule{x.attributes().value(QStringLiteral("t")).toString().toStdString(), {}};
        } else if (x.isStartElement() &&
                   (x.name() == QStringLiteral("v") || x.name() == QStringLiteral("t"))) {
            c.Valeur = x.readElementText().toStdString();
            if (c.Type == "s") {
                const size_t i = std::stoul(c.Valeur);
                c.Valeur = i < partagees.size() ? partagees[i] : "?";
            }
        } else if (x.isEndElement() && x.name() == QStringLiteral("c")) {
            cellules[ref] = c;
        }
    }
    EXPECT_FALSE(x.hasError()) << x.errorString().toStdString();
    return cellules;
}

std::string Texte(const std::map<std::string, Cellule>& c, const std::string& ref) {
    const auto i = c.find(ref);
    if (i == c.end()) return "<none>";
    EXPECT_NE(i->second.Type, "") << ref << " should hold a text";
    return i->second.Valeur;
}

double Nombre(const std::map<std::string, Cellule>& c, const std::string& ref) {
    const auto i = c.find(ref);
    if (i == c.end()) {
        ADD_FAILURE() << ref << " is empty";
        return -1e300;
    }
    EXPECT_EQ(i->second.Type, "") << ref << " should hold a number";
    return std::stod(i->second.Valeur);
}

class ExcelTest : public ExportTest {
protected:
    std::map<std::string, Cellule> Exporter(EtatExport& etat) {
        const QString cible = Chemin(QStringLiteral("classeur.xlsx"));
        EXPECT_TRUE(ExportTest::Exporter(TypeExcel, cible, etat));
        return Cellules(cible);
    }
};

TEST_F(ExcelTest, WorkbookHoldsTheHeaderTextsAndNumericRows) {
    Enregistrement e = Essai(30);
    e.AnnotationsNouvelles = {Annot(3, "Pic \xE0 3 bar"), Annot(4, "Titre \xB0", 4, GenreTitre)};
    ASSERT_EQ(Ouvrir(e), LectureOK);
    for (const int64_t seuil : {int64_t{4'000'000}, int64_t{0}}) { // shared strings, then streamed rows
        SCOPED_TRACE(seuil);
        EtatExport etat;
        etat.CellulesMemoireConstante = seuil;
        const std::map<std::string, Cellule> c = Exporter(etat);
        if (seuil == 0) {
            EXPECT_EQ(c.at("A1").Type, "inlineStr");
        }
        EXPECT_EQ(Texte(c, "A1"), "Titre \xC2\xB0"); // UTF-8 of the Windows-1252 texts
        EXPECT_EQ(Texte(c, "A2"), "essai.rec ( 30 Samples/channels ) Sample Rate :250\xC2\xB5s");
        EXPECT_EQ(Texte(c, "A3"), "Date :15 Jun 2024 12:00:00");
        EXPECT_EQ(c.count("B3"), 0u);
        const char* entete[] = {"Time",
                                "Tension[V]",
                                "Courant[mA]",
                                ("Temp[\xC2\xB0"
                                 "C]"),
                                "Pompe",
                                "Vanne",
                                "Moteur"};
        for (int k = 0; k < 7; ++k) EXPECT_EQ(Texte(c, std::string(1, char('A' + k)) + "4"), entete[k]);
        for (int r = 0; r < 30; ++r) {
            SCOPED_TRACE(r);
            const std::string ligne = std::to_string(5 + r);
            EXPECT_DOUBLE_EQ(Nombre(c, "A" + ligne), r * 0.25);
            EXPECT_DOUBLE_EQ(Nombre(c, "B" + ligne), r * 0.5);
            EXPECT_NEAR(Nombre(c, "C" + ligne), RECUP_VALEUR(recmaker::Sinus(32768, 20000, 97)(r), 1), 1e-12);
            EXPECT_DOUBLE_EQ(Nombre(c, "D" + ligne), 1.5);
            EXPECT_EQ(Nombre(c, "E" + ligne), r & 1);
            EXPECT_EQ(Nombre(c, "F" + ligne), r % 3 == 0 ? 1 : 0);
            EXPECT_EQ(Nombre(c, "G" + ligne), 0);
            EXPECT_EQ(c.count("H" + ligne), 0u);
            if (r == 3) {
                EXPECT_EQ(Texte(c, "I" + ligne), "Pic \xC3\xA0 3 bar");
            } else {
                EXPECT_EQ(c.count("I" + ligne), 0u);
            }
        }
        EXPECT_EQ(c.count("A35"), 0u);
    }
}

TEST_F(ExcelTest, LimitedWorkbookAndAbsoluteTimeTexts) {
    ASSERT_EQ(Ouvrir(Essai(1000)), LectureOK);
    Config.LimitationExport = 1;
    Config.LongueurExport = 4;
    Config.TempsAbsolu = 1;
    EtatExport etat;
    const std::map<std::string, Cellule> c = Exporter(etat);
    // No title: the rows start on row 4.
    EXPECT_EQ(Texte(c, "A4"), "15 Jun 2024 12:00:00,000");
    EXPECT_EQ(Texte(c, "A5"), "15 Jun 2024 12:00:00,062"); // 250 ms / 4
    EXPECT_DOUBLE_EQ(Nombre(c, "B7"), 750 * 0.5);          // scan 1000 x 3 / 4
    EXPECT_EQ(c.count("A8"), 0u);
}

TEST_F(ExcelTest, ValuesWithoutANumberBecomeTexts) {
    Enregistrement e = Essai(3);
    e.Voies[2].TypeConversion = 0;
    e.Voies[2].Gain = std::numeric_limits<float>::infinity();
    ASSERT_EQ(Ouvrir(e), LectureOK);
    EtatExport etat;
    const std::map<std::string, Cellule> c = Exporter(etat);
    EXPECT_EQ(Texte(c, "D4"), "inf");
    EXPECT_DOUBLE_EQ(Nombre(c, "B5"), 0.5);
}

} // namespace
