#include "graph/Mesures.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "config/OnOff.h"
#include "recording/Conversion.h"
#include "recording/FormatC.h"
#include "recording/TexteTemps.h"

namespace {

// Spread factor of a side of the histogram: the wider the codes of that side
// spread, the less a single class must stand out to be taken as a plateau.
int32_t FacteurEtalement(int32_t s) {
    if (s < 10) return 1;
    if (s < 85) return 2;
    if (s < 170) return 4;
    if (s < 255) return 6;
    return 0;
}

double Valeur(const double* tab, int ligne, int ch) {
    return tab[static_cast<size_t>(ligne) * NombreSlotsColonne + ch];
}

// Name of a channel as displayed, bounded by its field.
void AjoutNom(char* texte, size_t taille, const t_EnteteREC_GlobalTotal& e, int ch) {
    if (ch < 0 || ch >= NombreVoiesTable) return;
    const tAffichageVoie& a = e.Affichage[ch];
    char nom[sizeof a.NomAffiche + 1];
    std::memcpy(nom, a.NomAffiche, sizeof a.NomAffiche);
    nom[sizeof a.NomAffiche] = '\0';
    AJOUT_BORNE(texte, taille, nom);
}

// Channels with raw words in the display table: the recorded analog ones.
bool AvecCodesBruts(const DonneesGraphe& d, int ch) {
    return ch >= 0 && ch < NombreSlotsAnalog && ch < d.EnteteFichier->NombreVoiesAnalog;
}

} // namespace

// ---- Level analysis ----------------------------------------------------------------

int32_t AnalyseNiveaux::CAL_VALCYC(int i) const {
    if (i < 0 || i >= TailleValeurCyclique) return 0;
    return ValeurCyclique[static_cast<size_t>(i)];
}

void AnalyseNiveaux::CAL_CLASSE() {
    Classif.fill(0);
    Recherche[0] = Recherche[1] = 0;
    Classe_Max[0] = Classe_Max[1] = 0;
    Math_Min = Math_Max = CAL_VALCYC(1);
    // The last column is not counted.
    for (int i = Abscisse_Dep; i <= Abscisse_Fin - 2; ++i) {
        const int32_t code = CAL_VALCYC(i);
        ++Classif[static_cast<size_t>(code >> 7)];
        if (code > Math_Max)
            Math_Max = code;
        else if (code < Math_Min)
            Math_Min = code;
    }
    const int32_t kmin = Math_Min >> 7, kmax = Math_Max >> 7;
    const int32_t kc = ((Math_Min + Math_Max) / 2) >> 7;
    const auto classe = [&](int32_t k) -> int32_t { return Classif[static_cast<size_t>(k)]; };

    // Low side: the first populated class from five below the centre downward.
    int32_t klow = 0;
    for (int32_t k = kc - 5; k >= kmin; --k)
        if (classe(k) != 0) {
            klow = k;
            break;
        }
    int32_t m0 = 0;
    for (int32_t k = kmin; k <= klow; ++k) m0 += classe(k);
    if (klow != kmin) m0 /= klow - kmin;
    const int32_t f0 = FacteurEtalement(klow - kmin);
    for (int32_t k = kmin; k <= klow; ++k)
        if (classe(k) >= m0 * f0) Recherche[0] = 1;
    if (Recherche[0] == 1) {
        // Most populated class, the lowest on a tie. With no class in the scan
        // the lowest class stands for the plateau.
        int32_t meilleure = kmin, population = 0;
        for (int32_t k = kmin; k <= kc - 6; ++k)
            if (classe(k) > population) {
                population = classe(k);
                meilleure = k;
            }
        Classe_Max[0] = meilleure * TailleClasse + 31;
    }

    // High side: the first populated class from five above the centre upward.
    int32_t khigh = 0;
    for (int32_t k = kc + 5; k <= kmax; ++k)
        if (classe(k) != 0) {
            khigh = k;
            break;
        }
    int32_t m1 = 0;
    for (int32_t k = khigh; k <= kmax; ++k) m1 += classe(k);
    if (kmax != khigh) m1 /= kmax - khigh;
    const int32_t f1 = FacteurEtalement(kmax - khigh);
    for (int32_t k = kc + 5; k <= kmax; ++k)
        if (classe(k) >= m1 * f1) Recherche[1] = 1;
    if (Recherche[1] == 1) {
        // Most populated class, the highest on a tie.
        int32_t meilleure = kmax, population = 0;
        for (int32_t k = kmax; k >= kc + 5; --k)
            if (classe(k) > population) {
                population = classe(k);
                meilleure = k;
            }
        Classe_Max[1] = meilleure * TailleClasse;
    }

    Math_High = Recherche[1] == 1 ? Classe_Max[1] : Math_Max;
    Math_Low = Recherche[0] == 1 ? Classe_Max[0] : Math_Min;
    Math_Centre = (Math_High + Math_Low) / 2;
}

void AnalyseNiveaux::PASSAGE_CENTRE() {
    IncrM = IncrD = 0;
    const int32_t c = Math_Centre;
    for (int i = Abscisse_Dep; i <= Abscisse_Fin - 2; ++i) {
        const int32_t a = CAL_VALCYC(i), b = CAL_VALCYC(i + 1);
        if (a <= c && b > c && IncrM < TailleValeurCyclique)
            Abscisse_Centre_M[static_cast<size_t>(IncrM++)] = static_cast<uint16_t>(i);
        if (a >= c && b < c && IncrD < TailleValeurCyclique)
            Abscisse_Centre_D[static_cast<size_t>(IncrD++)] = static_cast<uint16_t>(i);
    }
}

void AnalyseNiveaux::MATH_FREQ() {
    Math_Freq = -1.f;
    Math_Periode = -1.f;
    PASSAGE_CENTRE();
    int32_t n = 0, etendue = 0;
    if (IncrM != 0) {
        if (IncrM >= IncrD) {
            n = IncrM - 1;
            etendue = Abscisse_Centre_M[static_cast<size_t>(n)] - Abscisse_Centre_M[0];
        } else {
            n = IncrD - 1;
            etendue = Abscisse_Centre_D[static_cast<size_t>(n)] - Abscisse_Centre_D[0];
        }
    }
    if (n == 0)
        Math_Periode = 0.f;
    else
        Math_Periode = static_cast<float>(BDT_Curseur * etendue / 1000000.0) / static_cast<float>(n);
    Math_Freq = FLOAT_EGAL(Math_Periode, 0.0) ? 0.f : 1.f / Math_Periode;
}

void AnalyseNiveaux::CYCLE_RMS(int32_t& debut, int32_t& fin) {
    PASSAGE_CENTRE();
    if (IncrM >= IncrD && IncrM >= 2) {
        debut = Abscisse_Centre_M[0];
        fin = Abscisse_Centre_M[static_cast<size_t>(IncrM - 1)];
    } else if (IncrM < IncrD && IncrD >= 2) {
        debut = Abscisse_Centre_D[0];
        fin = Abscisse_Centre_D[static_cast<size_t>(IncrD - 1)];
    } else {
        debut = Abscisse_Dep;
        fin = Abscisse_Fin;
    }
}

void AnalyseNiveaux::MATH_RMS(const double* tabFlottant, int ch) {
    int32_t debut = 0, fin = 0;
    CYCLE_RMS(debut, fin);
    debut = std::clamp<int32_t>(debut, 0, NombreColonnesTable);
    fin = std::clamp<int32_t>(fin, debut, NombreColonnesTable);
    Math_Rms = 0.f;
    if (tabFlottant == nullptr || ch < 0 || ch >= NombreSlotsColonne || fin == debut) return;
    float somme = 0.f;
    for (int32_t i = debut; i < fin; ++i) {
        const float x = static_cast<float>(Valeur(tabFlottant, i, ch));
        somme += x * x;
    }
    Math_Rms = std::sqrt(somme / static_cast<float>(fin - debut));
}

void CHARGER_VOIE(AnalyseNiveaux& a, DonneesGraphe& d, int ch, double tempsTotal) {
    a.BDT_Curseur = tempsTotal / 1000.0;
    const int lignes = std::clamp<int>(d.PointeurCyclique.load(std::memory_order_acquire), 0,
                                       std::min(NombreColonnesTable, TailleValeurCyclique));
    a.ValeurCyclique.fill(0);
    if (AvecCodesBruts(d, ch)) {
        d.VraiLongueurCyc = static_cast<int16_t>(lignes);
        d.DECALAGE_TABCYCL(ch);
        const uint16_t biais = d.EnteteFichier->Affichage[ch].VoieSignee != 0 ? 0x8000 : 0;
        for (int i = 0; i < lignes; ++i)
            a.ValeurCyclique[static_cast<size_t>(i)] =
                static_cast<uint16_t>(d.ValeurCyclique[static_cast<size_t>(i)] ^ biais);
    } else if (ch >= 0 && ch < NombreSlotsColonne) {
        double bas = 0.0, haut = 0.0;
        bool premier = true;
        for (int i = 0; i < lignes; ++i) {
            const double v = Valeur(d.TabFlottant.get(), i, ch);
            if (!std::isfinite(v)) continue;
            if (premier || v < bas) bas = v;
            if (premier || v > haut) haut = v;
            premier = false;
        }
        const double etendue = haut - bas;
        if (std::isfinite(etendue) && etendue > 0.0)
            for (int i = 0; i < lignes; ++i) {
                const double v = Valeur(d.TabFlottant.get(), i, ch);
                if (std::isfinite(v))
                    a.ValeurCyclique[static_cast<size_t>(i)] =
                        static_cast<uint16_t>(std::lround((v - bas) / etendue * 65535.0));
            }
    }
    a.Abscisse_Dep = 0;
    a.Abscisse_Fin = lignes;
}

// ---- Values from the table of physical values --------------------------------------

tExtreme EXTREME_VOIE(const double* tabFlottant, int lignes, int ch, int lequel) {
    tExtreme r;
    if (tabFlottant == nullptr || lignes <= 0 || ch < 0 || ch >= NombreSlotsColonne) return r;
    lignes = std::min(lignes, NombreColonnesTable);
    double extreme = Valeur(tabFlottant, 0, ch);
    for (int i = 1; i < lignes; ++i) {
        const double v = Valeur(tabFlottant, i, ch);
        if (lequel == ExtremeMin ? v < extreme : v > extreme) {
            extreme = v;
            r.Ligne = i;
        }
    }
    r.Valeur = static_cast<float>(extreme);
    return r;
}

double MOYENNE_VOIE(const double* tabFlottant, int lignes, int ch) {
    if (tabFlottant == nullptr || lignes <= 0 || ch < 0 || ch >= NombreSlotsColonne) return 0.0;
    lignes = std::min(lignes, NombreColonnesTable);
    double somme = 0.0;
    for (int i = 0; i < lignes; ++i) somme += Valeur(tabFlottant, i, ch);
    return somme / lignes;
}

tMesuresVoie MESURER_VOIE(DonneesGraphe& d, int ch, double tempsTotal) {
    tMesuresVoie m;
    const int lignes = d.PointeurCyclique.load(std::memory_order_acquire);
    const double* tab = d.TabFlottant.get();
    m.Min = EXTREME_VOIE(tab, lignes, ch, ExtremeMin).Valeur;
    m.Max = EXTREME_VOIE(tab, lignes, ch, ExtremeMax).Valeur;
    m.PicPic = m.Max - m.Min;
    m.Moyenne = MOYENNE_VOIE(tab, lignes, ch);
    AnalyseNiveaux a;
    CHARGER_VOIE(a, d, ch, tempsTotal);
    a.CAL_CLASSE();
    a.MATH_FREQ();
    m.Frequence = a.Math_Freq;
    m.Periode = a.Math_Periode;
    a.MATH_RMS(tab, ch);
    m.Rms = a.Math_Rms;
    return m;
}

// ---- Slots --------------------------------------------------------------------------

int NOMBRE_MESURES(const tConfig& c) {
    return std::min<int>(c.NombreCalcul, NombreCalculMax);
}

int VOIE_MESUREE(int voie, const t_EnteteREC_GlobalTotal& e) {
    return voie >= 0 && voie < e.NombreVoiesTotal && voie < NombreVoiesTable ? voie : 0;
}

tBloc MESSAGE_LISTE_MESURE(int type) {
    switch (type) {
    case MesureMax:
        return M_Math_Max;
    case MesurePicPic:
        return M_Math_Pk_Pk;
    case MesureFrequence:
        return M_Math_Freq;
    case MesurePeriode:
        return M_Math_Periode;
    case MesureMoyenne:
        return M_Math_Moy;
    case MesureRMS:
        return M_Math_RMS;
    default:
        return M_Math_Min;
    }
}

tBloc MESSAGE_TAG_MESURE(int type) {
    switch (type) {
    case MesureMax:
        return M_Math_Max_Com;
    case MesurePicPic:
        return M_Math_Pk_Pk_Com;
    case MesureFrequence:
        return M_Math_Freq_Com;
    case MesurePeriode:
        return M_Math_Periode_Com;
    case MesureMoyenne:
        return M_Math_Moy_Com;
    case MesureRMS:
        return M_Math_RMS_Com;
    default:
        return M_Math_Min_Com;
    }
}

// ---- Texts ----------------------------------------------------------------------------

void RECUP_LABEL_MATH(char* texte, size_t taille, const t_EnteteREC_GlobalTotal& e, int ch, int type,
                      int avecNom) {
    if (taille == 0) return;
    texte[0] = '\0';
    if (avecNom != 0) {
        AjoutNom(texte, taille, e, ch);
        AJOUT_BORNE(texte, taille, "[");
        AJOUT_BORNE(texte, taille, POS_MESS(MESSAGE_TAG_MESURE(type)));
        AJOUT_BORNE(texte, taille, "]");
    }
    AJOUT_BORNE(texte, taille, ":");
}

void RECUP_LABEL_DIALOGUE(char* texte, size_t taille, const t_EnteteREC_GlobalTotal& e, int ch, int type) {
    if (taille == 0) return;
    texte[0] = '\0';
    AJOUT_BORNE(texte, taille, "     ");
    AjoutNom(texte, taille, e, VOIE_MESUREE(ch, e));
    AJOUT_BORNE(texte, taille, " [ ");
    AJOUT_BORNE(texte, taille,
                POS_MESS(MESSAGE_TAG_MESURE(type >= 0 && type < NombreTypesMesure ? type : 0)));
    AJOUT_BORNE(texte, taille, " ]");
}

void TEXTE_FREQUENCE(char* texte, size_t taille, float frequence) {
    if (taille == 0) return;
    double f = std::fabs(static_cast<double>(frequence));
    // Also the text of a frequency that is not a number.
    if (!(f > 0.1)) {
        ECRIRE_FORMAT(texte, taille, "  ---- Hz");
        return;
    }
    const char* prefixe = "";
    if (f >= 1000.0) {
        f /= 1000.0;
        prefixe = "K";
        if (f >= 1000.0) {
            f /= 1000.0;
            prefixe = "M";
        }
    }
    const int decimales = f >= 100.0 ? 1 : f >= 10.0 ? 2 : 3;
    ECRIRE_FORMAT(texte, taille, "%6.*f %sHz", decimales, f, prefixe);
}

void TEXTE_PERIODE(char* texte, size_t taille, float frequence, const t_EnteteREC_GlobalTotal& e) {
    // In double: a count of samples is written truncated, and 1/f in single
    // precision would turn 100 samples into 99.
    const double p = frequence > 0.f ? 1.0 / static_cast<double>(frequence) : 0.0;
    const double periode = e.BaseDeTempsInterne != 0 ? static_cast<double>(e.PeriodeEchantillon) : 0.0;
    CALCUL_TEMPS_TIME_BASE(texte, taille, p * 1000000.0, periode);
}

// ---- Channel list of the dialog ---------------------------------------------------------

int LIMITE_VOIES_LISTE(const t_EnteteREC_GlobalTotal& e) {
    if (e.FamilleEnregistreur == FamilleTKAR) return 210;
    if (e.FamilleEnregistreur == FamilleTKOS) return 228;
    return NombreVoiesMax;
}

int VOIE_DE_POSITION(const tOn_Off_VEL& presentes, int k, int limite) {
    int compte = 0;
    for (int n = 0; n < std::min(limite, NombreVoiesMax); ++n) {
        if (!TST_B_ONOFF(presentes, n)) continue;
        if (compte == k) return n;
        ++compte;
    }
    return 0;
}

int POSITION_DE_VOIE(const tOn_Off_VEL& presentes, int voie) {
    if (voie < 0 || voie >= NombreVoiesMax || !TST_B_ONOFF(presentes, voie)) return 0;
    int rang = 0;
    for (int n = 0; n < voie; ++n)
        if (TST_B_ONOFF(presentes, n)) ++rang;
    return rang;
}
