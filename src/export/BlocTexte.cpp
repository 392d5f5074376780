#include "export/BlocTexte.h"

#include <algorithm>
#include <cstring>

#include "export/FormatNombre.h"

BlocTexte::BlocTexte(size_t lignesMax, size_t voies, size_t octetsPrevus)
    : LignesMax_(lignesMax), Voies_(voies), Temps_(lignesMax), Valeurs_(lignesMax * voies), Mots_(lignesMax),
      Absolus_(lignesMax), Annotations_(lignesMax), Octets_(octetsPrevus) {}

BlocTexte::tPlace BlocTexte::Placer(const tTexteLigne& t, size_t max) {
    if (t.Octets == nullptr) return {};
    const tPlace p{static_cast<int64_t>(Textes_.size()), std::min(t.Taille, max)};
    Textes_.append(t.Octets, p.Taille);
    return p;
}

tTexteLigne BlocTexte::Texte(const tPlace& p) const {
    if (p.Debut < 0) return {};
    return {Textes_.data() + p.Debut, p.Taille};
}

void BlocTexte::Ajouter(const tRangeeTexte& r) {
    const size_t i = Lignes_++;
    Temps_[i] = r.TempsMs;
    std::copy_n(r.Valeurs, Voies_, Valeurs_.data() + i * Voies_);
    Mots_[i] = r.MotLogique;
    Absolus_[i] = Placer(r.TempsAbsolu, TailleMaxNombre);
    Annotations_[i] = Placer(r.Annotation, LigneTexte::TailleMaxAnnotation);
}

void BlocTexte::Formater(const LigneTexte& format) {
    const size_t max = format.MaxLigne();
    Rempli_ = 0;
    for (size_t i = 0; i < Lignes_; ++i) {
        if (Octets_.size() - Rempli_ < max) Octets_.resize(std::max(2 * Octets_.size(), Rempli_ + max));
        tRangeeTexte r;
        r.TempsMs = Temps_[i];
        r.TempsAbsolu = Texte(Absolus_[i]);
        r.Valeurs = Valeurs_.data() + i * Voies_;
        r.MotLogique = Mots_[i];
        r.Annotation = Texte(Annotations_[i]);
        Rempli_ = static_cast<size_t>(format.Ecrire(Octets_.data() + Rempli_, r) - Octets_.data());
    }
}

void BlocTexte::Vider() {
    Lignes_ = 0;
    Textes_.clear();
    Rempli_ = 0;
}
