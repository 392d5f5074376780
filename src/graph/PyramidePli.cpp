#include "graph/PyramidePli.h"

#include <algorithm>

#include <sys/stat.h>

bool LireIdentite(int fd, IdentiteFichier& id) {
    struct stat etat {};
    if (fd < 0 || ::fstat(fd, &etat) != 0 || !S_ISREG(etat.st_mode)) return false;
    id.Peripherique = static_cast<uint64_t>(etat.st_dev);
    id.Noeud = static_cast<uint64_t>(etat.st_ino);
    id.Taille = static_cast<int64_t>(etat.st_size);
    id.DateNs = static_cast<int64_t>(etat.st_mtim.tv_sec) * 1000000000 + etat.st_mtim.tv_nsec;
    return true;
}

int64_t PyramidePli::ScansBlocPour(int voies, int64_t scans, int64_t budget) {
    // Bytes of one block (see Octets), the levels above adding a fifteenth.
    const int64_t parBloc = 5 * static_cast<int64_t>(std::max(voies, 0)) + 4;
    const int64_t niveau0 = budget / 16 * 15;
    int64_t bloc = ScansBloc;
    while (bloc <= scans / Facteur && scans / bloc > niveau0 / parBloc) bloc *= Facteur;
    return bloc;
}

void PyramidePli::Preparer(int voies, int64_t scans, int64_t budget) {
    Vider();
    Voies_ = voies;
    Niveau n;
    n.ScansParBloc = ScansBlocPour(voies, scans, budget);
    n.Nombre = scans / n.ScansParBloc;
    const size_t t = static_cast<size_t>(n.Nombre) * static_cast<size_t>(voies);
    n.Min.resize(t);
    n.Max.resize(t);
    n.Pente.resize(t);
    n.Et.resize(static_cast<size_t>(n.Nombre));
    n.Ou.resize(static_cast<size_t>(n.Nombre));
    Niveaux_.push_back(std::move(n));
}

void PyramidePli::Ecrire(int niveau, int64_t bloc, const ResumePli& r) {
    Niveau& n = Niveaux_[static_cast<size_t>(niveau)];
    const size_t o = static_cast<size_t>(bloc) * static_cast<size_t>(Voies_);
    for (int v = 0; v < Voies_; ++v) {
        n.Min[o + v] = r.Min[v];
        n.Max[o + v] = r.Max[v];
        n.Pente[o + v] = r.Pente[v];
    }
    n.Et[static_cast<size_t>(bloc)] = r.Et;
    n.Ou[static_cast<size_t>(bloc)] = r.Ou;
}

void PyramidePli::Lire(int niveau, int64_t bloc, ResumePli& r) const {
    const Niveau& n = Niveaux_[static_cast<size_t>(niveau)];
    const size_t o = static_cast<size_t>(bloc) * static_cast<size_t>(Voies_);
    for (int v = 0; v < Voies_; ++v) {
        r.Min[v] = n.Min[o + v];
        r.Max[v] = n.Max[o + v];
        r.Pente[v] = n.Pente[o + v];
    }
    r.Et = n.Et[static_cast<size_t>(bloc)];
    r.Ou = n.Ou[static_cast<size_t>(bloc)];
    r.Vide = false;
}

void PyramidePli::Achever() {
    ResumePli acc, b;
    while (Niveaux_.back().Nombre >= Facteur) {
        const int dessous = static_cast<int>(Niveaux_.size()) - 1;
        Niveau n;
        n.ScansParBloc = Niveaux_.back().ScansParBloc * Facteur;
        n.Nombre = Niveaux_.back().Nombre / Facteur;
        const size_t t = static_cast<size_t>(n.Nombre) * static_cast<size_t>(Voies_);
        n.Min.resize(t);
        n.Max.resize(t);
        n.Pente.resize(t);
        n.Et.resize(static_cast<size_t>(n.Nombre));
        n.Ou.resize(static_cast<size_t>(n.Nombre));
        Niveaux_.push_back(std::move(n));
        for (int64_t i = 0; i < Niveaux_.back().Nombre; ++i) {
            acc.Vide = true;
            for (int64_t j = 0; j < Facteur; ++j) {
                Lire(dessous, i * Facteur + j, b);
                Fusionner(acc, b, Voies_);
            }
            Ecrire(dessous + 1, i, acc);
        }
    }
    Prete = true;
}

void PyramidePli::Vider() {
    Niveaux_.clear();
    Niveaux_.shrink_to_fit();
    Prete = false;
    Forme = {};
    SommeDonnees = 0;
    FinSomme = 0;
}

int64_t PyramidePli::Octets() const {
    int64_t t = 0;
    for (const Niveau& n : Niveaux_) t += static_cast<int64_t>(n.Min.size() * 5 + n.Et.size() * 4);
    return t;
}

bool ReplierIntervalle(const PyramidePli* p, int voies, const PlierBrut& brut, int64_t debut, int64_t fin,
                       ResumePli& r) {
    r.Vide = true;
    if (p != nullptr && (!p->Prete || p->Niveaux_.empty())) p = nullptr;
    ResumePli t;
    int64_t pos = debut;
    while (pos < fin) {
        int niveau = -1;
        if (p != nullptr)
            for (int l = static_cast<int>(p->Niveaux_.size()) - 1; l >= 0; --l) {
                const PyramidePli::Niveau& n = p->Niveaux_[static_cast<size_t>(l)];
                if (pos % n.ScansParBloc == 0 && pos + n.ScansParBloc <= fin &&
                    pos / n.ScansParBloc < n.Nombre) {
                    niveau = l;
                    break;
                }
            }
        if (niveau >= 0) {
            const int64_t taille = p->Niveaux_[static_cast<size_t>(niveau)].ScansParBloc;
            p->Lire(niveau, pos / taille, t);
            pos += taille;
        } else {
            // Raw scans up to the next block boundary, or to the end.
            int64_t bout = fin;
            if (p != nullptr) {
                const int64_t bloc = p->ScansNiveau0();
                const int64_t frontiere = (pos / bloc + 1) * bloc;
                if (frontiere < bout) bout = frontiere;
            }
            if (!brut(pos, bout, t)) return false;
            pos = bout;
        }
        Fusionner(r, t, voies);
    }
    return true;
}
