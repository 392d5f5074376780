// The opener of a recording: reads and checks the header of a ".rec" file into
// the header record, with its channel records, logic names, script texts and
// annotations, lets the user choose channels and display options in the filter
// dialog, derives the display set-up in Config from that choice, and keeps the
// file open for the sample reader.
//
// A recording is untrusted input: every count, size and offset it announces is
// checked against the file and against the in-memory tables before it is used,
// and a malformed file gives result 1 rather than a header computed from it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <QDateTime>
#include <QString>

#include "recording/EnteteREC.h"
#include "recording/FichierREC.h"
#include "recording/FiltreFichierModele.h"
#include "recording/ScriptsREC.h"

// Results of the opening routines.
inline constexpr uint8_t LectureOK = 0, LectureErreur = 1, LectureInconnu = 2;

// Most samples per channel a recording may hold: 2^53, the largest count a
// double holds exactly (view windows are fractions of it) and small enough that
// every word, byte and column computation on it stays within 64 bits. Only a
// file of more than 16 PiB could hold more; such a file is refused.
inline constexpr int64_t NombreScansMax = int64_t{1} << 53;

// Room of the title lines (file-name part, counts, periods, date).
inline constexpr size_t TailleMessageEntete = 768;

// 1 once a header has been accepted and the display set up from it; 0 from the
// start of every opening until then.
extern uint8_t ValidFichier;
void RESET_VALID_FICHIER();

class OuvreREC {
public:
    explicit OuvreREC(t_EnteteREC_GlobalTotal* entete = &EnteteF);
    ~OuvreREC();
    OuvreREC(const OuvreREC&) = delete;
    OuvreREC& operator=(const OuvreREC&) = delete;

    // Reads the header of VraiNomFichier into *EnteteFichier, the annotation area
    // into the annotation tables and the script area into Scripts. 0: the file is
    // open and its header accepted; 1: missing, unreadable or malformed file;
    // 2: no known recorder family. On 1 or 2 the file is closed again. The only
    // message shown here is the trigger-date warning of the TKOS family; the
    // caller reports the result (AFFICHE_ERREUR_LECTURE).
    // Besides the file's own fields, the reading fills `Affichage` of every
    // channel: the trimmed name and unit, and `VoieSignee` for the channels of
    // the supplementary block (known only here). Redoing the names and units
    // later gives the same texts.
    uint8_t LECTURE_ENTETE();

    // The whole opening of the displayed recording (the header record, Config,
    // Setup and the title texts all describe it): reads the header (a failure is
    // reported in a message box and returned), fills the filter dialog model
    // `Filtre`, builds the title lines, shows the dialog through `Dialogue`
    // unless sansDialogue is non-zero or no dialog is installed (its defaults
    // are then accepted as they stand), rebuilds the title line, runs
    // CALCUL_ENTETE and reports script errors. 0: open and set up; 1: read error,
    // or the dialog was cancelled (the file is then closed again and its
    // scripts dropped); 2: no known family.
    uint8_t OUVRIR_REC(uint8_t sansDialogue);

    // Title line after the filter dialog: as built on opening, without the two
    // blanks after the period, with the under-sampling period when enabled.
    void onUnderSamplingSelected();

    // The texts of the open recording built in the language of the moment, again in the
    // current one after a change of language: the dialog's trigger date and the title lines
    // (as after the filter dialog). The recording's own title is no text of the program and
    // stays. Nothing when no recording's titles were built.
    void REFAIRE_TITRES();

    // Turns the choices of the filter dialog into Config fields: ValidFichier,
    // the view window (not for a comparison file), names and units, ranges and
    // number formats from the file when Config.TypeCalibre is 1, the displayed
    // set and the logic selection, the screen count and the even screen layout.
    // The file is read by position, so nothing needs seeking to the samples.
    void CALCUL_ENTETE();

    // Closes the file if one is open and sets HandleFichier to 0.
    void FERMER_FICHIER();
    void Reset() { FERMER_FICHIER(); }

    // Byte sum of n bytes (32-bit, wrapping), also counting them into NombreLu.
    int32_t CACUL_CHECKSUM(const void* octets, int64_t n);

    // Position of channel n among the channels present in the open file's mask
    // (TKAR, TKOS and VEL layouts): set bits of channels 0..n, minus 1, as 8 bits.
    uint8_t RECUP_POS_VOIE(int n) const;
    uint8_t RECUP_POS_VOIE_TKOS(int n) const;
    uint8_t RECUP_POS_VOIE_VEL(int n) const;

    // The open recording, for the readers of its sample area.
    const FichierREC& Fichier() const { return Fichier_; }
    int64_t LongueurFichier() const { return Longueur_; }

    // Date taken by a TKOS recording whose trigger date cannot be formed, and
    // the box then shown (title "File Error - Erreur Fichier", error icon).
    static QDateTime DateParDefaut();
    static const char* const MessageDateTKOS;

    // The box for a failed reading: `M_ErreurFichier` for result 1,
    // `M_FichierNonTKAR` for result 2, titled `M_Erreur` with the warning icon.
    static void AFFICHE_ERREUR_LECTURE(uint8_t resultat);

    // Why the last reading gave result 1, in English, for diagnostics ("" otherwise).
    const char* CauseErreur = "";

    QString VraiNomFichier; // full path of the file to open
    QString NomFichier;     // name shown to the user
    t_EnteteREC_GlobalTotal* EnteteFichier;
    std::unique_ptr<ScriptsREC> Scripts; // created when the file carries a script area
    // Makes the script holder; the scripting engine installs its own.
    std::function<std::unique_ptr<ScriptsREC>(t_EnteteREC_GlobalTotal*)> FabriqueScripts;
    int64_t NbLus = 0;           // header bytes read so far (the TKAR data offset)
    int64_t NombreLu = 0;        // bytes summed by the header checksum
    uint8_t V_EPA_1000 = 0;      // 1: the file has a supplementary channel block
    QDateTime DateTrigger;       // trigger date and time (UTC wall clock)
    uint8_t OnAunTitre = 0;      // 1: an annotation of the title kind exists
    char M_Titre_Fichier[126]{}; // its text
    uint8_t FicCompar = 0;       // 1: opened as a comparison file

    // The filter dialog of the current opening, and the viewer's way of showing
    // it (not owned; none in the core and the tools).
    FiltreFichierModele Filtre;
    DialogueFiltre* Dialogue = nullptr;
    // Shows the script-error window with the 40 error flags when one is set
    // after an opening; the flags are cleared afterwards in any case.
    std::function<void(const uint8_t (&erreurs)[NombreSlotsScript])> MontrerErreursScripts;
    // Shows the scripts stopped or broken off while they ran (the engine's
    // reports, taken by InstallationScripts::SIGNALER_ARRETS).
    std::function<void(const tArretsScripts& arrets)> MontrerArretsScripts;

    // Title lines (Windows-1252): the full line with the trigger date, the same
    // without the date, and the recording's own title (or empty).
    char MessageEntete[TailleMessageEntete]{};
    char MessageEntSimplifie[TailleMessageEntete]{};
    char MessageTitreEntete[sizeof M_Titre_Fichier]{};
    QString TexteMessageEntete() const;
    QString TexteMessageEntSimplifie() const;
    QString TexteMessageTitreEntete() const;

private:
    void LigneTitre(bool blancs);
    uint8_t Echec(const char* cause);
    uint8_t LireEntete();
    uint8_t LireVoies();
    uint8_t LireNomsLogiques();
    uint8_t CalculerTailles();
    uint8_t LireScripts();
    uint8_t LireAnnotations();
    uint8_t CalculerDate();

    bool LireSuite(void* tampon, int64_t n);
    bool BitPresent(int n) const;
    void EnleveBit(int n);
    uint8_t PositionVoie(int n) const;
    void AjouteSomme(const void* octets, int64_t n);

    FichierREC Fichier_;
    int64_t Longueur_ = 0;

    // What the family of the file being read describes.
    struct Famille {
        int TailleEnteteFixe = 0;
        int LimiteVoies = 0;           // channel numbers examined
        int LimiteAnalog = 0;          // below: recorded analog channels
        bool SupprimeCalcules = false; // scaled computed channels are dropped
        int TailleBloc = 0;            // supplementary block, 0 when the file has none
        int DebutEntrees = 0;
        int EntreesBloc = 0;
        int TypeVide = 0, TypeOrdinaire = 0;
        bool Quill = false;
        uint8_t MotsLogiques = 0, NomsLogiques = 0;
        float Periode = 0.f;
        int64_t PreTrig = 0;
        int64_t TailleAnnotations = 0;
        int64_t DebutDonnees = 0; // TKOS, VEL
        bool Scripts = false;
        int64_t DebutScripts = 0;
        int SlotsScripts = 0;
        uint8_t Seconde = 0, Minute = 0, Heure = 0, Jour = 0, Mois = 0, Annee = 0;
        int16_t Millisecondes = 0;
    } F_;
    uint8_t BlocSup_[sizeof(tBlocEPAVELSup)]{}; // the block as read; K/G scaling written back
};
