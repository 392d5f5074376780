// Exports without dialog: the folder export (walk order, broken recordings
// skipped and listed) and the command-line export.
#include "ExportTestUtil.h"

using namespace export_test;

namespace {

Enregistrement DeuxVoies(int64_t scans) {
    Enregistrement e = Essai(scans);
    e.Voies.pop_back();
    e.Logique = false;
    return e;
}

TEST_F(ExportTest, FolderExportSkipsBrokenRecordingsAndListsThem) {
    ASSERT_TRUE(QDir(Dossier()).mkpath(QStringLiteral("lot/sous/fond")));
    Ecrire(Essai(20), QStringLiteral("lot/a.rec"));
    {
        QFile casse(Chemin(QStringLiteral("lot/b.rec")));
        ASSERT_TRUE(casse.open(QIODevice::WriteOnly));
        casse.write("not a recording at all, only some bytes");
    }
    Ecrire(DeuxVoies(7), QStringLiteral("lot/sous/c.rec"));
    Ecrire(Essai(3), QStringLiteral("lot/sous/fond/d.REC"));
    Ecrire(Essai(3), QStringLiteral("lot/sous/e.txt"));
    Config.LimitationExport = 0;

    const tResultatDossier r = SELECTIONNER_DOSSIER(Chemin(QStringLiteral("lot")), Ouvre);
    EXPECT_EQ(folder_export, 0);
    EXPECT_EQ(r.Ignores, QStringList({Chemin(QStringLiteral("lot/b.rec"))}));
    // Files of a folder before its subfolders.
    EXPECT_EQ(r.Exportes,
              QStringList({Chemin(QStringLiteral("lot/a.csv")), Chemin(QStringLiteral("lot/sous/c.csv")),
                           Chemin(QStringLiteral("lot/sous/fond/d.csv"))}));
    EXPECT_FALSE(QFile::exists(Chemin(QStringLiteral("lot/b.csv"))));
    EXPECT_FALSE(QFile::exists(Chemin(QStringLiteral("lot/sous/e.csv"))));

    // Each file holds its own recording, every channel and logic input.
    std::vector<std::string> l = Lignes(LireFichier(Chemin(QStringLiteral("lot/a.csv"))));
    ASSERT_EQ(l.size(), 3u + 20u);
    EXPECT_EQ(l[0].rfind("a.rec ( 20 Samples/channels )", 0), 0u);
    EXPECT_EQ(l[2], "Time;Tension[V];Courant[mA];Temp[\xB0"
                    "C];Pompe;Vanne;Moteur;");
    l = Lignes(LireFichier(Chemin(QStringLiteral("lot/sous/c.csv"))));
    ASSERT_EQ(l.size(), 3u + 7u);
    EXPECT_EQ(l[2], "Time;Tension[V];Courant[mA];");

    // The opener's error box for b.rec, then the final list.
    ASSERT_GE(Boites.Appels.size(), 2u);
    EXPECT_EQ(Boites.TITRES().back(), "CSV Export");
    EXPECT_EQ(Boites.TEXTES().back(),
              "CSV folder export finish\n" + Chemin(QStringLiteral("lot/b.rec")).toStdString());
    EXPECT_EQ(Boites.Appels.back().Icone, tIconeBoite::Information);
}

TEST_F(ExportTest, FolderExportOfAFolderWithNothingToExport) {
    const tResultatDossier r = SELECTIONNER_DOSSIER(Chemin(QStringLiteral("absent")), Ouvre);
    EXPECT_TRUE(r.Exportes.isEmpty());
    EXPECT_TRUE(r.Ignores.isEmpty());
    ASSERT_EQ(Boites.Appels.size(), 1u);
    EXPECT_EQ(Boites.TEXTES()[0], "CSV folder export finish");
}

TEST_F(ExportTest, FolderExportUsesTheOpeningItIsGiven) {
    Ecrire(Essai(5), QStringLiteral("x.rec"));
    QStringList ouverts;
    const tResultatDossier r =
        SELECTIONNER_DOSSIER(Dossier(), Ouvre, [&](OuvreREC& o, const QString& chemin) {
            ouverts.append(chemin);
            return OUVRIR_SANS_DIALOGUE(o, chemin);
        });
    EXPECT_EQ(ouverts, QStringList({Chemin(QStringLiteral("x.rec"))}));
    EXPECT_EQ(r.Exportes, QStringList({Chemin(QStringLiteral("x.csv"))}));
}

TEST_F(ExportTest, ConsoleExportNextToTheRecording) {
    ASSERT_EQ(Ouvrir(Essai(30), QStringLiteral("mesure.v2.rec")), LectureOK);
    const struct {
        int Mode;
        const char* Nom;
    } cas[] = {{0, "mesure.v2.xlsx"}, {1, "mesure.v2.txt"}, {2, "mesure.v2.csv"}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.Nom);
        EXPECT_EQ(LANCER_EXPORT_CONSOLE(c.Mode, Ouvre), 0);
        EXPECT_TRUE(QFile::exists(Chemin(QString::fromLatin1(c.Nom))));
        EXPECT_EQ(Boites.TEXTES().back(), "Export finish");
    }
    const std::vector<std::string> l = Lignes(LireFichier(Chemin(QStringLiteral("mesure.v2.txt"))));
    ASSERT_EQ(l.size(), 3u + 30u);
    EXPECT_EQ(l[2].rfind("Time\t", 0), 0u);
    EXPECT_EQ(Lignes(LireFichier(Chemin(QStringLiteral("mesure.v2.csv"))))[2].rfind("Time;", 0), 0u);

    // The /n count limits the rows.
    Config.LimitationExport = 1;
    Config.LongueurExport = 10;
    EXPECT_EQ(LANCER_EXPORT_CONSOLE(1, Ouvre), 0);
    EXPECT_EQ(Lignes(LireFichier(Chemin(QStringLiteral("mesure.v2.txt")))).size(), 3u + 10u);
}

TEST_F(ExportTest, ConsoleExportFailures) {
    EXPECT_EQ(LANCER_EXPORT_CONSOLE(1, Ouvre), 1); // nothing open
    ASSERT_EQ(Ouvrir(Essai(30)), LectureOK);
    EXPECT_EQ(LANCER_EXPORT_CONSOLE(3, Ouvre), 1);
    EXPECT_EQ(LANCER_EXPORT_CONSOLE(-1, Ouvre), 1);
    ASSERT_TRUE(QDir(Dossier()).mkdir(QStringLiteral("essai.csv")));
    const size_t avant = Boites.Appels.size();
    EXPECT_EQ(LANCER_EXPORT_CONSOLE(2, Ouvre), 1);
    ASSERT_EQ(Boites.Appels.size(), avant + 1);
    EXPECT_EQ(Boites.TEXTES().back(), "Export error: the file could not be created");
    EXPECT_EQ(Contenu(), QStringList({QStringLiteral("essai.csv"), QStringLiteral("essai.rec")}));
}

TEST_F(ExportTest, ProposedExportNames) {
    EXPECT_EQ(NOM_EXPORT(QStringLiteral("/d/essai.rec"), TypeExcel), QStringLiteral("/d/essai.xlsx"));
    EXPECT_EQ(NOM_EXPORT(QStringLiteral("/d/a.b.rec"), TypeTexte), QStringLiteral("/d/a.b.txt"));
    EXPECT_EQ(NOM_EXPORT(QStringLiteral("/d.x/essai"), TypeCSV), QStringLiteral("/d.x/essai.csv"));
    EXPECT_EQ(NOM_EXPORT(QStringLiteral("essai.rec"), TypeCSV), QStringLiteral("essai.csv"));
}

} // namespace
