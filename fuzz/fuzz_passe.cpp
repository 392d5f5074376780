// The display pass over a recording made by the recording maker from the
// input. The leading bytes choose the family, the channels, the logic word, a
// supplementary (signed) channel, the checksum, the annotation area, the size
// of the sample zone, under-sampling, a few header bytes to overwrite, and the
// view window; the rest of the input is tiled over the sample zone.
//
// The pass then runs as the graph runs it: the opening (without its dialog),
// a first full view when asked (it builds the fast pass's pyramid and checks
// the data checksum), the chosen window, and the conversion of the table to
// physical values. Every view is held to a plain model of the pass over the
// file's bytes (ModelePasse.h); when the fast pass took part, the same sequence
// runs again on the page-by-page pass, and all tables agree word for word.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "EntreePasse.h"
#include "EtatCoeur.h"
#include "FuzzCommun.h"
#include "ModelePasse.h"
#include "config/Coherence.h"
#include "graph/DonneesGraphe.h"
#include "graph/GlobauxGraphe.h"
#include "math/ValeursPhysiques.h"
#include "recmaker/RecMaker.h"
#include "recording/OuvreREC.h"
#include "recording/SousEchantillonnage.h"

namespace {

// Words of the sample zone at most: keeps one run well inside a second.
constexpr int64_t MotsMax = int64_t{1} << 17;

struct Parametres {
    recmaker::Enregistrement Rec;
    std::vector<std::pair<uint16_t, uint8_t>> Retouches; // header byte offset, new value
    bool VueEntiere = false;
    bool Coherence = false;
    bool SousEchantillonnage = false;
    float Ratio = 0.f;
    tSetup Fenetre{0.0, 1.0};
};

double Fraction(uint32_t x) {
    return static_cast<double>(x) / 4294967295.0;
}

Parametres Lire(const uint8_t* octets, size_t taille, std::vector<uint8_t>& donnees) {
    tEntreePasse entree{};
    std::memcpy(&entree, octets, std::min(taille, sizeof entree));
    Parametres p;
    recmaker::Enregistrement& e = p.Rec;
    const uint8_t choix = entree.Choix;
    const int famille = choix & 3;
    e.Famille = famille == 1 ? FamilleTKOS : famille == 2 ? FamilleVEL : FamilleTKAR;
    e.Checksum = famille == 3;
    e.ChecksumDecalage = (choix & ChoixChecksumFaux) != 0 ? 1 : 0;
    e.Logique = (choix & ChoixLogique) != 0;
    const bool supplementaire = (choix & ChoixSupplementaire) != 0;
    p.SousEchantillonnage = (choix & ChoixSousEchantillon) != 0;
    p.VueEntiere = (choix & ChoixVueEntiere) != 0;
    e.Modele = e.Famille == FamilleTKAR ? "TKAR" : e.Famille == FamilleTKOS ? "TKOS" : "VEL";
    e.RevisionVoies = 3;
    e.Revision = 3;

    p.Coherence = (entree.Options & OptionCoherence) != 0;
    e.PeriodeUs =
        (entree.Options & OptionHorlogeExterne) != 0 ? 0.f : static_cast<float>(1 + (entree.Options >> 2));
    e.PreTrig = entree.PreTrig;
    p.Ratio = static_cast<float>(entree.Ratio) / 4.f;

    // Channels: each set bit of the mask is a recorded analog channel number.
    const uint32_t masque = entree.Masque;
    for (int n = 0; n < 32; ++n) {
        if ((masque & (1u << n)) == 0) continue;
        recmaker::Voie v;
        v.Numero = n;
        v.Nom = "V" + std::to_string(n);
        v.Gain = static_cast<float>(n + 1) / 1000.f;
        v.Decalage = 32768.f;
        v.TypeConversion = static_cast<uint8_t>(n % 9);
        e.Voies.push_back(std::move(v));
    }
    if (supplementaire) {
        const int ordinaire = e.Famille == FamilleTKAR   ? TypeSupOrdinaireTKAR
                              : e.Famille == FamilleTKOS ? TypeSupOrdinaireTKOS
                                                         : TypeSupOrdinaireVEL;
        // Entry 0 is a signed channel of its own; the next entries stand for the
        // ordinary records of the first channel numbers.
        std::vector<recmaker::EntreeSup> bloc(1);
        bloc[0].Type = 1;
        bloc[0].Nom = "Sup";
        bloc[0].Unite = (masque & 1) != 0 ? "KV" : "V";
        for (int n = 1; n < 8; ++n) {
            recmaker::EntreeSup s;
            s.Type = ordinaire;
            bloc.push_back(s);
        }
        e.BlocSup = std::move(bloc);
    }

    // The sample zone: a mantissa and a power of two, so that small and large
    // zones are both common; at most MotsMax words.
    const int64_t scans = static_cast<int64_t>(entree.Zone & 0xFF) << ((entree.Zone >> 8) & 15);
    const int64_t mots = std::max<int64_t>(1, static_cast<int64_t>(e.Voies.size()) +
                                                  (supplementaire ? 1 : 0) + (e.Logique ? 1 : 0));
    e.NombreScans = std::min(scans, MotsMax / mots);

    for (int i = 0; i < entree.NombreRetouches % 4; ++i) {
        const uint16_t position = entree.Retouches[i].Position; // packed fields: copied, not bound
        const uint8_t valeur = entree.Retouches[i].Valeur;
        p.Retouches.emplace_back(position, valeur);
    }

    p.Fenetre.DebutFenetre = Fraction(entree.Debut);
    p.Fenetre.LargeurFenetre = Fraction(entree.Largeur);

    if (taille > sizeof entree) donnees.assign(octets + sizeof entree, octets + taille);
    if (donnees.size() < 2) donnees = {0x34, 0x12, 0xFF, 0x7F};

    // Word k of scan s is taken from the input, tiled.
    const auto* d = &donnees;
    const int64_t largeur = mots;
    auto mot = [d, largeur](int k) {
        return [d, largeur, k](int64_t s) {
            const size_t taille = d->size() / 2;
            const size_t i = static_cast<size_t>((s * largeur + k) % static_cast<int64_t>(taille));
            return static_cast<uint16_t>((*d)[2 * i] | ((*d)[2 * i + 1] << 8));
        };
    };
    int k = 0;
    if (supplementaire) (*e.BlocSup)[0].Donnees = mot(k++);
    for (auto& v : e.Voies) v.Donnees = mot(k++);
    if (e.Logique) {
        e.NomsLogiques = {"L0", "L1", "L2"};
        e.DonneesLogiques = mot(k++);
    }
    if ((choix & ChoixAnnotations) != 0) {
        e.AnnotationsNouvelles = {
            recmaker::AnnotationNouvelle{.PositionMot = 0, .Texte = "debut"},
            recmaker::AnnotationNouvelle{.PositionMot = 10, .Genre = 2, .Texte = "titre"}};
        if (e.Famille == FamilleTKAR) e.AnnotationsAnciennes = {{4, "ancienne"}};
    }
    return p;
}

// A display object as constructed: every field a pass reads before writing it,
// back to its initial value. The two objects live for the whole process
// (building one maps 5 MB afresh, which would cost far more than a pass) and
// start every run from this state, so runs do not depend on each other.
void Neuf(DonneesGraphe& g, bool reference, const QString& chemin) {
    g.FermerFichier(); // the pyramid goes with it
    g.RemplacerLecture(nullptr, nullptr);
    g.PasseReference = reference;
    g.CheminDonnees = chemin;
    const size_t cases = static_cast<size_t>(NombreColonnesTable) * NombreSlotsColonne;
    std::memset(g.TabCyclique.get(), 0, cases * sizeof(uint16_t));
    std::memset(g.TabFlottant.get(), 0, cases * sizeof(double));
    std::memset(g.TabFichierLecture.get(), 0, OctetsParPage + MargePage);
    g.PointeurCyclique.store(0);
    g.CalculTerminer.store(CalculAucun);
    g.ArretDemander.store(0);
    g.Progression.store(0.0);
    g.TabEntGraphe.fill(0);
    g.TabMinGraphe.fill(0);
    g.TabMaxGraphe.fill(0);
    g.DernPenteGraphe.fill(0);
    g.ValGraLogDebGraphe = g.ValGraLogOrGraphe = 0;
    g.DepartTracer = g.LongueurAcquisition = g.CompteurDansFichier = 0;
    g.TempsTotal = g.DebutTemps = 0.0;
    g.VraiPageFichier = g.PositionDansleFichier = -1;
    g.Checksum = 0;
    g.CompteurGraphique = 0;
    g.ValeurCyclique.fill(0);
    g.VraiLongueurCyc = 0;
    g.Abscisse_Dep = g.Abscisse_Fin = 0;
}

// The first difference between two tables, reported before the run fails.
void Comparer(const uint16_t* a, const uint16_t* b, const char* quoi) {
    const size_t mots = static_cast<size_t>(NombreColonnesTable) * NombreSlotsColonne;
    if (std::memcmp(a, b, mots * sizeof(uint16_t)) == 0) return;
    for (size_t i = 0; i < mots; ++i)
        if (a[i] != b[i]) {
            std::fprintf(stderr, "%s: column %zu slot %zu: %u against %u\n", quoi, i / NombreSlotsColonne,
                         i % NombreSlotsColonne, a[i], b[i]);
            break;
        }
    std::abort();
}

// One display object through the sequence of views; its table is left in it.
// Each view is checked against the model when one is given. True when a pass
// took the fast path.
bool Passes(DonneesGraphe& g, const Parametres& p, uint8_t checksumVerifie, modele_passe::Reference* modele) {
    EnteteF.ChecksumVerifie = checksumVerifie;
    decimator.store(0);
    sousEchantillonageEnabled.store(p.SousEchantillonnage);
    underSamplingRatio.store(p.Ratio);
    bool rapide = false;
    auto vue = [&] {
        g.CALCUL_GRAPH_FT_MEM();
        if (g.CalculTerminer.load() != CalculFini && g.CalculTerminer.load() != CalculChecksumFaux)
            std::abort();
        if (g.PointeurCyclique.load() != NombreColonnesAffichage) std::abort(); // nothing stops it
        rapide = rapide || g.DernierePasseRapide;
        if (modele == nullptr) return;
        modele->SousEch = p.SousEchantillonnage;
        modele->Ratio = p.Ratio;
        modele->Passe(Setup);
        Comparer(g.TabCyclique.get(), modele->Table.data(),
                 g.DernierePasseRapide ? "fast pass / model" : "page pass / model");
        if (decimator.load() != modele->Decim) {
            std::fprintf(stderr, "under-sampling counter %d, model %d\n", decimator.load(), modele->Decim);
            std::abort();
        }
    };
    if (p.VueEntiere) {
        Setup = {0.0, 1.0};
        vue();
    }
    Setup = p.Fenetre;
    if (p.Coherence) COHER_SETUP();
    vue();
    return rapide;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
    static fuzz::FichierMemoire fichier("fuzz_passe.rec");
    fuzz::BOITES_DU_PASSAGE();
    RESET_ETAT_COEUR();
    RESET_GLOBAUX_GRAPHE();

    std::vector<uint8_t> donnees;
    const Parametres p = Lire(octets, taille, donnees);
    recmaker::Plan plan;
    std::vector<uint8_t> rec = recmaker::Construire(p.Rec, &plan);
    for (const auto& [position, valeur] : p.Retouches)
        if (position < plan.DebutDonnees) rec[position] = valeur;
    fichier.Ecrire(rec.data(), rec.size());

    OuvreREC ouvre(&EnteteF);
    ouvre.VraiNomFichier = fichier.Chemin();
    if (ouvre.OUVRIR_REC(1) != LectureOK) return 0;
    const uint8_t checksumVerifie = EnteteF.ChecksumVerifie;

    static DonneesGraphe rapide(&EnteteF, &Setup), reference(&EnteteF, &Setup);
    modele_passe::Reference modele;
    modele.Octets = rec;
    Neuf(rapide, false, fichier.Chemin());
    const bool rapideUtilise = Passes(rapide, p, checksumVerifie, &modele);
    RECUP_AVEC_FONCTION(rapide.TabCyclique.get(), rapide.TabFlottant.get());
    // The page-by-page pass of the same sequence gives the same table and the
    // same outcome (the checksum verdict included). When the fast path never
    // applied, the first object already took the page path.
    if (rapideUtilise) {
        Neuf(reference, true, fichier.Chemin());
        Passes(reference, p, checksumVerifie, nullptr);
        Comparer(rapide.TabCyclique.get(), reference.TabCyclique.get(), "fast pass / page pass");
        if (rapide.CalculTerminer.load() != reference.CalculTerminer.load()) {
            std::fprintf(stderr, "outcome: fast pass %u, page pass %u\n", rapide.CalculTerminer.load(),
                         reference.CalculTerminer.load());
            std::abort();
        }
    }
    rapide.FermerFichier();
    reference.FermerFichier();
    return 0;
}
