#include "config/Demarrage.h"

#include "config/Coherence.h"
#include "config/Config.h"
#include "config/FichierConfig.h"
#include "shell/DossiersUtilisateur.h"
#include "shell/LigneCommande.h"
#include "shell/Messages.h"
#include "shell/Registre.h"

namespace {

inline constexpr uint8_t LangueMax = 4;
inline constexpr uint8_t LangueAnglais = 1;

} // namespace

bool INIT_DEMARRAGE(const QString& premierArgument, const QString& cheminProgramme) {
    INIT_NOMS_APPLICATION();
    Setup = tSetup{};
    INIT_NOM_LOGICIEL();
    LIRE_CLES();

    bool configurationChargee = false;
    if (!premierArgument.isEmpty() && EST_FICHIER_CONFIG(premierArgument))
        configurationChargee = APPEL_CONFIGURATION(premierArgument) == ResultatConfigOk;

    CREATION_CLE(cheminProgramme);
    if (Langue > LangueMax) Langue = LangueAnglais;

    if (!configurationChargee) APPEL_CONFIGURATION(CHEMIN_SETUP_VIEWER());
    COHERENCE_CONFIGURATION();
    return configurationChargee;
}
