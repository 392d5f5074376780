// The bounds column right of the plot: for every screen zone the scale values
// of its channels and their full names, and the names of the logic inputs
// beside their lanes. The same routines measure (draw = 0) the column for the
// layout and draw it (draw = 1).
#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "config/OnOff.h"
#include "graph/GeometrieGraphe.h"
#include "graph/OutilsSurcouche.h"
#include "graph/grapheft.h"
#include "recording/Conversion.h"
#include "recording/TexteValeur.h"
#include "shell/OutilsTexte.h"

using surcouche::Couleur;

namespace {

constexpr int PassesMax = 100;         // passes over the channels of a zone
constexpr int PositionPleine = 100000; // scale positions in 1/100000 of the range

int16_t Largeur16(int64_t w) {
    return static_cast<int16_t>(std::clamp<int64_t>(w, 0, std::numeric_limits<int16_t>::max()));
}

int NombreZones(const tConfig& c) {
    return std::min<int>(c.ReticEcran.NbEcran, NombreVoiesConfig);
}

// Channels of zone z in channel order: displayed, assigned to the zone, and in
// XY mode not the abscissa channel.
std::vector<int> VoiesDeZone(const tConfig& c, int z) {
    std::vector<int> voies;
    for (int ch = 0; ch < NombreVoiesConfig; ++ch) {
        if (!TST_B_ONOFF(c.VoiesAffichees, ch) || c.ReticEcran.EcranVoie[ch] != z + 1) continue;
        if (c.ModeXY == 1 && ch == c.VoieX) continue;
        voies.push_back(ch);
    }
    return voies;
}

bool MemeEchelle(const tConfig& c, int a, int b) {
    return FLOAT_EGAL(c.ParamVoie[a].BorneMin, c.ParamVoie[b].BorneMin) &&
           FLOAT_EGAL(c.ParamVoie[a].BorneMax, c.ParamVoie[b].BorneMax);
}

// Scale value of channel ch at position (n - k) / n of its range.
QString Graduation(const tConfig& c, int ch, int k, int n, bool sansBlanc) {
    char texte[64];
    MESSAGE_ENTREE_COMPRESSER(c, texte, ch, static_cast<int32_t>((n - k) * PositionPleine / n));
    if (sansBlanc) ELIM_DEBUT_BLANC(texte);
    return DepuisCp1252(texte);
}

int Divisions(const tConfig& c, int z) {
    const int n = c.ReticEcran.NbDivEcran[z];
    return n == 0 ? 1 : n;
}

// Smallest font of the logic inputs' names, in pixels.
constexpr int PixelsNomLogiqueMin = 8;

} // namespace

int16_t grapheft::AFFICH_BORNE_TOTAL(uint8_t draw) {
    if (draw == 0) {
        PositionBorneNom = 0;
        LongueurNomMax = 0;
    }
    if (!FontBaseDetemps) return 0;
    const tConfig& c = *SavConf;
    // The logic inputs' names come first: the channel names then keep clear of them.
    const int16_t logiques = AFFICHE_NOM_LOGIQUE(draw);
    int s = 0;
    for (int z = 0; z < NombreZones(c); ++z)
        s = std::max<int>(s, c.BorneUnique == 0 ? AFF_BORNE(z, draw) : AFF_BORNE_simple(z, draw));
    PositionBorneNom = s;
    // The names column right of the scales holds the channel names and the
    // logic inputs' names.
    int64_t largeur = static_cast<int64_t>(s) + std::max<int64_t>(LongueurNomMax, logiques);
    largeur = std::max<int64_t>(largeur, LongMessX("200msec/div"));
    return Largeur16(largeur);
}

int16_t grapheft::AFF_BORNE(int zone, uint8_t draw) {
    const tConfig& c = *SavConf;
    if (!FontBaseDetemps || zone < 0 || zone >= NombreZones(c)) return 0;
    const bool dessin = draw == 1 && gp;
    const QFont& police = *FontBaseDetemps;
    const tZonePixels z = ZONE_PIXELS(c.ReticEcran, zone, ScrollY);
    const int haut = DebutScrollY + z.Haut, bas = DebutScrollY + z.Bas;
    const int xr = DebutScrollX + ScrollX;
    const int n = Divisions(c, zone);
    const int demi = HauteurCarac / 2;

    std::array<bool, NombreVoiesConfig> restantes{};
    const std::vector<int> voies = VoiesDeZone(c, zone);
    for (const int ch : voies) restantes[ch] = true;

    int64_t dx = 0;
    int ym = (haut + bas) / 2;
    for (int passe = 0; passe < PassesMax; ++passe) {
        bool trouvee = false;
        for (const int ch : voies) {
            if (!restantes[ch]) continue;
            trouvee = true;
            const int x = static_cast<int>(std::min<int64_t>(xr + dx, std::numeric_limits<int16_t>::max()));
            const QColor couleur = Couleur(c.CouleurVoie[ch]);
            if (dessin) {
                gp->setPen(surcouche::Pen(couleur));
                gp->drawLine(x, haut, x, bas);
            }
            // The labels stand clear of their line and of the next scale's.
            int plusLarge = 0;
            for (int k = 0; k <= n; ++k) {
                const QString t = Graduation(*SavConf, ch, k, n, false);
                int y = haut + (bas - haut) * k / n;
                if (k > 0) y -= demi;
                if (k == n) y -= demi;
                // Above the time labels' row.
                y = std::min(y, DebutScrollY + ScrollY - HauteurCarac);
                if (dessin) POSER(t, police, couleur, x + EcartTexteTrait, y);
                plusLarge = std::max(plusLarge, LongMessX(t));
            }
            dx += plusLarge + 2 * EcartTexteTrait;
            // Every channel of the same range shares this scale and lists its name under it.
            for (const int autre : voies) {
                if (autre < ch || !restantes[autre] || !MemeEchelle(c, ch, autre)) continue;
                restantes[autre] = false;
                char nom[200];
                CALCUL_NOM_TOTAL(nom, autre);
                const QString t = DepuisCp1252(nom);
                const int w = LongMessX(t);
                const QColor couleurNom = Couleur(c.CouleurVoie[autre]);
                if (c.NomsVerticaux == 1) {
                    if (dessin) {
                        POSER_VERTICAL(t, police, couleurNom, static_cast<double>(xr + dx), haut + w);
                        BoitesNoms.emplace_back(BoitesTextes.back(), autre);
                    }
                    dx += HauteurCarac;
                } else {
                    if (dessin) {
                        const QRectF b = PLACE_LIBRE(BOITE_TEXTE(t, police, xr + PositionBorneNom, ym),
                                                     HauteurCarac, QRectF(0, 0, LargeurImage, HauteurImage));
                        POSER(t, police, couleurNom, b.left(), b.top());
                        BoitesNoms.emplace_back(b, autre);
                        ym = static_cast<int>(b.top());
                    }
                    ym += HauteurCarac;
                    LongueurNomMax = Largeur16(std::max<int64_t>(LongueurNomMax, w));
                }
            }
        }
        if (!trouvee) break;
    }
    return Largeur16(dx);
}

int16_t grapheft::AFF_BORNE_simple(int zone, uint8_t draw) {
    const tConfig& c = *SavConf;
    if (!FontBaseDetemps || zone < 0 || zone >= NombreZones(c)) return 0;
    const std::vector<int> voies = VoiesDeZone(c, zone);
    if (voies.empty()) return 0;
    const bool dessin = draw == 1 && gp;
    const QFont& police = *FontBaseDetemps;
    const tZonePixels z = ZONE_PIXELS(c.ReticEcran, zone, ScrollY);
    const int haut = DebutScrollY + z.Haut, bas = DebutScrollY + z.Bas;
    const int xr = DebutScrollX + ScrollX;
    const int demi = HauteurCarac / 2;

    const bool commune =
        std::all_of(voies.begin(), voies.end(), [&](int ch) { return MemeEchelle(c, voies.front(), ch); });
    const int n = commune ? Divisions(c, zone) : 1;
    int decalageHaut = 0, decalageBas = 0; // stacking of the top and bottom labels
    int l = 0;
    for (const int ch : voies) {
        const QColor couleur = Couleur(c.CouleurVoie[ch]);
        for (int k = 0; k <= n; ++k) {
            const QString t = Graduation(*SavConf, ch, k, n, true);
            int y = haut + k * (bas - haut) / n;
            if (k > 0) y -= demi;
            if (k == n) y -= demi;
            // Above the time labels' row, the stack of bottom labels upwards.
            y = std::min(y, DebutScrollY + ScrollY - HauteurCarac);
            if (k == 0) y += decalageHaut;
            if (k == n) y -= decalageBas;
            if (dessin) POSER(t, police, couleur, xr + EcartTexteTrait, y);
            l = std::max(l, LongMessX(t));
        }
        if (commune) break;
        decalageHaut += HauteurCarac;
        decalageBas += HauteurCarac;
    }
    l += 2 * EcartTexteTrait;
    return Largeur16(static_cast<int64_t>(l) + AFF_NOM(zone, draw, l));
}

int16_t grapheft::AFF_NOM(int zone, uint8_t draw, int decalage) {
    const tConfig& c = *SavConf;
    if (!FontBaseDetemps || zone < 0 || zone >= NombreZones(c)) return 0;
    const std::vector<int> voies = VoiesDeZone(c, zone);
    const bool verticaux = c.NomsVerticaux == 1;
    std::vector<QString> noms;
    int64_t largeur = 0, hauteurBloc = 0;
    for (const int ch : voies) {
        char nom[200];
        CALCUL_NOM_TOTAL(nom, ch);
        noms.push_back(DepuisCp1252(nom));
        if (verticaux)
            largeur += HauteurCarac;
        else
            largeur = std::max<int64_t>(largeur, LongMessX(noms.back()));
        hauteurBloc += HauteurCarac;
    }
    if (draw == 1 && gp) {
        const QFont& police = *FontBaseDetemps;
        const tZonePixels z = ZONE_PIXELS(c.ReticEcran, zone, ScrollY);
        double x = static_cast<double>(DebutScrollX) + ScrollX + decalage;
        int64_t y = DebutScrollY + (static_cast<int64_t>(z.Haut) + z.Bas - hauteurBloc) / 2;
        for (size_t i = 0; i < voies.size(); ++i) {
            const QColor couleur = Couleur(c.CouleurVoie[voies[i]]);
            if (verticaux) {
                POSER_VERTICAL(noms[i], police, couleur, x, DebutScrollY + z.Haut + LongMessX(noms[i]));
                if (!noms[i].isEmpty()) BoitesNoms.emplace_back(BoitesTextes.back(), voies[i]);
                x += HauteurCarac;
            } else {
                const QRectF b = PLACE_LIBRE(BOITE_TEXTE(noms[i], police, x, static_cast<double>(y)),
                                             HauteurCarac, QRectF(0, 0, LargeurImage, HauteurImage));
                POSER(noms[i], police, couleur, b.left(), b.top());
                BoitesNoms.emplace_back(b, voies[i]);
                y = static_cast<int64_t>(b.top()) + HauteurCarac;
            }
        }
    }
    return Largeur16(largeur);
}

int16_t grapheft::AFFICHE_NOM_LOGIQUE(uint8_t draw) {
    const tConfig& c = *SavConf;
    const t_EnteteREC_GlobalTotal& e = *EnteteFichier;
    if (e.LogiqueAffichee == 0 || !FontBaseDetemps) return 0;
    const bool dessin = draw == 1 && gp;
    const tBandeLogique bande = BANDE_LOGIQUE(DebutScrollY, ScrollY, c.PositionVoiesLogiques,
                                              c.HauteurVoiesLogiques, c.NombreVoiesLogiquesAffichees);
    const int entrees = std::min<int>(c.NombreVoiesLogiques, NombreNomsLogiquesMax);
    // Lanes thinner than a line get their names in a font that fits them (down
    // to a legible size); below that, one name in so many, so that they stay apart.
    QFont police = *FontBaseDetemps;
    int hauteur = HauteurCarac;
    if (bande.Voie > 0 && bande.Voie < HauteurCarac) {
        police.setPixelSize(std::max(PixelsNomLogiqueMin, bande.Voie - 1));
        hauteur = HAUTEUR_LIGNE(police);
    }
    const int pas = bande.Voie > 0 && bande.Voie < hauteur ? (hauteur + bande.Voie - 1) / bande.Voie : 1;
    // In the names column, right of every scale (measured before drawing).
    const int x = DebutScrollX + ScrollX + PositionBorneNom;
    int plusLarge = 0, i = 0;
    for (int b = 0; b < entrees; ++b) {
        if ((c.MasqueVoiesLogiques & (1u << b)) == 0) continue;
        const QString nom = surcouche::Champ(e.NomLogique[b]);
        const int y = i * bande.Voie + bande.Haut + (bande.Voie - hauteur) / 2;
        if (i % pas == 0) {
            if (dessin) POSER(nom, police, Couleur(c.CouleurVoieLogique[b]), x, y);
            plusLarge = std::max(plusLarge, static_cast<int>(LARGEUR_TEXTE(nom, police)));
        }
        ++i;
    }
    return Largeur16(plusLarge);
}
