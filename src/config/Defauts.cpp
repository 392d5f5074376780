#include "config/Defauts.h"

#include <cstring>

#include "config/Config.h"
#include "config/Couleurs.h"
#include "config/Reticule.h"

namespace {

constexpr int32_t TableCouleursDefaut[NombreCouleursDefaut] = {
    CSS("Blue"),           CSS("BlueViolet"),    CSS("DeepPink"),       CSS("DarkTurquoise"),
    CSS("Brown"),          CSS("Cyan"),          CSS("Chartreuse"),     CSS("Crimson"),
    CSS("Coral"),          CSS("BlueViolet"),    CSS("CornflowerBlue"), CSS("BurlyWood"),
    CSS("DodgerBlue"),     CSS("CadetBlue"),     CSS("Khaki"),          CSS("Violet"),
    CSS("Peru"),           CSS("Lavender"),      CSS("AliceBlue"),      CSS("AntiqueWhite"),
    CSS("Aqua"),           CSS("Aquamarine"),    CSS("Beige"),          CSS("Bisque"),
    CSS("BlanchedAlmond"), CSS("Blue"),          CSS("BlueViolet"),     CSS("Brown"),
    CSS("BurlyWood"),      CSS("CadetBlue"),     CSS("Chartreuse"),     CSS("DarkBlue"),
    CSS("DarkCyan"),       CSS("DarkGoldenrod"), CSS("DarkGray"),       CSS("DarkGreen"),
    CSS("DarkKhaki"),      CSS("DarkMagenta"),   CSS("DarkOliveGreen"), CSS("DarkOrange"),
    CSS("DarkOrchid"),     CSS("DarkRed"),       CSS("DarkSalmon"),     CSS("DarkSeaGreen"),
    CSS("DarkSlateBlue"),  CSS("DarkSlateGray"), CSS("DarkTurquoise"),  CSS("DarkViolet"),
    CSS("DeepPink"),       CSS("DeepSkyBlue"),   CSS("DimGray"),        CSS("DodgerBlue"),
    CSS("Firebrick"),      CSS("FloralWhite"),   CSS("ForestGreen"),    CSS("Fuchsia"),
    CSS("Gainsboro"),      CSS("GhostWhite"),    CSS("Gold"),           CSS("Goldenrod"),
    CSS("Green"),          CSS("GreenYellow"),   CSS("Honeydew"),       CSS("HotPink"),
    CSS("IndianRed"),      CSS("Indigo"),        CSS("Ivory"),          CSS("Khaki"),
    CSS("Lavender"),       CSS("LavenderBlush"), CSS("LemonChiffon"),   CSS("Magenta"),
    CSS("Maroon"),         CSS("MediumBlue"),    CSS("MediumPurple"),   CSS("MediumTurquoise"),
    CSS("Navy"),           CSS("OliveDrab"),
};

void PoliceParDefaut(tPoliceConfig& police) {
    std::strcpy(police.Nom, "Arial");
    police.Taille = 10.0f;
    police.Style = 0;
}

} // namespace

int32_t COULEUR_VOIE_DEFAUT(int n) {
    if (n >= 0 && n < NombreCouleursDefaut) return TableCouleursDefaut[n];
    return CSS("Brown");
}

void INIT_CONFIG() {
    std::memset(&Config, 0, sizeof Config);

    for (int n = 0; n < NombreVoiesConfig; ++n) {
        Config.ParamVoie[n].BorneMax = 1.0f;
        Config.ParamVoie[n].BorneMin = -1.0f;
        Config.CouleurVoie[n] = CSS("Brown");
    }

    Config.CouleurFond = CSS("White");
    Config.CouleurReticule = CSS("Black");
    Config.CouleurCurseur = CSS("Brown");
    for (int n = 0; n < NombreCouleursDefaut; ++n) Config.CouleurVoie[n] = TableCouleursDefaut[n];

    for (int k = 0; k < NombreLogiquesConfig; ++k) Config.CouleurVoieLogique[k] = Config.CouleurVoie[k];

    Config.VersionConfig = VersionConfigCourante;
    Config.HauteurVoiesLogiques = 50;
    Config.TypeCalibre = 1;

    PoliceParDefaut(Config.PoliceNom);
    PoliceParDefaut(Config.PoliceBaseDeTemps);

    Config.CouleurAnnotation = CSS("CadetBlue");

    RESET_RETICULE(&Config.ReticEcran);

    Config.CurseurDansReticule = 0;
    Config.BoiteCurseur = 1;
    Config.PositionBoiteCurseur = 0;
    Config.ValeurSuitCurseur = 1;
    Config.VoieSuitCurseur = 0;

    // Measurement slots: type k in slot k, all on channel 0.
    Config.NombreCalcul = 4;
    for (int k = 0; k <= 6; ++k) Config.TabCalcul[k][1] = static_cast<uint8_t>(k);

    Config.NombreVoieCurseur = 10;
    Config.AffichageBornes = 1;
}
