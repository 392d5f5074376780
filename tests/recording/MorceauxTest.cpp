// Joining a recording written in pieces (NAME, NAME0, NAME00...): the question,
// the order of the copy, and that a failure at any step keeps every piece.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include "ContenuFichier.h"
#include "recording/MorceauxREC.h"
#include "shell/BoiteMessageEnregistreuse.h"
#include "shell/Messages.h"

namespace {

// Distinct bytes for each piece, so an order or block mistake shows.
QByteArray Motif(int taille, int graine) {
    QByteArray b(taille, '\0');
    for (int i = 0; i < taille; ++i) b[i] = static_cast<char>((i * 7 + graine * 31 + i / 251) & 0xFF);
    return b;
}

using fichier_test::Lire;

class MorceauxTest : public ::testing::Test {
protected:
    QTemporaryDir Dossier;
    BoiteMessageEnregistreuse Boites;
    std::optional<InstallationBoiteMessage> Installation;
    QString Nom;

    void SetUp() override {
        ASSERT_TRUE(Dossier.isValid());
        Nom = Dossier.filePath(QStringLiteral("essai.rec"));
        RESET_LANGUE();
        Langue = 1;
        Installation.emplace(Boites);
    }
    void TearDown() override {
        Installation.reset();
        RESET_LANGUE();
    }

    void Ecrire(const QString& chemin, const QByteArray& octets) {
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(octets), octets.size());
    }
    // NAME, NAME0, NAME00 of 25000, 10000 and 3 bytes: three blocks, one exact block, a short one.
    std::vector<std::pair<QString, QByteArray>> TroisMorceaux() {
        std::vector<std::pair<QString, QByteArray>> m = {{Nom, Motif(25000, 1)},
                                                         {Nom + QStringLiteral("0"), Motif(10000, 2)},
                                                         {Nom + QStringLiteral("00"), Motif(3, 3)}};
        for (const auto& [chemin, octets] : m) Ecrire(chemin, octets);
        return m;
    }
    void MorceauxIntacts(const std::vector<std::pair<QString, QByteArray>>& m) {
        for (const auto& [chemin, octets] : m) EXPECT_EQ(Lire(chemin), octets) << chemin.toStdString();
        EXPECT_FALSE(QFile::exists(NOM_TEMPORAIRE_MORCEAUX(Nom)));
    }
    void QuestionPosee(size_t indice) {
        ASSERT_GT(Boites.Appels.size(), indice);
        const auto& q = Boites.Appels[indice];
        EXPECT_TRUE(q.Question);
        EXPECT_EQ(q.Titre.toStdString(), "Concatenation");
        EXPECT_EQ(q.Texte.toStdString(), "Voulez vous concatener les fichiers rec,rec0 etc...");
        EXPECT_EQ(q.Icone, tIconeBoite::Avertissement);
        EXPECT_FALSE(q.ReponseSansEffet);
    }
};

TEST_F(MorceauxTest, ThreePiecesAreJoinedInOrderUnderTheFirstName) {
    const auto m = TroisMorceaux();
    EXPECT_EQ(MORCEAUX_REC(Nom), QStringList({m[0].first, m[1].first, m[2].first}));
    Boites.Reponses = {true};
    std::vector<std::string> etapes;
    tSuiviConcat suivi;
    suivi.Debut = [&] { etapes.push_back("debut"); };
    suivi.Progres = [&](const QString& morceau, int64_t position, int64_t longueur) {
        etapes.push_back(QFileInfo(morceau).fileName().toStdString() + " " + std::to_string(position) + "/" +
                         std::to_string(longueur));
    };
    suivi.Fin = [&] { etapes.push_back("fin"); };

    EXPECT_TRUE(Concat(Nom, suivi));
    EXPECT_EQ(Lire(Nom), m[0].second + m[1].second + m[2].second);
    EXPECT_FALSE(QFile::exists(m[1].first));
    EXPECT_FALSE(QFile::exists(m[2].first));
    EXPECT_FALSE(QFile::exists(NOM_TEMPORAIRE_MORCEAUX(Nom)));
    ASSERT_EQ(Boites.Appels.size(), 1u);
    QuestionPosee(0);
    EXPECT_EQ(etapes, (std::vector<std::string>{"debut", "essai.rec 0/25000", "essai.rec 10000/25000",
                                                "essai.rec 20000/25000", "essai.rec 25000/25000",
                                                "essai.rec0 0/10000", "essai.rec0 10000/10000",
                                                "essai.rec00 0/3", "essai.rec00 3/3", "fin"}));
}

TEST_F(MorceauxTest, NothingToJoinAsksNothing) {
    const QByteArray seul = Motif(500, 4);
    const struct {
        const char* Cas;
        std::vector<const char*> Suffixes; // files made besides the recording itself ("" = NAME)
        int Morceaux;                      // pieces found
    } cas[] = {
        {"only NAME", {""}, 1},
        {"NAME and NAME00 without NAME0", {"", "00"}, 1},
        {"NAME0 without NAME", {"0", "00"}, 0},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.Cas);
        QDir(Dossier.path()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(Dossier.path()));
        std::vector<std::pair<QString, QByteArray>> faits;
        for (const char* s : c.Suffixes) {
            faits.push_back({Nom + QLatin1String(s), seul});
            Ecrire(faits.back().first, seul);
        }
        Boites.Appels.clear();
        EXPECT_EQ(MORCEAUX_REC(Nom).size(), c.Morceaux);
        EXPECT_FALSE(Concat(Nom));
        EXPECT_TRUE(Boites.Appels.empty());
        MorceauxIntacts(faits);
        QString erreur = QStringLiteral("x");
        EXPECT_TRUE(Concatener(Nom, {}, &erreur));
        EXPECT_TRUE(erreur.isEmpty());
        MorceauxIntacts(faits);
    }
}

TEST_F(MorceauxTest, PiecesStopAtTheFirstMissingOne) {
    Ecrire(Nom, Motif(10, 1));
    Ecrire(Nom + QStringLiteral("0"), Motif(20, 2));
    Ecrire(Nom + QStringLiteral("000"), Motif(30, 3)); // no NAME00: not a piece
    Boites.Reponses = {true};
    EXPECT_TRUE(Concat(Nom));
    EXPECT_EQ(Lire(Nom), Motif(10, 1) + Motif(20, 2));
    EXPECT_EQ(Lire(Nom + QStringLiteral("000")), Motif(30, 3));
}

TEST_F(MorceauxTest, AnsweringNoOrNotAskingChangesNothing) {
    for (const bool explicite : {true, false}) {
        SCOPED_TRACE(explicite ? "No" : "a handler that cannot ask");
        const auto m = TroisMorceaux();
        Boites.Appels.clear();
        Boites.Reponses.clear();
        if (explicite) Boites.Reponses = {false};
        bool debut = false;
        tSuiviConcat suivi;
        suivi.Debut = [&] { debut = true; };
        EXPECT_FALSE(Concat(Nom, suivi));
        EXPECT_FALSE(debut);
        ASSERT_EQ(Boites.Appels.size(), 1u);
        QuestionPosee(0);
        MorceauxIntacts(m);
    }
}

TEST_F(MorceauxTest, AStaleTemporaryFileIsReplaced) {
    const auto m = TroisMorceaux();
    Ecrire(NOM_TEMPORAIRE_MORCEAUX(Nom), QByteArray(40000, 'x'));
    Boites.Reponses = {true};
    EXPECT_TRUE(Concat(Nom));
    EXPECT_EQ(Lire(Nom), m[0].second + m[1].second + m[2].second);
    EXPECT_FALSE(QFile::exists(NOM_TEMPORAIRE_MORCEAUX(Nom)));
}

// One step of the join made to fail; every piece must stay as it was.
struct tPanne {
    const char* Cas;
    int Ouvrir = 0;   // fail this call (1-based), 0 never
    int Lire = 0;     // fail this read
    int Ecrire = 0;   // fail this write
    int Tronquer = 0; // this write claims success but writes nothing
    bool Vider = false;
    bool Fermer = false;
    bool Renommer = false;
    int Fautif; // file named in the message: 0..2 a piece, 3 the temporary file
};

TEST_F(MorceauxTest, AFailureAtAnyStepKeepsEveryPieceAndTellsTheUser) {
    // Writes: piece 0 takes calls 1..3, piece 1 call 4, piece 2 call 5. Reads: piece 0 takes
    // 1..4 (the fourth finds its end), piece 1 reads 5..6, piece 2 reads 7..8.
    const tPanne pannes[] = {
        {.Cas = "creating the joined file", .Ouvrir = 1, .Fautif = 3},
        {.Cas = "first read", .Lire = 1, .Fautif = 0},
        {.Cas = "a later piece unreadable", .Lire = 5, .Fautif = 1},
        {.Cas = "first block", .Ecrire = 1, .Fautif = 3},
        {.Cas = "middle block", .Ecrire = 2, .Fautif = 3},
        {.Cas = "block of the second piece", .Ecrire = 4, .Fautif = 3},
        {.Cas = "last block", .Ecrire = 5, .Fautif = 3},
        {.Cas = "a block lost though reported written", .Tronquer = 2, .Fautif = 3},
        {.Cas = "flush", .Vider = true, .Fautif = 3},
        {.Cas = "closing", .Fermer = true, .Fautif = 3},
        {.Cas = "rename", .Renommer = true, .Fautif = -1},
    };
    for (const tPanne& p : pannes) {
        SCOPED_TRACE(p.Cas);
        const auto m = TroisMorceaux();
        Boites.Appels.clear();
        Boites.Reponses = {true};
        const tEcritureMorceaux reel;
        tEcritureMorceaux e;
        int ouvertures = 0, lectures = 0, ecritures = 0;
        e.Ouvrir = [&](QFile& f) { return ++ouvertures == p.Ouvrir ? false : reel.Ouvrir(f); };
        e.Lire = [&](QFile& f, char* d, int64_t n) { return ++lectures == p.Lire ? -1 : reel.Lire(f, d, n); };
        e.Ecrire = [&](QFile& f, const char* d, int64_t n) -> int64_t {
            ++ecritures;
            if (ecritures == p.Ecrire) return -1;
            if (ecritures == p.Tronquer) return n;
            return reel.Ecrire(f, d, n);
        };
        e.Vider = [&](QFile& f) { return p.Vider ? false : reel.Vider(f); };
        e.Fermer = [&](QFile& f) { return reel.Fermer(f) && !p.Fermer; };
        e.Renommer = [&](const QString& de, const QString& vers) {
            return p.Renommer ? false : reel.Renommer(de, vers);
        };

        EXPECT_FALSE(Concat(Nom, {}, e));
        MorceauxIntacts(m);
        ASSERT_EQ(Boites.Appels.size(), 2u);
        QuestionPosee(0);
        const auto& b = Boites.Appels[1];
        EXPECT_FALSE(b.Question);
        EXPECT_EQ(b.Titre.toStdString(), "Error");
        EXPECT_EQ(b.Icone, tIconeBoite::Avertissement);
        const QString fautif = p.Fautif < 0   ? Nom
                               : p.Fautif < 3 ? m[static_cast<size_t>(p.Fautif)].first
                                              : NOM_TEMPORAIRE_MORCEAUX(Nom);
        EXPECT_EQ(b.Texte.toStdString(), "The files could not be concatenated:\nno file was changed\n" +
                                             QDir::toNativeSeparators(fautif).toStdString());

        // The same join without the fault goes through.
        Boites.Reponses = {true};
        EXPECT_TRUE(Concat(Nom));
        EXPECT_EQ(Lire(Nom), m[0].second + m[1].second + m[2].second);
    }
}

TEST_F(MorceauxTest, TheFailureMessageExistsInEveryLanguage) {
    const char* attendus[] = {
        "Les fichiers n'ont pas pu \xEAtre concat\xE9n\xE9s :\naucun fichier n'a \xE9t\xE9 modifi\xE9",
        "The files could not be concatenated:\nno file was changed",
        "Die Dateien konnten nicht zusammengef\xFCgt werden:\nkeine Datei wurde ge\xE4ndert"};
    for (uint8_t l = 0; l < 3; ++l) {
        Langue = l;
        EXPECT_STREQ(POS_MESS(M_ErreurConcatMorceaux), attendus[l]);
    }
}

TEST_F(MorceauxTest, AReadOnlyFolderKeepsEveryPiece) {
    if (::geteuid() == 0) GTEST_SKIP() << "the super-user writes into read-only folders";
    const auto m = TroisMorceaux();
    const QByteArray dossier = QFile::encodeName(Dossier.path());
    ASSERT_EQ(::chmod(dossier.constData(), 0555), 0);
    Boites.Reponses = {true};
    const bool joint = Concat(Nom);
    ::chmod(dossier.constData(), 0755);
    EXPECT_FALSE(joint);
    MorceauxIntacts(m);
    ASSERT_EQ(Boites.Appels.size(), 2u);
    EXPECT_EQ(Boites.TITRES()[1], "Error");
}

} // namespace
