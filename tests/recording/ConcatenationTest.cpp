// Joining listed recordings: markers where each file begins, the files' own
// annotations carried (TKOS, VEL), the patched header read back by the opener,
// the compatibility rules, and that a failure leaves no output and every
// listed file as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include "ContenuFichier.h"
#include "recmaker/RecMaker.h"
#include "recording/Annotations.h"
#include "recording/Concatenation.h"
#include "recording/EnteteREC.h"
#include "recording/OuvreREC.h"
#include "recording/ScriptsREC.h"
#include "shell/Messages.h"
#include "shell/Registre.h"

namespace {

using recmaker::Enregistrement;
using recmaker::Voie;

// Two channels and a logic word whose words tell the file (graine) and the scan apart.
Enregistrement Essai(FamilleREC famille, int64_t scans, uint16_t graine, float periode = 500.f) {
    Enregistrement e;
    e.Famille = famille;
    e.Modele = famille == FamilleTKAR ? "TKAR 8" : "MODELE";
    e.PeriodeUs = periode;
    e.NombreScans = scans;
    const int base = famille == FamilleVEL ? 10 : 0;
    e.Voies = {
        Voie{.Numero = base, .Nom = "Tension", .Unite = "V", .Donnees = recmaker::Rampe(graine, 1)},
        Voie{.Numero = base + 3, .Nom = "Courant", .Unite = "A", .Donnees = recmaker::Rampe(graine * 7, 3)}};
    e.Logique = true;
    e.NomsLogiques = {"Pompe"};
    e.DonneesLogiques = [graine](int64_t s) { return static_cast<uint16_t>((s + graine) & 0xF); };
    return e;
}

using fichier_test::Lire;

uint32_t U32(const QByteArray& b, qsizetype position) {
    uint32_t v = 0;
    std::memcpy(&v, b.constData() + position, 4);
    return v;
}
uint16_t U16(const QByteArray& b, qsizetype position) {
    uint16_t v = 0;
    std::memcpy(&v, b.constData() + position, 2);
    return v;
}

// A recording written for a test, with its layout.
struct tFichier {
    QString Chemin;
    recmaker::Plan Plan;
    QByteArray Octets;
    QByteArray Echantillons() const {
        return Octets.mid(Plan.DebutDonnees, Plan.DebutAnnotations - Plan.DebutDonnees);
    }
    int64_t Mots() const { return (Plan.DebutAnnotations - Plan.DebutDonnees) / 2; }
};

// What the opener reads back from a joined recording.
struct tRelu {
    uint8_t Resultat = 1;
    std::unique_ptr<t_EnteteREC_GlobalTotal> Entete = std::make_unique<t_EnteteREC_GlobalTotal>();
    std::vector<tTabAnnotMem> Anciennes;
    std::vector<tTabAnnotMemNew> Nouvelles;
};

tRelu Relire(const QString& chemin) {
    tRelu r;
    OuvreREC ouvre(r.Entete.get());
    ouvre.VraiNomFichier = ouvre.NomFichier = chemin;
    r.Resultat = ouvre.LECTURE_ENTETE();
    r.Anciennes.assign(TabAnnotMem, TabAnnotMem + AncienAnnot);
    r.Nouvelles.assign(TabAnnotMemNew, TabAnnotMemNew + NouveauAnnot);
    return r;
}

std::string Texte(const char* champ, size_t n) {
    return std::string(champ, strnlen(champ, n));
}

// The marker text of a file: its name, blank-filled to 32 bytes.
std::string TexteMarqueur(const std::string& nom, size_t taille) {
    std::string t = nom.substr(0, 31);
    t.resize(32, ' ');
    return t.substr(0, taille);
}

class Concatenation : public ::testing::Test {
protected:
    QTemporaryDir Dossier;    // the listed files and named outputs
    QTemporaryDir Temporaire; // the system temporary folder for the test
    QByteArray TmpAvant;

    void SetUp() override {
        ASSERT_TRUE(Dossier.isValid());
        ASSERT_TRUE(Temporaire.isValid());
        TmpAvant = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(Temporaire.path()));
        ASSERT_EQ(QDir::tempPath(), QDir(Temporaire.path()).canonicalPath());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           Dossier.filePath(QStringLiteral("magasin")));
        RESET_ANNOTATIONS();
        RESET_VALIDITE_SCRIPTS();
        RESET_LANGUE();
    }
    void TearDown() override {
        if (TmpAvant.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", TmpAvant);
        RESET_ANNOTATIONS();
        RESET_VALIDITE_SCRIPTS();
    }

    QString Chemin(const QString& nom) const { return Dossier.filePath(nom); }

    tFichier Fichier(const QString& nom, const Enregistrement& e) {
        tFichier f;
        f.Chemin = Chemin(nom);
        EXPECT_TRUE(recmaker::Ecrire(e, QFile::encodeName(f.Chemin).toStdString(), &f.Plan));
        f.Octets = Lire(f.Chemin);
        return f;
    }

    static QStringList Chemins(const std::vector<tFichier>& fichiers) {
        QStringList l;
        for (const tFichier& f : fichiers) l.append(f.Chemin);
        return l;
    }
    static void Intacts(const std::vector<tFichier>& fichiers) {
        for (const tFichier& f : fichiers) EXPECT_EQ(Lire(f.Chemin), f.Octets) << f.Chemin.toStdString();
    }
    // Names in a folder, the registry store left aside.
    static QStringList Contenu(const QString& dossier) {
        QStringList l =
            QDir(dossier).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
        l.removeAll(QStringLiteral("magasin"));
        return l;
    }
    QString ResultatFixe() const {
        return QDir(Temporaire.path()).filePath(QStringLiteral("OMB_MEM/00.rec"));
    }
};

TEST_F(Concatenation, ThreeTkarFilesGiveTwoMarkersAtTheJoints) {
    Enregistrement a = Essai(FamilleTKAR, 100, 1), b = Essai(FamilleTKAR, 250, 2),
                   c = Essai(FamilleTKAR, 70, 3);
    a.AnnotationsAnciennes = {{.PositionMot = 12, .Texte = "debut"}};
    c.AnnotationsAnciennes = {{.PositionMot = 8, .Texte = "fin"}};
    c.AnnotationsNouvelles = {{.PositionMot = 40, .Texte = "nouvelle"}};
    std::vector<tFichier> f = {Fichier("a.rec", a), Fichier("deuxieme essai.rec", b), Fichier("c.rec", c)};
    // A stray byte after the samples of b (no annotation area) is not a sample.
    {
        QFile g(f[1].Chemin);
        ASSERT_TRUE(g.open(QIODevice::Append));
        g.write("\x7F", 1);
    }
    f[1].Octets = Lire(f[1].Chemin);

    ConcatenationREC concat;
    concat.Fichiers = Chemins(f);
    concat.FileTemporaire = Chemin(QStringLiteral("joint.rec"));
    ASSERT_EQ(concat.ARRET_OK(1), 0) << concat.Rapport.Cause;
    EXPECT_EQ(concat.FichierTemp, concat.FileTemporaire);
    EXPECT_EQ(concat.PremierNomFichier, concat.FileTemporaire);
    EXPECT_EQ(concat.Rapport.Marqueurs, 2);
    Intacts(f);

    const QByteArray sortie = Lire(concat.FichierTemp);
    const int64_t motsA = f[0].Mots(), motsB = 250 * f[1].Plan.MotsParScan;
    // The header is the first file's but for the area size; then the three sample areas in order.
    QByteArray entete = f[0].Octets.left(f[0].Plan.DebutDonnees);
    entete[38] = static_cast<char>(2 * 44);
    entete[39] = 0;
    EXPECT_EQ(sortie.left(entete.size()), entete);
    const QByteArray donnees = f[0].Echantillons() + f[1].Octets.mid(f[1].Plan.DebutDonnees, 2 * motsB) +
                               f[2].Octets.mid(f[2].Plan.DebutDonnees, f[2].Mots() * 2);
    EXPECT_EQ(sortie.mid(entete.size(), donnees.size()), donnees);
    EXPECT_EQ(sortie.size(), entete.size() + donnees.size() + 2 * 44);
    EXPECT_EQ(U16(sortie, 38), 2 * 44);

    const tRelu r = Relire(concat.FichierTemp);
    ASSERT_EQ(r.Resultat, LectureOK);
    EXPECT_EQ(+r.Entete->NombreScans, 100 + 250 + 70);
    EXPECT_EQ(+r.Entete->DebutDonnees, f[0].Plan.DebutDonnees);
    ASSERT_EQ(r.Anciennes.size(), 2u);
    EXPECT_TRUE(r.Nouvelles.empty()); // the TKAR files' own annotations are not carried
    EXPECT_EQ(+r.Anciennes[0].PositionMot, motsA);
    EXPECT_EQ(+r.Anciennes[1].PositionMot, motsA + motsB);
    for (const tTabAnnotMem& m : r.Anciennes) EXPECT_EQ(+m.GenreAnnot, 0);
    EXPECT_EQ(Texte(r.Anciennes[0].TexteAnnot, 32), TexteMarqueur("deuxieme essai.rec", 31));
    EXPECT_EQ(Texte(r.Anciennes[1].TexteAnnot, 32), TexteMarqueur("c.rec", 31));
    // The raw record: 32 text bytes, blank-filled after the name.
    EXPECT_EQ(sortie.mid(sortie.size() - 44 + 12, 32).toStdString(), TexteMarqueur("c.rec", 32));
}

TEST_F(Concatenation, ARecordingJoinedWithItselfIsCompatibleWhateverItsPeriod) {
    struct tCas {
        FamilleREC Famille;
        float Periode;
    };
    const tCas cas[] = {{FamilleTKAR, 0.f},   {FamilleTKAR, 4294967040.f}, {FamilleTKOS, 0.333333f},
                        {FamilleTKOS, 1e-7f}, {FamilleVEL, 0.f},           {FamilleVEL, 123456.789f}};
    for (const tCas& c : cas) {
        SCOPED_TRACE(c.Periode);
        const tFichier f = Fichier(QStringLiteral("soi.rec"), Essai(c.Famille, 30, 4, c.Periode));
        ConcatenationREC concat;
        concat.MemoriserListe = false;
        concat.Fichiers = {f.Chemin, f.Chemin, f.Chemin};
        concat.FileTemporaire = Chemin(QStringLiteral("triple.rec"));
        ASSERT_EQ(concat.ARRET_OK(1), 0) << concat.Rapport.Cause;
        const tRelu r = Relire(concat.FichierTemp);
        ASSERT_EQ(r.Resultat, LectureOK);
        EXPECT_EQ(+r.Entete->NombreScans, 90);
        EXPECT_EQ(Lire(concat.FichierTemp).mid(f.Plan.DebutDonnees, 6 * f.Mots()),
                  f.Echantillons() + f.Echantillons() + f.Echantillons());
        EXPECT_EQ(r.Anciennes.size() + r.Nouvelles.size(), 2u);
    }
}

// A TKAR recording with a computed channel (a record, no word in the frame), and
// the same with that record an analog channel: the samples start at the same
// byte, the frames differ.
Enregistrement AvecCalculee() {
    Enregistrement e = Essai(FamilleTKAR, 40, 1);
    e.Voies.push_back(
        Voie{.Numero = 36, .Nom = "Somme", .OperateurFonction = 0, .Operande1 = 0, .Operande2 = 3});
    return e;
}
Enregistrement AutreTrame() {
    Enregistrement e = AvecCalculee();
    e.Voies.back() = Voie{.Numero = 5, .Nom = "Trois"};
    return e;
}

TEST_F(Concatenation, IncompatibleFilesAreRefusedBeforeAnythingIsWritten) {
    struct tCas {
        const char* Nom;
        std::function<Enregistrement()> Premier, Second;
        uint8_t Resultat;
        tEchecConcat Echec;
    };
    const auto tkar = [](float periode) { return [periode] { return Essai(FamilleTKAR, 40, 1, periode); }; };
    const tCas cas[] = {
        {"another period", tkar(500.f), tkar(501.f), 1, tEchecConcat::Incompatible},
        {"external clock against 1 us", tkar(0.f), tkar(1.f), 1, tEchecConcat::Incompatible},
        {"another data offset", tkar(500.f),
         [] {
             Enregistrement e = Essai(FamilleTKAR, 40, 1);
             e.Voies.push_back(Voie{.Numero = 5, .Nom = "Autre"});
             return e;
         },
         1, tEchecConcat::Incompatible},
        {"another scan length", AvecCalculee, AutreTrame, 1, tEchecConcat::Incompatible},
        {"another family", [] { return Essai(FamilleTKOS, 40, 1); }, [] { return Essai(FamilleVEL, 40, 1); },
         1, tEchecConcat::Incompatible},
        {"no known family", tkar(500.f),
         [] {
             Enregistrement e = Essai(FamilleTKAR, 40, 1);
             e.Signature = 0x1234;
             return e;
         },
         2, tEchecConcat::Lecture},
    };
    for (const tCas& c : cas) {
        SCOPED_TRACE(c.Nom);
        const tFichier premier = Fichier(QStringLiteral("premier.rec"), c.Premier());
        const tFichier second = Fichier(QStringLiteral("second.rec"), c.Second());
        for (const bool sauver : {true, false}) {
            ConcatenationREC concat;
            concat.Fichiers = {premier.Chemin, second.Chemin};
            concat.FileTemporaire = sauver ? Chemin(QStringLiteral("joint.rec")) : QString();
            EXPECT_EQ(concat.ARRET_OK(sauver), c.Resultat);
            EXPECT_EQ(concat.Rapport.Echec, c.Echec);
            EXPECT_EQ(concat.Rapport.Fichier, second.Chemin);
            EXPECT_TRUE(concat.FichierTemp.isEmpty());
            Intacts({premier, second});
            EXPECT_EQ(Contenu(Dossier.path()), QStringList({"premier.rec", "second.rec"}));
            EXPECT_TRUE(Contenu(Temporaire.path()).isEmpty());
        }
        // In the other order the first file is the one of reference.
        ConcatenationREC inverse;
        inverse.Fichiers = {second.Chemin, premier.Chemin};
        EXPECT_NE(inverse.ARRET_OK(0), 0);
    }
    EXPECT_TRUE(LIRE_LISTE_CONCATENATION().isEmpty()); // a failed join keeps no list
}

TEST_F(Concatenation, TheScanLengthCaseReallySharesTheDataOffset) {
    // Guards the table above: only the frame length tells these files apart.
    const tFichier a = Fichier(QStringLiteral("a.rec"), AvecCalculee());
    const tFichier b = Fichier(QStringLiteral("b.rec"), AutreTrame());
    EXPECT_EQ(a.Plan.DebutDonnees, b.Plan.DebutDonnees);
    EXPECT_NE(a.Plan.MotsParScan, b.Plan.MotsParScan);
}

TEST_F(Concatenation, MissingOrUnreadableFilesAreReadFailures) {
    const tFichier a = Fichier(QStringLiteral("a.rec"), Essai(FamilleVEL, 20, 1));
    const QString absent = Chemin(QStringLiteral("absent.rec"));
    ConcatenationREC concat;
    concat.Fichiers = {a.Chemin, absent};
    EXPECT_EQ(concat.ARRET_OK(0), 1);
    EXPECT_EQ(concat.Rapport.Echec, tEchecConcat::Lecture);
    EXPECT_EQ(concat.Rapport.Fichier, absent);
    EXPECT_TRUE(Contenu(Temporaire.path()).isEmpty());

    concat.Fichiers.clear();
    EXPECT_EQ(concat.ARRET_OK(0), 1);
    EXPECT_EQ(concat.Rapport.Echec, tEchecConcat::ListeVide);
    EXPECT_TRUE(Contenu(Temporaire.path()).isEmpty());
}

TEST_F(Concatenation, TkosAndVelAnnotationsAreCarriedAfterTheirOwnMarkers) {
    for (const FamilleREC famille : {FamilleTKOS, FamilleVEL}) {
        SCOPED_TRACE(famille);
        Enregistrement a = Essai(famille, 60, 1), b = Essai(famille, 90, 2);
        a.AnnotationsNouvelles = {{.PositionMot = 0, .Genre = 2, .Texte = "Titre"},
                                  {.PositionMot = 30, .Couleur = 0x00FF00, .Hauteur = 250, .Texte = "a1"}};
        b.AnnotationsNouvelles = {{.PositionMot = 4, .Verticale = 1, .Texte = "b1"},
                                  {.PositionMot = 100, .Texte = "b2"}};
        const std::vector<tFichier> f = {Fichier(QStringLiteral("a.rec"), a),
                                         Fichier(QStringLiteral("b.rec"), b)};
        ConcatenationREC concat;
        concat.Fichiers = Chemins(f);
        concat.FileTemporaire = Chemin(QStringLiteral("joint.rec"));
        ASSERT_EQ(concat.ARRET_OK(1), 0) << concat.Rapport.Cause;
        EXPECT_EQ(concat.Rapport.Reportees, 4);
        EXPECT_EQ(concat.Rapport.Marqueurs, 1);

        const QByteArray sortie = Lire(concat.FichierTemp);
        EXPECT_EQ(U32(sortie, famille == FamilleTKOS ? 44 : 60), 5u * 152u);
        const tRelu r = Relire(concat.FichierTemp);
        ASSERT_EQ(r.Resultat, LectureOK);
        EXPECT_EQ(+r.Entete->NombreScans, 150);
        const int64_t motsA = f[0].Mots();
        ASSERT_EQ(r.Nouvelles.size(), 5u);
        struct tAttendu {
            int64_t Position;
            int32_t Genre, Couleur;
            uint8_t Verticale;
            std::string Texte;
        };
        const tAttendu attendus[] = {{0, 2, 0xFF0000, 0, "Titre"},
                                     {30, 1, 0x00FF00, 0, "a1"},
                                     {motsA, 0, 0xFF0000, 1, TexteMarqueur("b.rec", 32)},
                                     {motsA + 4, 1, 0xFF0000, 1, "b1"},
                                     {motsA + 100, 1, 0xFF0000, 0, "b2"}};
        for (size_t i = 0; i < 5; ++i) {
            SCOPED_TRACE(i);
            const tTabAnnotMemNew& n = r.Nouvelles[i];
            EXPECT_EQ(+n.PositionMot, attendus[i].Position);
            EXPECT_EQ(+n.GenreAnnot, attendus[i].Genre);
            EXPECT_EQ(+n.CouleurAnnot, attendus[i].Couleur);
            EXPECT_EQ(n.AnnotVerticale, attendus[i].Verticale);
            EXPECT_EQ(Texte(n.TexteAnnot, sizeof n.TexteAnnot), attendus[i].Texte);
        }
        EXPECT_EQ(+r.Nouvelles[1].HauteurAnnot, 250);
        EXPECT_EQ(+r.Nouvelles[2].HauteurAnnot, 0);
        QFile::remove(concat.FichierTemp);
    }
}

TEST_F(Concatenation, AListOfOneFileIsACopyWithOnlyTheAnnotationsThatAreCarried) {
    struct tCas {
        FamilleREC Famille;
        uint32_t Taille; // area size read back
    };
    for (const tCas c : {tCas{FamilleTKAR, 0}, tCas{FamilleTKOS, 152}, tCas{FamilleVEL, 152}}) {
        SCOPED_TRACE(c.Famille);
        Enregistrement e = Essai(c.Famille, 25, 9);
        if (c.Famille == FamilleTKAR) e.AnnotationsAnciennes = {{.PositionMot = 3, .Texte = "vieille"}};
        e.AnnotationsNouvelles = {{.PositionMot = 6, .Texte = "seule"}};
        const tFichier f = Fichier(QStringLiteral("un.rec"), e);
        ConcatenationREC concat;
        concat.Fichiers = {f.Chemin};
        concat.FileTemporaire = Chemin(QStringLiteral("copie.rec"));
        ASSERT_EQ(concat.ARRET_OK(1), 0);
        const QByteArray sortie = Lire(concat.FichierTemp);
        EXPECT_EQ(sortie.size(), f.Plan.DebutAnnotations + c.Taille);
        EXPECT_EQ(sortie.mid(f.Plan.DebutDonnees, f.Mots() * 2), f.Echantillons());
        const tRelu r = Relire(concat.FichierTemp);
        ASSERT_EQ(r.Resultat, LectureOK);
        EXPECT_EQ(r.Anciennes.size(), 0u);
        EXPECT_EQ(r.Nouvelles.size(), c.Taille / 152);
        QFile::remove(concat.FichierTemp);
    }
}

TEST_F(Concatenation, AnUnsavedJoinGoesToOmbMemAndTheListIsKept) {
    const std::vector<tFichier> f = {Fichier(QStringLiteral("a.rec"), Essai(FamilleTKOS, 20, 1)),
                                     Fichier(QStringLiteral("b.rec"), Essai(FamilleTKOS, 30, 2))};
    // A previous result is replaced.
    ASSERT_TRUE(QDir(Temporaire.path()).mkpath(QStringLiteral("OMB_MEM")));
    {
        QFile ancien(ResultatFixe());
        ASSERT_TRUE(ancien.open(QIODevice::WriteOnly));
        ancien.write("ancien");
    }
    ConcatenationREC concat;
    concat.Fichiers = Chemins(f);
    ASSERT_EQ(concat.ARRET_OK(0), 0);
    EXPECT_EQ(concat.FichierTemp, ResultatFixe());
    EXPECT_EQ(concat.PremierNomFichier, f[0].Chemin);
    EXPECT_EQ(+Relire(ResultatFixe()).Entete->NombreScans, 50);
    EXPECT_EQ(Contenu(Temporaire.path()), QStringList({"OMB_MEM"}));
    EXPECT_EQ(LIRE_LISTE_CONCATENATION(), Chemins(f));
    Intacts(f);

    // Without the list kept (the command line), the registry is left alone.
    ConcatenationREC sansListe;
    sansListe.MemoriserListe = false;
    sansListe.Fichiers = {f[1].Chemin};
    ASSERT_EQ(sansListe.ARRET_OK(0), 0);
    EXPECT_EQ(LIRE_LISTE_CONCATENATION(), Chemins(f));
}

TEST_F(Concatenation, AListedOmbMemResultIsNotReplacedByTheNewJoin) {
    const tFichier a = Fichier(QStringLiteral("a.rec"), Essai(FamilleVEL, 20, 1));
    ConcatenationREC premier;
    premier.Fichiers = {a.Chemin, a.Chemin};
    ASSERT_EQ(premier.ARRET_OK(0), 0);
    ASSERT_EQ(premier.FichierTemp, ResultatFixe());
    const QByteArray resultat = Lire(ResultatFixe());

    ConcatenationREC second;
    second.Fichiers = {ResultatFixe(), a.Chemin};
    ASSERT_EQ(second.ARRET_OK(0), 0);
    EXPECT_EQ(Lire(ResultatFixe()), resultat);
    EXPECT_EQ(second.FichierTemp, second.FileTemporaire);
    EXPECT_EQ(QFileInfo(second.FichierTemp).absolutePath(), QDir(Temporaire.path()).canonicalPath());
    EXPECT_EQ(+Relire(second.FichierTemp).Entete->NombreScans, 60);
}

TEST_F(Concatenation, TheNamedOutputMayNotBeAListedFile) {
    const std::vector<tFichier> f = {Fichier(QStringLiteral("a.rec"), Essai(FamilleTKAR, 20, 1)),
                                     Fichier(QStringLiteral("b.rec"), Essai(FamilleTKAR, 20, 2))};
    ConcatenationREC concat;
    concat.Fichiers = Chemins(f);
    // The same file by another spelling of its path.
    concat.FileTemporaire = Dossier.path() + QStringLiteral("/./b.rec");
    EXPECT_EQ(concat.ARRET_OK(1), 1);
    EXPECT_EQ(concat.Rapport.Echec, tEchecConcat::SortieListee);
    Intacts(f);
    EXPECT_EQ(Contenu(Dossier.path()), QStringList({"a.rec", "b.rec"}));
}

TEST_F(Concatenation, AFailedWriteLeavesNoPartialOutput) {
    const std::vector<tFichier> f = {Fichier(QStringLiteral("a.rec"), Essai(FamilleVEL, 200, 1)),
                                     Fichier(QStringLiteral("b.rec"), Essai(FamilleVEL, 300, 2))};
    const int64_t entete = f[0].Plan.DebutDonnees, donnees = 2 * (f[0].Mots() + f[1].Mots());
    // Each case breaks one step; a write limit cuts the output there after writing what fits.
    struct tCas {
        const char* Nom;
        int64_t Limite = -1; // bytes the output takes before writing fails
        bool Ouvrir = true, Lire = true, Vider = true, Fermer = true, Renommer = true;
    };
    const tCas cas[] = {
        {.Nom = "create", .Ouvrir = false},
        {.Nom = "header", .Limite = 10},
        {.Nom = "first samples", .Limite = entete + 100},
        {.Nom = "second samples", .Limite = entete + 2 * f[0].Mots() + 7},
        {.Nom = "annotations", .Limite = entete + donnees + 1},
        {.Nom = "read", .Lire = false},
        {.Nom = "flush", .Vider = false},
        {.Nom = "close", .Fermer = false},
        {.Nom = "rename", .Renommer = false},
    };
    for (const tCas& c : cas) {
        for (const bool existant : {false, true}) {
            for (const bool sauver : {true, false}) {
                SCOPED_TRACE(std::string(c.Nom) + (existant ? ", existing" : "") +
                             (sauver ? ", named" : ", temporary"));
                const QString cible = Chemin(QStringLiteral("joint.rec"));
                ASSERT_TRUE(QDir(Temporaire.path()).mkpath(QStringLiteral("OMB_MEM")));
                if (existant) {
                    QFile g(sauver ? cible : ResultatFixe());
                    ASSERT_TRUE(g.open(QIODevice::WriteOnly | QIODevice::Truncate));
                    g.write("avant");
                }
                const QStringList dossierAvant = Contenu(Dossier.path()),
                                  temporaireAvant = Contenu(Temporaire.path());
                ConcatenationREC concat;
                concat.Fichiers = Chemins(f);
                concat.FileTemporaire = sauver ? cible : QString();
                int64_t ecrits = 0;
                const tEcritureMorceaux vrai;
                if (!c.Ouvrir) concat.Ecriture.Ouvrir = [](QFile&) { return false; };
                if (!c.Lire) concat.Ecriture.Lire = [](QFile&, char*, int64_t) -> int64_t { return -1; };
                if (!c.Vider) concat.Ecriture.Vider = [](QFile&) { return false; };
                if (!c.Fermer) {
                    concat.Ecriture.Fermer = [&](QFile& f) {
                        vrai.Fermer(f); // closed all the same
                        return false;
                    };
                }
                if (!c.Renommer)
                    concat.Ecriture.Renommer = [](const QString&, const QString&) { return false; };
                if (c.Limite >= 0) {
                    concat.Ecriture.Ecrire = [&](QFile& sortie, const char* d, int64_t n) -> int64_t {
                        if (ecrits + n <= c.Limite) {
                            ecrits += n;
                            return vrai.Ecrire(sortie, d, n);
                        }
                        vrai.Ecrire(sortie, d, c.Limite - ecrits);
                        ecrits = c.Limite;
                        return -1;
                    };
                }
                const uint8_t resultat = concat.ARRET_OK(sauver);
                // A failed rename of an unsaved join keeps the temporary output as the result.
                if (!sauver && !c.Renommer) {
                    EXPECT_EQ(resultat, 0);
                    EXPECT_EQ(concat.FichierTemp, concat.FileTemporaire);
                    EXPECT_EQ(+Relire(concat.FichierTemp).Entete->NombreScans, 500);
                    QFile::remove(concat.FichierTemp);
                } else {
                    EXPECT_EQ(resultat, 1);
                    EXPECT_EQ(concat.Rapport.Echec, tEchecConcat::Ecriture);
                    EXPECT_FALSE(concat.Rapport.Fichier.isEmpty());
                    EXPECT_TRUE(concat.FichierTemp.isEmpty());
                }
                Intacts(f);
                EXPECT_EQ(Contenu(Dossier.path()), dossierAvant);
                EXPECT_EQ(Contenu(Temporaire.path()), temporaireAvant);
                if (existant) {
                    EXPECT_EQ(Lire(sauver ? cible : ResultatFixe()),
                              !sauver && !c.Renommer ? QByteArray("<absent>") : QByteArray("avant"));
                }
                QFile::remove(cible);
                QFile::remove(ResultatFixe());
            }
        }
    }
}

TEST_F(Concatenation, TheTablesOfTheRecordingOnDisplayAreKept) {
    const tFichier a = Fichier(QStringLiteral("a.rec"), [] {
        Enregistrement e = Essai(FamilleTKOS, 20, 1);
        e.AnnotationsNouvelles = {{.PositionMot = 2, .Texte = "du fichier"}};
        return e;
    }());
    TabAnnotMem[0].PositionMot = 77;
    std::strcpy(TabAnnotMemNew[3].TexteAnnot, "affichee");
    AncienAnnot = 1;
    NouveauAnnot = 3;
    NombreAnnotEnPlus = 1;
    ValiditeAngelScript = 1;
    ConcatenationREC concat;
    concat.Fichiers = {a.Chemin, a.Chemin};
    ASSERT_EQ(concat.ARRET_OK(0), 0);
    EXPECT_EQ(+TabAnnotMem[0].PositionMot, 77);
    EXPECT_STREQ(TabAnnotMemNew[3].TexteAnnot, "affichee");
    EXPECT_EQ(+TabAnnotMemNew[0].PositionMot, 0);
    EXPECT_EQ(AncienAnnot, 1);
    EXPECT_EQ(NouveauAnnot, 3);
    EXPECT_EQ(NombreAnnotEnPlus, 1);
    EXPECT_EQ(ValiditeAngelScript, 1);
}

TEST_F(Concatenation, LongNamesAreCutTo31Characters) {
    const QString nom = QStringLiteral("un nom de fichier bien trop long pour tenir.rec");
    const tFichier a = Fichier(QStringLiteral("a.rec"), Essai(FamilleVEL, 10, 1));
    const tFichier b = Fichier(nom, Essai(FamilleVEL, 10, 2));
    ConcatenationREC concat;
    concat.Fichiers = {a.Chemin, b.Chemin};
    ASSERT_EQ(concat.ARRET_OK(0), 0);
    const tRelu r = Relire(concat.FichierTemp);
    ASSERT_EQ(r.Nouvelles.size(), 1u);
    EXPECT_EQ(Texte(r.Nouvelles[0].TexteAnnot, 125), nom.left(31).toStdString() + " ");
}

} // namespace
