// The file filter dialog without its widgets: what it shows (file information,
// the channel list, the under-sampling periods) and the rules that tie its
// controls together and turn its state into Config fields on acceptance. The
// dialog of the user interface is a thin view over one of these; the opening
// of a recording fills it, lets the view run it, and reads its choices.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include <QString>

inline constexpr int NombreBoutonsSousEchantillon = 22;
// Entries of the channel list: every channel of the table, then the logic entry.
inline constexpr int NombreEntreesFiltreMax = 245;
// Characters of a channel name shown in the list.
inline constexpr int LongueurNomFiltre = 26;
// Room of the two information texts.
inline constexpr size_t TailleLabelFiltre = 4352; // the file name as given, a line break, the count
inline constexpr size_t TailleDateFiltre = 160;

// Under-sampling period of button i (0-based), in microseconds; 0 outside 0..21.
float PERIODE_SOUS_ECHANTILLON(int i);

class FiltreFichierModele {
public:
    // One entry of the channel list.
    struct tEntree {
        char Nom[LongueurNomFiltre + 1]{}; // Windows-1252, NUL-terminated
        bool Selectionnee = false;
    };

    // File name, a line break, M_NbEchant and the sample count.
    char Mes_Label[TailleLabelFiltre]{};
    // Trigger date text.
    char Mes_DateTrigger[TailleDateFiltre]{};
    uint8_t NombreVoieFonc = 0; // channel entries; the logic entry, when present, follows them
    uint8_t TypeCalibre = 0;    // 0 automatic ranges, 1 ranges of the recorder
    uint8_t NombreEcran = 0;    // 0 keep the layout, 1 one screen, 2 one screen per channel
    uint8_t ValidSortie = 0;    // 1 when left with the OK button

    // --- Channel list -------------------------------------------------------
    void VIDER_LISTE();
    // Appends an entry (at most LongueurNomFiltre characters of nom are kept);
    // false when the list is full.
    bool AJOUT_ENTREE(const char* nom, bool selectionnee);
    int NombreEntrees() const { return NombreEntrees_; }
    // Entry k, or nullptr outside the list.
    const tEntree* Entree(int k) const;
    QString TexteEntree(int k) const;
    // True when entry k is the logic entry (an entry after the channel entries).
    bool EstEntreeLogique(int k) const { return k >= NombreVoieFonc && k < NombreEntrees_; }
    // Selects or deselects entry k (ignored outside the list), then CHANGE_LISTE.
    void SELECTION(int k, bool selectionnee);
    bool EstSelectionnee(int k) const;
    // Selected entries among the channel entries (the logic entry does not count).
    int NombreVoiesSelectionnees() const;

    // --- Controls -----------------------------------------------------------
    bool XYCoche() const { return XYCoche_; }
    bool XYVisible() const { return XYVisible_; }
    bool GroupeEcranVisible() const { return GroupeEcranVisible_; }
    bool SousEchantillonCoche() const { return SousEchantillonCoche_; }
    // Checked period button (0-based), -1 when none.
    int BoutonSousEchantillon() const { return Bouton_; }
    // Enabled state of period button i, as computed by Init.
    bool BoutonActif(int i) const;

    void CHOIX_CALIBRE(uint8_t type) { TypeCalibre = type; }
    void CHOIX_ECRAN(uint8_t nombre) { NombreEcran = nombre; }
    // The XY box; CHANGE_LISTE follows.
    void CHANGE_XY(bool coche);
    // The under-sampling box: its state is copied at once to sousEchantillonageEnabled.
    void CHANGE_SOUS_ECHANTILLON(bool coche);
    // Checks period button i; a disabled button or an index outside 0..21 is refused (false).
    bool CHOIX_PERIODE(int i);

    // Label of period button i: the time text of its period.
    static void TEXTE_BOUTON(int i, char* texte, size_t taille);
    static QString TexteBouton(int i);

    // --- Rules --------------------------------------------------------------
    // Range and screen choices from Config, XY box from ModeXY, the list-
    // dependent controls, the enabled period buttons for samplingPeriod. The
    // under-sampling box starts unchecked with no period checked, and
    // sousEchantillonageEnabled follows it: every opening starts with every
    // sample read, as the box shows. ValidSortie 0.
    void Init();
    // XY box visible when at least two channel entries are selected; the screen
    // group visible unless XY is checked while it is.
    void CHANGE_LISTE();
    // Acceptance: under-sampling period and ratio when enabled, ValidSortie 1,
    // NumeroNewFonction 0, TypeCalibre / NombreEcranFiltre / ModeXY into Config.
    void CEST_OK();
    // Cancel: ValidSortie 0.
    void ANNULER() { ValidSortie = 0; }

    QString TexteLabel() const;
    QString TexteDate() const;

private:
    std::array<tEntree, NombreEntreesFiltreMax> Entrees_{};
    int NombreEntrees_ = 0;
    bool XYCoche_ = false;
    bool XYVisible_ = false;
    bool GroupeEcranVisible_ = true;
    bool SousEchantillonCoche_ = false;
    int Bouton_ = -1;
    std::array<bool, NombreBoutonsSousEchantillon> Actifs_{};
};

// The seam through which the opening shows the filter dialog. The viewer
// installs its implementation in the opener; the core never creates one.
class DialogueFiltre {
public:
    virtual ~DialogueFiltre() = default;
    // Shows the dialog over `modele` modally and returns once it is closed: true
    // when it was left with OK (modele.ValidSortie is then 1).
    virtual bool EXECUTER(FiltreFichierModele& modele) = 0;
};
