// The text of one row of a text or CSV export: the time (or the absolute time
// text), SEP, each exported channel's value and SEP, each exported logic
// input's "1" or "0" and SEP, then SEP and the annotation text when the row
// has one, and a line feed. The same characters whichever thread writes them:
// the object is read only once built.
#pragma once

#include <cstddef>
#include <cstdint>

#include "export/SortieExport.h"

// A piece of text that may be absent (Octets null).
struct tTexteLigne {
    const char* Octets = nullptr;
    size_t Taille = 0;
};

// One row as the text writers take it.
struct tRangeeTexte {
    double TempsMs = 0.0;
    tTexteLigne TempsAbsolu;         // written instead of TempsMs when present
    const double* Valeurs = nullptr; // one per exported channel, in column order
    uint16_t MotLogique = 0;
    tTexteLigne Annotation;
};

class LigneTexte {
public:
    // Longest annotation text written, in bytes.
    static constexpr size_t TailleMaxAnnotation = 200;

    LigneTexte(const tColonnesExport& colonnes, char separateur, char decimale, tFormatValeurs format,
               tFormateur formateur);

    // Room the longest row takes (numbers of TailleMaxNombre characters).
    size_t MaxLigne() const { return MaxLigne_; }
    // Bytes a row usually takes, for sizing buffers.
    size_t LigneTypique() const;
    size_t Voies() const { return Colonnes_.Voies.size(); }
    const tColonnesExport& Colonnes() const { return Colonnes_; }

    // Writes the row at p (room for MaxLigne bytes) and returns its end.
    char* Ecrire(char* p, const tRangeeTexte& r) const;

private:
    // The number, then "." replaced by the decimal mark (at most one ".").
    char* Nombre(char* p, double v, const char* formatC, char* (*rapide)(char*, double)) const;

    tColonnesExport Colonnes_;
    char Sep_, Dec_;
    bool Fixe_, Printf_;
    size_t MaxLigne_ = 0;
};
