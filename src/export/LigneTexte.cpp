#include "export/LigneTexte.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "export/FormatNombre.h"

LigneTexte::LigneTexte(const tColonnesExport& colonnes, char separateur, char decimale, tFormatValeurs format,
                       tFormateur formateur)
    : Colonnes_(colonnes), Sep_(separateur), Dec_(decimale), Fixe_(format == tFormatValeurs::Fixe),
      Printf_(formateur == tFormateur::Printf) {
    // Time and values, logic fields, the annotation and its separator, the line feed.
    MaxLigne_ = (1 + Colonnes_.Voies.size()) * (TailleMaxNombre + 1) + 2 * Colonnes_.Logiques.size() +
                TailleMaxAnnotation + 56;
}

size_t LigneTexte::LigneTypique() const {
    // "-1.2345e+01" and its separator; a time of about a dozen characters.
    return 16 + 12 * Colonnes_.Voies.size() + 2 * Colonnes_.Logiques.size();
}

char* LigneTexte::Ecrire(char* p, const tRangeeTexte& r) const {
    if (r.TempsAbsolu.Octets != nullptr) {
        const size_t n = std::min(r.TempsAbsolu.Taille, TailleMaxNombre);
        std::memcpy(p, r.TempsAbsolu.Octets, n);
        p += n;
    } else {
        p = Nombre(p, r.TempsMs, "%f", &ECRIRE_DECIMAL);
    }
    *p++ = Sep_;
    const double* v = r.Valeurs;
    const size_t voies = Colonnes_.Voies.size();
    if (Fixe_) {
        for (size_t i = 0; i < voies; ++i) {
            p = Nombre(p, v[i], "%8.5f", &ECRIRE_FIXE);
            *p++ = Sep_;
        }
    } else {
        for (size_t i = 0; i < voies; ++i) {
            p = Nombre(p, v[i], "%8.4e", &ECRIRE_EXPOSANT);
            *p++ = Sep_;
        }
    }
    for (const int b : Colonnes_.Logiques) {
        *p++ = ((r.MotLogique >> b) & 1) != 0 ? '1' : '0';
        *p++ = Sep_;
    }
    if (r.Annotation.Octets != nullptr) {
        *p++ = Sep_;
        const size_t n = std::min(r.Annotation.Taille, TailleMaxAnnotation);
        std::memcpy(p, r.Annotation.Octets, n);
        p += n;
    }
    *p++ = '\n';
    return p;
}

char* LigneTexte::Nombre(char* p, double v, const char* formatC, char* (*rapide)(char*, double)) const {
    char* const debut = p;
    if (Printf_)
        p += std::snprintf(p, TailleMaxNombre + 1, formatC, v);
    else
        p = rapide(p, v);
    if (Dec_ != '.') {
        if (void* point = std::memchr(debut, '.', static_cast<size_t>(p - debut)))
            *static_cast<char*>(point) = Dec_;
    }
    return p;
}
