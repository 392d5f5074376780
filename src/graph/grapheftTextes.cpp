// Texts of channels in the overlays: full names with their units, and
// physical values with prefix and unit.
#include <cstring>

#include "graph/grapheft.h"
#include "recording/FormatC.h"
#include "recording/TexteValeur.h"

namespace {

// Copies a fixed-size field of the header up to its NUL or its end.
template <size_t N> void AjoutChamp(char* texte, size_t taille, const char (&champ)[N]) {
    char copie[N + 1];
    std::memcpy(copie, champ, N);
    copie[N] = '\0';
    AJOUT_BORNE(texte, taille, copie);
}

// The prefix is written even where value texts leave it out.
class AvecPrefixe {
public:
    AvecPrefixe() : Sauve_(AffSansUnite) { AffSansUnite = 0; }
    ~AvecPrefixe() { AffSansUnite = Sauve_; }
    AvecPrefixe(const AvecPrefixe&) = delete;
    AvecPrefixe& operator=(const AvecPrefixe&) = delete;

private:
    uint8_t Sauve_;
};

} // namespace

void grapheft::CALCUL_NOM_TOTAL(char* texte, size_t taille, int ch) const {
    if (taille == 0) return;
    texte[0] = '\0';
    if (ch < 0 || ch >= NombreVoiesTable) return;
    const tAffichageVoie& a = EnteteFichier->Affichage[ch];
    AjoutChamp(texte, taille, a.NomAffiche);
    AJOUT_BORNE(texte, taille, " [");
    {
        const AvecPrefixe prefixe;
        AJOUTER_UNITE(*SavConf, texte, taille, ch,
                      ch < NombreVoiesConfig ? SavConf->ParamVoie[ch].ExposantUnite : 0);
    }
    AjoutChamp(texte, taille, a.UniteAffichee);
    AJOUT_BORNE(texte, taille, "]");
}

void grapheft::MESSAGE_COMPLET(char* texte, size_t taille, int ch, double valeur) const {
    if (taille == 0) return;
    texte[0] = '\0';
    {
        const AvecPrefixe prefixe;
        CALCUL_MESSAGE(*SavConf, texte, taille, valeur, ch, 0);
    }
    if (ch >= 0 && ch < NombreVoiesTable)
        AjoutChamp(texte, taille, EnteteFichier->Affichage[ch].UniteAffichee);
}
