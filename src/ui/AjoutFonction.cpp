#include "ui/AjoutFonction.h"

#include <algorithm>
#include <cstring>

#include "config/OnOff.h"
#include "math/Fonctions.h"
#include "recording/EnteteREC.h"
#include "shell/BoiteMessage.h"
#include "shell/Messages.h"
#include "ui/FonctionNew.h"

namespace VIEW {

namespace {

bool VoiePresente() {
    for (int n = 0; n < NombreVoiesTable; ++n)
        if (TST_B_ONOFF(Config.VoiesPresentes, n)) return true;
    return false;
}

void CopieTexte(char* dest, std::size_t tailleDest, const char* source, std::size_t tailleSource,
                std::size_t maximum) {
    std::memset(dest, 0, tailleDest);
    std::memcpy(dest, source, strnlen(source, std::min({tailleSource, maximum, tailleDest - 1})));
}

} // namespace

int NOMBRE_FONCTIONS_AJOUTEES() {
    if (PremiereFonctionAjoutee < 0 || EnteteF.NombreVoiesTotal <= PremiereFonctionAjoutee) return 0;
    return EnteteF.NombreVoiesTotal - PremiereFonctionAjoutee;
}

int NUMERO_FONCTION_AJOUTEE(int voie) {
    const bool ajoutee = PremiereFonctionAjoutee >= 0 && voie >= PremiereFonctionAjoutee &&
                         voie >= EnteteF.NombreVoiesTotalCopie && voie < EnteteF.NombreVoiesTotal &&
                         voie < NombreVoiesTable &&
                         EnteteF.CalibVoie[voie].TypeConversion == ConversionFonctionViewer;
    return ajoutee ? voie - EnteteF.NombreVoiesTotalCopie : -1;
}

tFonctionConfig DEFINITION_VOIE(int voie) {
    tFonctionConfig f{};
    if (voie < 0 || voie >= NombreVoiesTable) return f;
    const tCalibVoie& v = EnteteF.CalibVoie[voie];
    const tAffichageVoie& a = EnteteF.Affichage[voie];
    f.CoeffA = v.CoefA;
    f.CoeffB = v.CoefB;
    f.CoeffC = v.CoefC;
    f.Voie1 = v.Operande1;
    f.Voie2 = v.Operande2;
    f.Operateur = v.OperateurFonction;
    CopieTexte(f.NomFonction, sizeof f.NomFonction, a.NomAffiche, sizeof a.NomAffiche, LongueurNomFonction);
    CopieTexte(f.UniteFonction, sizeof f.UniteFonction, a.UniteAffichee, sizeof a.UniteAffichee,
               LongueurUniteFonction);
    return f;
}

uint8_t ADD_FONCTION(QWidget* parent) {
    if (!VoiePresente()) return 0;
    if (EnteteF.NombreVoiesTotal >= NombreVoiesTable) {
        AFFICHE_ERREUR(POS_MESS(M_VoiesPleines));
        return 0;
    }
    // From the seventh addition on, the sixth slot, which already defines a channel, is edited.
    if (NOMBRE_FONCTIONS_AJOUTEES() >= NombreSlotsFonction)
        AFFICHE_MESSAGE(POS_MESS(M_FonctionsMath), POS_MESS(M_SixFonctions), tIconeBoite::Information);

    NumeroFonction = NumeroNewFonction;
    FonctionNew dialogue(parent);
    dialogue.Init();
    dialogue.exec();
    return dialogue.FaireFonction;
}

uint8_t MODIF_FONCTION(QWidget* parent, int voie) {
    const int k = NUMERO_FONCTION_AJOUTEE(voie);
    if (k < 0) return 0;

    NumeroFonction = static_cast<uint8_t>(k);
    FonctionNew dialogue(parent);
    // Once more than six functions were added the sixth slot holds the last one added, not
    // necessarily this channel's: the dialog then starts from the channel's own definition.
    const bool slotPartage =
        SLOT_FONCTION(k) == NombreSlotsFonction - 1 && NOMBRE_FONCTIONS_AJOUTEES() > NombreSlotsFonction;
    if (slotPartage)
        dialogue.Init(DEFINITION_VOIE(voie));
    else
        dialogue.Init();
    dialogue.exec();
    if (dialogue.FaireFonction != 1) return 0;
    return MODIF_VOIE_FONCTION(k) == 0 ? 1 : 0;
}

} // namespace VIEW
