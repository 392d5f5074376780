// A block of consecutive rows of a text export: what their conversion gave
// (times, the values of the exported channels, logic words, texts), then
// their bytes once formatted. Blocks are reused from one set of rows to the
// next: their buffers keep their room, so after the first blocks nothing is
// allocated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "export/LigneTexte.h"

class BlocTexte {
public:
    BlocTexte(size_t lignesMax, size_t voies, size_t octetsPrevus);

    bool Plein() const { return Lignes_ == LignesMax_; }
    size_t Lignes() const { return Lignes_; }

    // Appends a row (texts copied as far as a row writes them; values one per
    // exported channel). Not when Plein().
    void Ajouter(const tRangeeTexte& r);

    // Formats the rows into the block's bytes.
    void Formater(const LigneTexte& format);
    const char* Octets() const { return Octets_.data(); }
    size_t Taille() const { return Rempli_; }

    // Empty again, room kept.
    void Vider();

    int64_t Numero = 0; // place among the blocks of the export

private:
    // A text in Textes_; Debut < 0: none.
    struct tPlace {
        int64_t Debut = -1;
        size_t Taille = 0;
    };
    tPlace Placer(const tTexteLigne& t, size_t max);
    tTexteLigne Texte(const tPlace& p) const;

    size_t LignesMax_, Voies_;
    size_t Lignes_ = 0;
    std::vector<double> Temps_;
    std::vector<double> Valeurs_; // LignesMax_ x Voies_
    std::vector<uint16_t> Mots_;
    std::vector<tPlace> Absolus_, Annotations_;
    std::string Textes_;
    std::vector<char> Octets_;
    size_t Rempli_ = 0;
};
