// Text and CSV export files.
#include <cstdio>
#include <cstring>

#include "export/FormatNombre.h"
#include "export/SortieExport.h"

namespace {

class SortieTexte final : public SortieExport {
public:
    SortieTexte(std::unique_ptr<FichierProvisoire> fichier, const tColonnesExport& colonnes, char separateur,
                char decimale, tFormatValeurs format, tFormateur formateur)
        : Fichier_(std::move(fichier)), Tampon_(Fichier_->Descripteur()), Colonnes_(colonnes),
          Sep_(separateur), Dec_(decimale), Fixe_(format == tFormatValeurs::Fixe),
          Printf_(formateur == tFormateur::Printf) {
        // Room of the longest row: time and values, logic fields, annotation.
        MaxLigne_ =
            (1 + Colonnes_.Voies.size()) * (TailleMaxNombre + 1) + 2 * Colonnes_.Logiques.size() + 256;
    }

    void Entete(const std::vector<std::string>& lignes, const std::vector<std::string>& colonnes) override {
        for (const std::string& l : lignes) {
            Tampon_.Ajouter(l.data(), l.size());
            Tampon_.Ajouter('\n');
        }
        for (const std::string& c : colonnes) {
            Tampon_.Ajouter(c.data(), c.size());
            Tampon_.Ajouter(Sep_);
        }
        Tampon_.Ajouter('\n');
    }

    void Ligne(const tLigneExport& l) override {
        char* p = Tampon_.Reserver(MaxLigne_);
        if (l.TempsAbsolu != nullptr) {
            const size_t n = std::min(l.TempsAbsolu->size(), TailleMaxNombre);
            std::memcpy(p, l.TempsAbsolu->data(), n);
            p += n;
        } else {
            p = Nombre(p, l.TempsMs, "%f", &ECRIRE_DECIMAL);
        }
        *p++ = Sep_;
        const double* v = l.Valeurs;
        if (Fixe_) {
            for (const int n : Colonnes_.Voies) {
                p = Nombre(p, v[n], "%8.5f", &ECRIRE_FIXE);
                *p++ = Sep_;
            }
        } else {
            for (const int n : Colonnes_.Voies) {
                p = Nombre(p, v[n], "%8.4e", &ECRIRE_EXPOSANT);
                *p++ = Sep_;
            }
        }
        for (const int b : Colonnes_.Logiques) {
            *p++ = ((l.MotLogique >> b) & 1) != 0 ? '1' : '0';
            *p++ = Sep_;
        }
        if (l.Annotation != nullptr) {
            *p++ = Sep_;
            const size_t n = std::min<size_t>(l.Annotation->size(), 200);
            std::memcpy(p, l.Annotation->data(), n);
            p += n;
        }
        *p++ = '\n';
        Tampon_.Fixer(p);
    }

    bool Erreur() const override { return Tampon_.Erreur(); }

    bool Terminer() override {
        Tampon_.Vider();
        if (Tampon_.Erreur()) {
            Fichier_->Abandonner();
            return false;
        }
        return Fichier_->Valider();
    }

private:
    // The number, then "." replaced by the decimal mark (at most one ".").
    char* Nombre(char* p, double v, const char* formatC, char* (*rapide)(char*, double)) {
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

    std::unique_ptr<FichierProvisoire> Fichier_;
    TamponSortie Tampon_;
    tColonnesExport Colonnes_;
    char Sep_, Dec_;
    bool Fixe_, Printf_;
    size_t MaxLigne_ = 0;
};

} // namespace

std::unique_ptr<SortieExport> SORTIE_TEXTE(std::unique_ptr<FichierProvisoire> fichier,
                                           const tColonnesExport& colonnes, char separateur, char decimale,
                                           tFormatValeurs format, tFormateur formateur) {
    return std::make_unique<SortieTexte>(std::move(fichier), colonnes, separateur, decimale, format,
                                         formateur);
}
