// Writes the seed corpora of the fuzz targets: `fuzz_corpus <dir>` fills
// <dir>/fuzz_entete, <dir>/fuzz_configuration, <dir>/fuzz_script and
// <dir>/fuzz_passe. Every seed is made here, by the recording maker and by the
// program's own configuration saver, so nothing binary lives in the sources.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "EntreePasse.h"
#include "config/Coherence.h"
#include "config/Config.h"
#include "config/ConfigAncienne.h"
#include "config/Defauts.h"
#include "config/FichierConfig.h"
#include "recmaker/RecMaker.h"
#include "recording/FormatREC.h"

namespace fs = std::filesystem;

namespace {

bool Ecrire(const fs::path& chemin, const std::vector<uint8_t>& octets) {
    std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(octets.data()), static_cast<std::streamsize>(octets.size()));
    return static_cast<bool>(f);
}

bool Ecrire(const fs::path& chemin, const std::string& texte) {
    return Ecrire(chemin, std::vector<uint8_t>(texte.begin(), texte.end()));
}

// ---- Recordings -------------------------------------------------------------

// Keeps seeds small: the examples with fewer scans (their annotations stay).
recmaker::Enregistrement Court(recmaker::Enregistrement e, int64_t scans = 48) {
    e.NombreScans = scans;
    return e;
}

recmaker::Enregistrement SansAnnotations(recmaker::Enregistrement e) {
    e.AnnotationsAnciennes.clear();
    e.AnnotationsNouvelles.clear();
    return e;
}

recmaker::Enregistrement Simple(FamilleREC famille, int voies, bool logique) {
    recmaker::Enregistrement e;
    e.Famille = famille;
    e.Modele = famille == FamilleTKAR ? "TKAR" : famille == FamilleTKOS ? "TKOS" : "VEL";
    e.NombreScans = 32;
    e.RevisionVoies = 1; // no script area: small seeds
    for (int n = 0; n < voies; ++n)
        e.Voies.push_back(recmaker::Voie{.Numero = n * 2,
                                         .Nom = "C" + std::to_string(n),
                                         .Donnees = recmaker::Rampe(static_cast<uint16_t>(n * 1000), 7)});
    e.Logique = logique;
    if (logique) e.NomsLogiques = {"A", "B"};
    return e;
}

bool Entetes(const fs::path& dossier) {
    std::vector<std::pair<std::string, recmaker::Enregistrement>> recs = {
        {"tkar_exemple", Court(recmaker::ExempleTKAR())},
        {"tkos_exemple", Court(recmaker::ExempleTKOS())},
        {"tkos_bloc", Court(recmaker::ExempleTKOSSup())},
        {"vel_exemple", Court(recmaker::ExempleVEL())},
        {"tkar_nu", SansAnnotations(Court(recmaker::ExempleTKAR()))},
        {"tkos_nu", SansAnnotations(Court(recmaker::ExempleTKOS()))},
        {"vel_nu", SansAnnotations(Court(recmaker::ExempleVEL()))},
        {"tkar_simple", Simple(FamilleTKAR, 2, false)},
        {"tkos_simple", Simple(FamilleTKOS, 3, true)},
        {"vel_simple", Simple(FamilleVEL, 1, true)},
        {"logique_seule", Simple(FamilleTKAR, 0, true)},
    };
    recmaker::Enregistrement quill = Simple(FamilleVEL, 3, false);
    quill.Modele = "QUILL 4";
    recs.emplace_back("vel_quill", quill);
    recmaker::Enregistrement externe = Simple(FamilleTKOS, 2, false);
    externe.PeriodeUs = 0.f;
    externe.RevisionVoies = 2; // small block generation, script area present
    recs.emplace_back("tkos_externe", externe);
    recmaker::Enregistrement date = Simple(FamilleTKOS, 1, false);
    date.Jour = 0; // no such date: the default date
    date.Millisecondes = 1000;
    recs.emplace_back("tkos_date", date);

    bool ok = true;
    for (const auto& [nom, rec] : recs) {
        const std::vector<uint8_t> octets = recmaker::Construire(rec);
        ok = Ecrire(dossier / (nom + ".rec"), octets) && ok;
    }
    // Cut and odd sizes: inside the fixed header, inside the channel records,
    // a trailing partial frame.
    recmaker::Plan plan;
    const std::vector<uint8_t> tkar = recmaker::Construire(Simple(FamilleTKAR, 2, true), &plan);
    const size_t coupes[] = {1, 30, static_cast<size_t>(plan.DebutVoies) + 40,
                             static_cast<size_t>(plan.DebutDonnees)};
    for (const size_t c : coupes)
        ok = Ecrire(dossier / ("tkar_coupe_" + std::to_string(c) + ".rec"),
                    std::vector<uint8_t>(tkar.begin(), tkar.begin() + static_cast<std::ptrdiff_t>(c))) &&
             ok;
    std::vector<uint8_t> impair = tkar;
    impair.push_back(0x5A);
    ok = Ecrire(dossier / "tkar_impair.rec", impair) && ok;
    return ok;
}

// ---- Configurations ----------------------------------------------------------

// An older layout holding the same fields as Config, channel arrays cut short.
template <class Ancien> std::vector<uint8_t> Ancienne(uint8_t version) {
    Ancien a{};
    constexpr int n = Ancien::NombreVoies;
    a.VersionConfig = version;
    a.CouleurFond = Config.CouleurFond;
    a.CouleurReticule = Config.CouleurReticule;
    a.CouleurCurseur = Config.CouleurCurseur;
    std::memcpy(a.CouleurVoie, Config.CouleurVoie, sizeof a.CouleurVoie);
    std::memcpy(a.CouleurVoieLogique, Config.CouleurVoieLogique, sizeof a.CouleurVoieLogique);
    std::memcpy(a.EpaisseurVoie, Config.EpaisseurVoie, n);
    a.NbEcran = Config.ReticEcran.NbEcran;
    std::memcpy(a.HautEcran, Config.ReticEcran.HautEcran, n);
    std::memcpy(a.BasEcran, Config.ReticEcran.BasEcran, n);
    std::memcpy(a.NbDivEcran, Config.ReticEcran.NbDivEcran, n);
    std::memcpy(a.EcranVoie, Config.ReticEcran.EcranVoie, n);
    std::memcpy(a.ParamVoie, Config.ParamVoie, sizeof a.ParamVoie);
    a.PoliceNom = Config.PoliceNom;
    a.PoliceBaseDeTemps = Config.PoliceBaseDeTemps;
    a.PoliceReserve = Config.PoliceReserve;
    a.CouleurPoliceNom = Config.CouleurPoliceNom;
    a.TypeCalibre = Config.TypeCalibre;
    std::memcpy(a.TabFonction, Config.TabFonction, sizeof a.TabFonction);
    a.LongueurExport = Config.LongueurExport;
    a.MasqueVoiesLogiques = Config.MasqueVoiesLogiques;
    std::memcpy(a.TexteAnnotation, Config.TexteAnnotation, sizeof a.TexteAnnotation);
    a.CouleurAnnotation = Config.CouleurAnnotation;
    a.CalculValide = Config.CalculValide;
    a.NombreCalcul = Config.NombreCalcul;
    std::memcpy(a.TabCalcul, Config.TabCalcul, sizeof a.TabCalcul);
    std::vector<uint8_t> octets(sizeof a);
    std::memcpy(octets.data(), &a, sizeof a);
    return octets;
}

std::vector<uint8_t> Lire(const fs::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

bool Configurations(const fs::path& dossier) {
    bool ok = true;
    auto sauver = [&](const char* nom) {
        ok = ECRIRE_CONFIGURATION(QString::fromStdString((dossier / nom).string())) == ResultatConfigOk && ok;
    };
    INIT_CONFIG();
    sauver("defauts.spt");

    // Four screens, ranges of the user, a graticule file, measurements on.
    Config.TypeCalibre = 0;
    Config.ReticEcran.NbEcran = 4;
    for (int n = 0; n < 8; ++n) {
        Config.ReticEcran.EcranVoie[n] = static_cast<uint8_t>(1 + n % 4);
        Config.ParamVoie[n].BorneMin = -10.f * static_cast<float>(n + 1);
        Config.ParamVoie[n].BorneMax = 10.f * static_cast<float>(n + 1);
    }
    Config.ReticulePerso = 1;
    std::snprintf(Config.FichierReticulePerso, sizeof Config.FichierReticulePerso, "%s", "/tmp/grille.png");
    std::snprintf(Config.TexteAnnotation, sizeof Config.TexteAnnotation, "%s", "Essai \xE9t\xE9");
    Config.CalculValide = 1;
    Config.NombreCalcul = 3;
    for (int k = 0; k < 3; ++k) {
        Config.TabCalcul[k][0] = static_cast<uint8_t>(k);
        Config.TabCalcul[k][1] = static_cast<uint8_t>(k + 1);
    }
    COHERENCE_CONFIGURATION();
    sauver("ecrans.spt");

    // Logic band at the bottom, function channels, fixed export format.
    Config.PositionVoiesLogiques = 1;
    Config.HauteurVoiesLogiques = 60;
    Config.MasqueVoiesLogiques = 0x00F0;
    Config.TabFonction[0] = tFonctionConfig{2.f, 1.f, 0.5f, 0, 1, 3, "Rapport", "%"};
    Config.FormatExportFixe = 1;
    COHERENCE_CONFIGURATION();
    sauver("fonctions.spt");

    ok = Ecrire(dossier / "v115.spt", Ancienne<tConfig_V19>(VersionConfigV19)) && ok;
    ok = Ecrire(dossier / "v119.spt", Ancienne<tConfig_TKOS>(VersionConfigTKOS)) && ok;

    // A saved image cut short, and one a byte too long: both are bad files.
    std::vector<uint8_t> image = Lire(dossier / "defauts.spt");
    if (image.size() == sizeof(tConfig)) {
        ok = Ecrire(dossier / "courte.spt", std::vector<uint8_t>(image.begin(), image.end() - 1)) && ok;
        image.push_back(0);
        ok = Ecrire(dossier / "longue.spt", image) && ok;
    } else {
        ok = false;
    }
    INIT_CONFIG();
    return ok;
}

// ---- Scripts -----------------------------------------------------------------

// First byte: bit 0 the recording (0 TKOS, 1 VEL), bits 1-2 the rows run.
bool Scripts(const fs::path& dossier) {
    std::vector<std::string> textes;
    // The scripts the example recordings carry.
    for (const recmaker::Enregistrement& e : {recmaker::ExempleTKOS(), recmaker::ExempleVEL()})
        for (const auto& [slot, lignes] : e.Scripts) {
            std::string t;
            for (const std::string& l : lignes) t += l + "\n";
            textes.push_back(t);
        }
    const char* autres[] = {
        "function = 'Pression' / 'Capteur A';",
        "var x = 3; var y = 2; function = x/y; // a/b\n/* c/d */ function = function / 2;",
        "function = 'D/bit' + 'l'eau' * 'Temp\xE9rature';",
        "if ('Pression' > 1) function = 1; else function = -1;",
        "var s = 0; for (int i = 0; i < 100; i++) s += i; function = s;",
        "while (true) {}",
        "function = sqrt(abs('Pression')) + exp(1) + pow(2, 3) + cos(0);",
        "function = V0 / 0; V1 = 5;",
        "function = inconnu;",
        "var a; function = a;",
        "int f(int n) { return n < 1 ? 0 : f(n - 1) + 1; } function = f(10);",
        "function = (",
        // Found by fuzzing: the engine's compiler aborted on a handle of a value.
        "@V0/2;",
        "function = V0 - @function / 2; // @",
    };
    textes.insert(textes.end(), std::begin(autres), std::end(autres));
    // Deep nesting and a line of divisions, each filling a whole line.
    textes.push_back("function = " + std::string(90, '(') + "'Pression'" + std::string(90, ')') + ";");
    std::string divisions = "function = 1";
    while (divisions.size() < 190) divisions += "/'Pression'";
    textes.push_back(divisions + ";");
    bool ok = true;
    int i = 0;
    for (const std::string& t : textes) {
        for (const char choix : {'\x06', '\x03'}) // TKOS with 3 rows, VEL with 1
            ok =
                Ecrire(dossier / ("script_" + std::to_string(i++) + ".txt"), std::string(1, choix) + t) && ok;
    }
    return ok;
}

// ---- Display passes ------------------------------------------------------------

std::vector<uint8_t> Passe(tEntreePasse entree, int octetsDonnees) {
    std::vector<uint8_t> octets(sizeof entree);
    std::memcpy(octets.data(), &entree, sizeof entree);
    for (int i = 0; i < octetsDonnees; ++i) octets.push_back(static_cast<uint8_t>((i * 37 + i / 5) & 0xFF));
    return octets;
}

bool Passes(const fs::path& dossier) {
    constexpr uint32_t Entier = 0xFFFFFFFFu, Moitie = 0x80000000u, Dixieme = 0x1999999Au;
    const tEntreePasse entrees[] = {
        // family and flags, options, pre-trigger, ratio, channels, zone, retouches, window
        {0, 4, 0, 0, 0x0000000F, 0x0A40, 0, {}, 0, Entier}, // TKAR, 4 channels, full view
        {ChoixLogique | ChoixVueEntiere, 8, 10, 0, 0x00000005, 0x0C80, 0, {}, Dixieme, Dixieme}, // zoomed
                                                                                                 // after full
        {3 | ChoixAnnotations, 4, 0, 0, 0x00000003, 0x0BFF, 0, {}, 0, Entier}, // checksum verified
        {3 | ChoixChecksumFaux | ChoixLogique, 4, 0, 0, 0x00000001, 0x0BFF, 0, {}, 0, Entier}, // wrong
                                                                                               // checksum
        {1 | ChoixSupplementaire, 4, 0, 0, 0x0000001E, 0x0A40, 0, {}, Moitie, Moitie}, // TKOS, signed channel
        {2 | ChoixLogique | ChoixAnnotations, 6, 3, 0, 0x000000FF, 0x0980, 0, {}, 0, Moitie}, // VEL, 8
                                                                                              // channels
        {ChoixSousEchantillon, 4, 0, 10, 0x00000003, 0x0C40, 0, {}, 0, Entier}, // under-sampled by 2.5
        {1 | ChoixSousEchantillon | ChoixVueEntiere, 1, 0, 28, 0x00000001, 0x0D20, 0, {}, Dixieme, Moitie},
        {0, 4, 0, 0, 0x00000001, 0x0020, 0, {}, 0, Entier},                    // 32 scans: spread out
        {2, 4, 0, 0, 0x00000007, 0x0050, 0, {}, Moitie, Dixieme},              // a few scans zoomed
        {0, OptionHorlogeExterne, 0, 0, 0xFFFFFFFF, 0x0A10, 0, {}, 0, Entier}, // 32 channels
        {2, 4, 0, 0, 0x00000003, 0x0B40, 1, {{64, 0xF1}}, 0, Entier},          // odd data offset
        {1, 4, 0, 0, 0x00000003, 0x0B40, 1, {{48, 0xE1}}, Moitie, Moitie},     // odd data offset
        {ChoixLogique, 4, 0, 0, 0x00000000, 0x0C80, 0, {}, 0, Entier},         // logic word only
        {0, OptionCoherence, 0, 0, 0x00000001, 0x0C80, 0, {}, Entier, Entier}, // window past the end
    };
    bool ok = true;
    int i = 0;
    for (const tEntreePasse& e : entrees) {
        ok = Ecrire(dossier / ("passe_" + std::to_string(i) + ".bin"), Passe(e, 64 + 13 * i)) && ok;
        ++i;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_corpus <folder>\n");
        return 2;
    }
    const fs::path racine(argv[1]);
    struct {
        const char* Nom;
        bool (*Ecrire)(const fs::path&);
    } const cibles[] = {{"fuzz_entete", Entetes},
                        {"fuzz_configuration", Configurations},
                        {"fuzz_script", Scripts},
                        {"fuzz_passe", Passes}};
    bool ok = true;
    for (const auto& c : cibles) {
        std::error_code erreur;
        const fs::path dossier = racine / c.Nom;
        fs::create_directories(dossier, erreur);
        if (erreur || !c.Ecrire(dossier)) {
            std::fprintf(stderr, "fuzz_corpus: cannot write %s\n", dossier.string().c_str());
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
