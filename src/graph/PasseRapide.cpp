// The fast reduction: the same table as the page-by-page pass, with vectorised
// run summaries, both cores, and the pyramid of the open recording. It applies to reductions without
// under-sampling and without a read replacement, over a window whose scans all lie in the file; any other
// pass takes the page path.
//
// Each thread reads the scans it folds with positioned reads into its own buffer
// of about OctetsLecture bytes, which stays in the core's cache while the kernel
// folds it. (A mapping of the file was measured slower on virtual machines,
// where first touches and TLB misses of a large mapping cost much more than a
// copy.)
//
// Columns 1..1000 are summarised independently (half of them on a second
// thread), then closed in order from the value the previous column carried,
// which gives exactly the scan-by-scan extremes. Both threads look at the stop
// request and the export flag between blocks of 256 scans or between columns.
//
// Holes of the file (TrousFichier.h) are not read: scans lying wholly in one are
// zero words, whose summary is known. So a sparse file announcing billions of
// scans costs what it stores, and the pyramid stays within its budget.
#include <algorithm>
#include <atomic>
#include <thread>

#include "graph/DonneesGraphe.h"
#include "graph/EtatPasseRapide.h"
#include "graph/GlobauxGraphe.h"
#include "graph/TrousFichier.h"

namespace {

// travail(1) on a second thread while travail(0) runs on this one.
template <class F> void EnDeux(F&& travail) {
    std::thread second([&travail] { travail(1); });
    travail(0);
    second.join();
}

constexpr int64_t OctetsLectureMin = 4096;
constexpr int64_t MargeLecture = 512; // past a scan's start, the widest vector loads reach less than this

// Summary of any run of scans that are all zero words.
ResumePli ResumeZero(const FormeScans& f) {
    ResumePli r;
    for (int n = 0; n < f.Voies; ++n) r.Min[n] = r.Max[n] = f.Biais[n]; // 0 in the compared domain
    r.Et = f.DecalageLogique >= 0 ? 0 : 0xFFFF;
    r.Ou = 0;
    r.Vide = false;
    return r;
}

// Reads scans into one thread's buffer and folds them.
struct Lecteur {
    int32_t Handle = 0;
    int64_t DebutDonnees = 0;
    FormeScans Modele;
    int MotsLus = 0;
    NoyauPli Noyau = nullptr;
    std::vector<uint8_t>* Tampon = nullptr;
    int64_t ScansParLecture = 0; // a multiple of the pyramid's block when the block fits a read
    TrousFichier Trous;
    ResumePli Zero; // ResumeZero(Modele)

    // Scans from `a` on lying wholly in a hole of the file, at most `max`.
    int64_t ScansNuls(int64_t a, int64_t max) {
        const int64_t debut = DebutDonnees + a * Modele.PasOctets;
        const int64_t fin = Trous.FinTrou(debut);
        if (fin <= debut) return 0;
        return std::clamp<int64_t>((fin - DebutDonnees) / Modele.PasOctets - a, 0, max);
    }

    // Scans [a, a + n) into the buffer, described by f with the buffer as scan 0.
    bool Lire(int64_t a, int64_t n, FormeScans& f) const {
        const int64_t pas = Modele.PasOctets;
        const int64_t voulu = n * pas + MargeLecture;
        if (static_cast<int64_t>(Tampon->size()) < voulu) Tampon->resize(static_cast<size_t>(voulu));
        const int64_t lus = FichierREC::LireHandle(Handle, DebutDonnees + a * pas, Tampon->data(), voulu);
        if (lus < (n - 1) * pas + 2 * MotsLus) return false; // the file changed under the pass
        f = Modele;
        f.Debut = Tampon->data();
        f.Fin = Tampon->data() + lus;
        return true;
    }
    // Summary of scans [a, b) into r, their byte sum added to *somme when given.
    bool Plier(int64_t a, int64_t b, ResumePli& r, uint64_t* somme = nullptr) {
        r.Vide = true;
        ResumePli t;
        FormeScans f;
        while (a < b) {
            if (const int64_t nuls = ScansNuls(a, b - a); nuls > 0) {
                Fusionner(r, Zero, Modele.Voies); // zero bytes add nothing to the sum
                a += nuls;
                continue;
            }
            const int64_t n = std::min(b - a, ScansParLecture);
            if (!Lire(a, n, f)) return false;
            Noyau(f, 0, n, t, somme);
            Fusionner(r, t, Modele.Voies);
            a += n;
        }
        return true;
    }
};

// Byte sum of the file from `debut` to its end (`taille`), holes skipped.
bool SommeFin(int32_t handle, int64_t debut, int64_t taille, int64_t octetsLecture,
              std::vector<uint8_t>& tampon, uint64_t& somme) {
    tampon.resize(static_cast<size_t>(std::max<int64_t>(static_cast<int64_t>(tampon.size()), octetsLecture)));
    TrousFichier trous(handle - 1);
    for (;;) {
        if (debut >= taille) return true;
        if (const int64_t fin = trous.FinTrou(debut); fin > debut) {
            debut = fin;
            continue;
        }
        const int64_t n = FichierREC::LireHandle(handle, debut, tampon.data(), octetsLecture);
        if (n < 0) return false;
        for (int64_t i = 0; i < n; ++i) somme += tampon[static_cast<size_t>(i)];
        debut += n;
        if (n < octetsLecture) return true;
    }
}

uint16_t MotEn(const uint8_t* scan, int n) {
    return MotLE(scan + 2 * n);
}

} // namespace

bool DonneesGraphe::PyramidePrete() const {
    return Rapide_ != nullptr && Rapide_->Pyramide.Prete;
}

int64_t DonneesGraphe::OctetsPyramide() const {
    return Rapide_ != nullptr ? Rapide_->Pyramide.Octets() : 0;
}

void DonneesGraphe::LIBERER_RAPIDE() {
    if (Rapide_ == nullptr) return;
    Rapide_->Pyramide.Vider();
}

bool DonneesGraphe::CALCUL_RAPIDE(bool verifier) {
    DernierePasseRapide = false;
    const t_EnteteREC_GlobalTotal& e = *EnteteFichier;
    const int64_t L = LongueurAcquisition;
    const int64_t ls = e.LongueurScan;
    if (PasseReference || LectureRemplacee_ || SousEchantillonnage_ || L <= NombreColonnesAffichage)
        return false;
    if (NbVoiesLues_ != NbVoiesStockees_ || MotsParScanLus_ <= 0 || ls < MotsParScanLus_ ||
        DepartTracer < 0 || e.DebutDonnees < 0 || e.NombreScans <= 0 || DepartTracer % ls != 0)
        return false;
    if (e.HandleFichier == 0) ROUVRIR_FICHIER();
    if (e.HandleFichier <= 0) return false;
    if (Rapide_ == nullptr) Rapide_ = std::make_unique<EtatPasseRapide>();
    EtatPasseRapide& r = *Rapide_;
    IdentiteFichier identite;
    if (!LireIdentite(e.HandleFichier - 1, identite)) {
        r.Pyramide.Vider();
        return false;
    }
    const int64_t taille = identite.Taille;
    const int64_t premierScan = DepartTracer / ls;
    // Every word the pass reads must be in the file: past its end the page path
    // reads zeros.
    if (L > (INT64_MAX / 4) / ls ||
        e.DebutDonnees + 2 * (DepartTracer + (L - 1) * ls + MotsParScanLus_) > taille)
        return false;

    FormeEnregistrement forme;
    forme.Fichier = identite;
    forme.DebutDonnees = e.DebutDonnees;
    forme.NombreScans = e.NombreScans;
    forme.LongueurScan = e.LongueurScan;
    forme.Voies = NbVoiesLues_;
    forme.Logique = Logique_;
    for (int n = 0; n < NbVoiesLues_; ++n) forme.Biais[n] = Biais_[n] != 0 ? int16_t{0} : int16_t(0x8000);
    if (!(r.Pyramide.Forme == forme)) r.Pyramide.Vider(); // another file, or the same one changed

    FormeScans f;
    f.PasOctets = 2 * ls;
    f.Voies = NbVoiesLues_;
    f.DecalageLogique = Logique_ ? NbVoiesLues_ : -1;
    f.Biais = forme.Biais.data();
    const NoyauPli noyau = NoyauPliActif();
    // The first view of the whole recording builds the pyramid, and with it the
    // byte sum of the data.
    const bool vueEntiere = premierScan == 0 && L == e.NombreScans;
    const bool construire = vueEntiere && !r.Pyramide.Prete;
    const int64_t bloc = construire ? PyramidePli::ScansBlocPour(NbVoiesLues_, e.NombreScans, BudgetPyramide)
                                    : r.Pyramide.ScansNiveau0();
    // Reads of about OctetsLecture bytes: whole blocks when a block fits.
    const int64_t octetsLecture = std::max(OctetsLecture, OctetsLectureMin);
    const int64_t parLectureMax = octetsLecture / f.PasOctets;
    const int64_t scansParLecture =
        bloc <= parLectureMax
            ? parLectureMax / bloc * bloc
            : std::max<int64_t>(1, parLectureMax / PyramidePli::ScansBloc) * PyramidePli::ScansBloc;
    Lecteur lecteurs[2];
    for (int i = 0; i < 2; ++i) {
        lecteurs[i].Handle = e.HandleFichier;
        lecteurs[i].DebutDonnees = e.DebutDonnees;
        lecteurs[i].Modele = f;
        lecteurs[i].MotsLus = MotsParScanLus_;
        lecteurs[i].Noyau = noyau;
        lecteurs[i].Tampon = &r.Tampons[i];
        lecteurs[i].ScansParLecture = scansParLecture;
        lecteurs[i].Trous = TrousFichier(e.HandleFichier - 1);
        lecteurs[i].Zero = ResumeZero(f);
    }
    std::atomic<bool> arrete{false}, echec{false};
    // Between two pieces of work: wait while an export reads, false on a stop.
    auto continuer = [&] {
        if (arrete.load(std::memory_order_relaxed)) return false;
        if (DemandeExport.load(std::memory_order_relaxed) != 0) ATTENDRE_EXPORT();
        if (ArretDemander.load(std::memory_order_relaxed) == 0) return true;
        arrete.store(true, std::memory_order_relaxed);
        return false;
    };
    auto finArrete = [&] {
        Arrete_ = true;
        DernierePasseRapide = true;
        return true;
    };

    if (construire) {
        r.Pyramide.Preparer(NbVoiesLues_, e.NombreScans, BudgetPyramide);
        const int64_t blocs = r.Pyramide.BlocsNiveau0();
        const int64_t moitie = blocs / 2;
        uint64_t sommes[2] = {0, 0};
        EnDeux([&](int i) {
            Lecteur& l = lecteurs[i];
            const int64_t b0 = i == 0 ? 0 : moitie, b1 = i == 0 ? moitie : blocs;
            const int64_t parLecture = std::max<int64_t>(1, l.ScansParLecture / bloc);
            ResumePli t;
            FormeScans lu;
            uint64_t somme = 0;
            for (int64_t b = b0; b < b1;) {
                if (!continuer()) return;
                if (i == 0)
                    Progression.store(0.9 * static_cast<double>(b - b0) / static_cast<double>(b1 - b0),
                                      std::memory_order_relaxed);
                // Blocks lying wholly in a hole: zero words, nothing read.
                if (const int64_t nuls = l.ScansNuls(b * bloc, (b1 - b) * bloc) / bloc; nuls > 0) {
                    for (int64_t j = 0; j < nuls; ++j) r.Pyramide.Ecrire(0, b + j, l.Zero);
                    b += nuls;
                    continue;
                }
                if (bloc > l.ScansParLecture) {
                    // A block larger than a read: folded over several.
                    if (!l.Plier(b * bloc, (b + 1) * bloc, t, &somme)) {
                        echec = true;
                        arrete = true;
                        return;
                    }
                    r.Pyramide.Ecrire(0, b, t);
                    ++b;
                    continue;
                }
                const int64_t n = std::min(parLecture, b1 - b);
                if (!l.Lire(b * bloc, n * bloc, lu)) {
                    echec = true;
                    arrete = true;
                    return;
                }
                for (int64_t j = 0; j < n; ++j) {
                    noyau(lu, j * bloc, bloc, t, &somme);
                    r.Pyramide.Ecrire(0, b + j, t);
                }
                b += n;
            }
            sommes[i] = somme;
        });
        if (echec.load()) {
            r.Pyramide.Vider();
            return false; // the page path starts again from the beginning
        }
        if (arrete.load()) {
            r.Pyramide.Vider();
            return finArrete();
        }
        r.Pyramide.SommeDonnees = sommes[0] + sommes[1];
        r.Pyramide.FinSomme =
            e.DebutDonnees + std::min<int64_t>(blocs * bloc * 2 * ls, taille - e.DebutDonnees);
        r.Pyramide.Forme = forme;
        r.Pyramide.Achever();
    }

    if (r.Colonnes == nullptr) r.Colonnes = std::make_unique<ResumePli[]>(NombreColonnesAffichage + 1);
    const PyramidePli* pyramide = r.Pyramide.Prete ? &r.Pyramide : nullptr;
    const int milieu = NombreColonnesAffichage / 2;
    EnDeux([&](int i) {
        const int k0 = i == 0 ? 1 : milieu + 1, k1 = i == 0 ? milieu : NombreColonnesAffichage;
        for (int k = k0; k <= k1; ++k) {
            if (!continuer()) return;
            const int64_t a = premierScan + (k - 1) * L / NombreColonnesAffichage;
            const int64_t b = premierScan + k * L / NombreColonnesAffichage;
            Lecteur& l = lecteurs[i];
            const PlierBrut brut = [&l](int64_t d, int64_t fin, ResumePli& t) { return l.Plier(d, fin, t); };
            if (!ReplierIntervalle(pyramide, NbVoiesLues_, brut, a, b, r.Colonnes[k])) {
                echec = true;
                arrete = true;
                return;
            }
            if (i == 0 && pyramide == nullptr)
                Progression.store(static_cast<double>(2 * k) / NombreColonnesAffichage,
                                  std::memory_order_relaxed);
        }
    });
    if (echec.load()) return false;
    if (arrete.load()) return finArrete();

    if (verifier) {
        // The stored sum runs from the data start to the end of the file.
        uint64_t somme = pyramide != nullptr ? pyramide->SommeDonnees : 0;
        if (!SommeFin(e.HandleFichier, pyramide != nullptr ? pyramide->FinSomme : e.DebutDonnees, taille,
                      octetsLecture, r.Tampons[0], somme))
            return false;
        Checksum = static_cast<uint32_t>(somme);
        FinSomme_ = taille;
    }
    if (!DEPOSER_TABLE_RAPIDE(premierScan)) return false;
    DernierePasseRapide = true;
    return true;
}

bool DonneesGraphe::DEPOSER_TABLE_RAPIDE(int64_t premierScan) {
    const int64_t L = LongueurAcquisition;
    const int64_t pas = 2 * static_cast<int64_t>(EnteteFichier->LongueurScan);
    const int voies = NbVoiesLues_;
    const ResumePli* colonnes = Rapide_->Colonnes.get();
    std::array<int16_t, NombreSlotsAnalog> xorVoies{};
    for (int n = 0; n < voies; ++n) xorVoies[n] = Biais_[n] != 0 ? int16_t{0} : int16_t(0x8000);

    // The first and the last scan of the window.
    const int64_t mots = MotsParScanLus_;
    uint8_t premier[2 * (NombreSlotsAnalog + 1)], dernier[2 * (NombreSlotsAnalog + 1)];
    const int32_t h = EnteteFichier->HandleFichier;
    const int64_t debut = EnteteFichier->DebutDonnees;
    if (FichierREC::LireHandle(h, debut + premierScan * pas, premier, 2 * mots) != 2 * mots ||
        FichierREC::LireHandle(h, debut + (premierScan + L - 1) * pas, dernier, 2 * mots) != 2 * mots)
        return false;

    // Column 0 holds the first scan; slots without a channel keep the scan last read.
    const uint8_t* scan = premier;
    std::array<int16_t, NombreSlotsAnalog> v{};
    for (int n = 0; n < voies; ++n) {
        TabEntGraphe[n] = MotEn(scan, n);
        v[n] = static_cast<int16_t>(TabEntGraphe[n] ^ xorVoies[n]);
    }
    if (Logique_) TabEntGraphe[SlotLogique] = MotEn(scan, voies);
    uint16_t reference = TabEntGraphe[SlotLogique];
    uint16_t* table = TabCyclique.get();
    for (int n = 0; n < NombreSlotsAnalog; ++n) table[n] = TabEntGraphe[n];
    table[SlotLogique] = reference;
    for (int k = 1; k <= NombreColonnesAffichage; ++k) {
        uint16_t* colonne = table + static_cast<size_t>(k) * NombreSlotsColonne;
        const ResumePli& c = colonnes[k];
        for (int n = 0; n < voies; ++n) colonne[n] = static_cast<uint16_t>(Fermer(c, n, v[n]) ^ xorVoies[n]);
        for (int n = voies; n < NombreSlotsAnalog; ++n) colonne[n] = TabEntGraphe[n];
        if (Logique_) reference = FermerLogique(c, reference);
        colonne[SlotLogique] = reference;
    }

    // What the page path leaves behind after the last scan of the window.
    for (int n = 0; n < voies; ++n) {
        TabEntGraphe[n] = MotEn(dernier, n);
        TabMinGraphe[n] = TabMaxGraphe[n] = static_cast<uint16_t>(v[n] ^ xorVoies[n]);
        DernPenteGraphe[n] = colonnes[NombreColonnesAffichage].Pente[n];
    }
    for (int n = voies; n < NombreSlotsAnalog; ++n) TabMinGraphe[n] = TabMaxGraphe[n] = TabEntGraphe[n];
    if (Logique_) TabEntGraphe[SlotLogique] = MotEn(dernier, voies);
    ValGraLogDebGraphe = reference;
    ValGraLogOrGraphe = 0;
    CompteurGraphique = NombreColonnesAffichage + 1;
    CompteurDansFichier = (L - 1) * EnteteFichier->LongueurScan + MotsParScanLus_;
    Decimateur_ = 0;
    VraiPageFichier = -1;
    PositionDansleFichier = -1;
    Progression.store(static_cast<double>(CompteurGraphique) / NombreColonnesAffichage,
                      std::memory_order_relaxed);
    return true;
}
