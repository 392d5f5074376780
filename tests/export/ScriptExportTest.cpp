// Script channels in an export: the scripts of the recording run on every
// exported row, through the same row hook as the display; a script that never
// ends costs its statement limit once, leaves its column at 0.0 and is
// reported with its row; a slow one computes every row.
#include "ExportTestUtil.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "export/ExportDossier.h"
#include "math/InstallationScripts.h"
#include "math/MoteurScript.h"

using namespace export_test;

namespace {

// TKOS: "Niveau" word = scan, value scan / 4; script channels 72, 73 and 75.
Enregistrement AvecScripts(int64_t scans, std::vector<std::string> slot3) {
    Enregistrement e;
    e.Famille = FamilleTKOS;
    e.RevisionVoies = 4;
    e.Revision = 4;
    e.Modele = "TKOS 8";
    e.PeriodeUs = 100.f;
    e.NombreScans = scans;
    e.Voies = {
        Voie{.Numero = 0, .Nom = "Niveau  ", .Unite = "m", .Gain = 0.25f, .Donnees = recmaker::Rampe(0, 1)},
        Voie{.Numero = 72, .Nom = "Double", .Unite = "m"}, Voie{.Numero = 73, .Nom = "Tiers", .Unite = "m"},
        Voie{.Numero = 75, .Nom = "Boucle", .Unite = "m"}};
    e.Scripts = {{0, {"function = 'Niveau' * 2;"}},
                 {1, {"int n = 3;", "function = 'Niveau' / n; // a third"}},
                 {3, std::move(slot3)}};
    return e;
}

class ScriptExport : public ExportTest {
protected:
    // Installed before the opening, removed before the opener goes.
    std::unique_ptr<InstallationScripts> Installation = INSTALLER_SCRIPTS(Ouvre);
};

double Valeur(const std::string& ligne, int colonne) {
    return std::stod(Champs(ligne, '\t')[colonne]);
}

void VerifierRangees(const std::vector<std::string>& l, int64_t rangees) {
    ASSERT_EQ(static_cast<int64_t>(l.size()), 3 + rangees);
    EXPECT_EQ(l[2], "Time\tNiveau[m]\tDouble[m]\tTiers[m]\tBoucle[m]\t");
    for (int64_t r = 0; r < rangees; ++r) {
        SCOPED_TRACE(r);
        const double niveau = r / 4.0;
        ASSERT_NEAR(Valeur(l[3 + r], 1), niveau, 1e-9);
        ASSERT_NEAR(Valeur(l[3 + r], 2), 2 * niveau, 1e-9 + 1e-4 * niveau);
        ASSERT_NEAR(Valeur(l[3 + r], 3), niveau / 3, 1e-9 + 1e-4 * niveau);
        ASSERT_NEAR(Valeur(l[3 + r], 4), niveau + 1, 1e-4 * (niveau + 1));
    }
}

TEST_F(ScriptExport, ScriptsRunOnEveryExportedRow) {
    ASSERT_EQ(Ouvrir(AvecScripts(500, {"function = 'Niveau' + 1;"})), LectureOK);
    VerifierRangees(ExporterTexte(), 500);
    // The same on the export's worker thread.
    EtatExport etat;
    etat.FichierExport = Chemin(QStringLiteral("fil.txt"));
    etat.TypeFichier = TypeTexte;
    etat.TypeInterface = 1;
    ASSERT_TRUE(etat.LANCE_CALCUL(SOURCE_EXPORT(Ouvre)));
    etat.ATTENDRE_FIN();
    ASSERT_EQ(etat.OnAEuUneErreur.load(), 0);
    VerifierRangees(Lignes(LireFichier(Chemin(QStringLiteral("fil.txt")))), 500);
}

TEST_F(ScriptExport, EndlessScriptDoesNotHangTheExportAndItsColumnStaysZero) {
    ASSERT_EQ(Ouvrir(AvecScripts(2000, {"while ('Niveau' > -1) {}", "function = 1;"})), LectureOK);
    // A lower limit than the program's, which is seconds of work: the same way
    // to the end, in less time under the checking builds.
    dynamic_cast<MoteurScript&>(*Ouvre.Scripts).LimiteInstructions = 1'000'000;
    const auto debut = std::chrono::steady_clock::now();
    const std::vector<std::string> l = ExporterTexte();
    // One aborted execution, then the other scripts alone; never a hang.
    EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::seconds(10));
    ASSERT_EQ(l.size(), 3u + 2000u);
    for (int64_t r = 0; r < 2000; ++r) {
        SCOPED_TRACE(r);
        ASSERT_EQ(Valeur(l[3 + r], 4), 0.0);
        ASSERT_NEAR(Valeur(l[3 + r], 2), r / 2.0, 1e-4 * r);
    }
    auto* moteur = dynamic_cast<MoteurScript*>(Ouvre.Scripts.get());
    ASSERT_NE(moteur, nullptr);
    EXPECT_FALSE(moteur->SlotEnMarche(3));
    EXPECT_TRUE(moteur->SlotEnMarche(0));
    // Stopped on the first exported row, and said so.
    const tArretScript arret = moteur->PREMIER_ARRET(3);
    EXPECT_EQ(arret.Nature, ArretDefinitif);
    EXPECT_EQ(arret.Rangee.Genre, RangeeExport);
    EXPECT_EQ(arret.Rangee.Indice, 0);
    EXPECT_EQ(Installation->BILAN_SCRIPTS().size(), 1u);
}

// A folder export names the files written whose script channels are not all
// complete, and says what became of those scripts.
TEST_F(ScriptExport, FolderExportNamesTheFilesWithIncompleteScriptChannels) {
    ASSERT_TRUE(QDir(Dossier()).mkpath(QStringLiteral("lot")));
    Ecrire(AvecScripts(20, {"function = 'Niveau' + 1;"}), QStringLiteral("lot/bon.rec"));
    Ecrire(AvecScripts(20, {"function = ;"}), QStringLiteral("lot/faute.rec"));
    const tResultatDossier r = SELECTIONNER_DOSSIER(Chemin(QStringLiteral("lot")), Ouvre);
    EXPECT_EQ(r.Exportes.size(), 2);
    ASSERT_EQ(r.ScriptsEnDefaut.size(), 1);
    EXPECT_TRUE(r.ScriptsEnDefaut[0].startsWith(Chemin(QStringLiteral("lot/faute.csv")) +
                                                QStringLiteral("\n  FD (Boucle) not set up: Ligne 1 : ")))
        << r.ScriptsEnDefaut[0].toStdString();
    EXPECT_TRUE(QString::fromStdString(Boites.TEXTES().back()).endsWith(r.ScriptsEnDefaut[0]));
}

// A script that ends, however slow, computes every row: the same file byte for
// byte with the machine idle and with both cores busy elsewhere.
TEST_F(ScriptExport, SlowScriptComputesEveryRowWhateverTheLoad) {
    ASSERT_EQ(
        Ouvrir(AvecScripts(2000, {"double s = 0; for (int i = 0; i < 10000; i++) s += 1; function = s;"})),
        LectureOK);
    const std::vector<std::string> calme = ExporterTexte();
    std::vector<std::string> charge;
    {
        std::atomic<bool> fin{false};
        std::vector<std::thread> occupes;
        for (int k = 0; k < 2; ++k)
            occupes.emplace_back([&fin] {
                volatile uint64_t x = 0;
                while (!fin.load(std::memory_order_relaxed)) x = x + 1;
            });
        charge = ExporterTexte();
        fin = true;
        for (std::thread& t : occupes) t.join();
    }
    ASSERT_EQ(calme.size(), 3u + 2000u);
    EXPECT_EQ(charge, calme);
    for (int64_t r = 0; r < 2000; ++r) ASSERT_EQ(Valeur(calme[3 + r], 4), 10000.0) << r;
    EXPECT_TRUE(Installation->BILAN_SCRIPTS().empty());
}

} // namespace
