// Text and CSV rows formatted in blocks on two threads: the file is the one the
// row-by-row writing on the export's thread alone gives, byte for byte, for
// every kind of row and every block boundary; an export stopped on request
// keeps whole rows, the first ones of the complete file; a write that fails
// part-way stops the export and leaves the target as it was.
#include "ExportTestUtil.h"

#include <atomic>
#include <cerrno>
#include <memory>

#include <unistd.h>

#include "export/EcritureEnBlocs.h"

using namespace export_test;

namespace {

const tDecoupageTexte UnFil{.Fils = 1};

// Bytes of the header block and of the first `lignes` rows of an export file.
size_t TailleDesLignes(const std::string& fichier, int64_t lignes) {
    size_t fin = 0;
    for (int64_t i = 0; i < 3 + lignes; ++i) {
        fin = fichier.find('\n', fin);
        if (fin == std::string::npos) return std::string::npos;
        ++fin;
    }
    return fin;
}

class DeuxFilsExport : public ExportTest {
protected:
    // Exports the open recording with `decoupage`; the file's bytes, and the
    // rows reported written.
    std::string ExporterAvec(const tDecoupageTexte& decoupage, uint8_t type, uint8_t interface,
                             tFormateur formateur, int64_t* lignes,
                             const tEcritureProvisoire& ecriture = tEcritureProvisoire()) {
        const QString cible = Chemin(QStringLiteral("sortie.out"));
        EtatExport etat;
        etat.FichierExport = cible;
        etat.TypeFichier = type;
        etat.TypeInterface = interface;
        etat.Formateur = formateur;
        etat.DecoupageTexte = decoupage;
        etat.Ecriture = ecriture;
        EXPECT_TRUE(etat.LANCE_CALCUL(SOURCE_EXPORT(Ouvre)));
        etat.ATTENDRE_FIN();
        EXPECT_EQ(etat.CalCulEnCours.load(), ExportFini);
        EXPECT_EQ(etat.OnAEuUneErreur.load(), 0);
        EXPECT_EQ(etat.LongProgress.load(), 1000);
        EXPECT_EQ(DemandeExport.load(), 0);
        *lignes = etat.LignesEcrites.load();
        return LireFichier(cible);
    }
};

// Writes of at most `max` bytes per call: the writer must carry on with the rest.
tEcritureProvisoire EcrituresCourtes(int64_t max) {
    tEcritureProvisoire e;
    const auto reel = e.Ecrire;
    e.Ecrire = [=](int fd, const char* octets, int64_t n) { return reel(fd, octets, std::min(n, max)); };
    return e;
}

TEST_F(DeuxFilsExport, TwoThreadsWriteTheBytesOfTheRowByRowWriting) {
    const std::string longue(300, 'x'); // cut at 200 bytes in the file
    const struct {
        const char* Nom;
        uint8_t Type;
        uint8_t Fixe;
        bool Absolu;
        bool Francais;  // "," as the regional decimal mark
        bool CsvManuel; // CSV separator "," and decimal mark "." from csv.conf
        int64_t Scans;
        int32_t Limite; // rows of a limited export, 0: unlimited
        double Largeur; // displayed part of the recording
        int Bloc;       // rows per block, 0: by the row's width
        uint8_t Interface;
        tFormateur Formateur;
        int64_t EcritureMax; // bytes per write call at most, 0: any
        int64_t Lignes;      // rows expected
    } cas[] = {
        {"text, exponent, 1000 rows in blocks of 7", TypeTexte, 0, false, false, false, 1000, 0, 1.0, 7, 0,
         tFormateur::Rapide, 0, 1000},
        {"CSV, fixed, worker thread", TypeCSV, 1, false, false, false, 1000, 0, 1.0, 7, 1, tFormateur::Rapide,
         0, 1000},
        {"CSV from csv.conf, the regional mark not used", TypeCSV, 1, false, true, true, 999, 0, 1.0, 64, 0,
         tFormateur::Rapide, 0, 999},
        {"absolute time across seconds, French culture", TypeTexte, 0, true, true, false, 6000, 0, 1.0, 7, 1,
         tFormateur::Rapide, 0, 6000},
        {"no row", TypeTexte, 0, false, false, false, 1000, 0, 1e-9, 7, 0, tFormateur::Rapide, 0, 0},
        {"one row", TypeCSV, 0, false, false, false, 1000, 1, 1.0, 7, 1, tFormateur::Rapide, 0, 1},
        {"exactly one block", TypeTexte, 1, false, false, false, 1000, 7, 1.0, 7, 0, tFormateur::Rapide, 0,
         7},
        {"a whole number of blocks", TypeTexte, 0, false, false, false, 700, 0, 1.0, 7, 0, tFormateur::Rapide,
         0, 700},
        {"one row per block", TypeTexte, 1, false, false, false, 50, 0, 1.0, 1, 1, tFormateur::Rapide, 0, 50},
        {"blocks sized by the row, zoomed window", TypeTexte, 0, false, false, false, 40000, 0, 0.75, 0, 0,
         tFormateur::Rapide, 0, 30000},
        {"limited export of a zoomed window", TypeCSV, 0, false, true, false, 40000, 333, 0.5, 10, 1,
         tFormateur::Rapide, 0, 333},
        {"short writes", TypeTexte, 0, true, false, false, 3000, 0, 1.0, 7, 1, tFormateur::Rapide, 1000,
         3000},
        {"snprintf numbers", TypeTexte, 1, false, true, false, 500, 0, 1.0, 5, 0, tFormateur::Printf, 0, 500},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.Nom);
        QLocale::setDefault(c.Francais ? QLocale(QLocale::French, QLocale::France) : QLocale::c());
        Enregistrement e = Essai(c.Scans);
        e.PreTrig = 10;
        e.Millisecondes = 998; // the first rows fall in the second before the trigger's
        e.Voies[1].Gain = 1.234567e-7f;
        e.AnnotationsNouvelles = {Annot(3, "premier"),
                                  Annot(3, "second, never written"),
                                  Annot(6, "apr\xE8s un bloc"),
                                  Annot(7, ""),
                                  Annot(13, longue),
                                  Annot(c.Scans - 1, "dernier")};
        ASSERT_EQ(Ouvrir(e), LectureOK);
        ::Setup.DebutFenetre = 1.0 - c.Largeur;
        ::Setup.LargeurFenetre = c.Largeur;
        Config.FormatExportFixe = c.Fixe;
        Config.TempsAbsolu = c.Absolu ? 1 : 0;
        Config.LimitationExport = c.Limite > 0 ? 1 : 0;
        Config.LongueurExport = c.Limite;
        if (c.CsvManuel) EcrireTexte(CHEMIN_CSV_CONF(), "0\n,\n.");

        int64_t lignesReference = -1, lignes = -1;
        const tEcritureProvisoire ecriture =
            c.EcritureMax > 0 ? EcrituresCourtes(c.EcritureMax) : tEcritureProvisoire();
        const std::string reference =
            ExporterAvec(UnFil, c.Type, c.Interface, c.Formateur, &lignesReference, ecriture);
        const std::string deux = ExporterAvec({.Fils = 2, .LignesParBloc = c.Bloc}, c.Type, c.Interface,
                                              c.Formateur, &lignes, ecriture);
        EXPECT_EQ(lignesReference, c.Lignes);
        EXPECT_EQ(lignes, c.Lignes);
        ASSERT_EQ(Lignes(reference).size(), static_cast<size_t>(3 + c.Lignes));
        EXPECT_EQ(deux.size(), reference.size());
        EXPECT_TRUE(deux == reference) << "the two-thread file differs from the row-by-row one";
        QFile::remove(CHEMIN_CSV_CONF());
    }
}

// The request to stop comes with the first write, wherever it is made: the
// rows converted by then are all written, each whole, and they are the first
// rows of the complete file.
TEST_F(DeuxFilsExport, AnExportStoppedOnRequestKeepsTheFirstRowsWhole) {
    ASSERT_EQ(Ouvrir(Essai(40000)), LectureOK);
    int64_t toutes = 0;
    const std::string complet = ExporterAvec(UnFil, TypeTexte, 0, tFormateur::Rapide, &toutes);
    ASSERT_EQ(toutes, 40000);
    const struct {
        tDecoupageTexte Decoupage;
        uint8_t Interface;
    } cas[] = {{UnFil, 0},
               {UnFil, 1},
               {{.Fils = 2, .LignesParBloc = 7}, 0},
               // The conversion runs at most all the blocks ahead of the writing.
               {{.Fils = 2, .LignesParBloc = 40000 / (2 * EcritureEnBlocs::NombreBlocs)}, 1}};
    for (const auto& c : cas) {
        SCOPED_TRACE(testing::Message() << c.Decoupage.Fils << " thread(s), blocks of "
                                        << c.Decoupage.LignesParBloc << ", interface " << +c.Interface);
        const QString cible = Chemin(QStringLiteral("arret.txt"));
        EtatExport etat;
        etat.FichierExport = cible;
        etat.TypeFichier = TypeTexte;
        etat.TypeInterface = c.Interface;
        etat.DecoupageTexte = c.Decoupage;
        const auto reel = etat.Ecriture.Ecrire;
        etat.Ecriture.Ecrire = [&etat, reel](int fd, const char* octets, int64_t n) {
            etat.DemandeAbort.store(1);
            return reel(fd, octets, n);
        };
        ASSERT_TRUE(etat.LANCE_CALCUL(SOURCE_EXPORT(Ouvre)));
        etat.ATTENDRE_FIN();
        EXPECT_EQ(etat.OnAEuUneErreur.load(), 0);
        EXPECT_STREQ(etat.MESSAGE_FIN(), "Export finish");
        const int64_t lignes = etat.LignesEcrites.load();
        EXPECT_GT(lignes, 0);
        EXPECT_LT(lignes, 40000) << "the request was not seen";
        const std::string fichier = LireFichier(cible);
        const size_t taille = TailleDesLignes(complet, lignes);
        ASSERT_NE(taille, std::string::npos);
        EXPECT_EQ(fichier.size(), taille);
        EXPECT_TRUE(fichier == complet.substr(0, taille)) << "not the first rows of the complete file";
    }
}

// A write refused part-way (a full disk): the export stops there, reports the
// error and leaves what the target held, and no temporary file.
TEST_F(DeuxFilsExport, AWriteFailingPartWayStopsTheExportAndLeavesTheTargetAsItWas) {
    ASSERT_EQ(Ouvrir(Essai(40000)), LectureOK);
    const struct {
        tDecoupageTexte Decoupage;
        uint8_t Interface;
        int Echec; // the write call that fails, from 1
        bool Existant;
    } cas[] = {
        {UnFil, 0, 2, false},
        {UnFil, 1, 3, true},
        {{.Fils = 2, .LignesParBloc = 7}, 0, 1, true},
        {{.Fils = 2, .LignesParBloc = 7}, 1, 50, false},
        {{.Fils = 2}, 0, 4, false},
        {{.Fils = 2, .LignesParBloc = 100}, 1, 100, true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(testing::Message()
                     << c.Decoupage.Fils << " thread(s), blocks of " << c.Decoupage.LignesParBloc
                     << ", interface " << +c.Interface << ", write " << c.Echec << " fails");
        const QString cible = Chemin(QStringLiteral("plein.txt"));
        QFile::remove(cible);
        if (c.Existant) EcrireTexte(cible, Ancien);
        const QStringList avant = Contenu();
        Boites.Appels.clear();
        auto appels = std::make_shared<std::atomic<int>>(0);
        auto apres = std::make_shared<std::atomic<int>>(0); // calls after the failure
        EtatExport etat;
        etat.FichierExport = cible;
        etat.TypeFichier = TypeTexte;
        etat.TypeInterface = c.Interface;
        etat.DecoupageTexte = c.Decoupage;
        const auto reel = etat.Ecriture.Ecrire;
        const int echec = c.Echec;
        etat.Ecriture.Ecrire = [=](int fd, const char* octets, int64_t n) -> int64_t {
            const int appel = ++*appels;
            if (appel > echec) ++*apres;
            if (appel == echec) {
                errno = ENOSPC;
                return -1;
            }
            return reel(fd, octets, n);
        };
        etat.LANCE_CALCUL(SOURCE_EXPORT(Ouvre));
        etat.ATTENDRE_FIN();
        etat.AFFICHER_FIN();
        EXPECT_EQ(etat.OnAEuUneErreur.load(), 1);
        EXPECT_EQ(etat.CalCulEnCours.load(), ExportFini);
        EXPECT_EQ(DemandeExport.load(), 0);
        EXPECT_EQ(Boites.TEXTES(), std::vector<std::string>{"Export error: the file could not be created"});
        EXPECT_EQ(appels->load(), echec) << "writing went on after the failure";
        EXPECT_EQ(apres->load(), 0);
        EXPECT_LT(etat.LignesEcrites.load(), 40000);
        EXPECT_EQ(QFile::exists(cible), c.Existant);
        if (c.Existant) {
            EXPECT_EQ(LireFichier(cible), Ancien);
        }
        EXPECT_EQ(Contenu(), avant) << "a temporary file was left";
    }
}

} // namespace
