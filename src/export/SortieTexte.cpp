// Text and CSV export files.
#include <algorithm>
#include <array>
#include <system_error>

#include "export/EcritureEnBlocs.h"
#include "export/LigneTexte.h"
#include "export/SortieExport.h"

namespace {

// Rows per block when the caller leaves it open: about this many bytes of
// text, which stay in a core's cache between their formatting and their write.
constexpr size_t OctetsParBloc = 128 * 1024;

class SortieTexte final : public SortieExport {
public:
    SortieTexte(std::unique_ptr<FichierProvisoire> fichier, const tColonnesExport& colonnes, char separateur,
                char decimale, tFormatValeurs format, tFormateur formateur, const tDecoupageTexte& decoupage)
        : Fichier_(std::move(fichier)), Tampon_(*Fichier_),
          Format_(colonnes, separateur, decimale, format, formateur), Sep_(separateur),
          Compactes_(colonnes.Voies.size()) {
        if (decoupage.Fils < 2) return;
        const size_t lignes = decoupage.LignesParBloc > 0
                                  ? static_cast<size_t>(decoupage.LignesParBloc)
                                  : std::clamp<size_t>(OctetsParBloc / Format_.LigneTypique(), 16, 4096);
        try {
            Blocs_ = std::make_unique<EcritureEnBlocs>(Format_, Tampon_, lignes);
        } catch (const std::system_error&) {
            // No second thread to be had: the rows are formatted on this one.
        }
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
        const std::vector<int>& voies = Format_.Colonnes().Voies;
        for (size_t i = 0; i < voies.size(); ++i) Compactes_[i] = l.Valeurs[voies[i]];
        tRangeeTexte r;
        r.TempsMs = l.TempsMs;
        if (l.TempsAbsolu != nullptr) r.TempsAbsolu = {l.TempsAbsolu->data(), l.TempsAbsolu->size()};
        r.Valeurs = Compactes_.data();
        r.MotLogique = l.MotLogique;
        if (l.Annotation != nullptr) r.Annotation = {l.Annotation->data(), l.Annotation->size()};
        ++Recues_;
        if (Blocs_ != nullptr) {
            Blocs_->Ajouter(r);
        } else {
            char* p = Tampon_.Reserver(Format_.MaxLigne());
            Tampon_.Fixer(Format_.Ecrire(p, r));
        }
    }

    int64_t LignesEnAttente() const override {
        return Blocs_ != nullptr ? Recues_ - Blocs_->LignesEcrites() : 0;
    }

    bool Erreur() const override { return Blocs_ != nullptr ? Blocs_->Erreur() : Tampon_.Erreur(); }

    bool Terminer() override {
        bool ok = true;
        if (Blocs_ != nullptr) {
            ok = Blocs_->Achever(); // the worker then waits idle until the writer goes
        }
        Tampon_.Vider();
        if (!ok || Tampon_.Erreur()) {
            Fichier_->Abandonner();
            return false;
        }
        return Fichier_->Valider();
    }

private:
    std::unique_ptr<FichierProvisoire> Fichier_;
    TamponSortie Tampon_;
    LigneTexte Format_;
    char Sep_;
    std::vector<double> Compactes_; // the row's values in column order
    int64_t Recues_ = 0;            // rows handed to Ligne
    // Last: stopped before the buffer and the file it writes into go.
    std::unique_ptr<EcritureEnBlocs> Blocs_;
};

} // namespace

std::unique_ptr<SortieExport> SORTIE_TEXTE(std::unique_ptr<FichierProvisoire> fichier,
                                           const tColonnesExport& colonnes, char separateur, char decimale,
                                           tFormatValeurs format, tFormateur formateur,
                                           const tDecoupageTexte& decoupage) {
    return std::make_unique<SortieTexte>(std::move(fichier), colonnes, separateur, decimale, format,
                                         formateur, decoupage);
}
