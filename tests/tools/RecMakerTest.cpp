// Layout facts of the recording maker, checked on the bytes it writes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "recmaker/RecMaker.h"
#include "recording/Annotations.h"

using namespace recmaker;

namespace {

template <typename T> T Lire(const std::vector<uint8_t>& f, int64_t pos) {
    T v{};
    EXPECT_LE(pos + static_cast<int64_t>(sizeof(T)), static_cast<int64_t>(f.size()));
    if (pos + static_cast<int64_t>(sizeof(T)) <= static_cast<int64_t>(f.size()))
        std::memcpy(&v, f.data() + pos, sizeof(T));
    return v;
}

uint16_t Mot(const std::vector<uint8_t>& f, const Plan& p, int64_t scan, int k) {
    return Lire<uint16_t>(f, p.DebutDonnees + 2 * (scan * p.MotsParScan + k));
}

Voie Analog(int numero, Signal s) {
    Voie v;
    v.Numero = numero;
    v.Donnees = std::move(s);
    return v;
}

Voie Calcul(int numero) {
    Voie v;
    v.Numero = numero;
    v.OperateurFonction = 2;
    return v;
}

std::vector<uint8_t> LireFichier(const std::string& chemin) {
    std::ifstream in(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Temporaire(const char* nom) {
    const auto dossier = std::filesystem::temp_directory_path() / "recmaker_test";
    std::filesystem::create_directories(dossier);
    return (dossier / nom).string();
}

} // namespace

// Fixed header per family: signature, sizes and the fields that place the areas.
TEST(RecMaker, FixedHeaderFieldsPerFamily) {
    struct Cas {
        FamilleREC Famille;
        int16_t Signature;
        int TailleEntete;
        int OffsetMotsLogiques, OffsetNomsLogiques, OffsetAnnotations, OffsetDonnees, OffsetScripts;
    } cas[] = {
        {FamilleTKAR, SignatureTKAR, 52, 44, 45, 38, -1, -1},
        {FamilleTKOS, SignatureTKOS, 80, 41, 42, 44, 48, 68},
        {FamilleVEL, SignatureVEL, 96, 57, 58, 60, 64, 84},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.Famille);
        Enregistrement e;
        e.Famille = c.Famille;
        e.RevisionVoies = 4; // TKOS and VEL: a script area
        e.Revision = 7;
        e.Modele = "MODELE";
        e.PeriodeUs = 250.f;
        e.PreTrig = 12;
        e.Millisecondes = 321;
        e.NombreScans = 10;
        e.Voies = {Analog(0, Rampe(0, 1)), Analog(2, Rampe(100, 1))};
        e.Logique = true;
        e.NomsLogiques = {"L0", "L1", "L2"};
        e.AnnotationsNouvelles = {AnnotationNouvelle{}, AnnotationNouvelle{}};
        e.Scripts = {{1, {"ligne 0", "ligne 1"}}};
        Plan p;
        const std::vector<uint8_t> f = Construire(e, &p);

        EXPECT_EQ(Lire<int16_t>(f, 0), c.Signature);
        EXPECT_EQ(f[2], 4);
        EXPECT_EQ(f[3], 7);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(f.data() + 4)), "MODELE");
        EXPECT_EQ(f[19], 0); // no supplementary block
        EXPECT_EQ(p.TailleEnteteFixe, c.TailleEntete);
        EXPECT_EQ(p.DebutVoies, c.TailleEntete);
        EXPECT_EQ(p.NombreRecords, 2);
        EXPECT_EQ(p.DebutNomsLogiques, c.TailleEntete + 2 * 72);
        EXPECT_EQ(f[c.OffsetMotsLogiques], 1);
        EXPECT_EQ(f[c.OffsetNomsLogiques], 3);
        // Logic names: 20 bytes, blank-padded.
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(f.data() + p.DebutNomsLogiques + 20), 20),
                  "L1                  ");
        EXPECT_EQ(p.MotsParScan, 3);
        if (c.Famille == FamilleTKAR) {
            EXPECT_EQ(p.DebutScripts, -1);
            EXPECT_EQ(p.DebutDonnees, c.TailleEntete + 2 * 72 + 3 * 20);
            EXPECT_EQ(Lire<uint32_t>(f, 20), 250u);
            EXPECT_EQ(Lire<int32_t>(f, 24), 12);
            EXPECT_EQ(Lire<uint16_t>(f, c.OffsetAnnotations), 2 * 152);
            EXPECT_EQ(Lire<int16_t>(f, 40), 321);
        } else {
            // Script area right after the logic names, data right after it.
            EXPECT_EQ(p.DebutScripts, c.TailleEntete + 2 * 72 + 3 * 20);
            EXPECT_EQ(Lire<int32_t>(f, c.OffsetScripts), p.DebutScripts);
            EXPECT_EQ(p.DebutDonnees, p.DebutScripts + 40 * 12 * 200);
            EXPECT_EQ(Lire<int32_t>(f, c.OffsetDonnees), p.DebutDonnees);
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(f.data() + p.DebutScripts + (12 + 1) * 200)),
                      "ligne 1");
            EXPECT_EQ(Lire<float>(f, 20), 250.f);
            EXPECT_EQ(Lire<int64_t>(f, c.TailleEntete - 8), 12);
            EXPECT_EQ(Lire<int32_t>(f, c.OffsetAnnotations), 2 * 152);
        }
        EXPECT_EQ(p.DebutAnnotations, p.DebutDonnees + 10 * 3 * 2);
        EXPECT_EQ(p.TailleAnnotations, 2 * 152);
        EXPECT_EQ(p.Taille, p.DebutAnnotations + 2 * 152);
        EXPECT_EQ(static_cast<int64_t>(f.size()), p.Taille);
    }
}

// The revision decides whether TKOS and VEL files carry a script area.
TEST(RecMaker, ScriptAreaFollowsTheRevision) {
    struct Cas {
        FamilleREC Famille;
        uint8_t Revision;
        bool Zone;
    } cas[] = {
        {FamilleTKOS, 1, false}, {FamilleTKOS, 2, true}, {FamilleVEL, 3, false}, {FamilleVEL, 4, true}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(testing::Message() << c.Famille << " revision " << int(c.Revision));
        Enregistrement e;
        e.Famille = c.Famille;
        e.RevisionVoies = c.Revision;
        e.Voies = {Analog(0, Constant(1))};
        Plan p;
        const std::vector<uint8_t> f = Construire(e, &p);
        const int offset = c.Famille == FamilleTKOS ? 68 : 84;
        EXPECT_EQ(p.DebutScripts >= 0, c.Zone);
        EXPECT_EQ(Lire<int32_t>(f, offset), c.Zone ? p.DebutScripts : 0);
        EXPECT_EQ(p.DebutDonnees, p.TailleEnteteFixe + 72 + (c.Zone ? 96000 : 0));
    }
}

// Presence bits come from the channel numbers, in each family's mask layout.
TEST(RecMaker, PresenceMaskBits) {
    Enregistrement tkar;
    tkar.Voies = {Analog(0, {}), Analog(5, {}), Analog(17, {}), Calcul(36)};
    std::vector<uint8_t> f = Construire(tkar);
    EXPECT_EQ(Lire<uint16_t>(f, 28), 0x0021);
    EXPECT_EQ(Lire<uint16_t>(f, 30), 0x0002);
    EXPECT_EQ(Lire<uint16_t>(f, 32), 0x0010);
    EXPECT_EQ(Lire<uint16_t>(f, 34), 0x0000);

    Enregistrement tkos;
    tkos.Famille = FamilleTKOS;
    tkos.Voies = {Analog(1, {}), Analog(40, {}), Calcul(72), Calcul(95)};
    f = Construire(tkos);
    EXPECT_EQ(Lire<uint32_t>(f, 24), 0x2u);
    EXPECT_EQ(Lire<uint32_t>(f, 28), 0x100u);
    EXPECT_EQ(Lire<uint32_t>(f, 32), 0x80000100u);
    EXPECT_EQ(Lire<uint32_t>(f, 36), 0u);

    Enregistrement vel;
    vel.Famille = FamilleVEL;
    vel.Voies = {Analog(0, {}), Analog(203, {}), Calcul(204), Calcul(243)};
    f = Construire(vel);
    EXPECT_EQ(Lire<uint32_t>(f, 24), 1u);
    EXPECT_EQ(Lire<uint32_t>(f, 24 + 6 * 4), 0x1800u);  // 203 and 204
    EXPECT_EQ(Lire<uint32_t>(f, 24 + 7 * 4), 0x80000u); // 243
}

// Frames: one word per recorded analog channel in channel order, then the logic word;
// computed channels have a record but no word. Words match the signals scan by scan.
TEST(RecMaker, FrameLayoutAndSignals) {
    Enregistrement e;
    e.Famille = FamilleTKOS;
    e.NombreScans = 3001;
    const Signal signaux[] = {
        Sinus(30000, 20000, 1000), Sinus(30000, 20000, 333.3),
        Carre(5, 60000, 7),        Rampe(65530, -3),
        Constant(0xBEEF),          [](int64_t s) { return static_cast<uint16_t>(s * s); }};
    e.Voies = {Analog(3, signaux[0]),  Analog(8, signaux[1]), Analog(9, signaux[2]), Calcul(72),
               Analog(60, signaux[3]), Analog(71, signaux[4])};
    std::sort(e.Voies.begin(), e.Voies.end(),
              [](const Voie& a, const Voie& b) { return a.Numero < b.Numero; });
    e.Logique = true;
    e.DonneesLogiques = signaux[5];
    Plan p;
    const std::vector<uint8_t> f = Construire(e, &p);
    ASSERT_EQ(p.MotsParScan, 6);
    EXPECT_EQ(p.NombreVoiesAnalog, 5);
    EXPECT_EQ(p.NombreRecords, 6);
    // The computed channel's record comes last (channel 72).
    EXPECT_EQ(Lire<uint8_t>(f, p.DebutVoies + 5 * 72 + 69), 2);
    for (int64_t s : {0, 1, 499, 500, 1000, 2999, 3000})
        for (int k = 0; k < 6; ++k) {
            SCOPED_TRACE(testing::Message() << "scan " << s << " word " << k);
            EXPECT_EQ(Mot(f, p, s, k), signaux[k](s));
        }
    EXPECT_EQ(Mot(f, p, 2, 3), static_cast<uint16_t>(65530 - 6));
    EXPECT_EQ(Mot(f, p, 2, 2), 5); // period 7: three low scans, four high
    EXPECT_EQ(Mot(f, p, 3, 2), 60000);
}

// Supplementary block: entries given, then empty-coded ones; byte 3 counts the
// entries; types are taken by loop index, data by the number of channels produced.
TEST(RecMaker, SupplementaryBlock) {
    Enregistrement e;
    e.NombreScans = 4;
    EntreeSup ordinaire, vide, a, b;
    ordinaire.Type = TypeSupOrdinaireTKAR;
    vide.Type = TypeSupVideTKAR;
    vide.Donnees = Constant(0x2222); // the entry at index 2 describes the third channel produced
    a.Type = 0x31;                   // low 4 bits 1: a supplementary channel
    a.Nom = "Sup A";
    a.Donnees = Constant(0x1111);
    b.Type = 2;
    b.Donnees = Constant(0x3333);
    e.BlocSup = std::vector<EntreeSup>{ordinaire, a, vide, b};
    e.Voies = {Analog(0, Constant(0x0A0A)), Analog(2, Constant(0x0B0B)), Analog(3, Constant(0x0C0C))};
    Plan p;
    const std::vector<uint8_t> f = Construire(e, &p);
    EXPECT_EQ(f[19], 0x45);
    EXPECT_EQ(p.DebutBlocSup, 52);
    EXPECT_EQ(p.DebutVoies, 52 + 884);
    EXPECT_EQ(f[52 + 3], 4);
    EXPECT_EQ(Lire<int32_t>(f, 52 + 20 + 36 * 1), 0x31);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(f.data() + 52 + 20 + 36 + 16)), "Sup A");
    for (int i = 4; i < 24; ++i) EXPECT_EQ(Lire<int32_t>(f, 52 + 20 + 36 * i), TypeSupVideTKAR) << i;
    // Channel 0 by record; entry 1 produces a channel with the data of entry 1; entry 2
    // is empty (channel 2's record is not read); entry 3 takes the data of entry 2.
    EXPECT_EQ(p.NombreRecords, 1);
    ASSERT_EQ(p.MotsParScan, 3);
    EXPECT_EQ(Mot(f, p, 1, 0), 0x0A0A);
    EXPECT_EQ(Mot(f, p, 1, 1), 0x1111);
    EXPECT_EQ(Mot(f, p, 1, 2), 0x2222);
    EXPECT_EQ(Lire<uint16_t>(f, 28), 0x000D); // bits from the channel numbers, as given

    // TKOS below revision 4 writes the small block.
    e.Famille = FamilleTKOS;
    e.RevisionVoies = 3;
    e.BlocSup = std::vector<EntreeSup>{};
    Construire(e, &p);
    EXPECT_EQ(p.DebutVoies - p.DebutBlocSup, 900);
    e.RevisionVoies = 4;
    Construire(e, &p);
    EXPECT_EQ(p.DebutVoies - p.DebutBlocSup, 2232);
}

// Records and frame words follow the header reader's rules: family limits, the QUILL
// model's cleared presence bits, computed channels without words.
TEST(RecMaker, ReaderRulesDecideRecordsAndWords) {
    struct Cas {
        const char* Nom;
        FamilleREC Famille;
        std::string Modele;
        std::vector<int> Numeros;
        int Records, Analog;
    } cas[] = {
        {"TKAR: 36..41 computed, 42 and above never read",
         FamilleTKAR,
         "TKAR",
         {0, 35, 36, 41, 42, 60},
         4,
         2},
        {"TKOS: 72..95 computed, 96 never read", FamilleTKOS, "TKOS", {0, 71, 72, 95, 96}, 4, 2},
        {"VEL: 204..243 computed", FamilleVEL, "VEL", {0, 203, 204, 243}, 4, 2},
        // After the first record, bits 32..223 are cleared: 33 and 100 are not read.
        {"VEL QUILL", FamilleVEL, "XQUILL", {0, 31, 33, 100, 224}, 3, 2},
        {"VEL QUILL, first record above 31", FamilleVEL, "QUILL", {40, 100, 230}, 2, 0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.Nom);
        Enregistrement e;
        e.Famille = c.Famille;
        e.Modele = c.Modele;
        e.NombreScans = 2;
        for (int n : c.Numeros) e.Voies.push_back(Analog(n, Constant(static_cast<uint16_t>(n))));
        Plan p;
        const std::vector<uint8_t> f = Construire(e, &p);
        EXPECT_EQ(p.NombreRecords, c.Records);
        EXPECT_EQ(p.NombreVoiesAnalog, c.Analog);
        EXPECT_EQ(p.MotsParScan, c.Analog);
        EXPECT_EQ(p.DebutDonnees - p.DebutVoies, 72 * c.Records + (p.DebutScripts >= 0 ? 96000 : 0));
        if (c.Analog > 1) {
            EXPECT_EQ(Mot(f, p, 1, 1), c.Numeros[1]);
        }
    }

    // A scaled computed channel that the reader drops still has its record in the file.
    Enregistrement e;
    e.RevisionVoies = 3;
    e.Voies = {Analog(0, {}), Calcul(36)};
    e.Voies[1].TypeConversion = 1;
    Plan p;
    Construire(e, &p);
    EXPECT_EQ(p.NombreRecords, 2);
    EXPECT_EQ(p.MotsParScan, 1);
}

// Annotation area at the end of the file: old records, then the 152-byte records.
TEST(RecMaker, AnnotationArea) {
    Enregistrement e;
    e.NombreScans = 5;
    e.Voies = {Analog(0, Constant(7))};
    e.AnnotationsAnciennes = {{10, "ancienne"}, {20, std::string(40, 'x')}};
    AnnotationNouvelle n;
    n.PositionMot = 0x123456789LL;
    n.Genre = GenreTitre;
    n.Couleur = 0x00ABCDEF;
    n.Hauteur = -5;
    n.Verticale = 1;
    n.Texte = "titre";
    e.AnnotationsNouvelles = {n, n, n};
    Plan p;
    const std::vector<uint8_t> f = Construire(e, &p);
    EXPECT_EQ(Lire<uint16_t>(f, 38), 2 * 44 + 3 * 152);
    EXPECT_EQ(p.DebutAnnotations, static_cast<int64_t>(f.size()) - (2 * 44 + 3 * 152));
    const int64_t a = p.DebutAnnotations;
    EXPECT_EQ(Lire<int64_t>(f, a), 10);
    EXPECT_EQ(Lire<int32_t>(f, a + 8), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(f.data() + a + 12)), "ancienne");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(f.data() + a + 44 + 12), 32), std::string(32, 'x'));
    const int64_t r = a + 88 + 152 * 2;
    EXPECT_EQ(Lire<int64_t>(f, r), 0x123456789LL);
    EXPECT_EQ(Lire<int32_t>(f, r + 8), GenreTitre);
    EXPECT_EQ(Lire<int32_t>(f, r + 12), 0x00ABCDEF);
    EXPECT_EQ(Lire<int32_t>(f, r + 16), 0);
    EXPECT_EQ(Lire<int16_t>(f, r + 20), -5);
    EXPECT_EQ(f[static_cast<size_t>(r + 22)], 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(f.data() + r + 23)), "titre");
    EXPECT_EQ(Lire<int32_t>(f, r + 148), 0);
}

// TKAR checksum: low 16 bits of the byte sum of everything after the fixed header.
TEST(RecMaker, TkarChecksumByHand) {
    Voie v;
    v.Nom = "A"; // the record's only non-zero byte: 65
    v.Unite = "";
    v.Gain = 0.f;
    v.Etendue = 0.f;
    v.Donnees = Constant(0x0102); // 1 + 2 per scan
    Enregistrement e;
    e.Checksum = true;
    e.Voies = {v};
    e.NombreScans = 3;
    e.AnnotationsAnciennes = {{7, "B"}}; // 7 + 66
    std::vector<uint8_t> f = Construire(e);
    EXPECT_EQ(Lire<int16_t>(f, 0), SignatureTKARChecksum);
    EXPECT_EQ(Lire<uint16_t>(f, 36), 65 + 3 * 3 + 7 + 66);

    e.ChecksumDecalage = -1;
    EXPECT_EQ(Lire<uint16_t>(Construire(e), 36), 65 + 3 * 3 + 7 + 66 - 1);

    // The sum wraps at 16 bits.
    e.ChecksumDecalage = 0;
    e.AnnotationsAnciennes.clear();
    e.Voies[0].Donnees = Constant(0xFFFF);
    e.NombreScans = 300;
    f = Construire(e);
    EXPECT_EQ(Lire<uint16_t>(f, 36), (65 + 300 * 510) % 65536);

    // Without a checksum the plain signature is written and the field holds only the offset.
    e.Checksum = false;
    e.ChecksumDecalage = 5;
    f = Construire(e);
    EXPECT_EQ(Lire<int16_t>(f, 0), SignatureTKAR);
    EXPECT_EQ(Lire<uint16_t>(f, 36), 5);
}

// The streaming writer gives the bytes of Construire, over several blocks, with the
// checksum, and for the demonstration recordings.
TEST(RecMaker, StreamingWriterGivesTheSameBytes) {
    Enregistrement grand;
    grand.Checksum = true;
    grand.NombreScans = 100003; // several write blocks
    for (int k = 0; k < 16; ++k) {
        Signal s = k % 4 == 0   ? Sinus(32768, 30000, 1000 + k)
                   : k % 4 == 1 ? Rampe(static_cast<uint16_t>(k), k)
                   : k % 4 == 2 ? Carre(1, 2, 17)
                                : Signal([k](int64_t scan) { return static_cast<uint16_t>(scan ^ k); });
        grand.Voies.push_back(Analog(k, s));
    }
    grand.Logique = true;
    grand.DonneesLogiques = Rampe(0, 1);
    grand.AnnotationsAnciennes = {{5, "a"}};

    const Enregistrement cas[] = {grand, ExempleTKAR(), ExempleTKOS(), ExempleTKOSSup(), ExempleVEL()};
    for (const Enregistrement& e : cas) {
        SCOPED_TRACE(e.Modele);
        const std::string chemin = Temporaire("flux.rec");
        Plan p, q;
        const std::vector<uint8_t> attendu = Construire(e, &p);
        ASSERT_TRUE(EcrireEnFlux(e, chemin));
        EXPECT_TRUE(LireFichier(chemin) == attendu);
        ASSERT_TRUE(Ecrire(e, chemin, &q));
        EXPECT_TRUE(LireFichier(chemin) == attendu);
        EXPECT_EQ(q.DebutDonnees, p.DebutDonnees);
        EXPECT_EQ(q.Taille, static_cast<int64_t>(attendu.size()));
        std::filesystem::remove(chemin);
    }
}

TEST(RecMaker, WriteFailuresAreReported) {
    Enregistrement e = ExempleTKAR();
    EXPECT_FALSE(Ecrire(e, "/nonexistent-folder/x.rec"));
    if (std::filesystem::is_character_file("/dev/full")) {
        EXPECT_FALSE(EcrireEnFlux(e, "/dev/full"));
        e.NombreScans = 1; // small enough to fail only when the file is closed
        EXPECT_FALSE(Ecrire(e, "/dev/full"));
        EXPECT_TRUE(std::filesystem::exists("/dev/full"));
    }
}
