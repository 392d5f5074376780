// Excel export: one worksheet written with libxlsxwriter.
#include <cmath>

#include <QFile>

#include <xlsxwriter.h>

#include "export/FormatNombre.h"
#include "export/SortieExport.h"
#include "shell/Texte8.h"

namespace {

class SortieExcel final : public SortieExport {
public:
    SortieExcel(std::unique_ptr<FichierProvisoire> fichier, const tColonnesExport& colonnes,
                int64_t lignesPrevues, int64_t cellulesMemoireConstante)
        : Fichier_(std::move(fichier)), Colonnes_(colonnes) {
        const std::string chemin = QFile::encodeName(Fichier_->Chemin()).toStdString();
        // The library writes the file by name.
        if (!Fichier_->FermerDescripteur()) Erreur_ = true;
        const int64_t colonnesParLigne =
            2 + static_cast<int64_t>(Colonnes_.Voies.size() + Colonnes_.Logiques.size());
        const int64_t cellules = lignesPrevues * colonnesParLigne;
        lxw_workbook_options options{};
        options.constant_memory = cellules > cellulesMemoireConstante ? LXW_TRUE : LXW_FALSE;
        // The sheet's XML passes 4 GiB from about 150 million cells.
        options.use_zip64 = cellules > 100'000'000 ? LXW_TRUE : LXW_FALSE;
        Classeur_ = workbook_new_opt(chemin.c_str(), &options);
        if (Classeur_ != nullptr) Feuille_ = workbook_add_worksheet(Classeur_, nullptr);
        if (Feuille_ == nullptr) Erreur_ = true;
    }

    ~SortieExcel() override {
        // A workbook is only released by closing it; what it wrote is removed
        // with the temporary file.
        if (Classeur_ != nullptr) workbook_close(Classeur_);
    }

    void Entete(const std::vector<std::string>& lignes, const std::vector<std::string>& colonnes) override {
        for (const std::string& l : lignes) Texte(Ligne_++, 0, l.c_str());
        lxw_col_t c = 0;
        for (const std::string& t : colonnes) Texte(Ligne_, c++, t.c_str());
        ++Ligne_;
    }

    void Ligne(const tLigneExport& l) override {
        if (Erreur_) return;
        lxw_col_t c = 0;
        if (l.TempsAbsolu != nullptr)
            Texte(Ligne_, c++, l.TempsAbsolu->c_str());
        else
            Nombre(Ligne_, c++, l.TempsMs);
        for (const int n : Colonnes_.Voies) Nombre(Ligne_, c++, l.Valeurs[n]);
        for (const int b : Colonnes_.Logiques) Nombre(Ligne_, c++, (l.MotLogique >> b) & 1);
        // After the fields, one empty column, then the text (as in the text files).
        if (l.Annotation != nullptr) Texte(Ligne_, c + 1, l.Annotation->c_str());
        ++Ligne_;
    }

    bool Erreur() const override { return Erreur_; }

    bool Terminer() override {
        if (Classeur_ != nullptr) {
            if (workbook_close(Classeur_) != LXW_NO_ERROR) Erreur_ = true;
            Classeur_ = nullptr;
        }
        if (Erreur_) {
            Fichier_->Abandonner();
            return false;
        }
        return Fichier_->Valider();
    }

private:
    void Texte(lxw_row_t ligne, lxw_col_t colonne, const char* cp1252) {
        if (Feuille_ == nullptr) return;
        const std::string utf8 = Cp1252VersUtf8(cp1252);
        if (utf8.empty()) return; // an empty text is an empty cell
        if (worksheet_write_string(Feuille_, ligne, colonne, utf8.c_str(), nullptr) != LXW_NO_ERROR)
            Erreur_ = true;
    }
    void Nombre(lxw_row_t ligne, lxw_col_t colonne, double v) {
        if (Feuille_ == nullptr) return;
        if (!std::isfinite(v)) {
            // No number of the sheet holds these: the same text as the text files.
            char t[16];
            *ECRIRE_DECIMAL(t, v) = '\0';
            Texte(ligne, colonne, t);
            return;
        }
        if (worksheet_write_number(Feuille_, ligne, colonne, v, nullptr) != LXW_NO_ERROR) Erreur_ = true;
    }

    std::unique_ptr<FichierProvisoire> Fichier_;
    tColonnesExport Colonnes_;
    lxw_workbook* Classeur_ = nullptr;
    lxw_worksheet* Feuille_ = nullptr;
    lxw_row_t Ligne_ = 0;
    bool Erreur_ = false;
};

} // namespace

std::unique_ptr<SortieExport> SORTIE_EXCEL(std::unique_ptr<FichierProvisoire> fichier,
                                           const tColonnesExport& colonnes, int64_t lignesPrevues,
                                           int64_t cellulesMemoireConstante) {
    return std::make_unique<SortieExcel>(std::move(fichier), colonnes, lignesPrevues,
                                         cellulesMemoireConstante);
}
