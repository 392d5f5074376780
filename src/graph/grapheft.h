// The graph object: the static picture of the open recording drawn into an
// off-screen bitmap (background, title lines, graticule of every screen zone,
// time labels, bounds column, traces, logic lanes, XY display, annotations,
// measurement results), and the cursors drawn on layers the caller supplies.
//
// The data half (display table, display pass) is the member `Donnees`; the
// background worker runs on it: TravailleurGraphe travailleur(graphe.Donnees).
// Printing and the bitmap export make a temporary grapheft, copy the main
// table into it (REPRENDRE_TABLE) and draw it at their own size.
//
// Everything here runs on the user-interface thread, and the table is read only
// once the pass reports it complete (CalculTerminer 2, PointeurCyclique 1000).
// Drawing needs a QGuiApplication (fonts); the offscreen platform will do.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRectF>
#include <QString>

#include "config/Config.h"
#include "graph/DonneesGraphe.h"
#include "graph/Mesures.h"
#include "graph/TracePolyligne.h"
#include "math/ValeursPhysiques.h"
#include "recording/Annotations.h"
#include "recording/EnteteREC.h"

class QObject;
class ScriptsREC;

// Room for the title lines and other one-line texts of the picture.
inline constexpr size_t TailleTitreGraphique = 768;

// What a drawing of the picture leaves: the picture itself, its fonts, the plot
// rectangle and cursor box, the time axis and the layout of the texts. The
// window reads it for its cursors, read-outs and mouse; a picture drawn on a
// worker hands all of it over at once (grapheft::ECHANGER_DESSIN).
struct tEtatDessin {
    // ---- Drawing surface ---------------------------------------------------
    QImage NewBitmap; // opaque RGB picture (only for measuring texts when drawn on a page)
    // The drawing context: on NewBitmap (PeintreImage), or a printed page's.
    std::unique_ptr<QPainter> PeintreImage;
    QPainter* gp = nullptr;
    int32_t LargeurImage = 0, HauteurImage = 0;
    std::optional<QFont> FontNomFichier;  // title lines
    std::optional<QFont> FontBaseDetemps; // time labels, bounds, read-outs
    int HauteurCarac = 0;                 // line height of FontBaseDetemps
    QColor SB;                            // current text brush
    QImage Retectperso_XY;                // last user graticule image loaded
    int32_t CurseurX = 0, CurseurY = 0;   // where ECR_TEXTE writes

    // ---- Plot rectangle and cursor box, pixels -------------------------------
    int32_t DebutScrollX = 5, DebutScrollY = 5;
    int16_t ScrollX = 0, ScrollY = 0;
    int16_t LongueurBorne = 0; // bounds column
    int16_t PosCurseurX = 0, PosCurseurY = 0, LongCurseur = 0, HauteurCurseur = 0;

    // ---- Time axis, microseconds ---------------------------------------------
    double DebutTemps = 0.0;
    double TempsTotal = 1000000.0;
    double BDT_Division = 100000.0;
    double PremiereDiv = 0.0;
    uint8_t TypeBDT = 0;

    // ---- Layout of the texts -------------------------------------------------
    AnalyseNiveaux Analyse; // working state of the level analysis
    QPoint PositionMinMax;  // screen point of the last extreme found
    std::array<uint16_t, NombreSlotsColonne> TabPositionCalculEcran{}; // result lines per zone
    int16_t LongueurNomMax = 0;                                        // widest name written horizontally
    int32_t PositionBorneNom = 0; // x of the horizontal names, from the plot's right edge
    // Lines the cursor read-out needs (displayed channels, plus one for the
    // logic inputs) and channel lines that fit in a horizontal cursor box.
    int16_t NombreVoieCurseurTotal = 0;
    int16_t NombreVoieCurseurVisu = 0;
    // The user graticule image named by the configuration could not be read
    // (it is then left out of the picture; SignalerErreurs says it at once).
    bool ReticulePersoIllisible = false;
    // Boxes of the texts and flags of the picture in the order they were drawn,
    // and the room the cursor read-out box takes over it: texts placed later
    // keep clear of them.
    std::vector<QRectF> BoitesTextes;
    QRectF BoiteLecture;
    // The channel names of the legend with their channel numbers, where a
    // click on a name opens that channel's settings.
    std::vector<std::pair<QRectF, int>> BoitesNoms;
};

// Pixels between a vertical line and a text written from it, so that a sign
// or a figure never falls on the line.
inline constexpr int EcartTexteTrait = 2;

// The user graticule image of `c` could not be read: it is taken out of the
// configuration.
void OUBLIER_RETICULE_PERSO(tConfig& c);

class grapheft : public tEtatDessin {
public:
    explicit grapheft(t_EnteteREC_GlobalTotal* entete = &EnteteF, tSetup* setup = &Setup);
    ~grapheft();
    grapheft(const grapheft&) = delete;
    grapheft& operator=(const grapheft&) = delete;

    // ---- Data half ---------------------------------------------------------
    DonneesGraphe Donnees;

    // Copies the display table of another graph object (the main one) and marks
    // this one's table complete: it then draws without a pass of its own.
    void REPRENDRE_TABLE(const DonneesGraphe& source);
    // Physical value of channel ch in column c (after RECUP_AVEC_FONCTION), and
    // the logic word of column c. Columns are limited to 0..999.
    double VALEUR_TABLE(int c, int ch) const;
    uint16_t MOT_LOGIQUE(int c) const;
    // True when the table is complete and may be drawn.
    bool TABLE_COMPLETE() const;

    // ---- Links set by the owner --------------------------------------------
    QObject* maForm_main = nullptr;         // owner window (not owned)
    t_EnteteREC_GlobalTotal* EnteteFichier; // header of the displayed recording
    tSetup* SetupGraphe;                    // view window
    tConfig* SavConf = &Config;             // configuration to draw with
    ScriptsREC* Scripts = nullptr;          // math scripts of the recording (not owned)
    QDateTime DateTrigger;                  // trigger date and time (wall clock)
    // Full path of the recording, as the owner gives it before each redraw. The
    // pass reads its own copy, Donnees.CheminDonnees, which the owner sets when
    // the recording is opened: a redraw may come while a pass runs, and the two
    // threads must not share one string that is being assigned.
    QString NomFichierAvecRepertoire;
    char TitreGraphique[TailleTitreGraphique]{};              // first title line (Windows-1252)
    char TitreGraphique2[TailleTitreGraphique]{};             // second title line, may be empty
    uint8_t Complet = 1;                                      // 1: room for the title lines at the top
    uint8_t ValiditeCurseur = 0;                              // 1: time cursors on, their box takes room
    tTracePolyligne ManiereTrace = tTracePolyligne::Morceaux; // the reference way for comparisons
    // The conversion of the table to physical values; none: the open
    // recording's as it is when the picture is drawn (CONTEXTE_VALEURS).
    std::optional<tContexteValeurs> Valeurs;
    // The annotation records to draw; empty spans with no data: the open
    // recording's tables.
    std::span<const tTabAnnotMem> AnnotationsAnciennes;
    std::span<const tTabAnnotMemNew> AnnotationsNouvelles;
    bool AnnotationsDonnees = false; // the two spans above are the records
    // An unreadable user graticule image is said in a message box, and taken
    // out of SavConf; off for a picture drawn on a worker, whose owner does it.
    bool SignalerErreurs = true;
    // Device pixels per pixel of the layout: the picture is drawn that much
    // finer for a screen of high density, its layout unchanged.
    double RapportPixels = 1.0;
    // Set: the picture is drawn with this painter (a printed page, its
    // transform mapping the layout onto the page) instead of into NewBitmap.
    QPainter* PeintreExterne = nullptr;
    // Looked at between the steps of a drawing and between columns of the
    // conversion: once set, the drawing stops where it is (not owned).
    const std::atomic<bool>* Arret = nullptr;

    // Swaps the drawn state and the display tables with another graph object:
    // a picture drawn on a worker becomes this one's.
    void ECHANGER_DESSIN(grapheft& autre);
    // True when Arret is set.
    bool ARRETE() const { return Arret != nullptr && Arret->load(std::memory_order_relaxed); }

    // ---- Lifecycle ---------------------------------------------------------
    // Scratch 200 x 200 bitmap, brush, both fonts (with their fallbacks), one
    // second of time from 0, and the divisions unless in XY mode.
    void Initialisation();
    // Full redraw at LargeurImage x HauteurImage; nothing unless both are positive.
    void RESIZE_GRAPHE();
    // Plot rectangle and cursor box.
    void INIT_RETIC();
    // Background, user graticule image, frame and division lines of every zone.
    void Fond_Reticule();
    // BDT_Division and PremiereDiv from DebutTemps and TempsTotal.
    void CALCUL_DIV_TEMPS();
    // Lays out and (draw = 1) draws the time labels; returns the width of the
    // division label, 0 in XY mode.
    int16_t AFF_TIME_BASE(uint8_t draw);
    // Time window from the view window, divisions, then background, graticule,
    // time labels, bounds and traces.
    void CALCUL_ET_AFFICHE_VECTEUR();
    // The title lines.
    void AFFICHAGE_NOM();
    // Releases the bitmap and its drawing context.
    void ARRET_GRAPHE();
    // Ends the drawing: the drawing context goes (a page's is left to its owner).
    void FINIR_PEINTURE();
    // Begins the drawing context on the picture held (a page's when printing).
    void COMMENCER_PEINTURE();
    void Dispose();

    // ---- Traces ------------------------------------------------------------
    // Time display (or the XY display in XY mode), then annotations and, in the
    // time display, the measurement results. Nothing unless the table is complete.
    void AFFICH_VECTEUR();
    void AFFICH_VECTEUR_XY();
    // Screen ordinate of value v of channel ch in the time display.
    int32_t POSITION_Y(int ch, double v) const;

    // ---- Texts -------------------------------------------------------------
    // Width of a text in FontBaseDetemps, truncated to whole pixels.
    int LongMessX(const char* texte) const;
    int LongMessX(const QString& texte) const;
    // Writes a text in FontBaseDetemps with the brush SB at (CurseurX, CurseurY).
    void ECR_TEXTE(const char* texte);
    // Width of the box of a text's characters; 0 for an empty text.
    float MeasureDisplayStringWidth(const QString& texte, const QFont& police) const;
    // Text with its top-left corner at (x, y), as the platform's string drawing.
    static void ECRIRE(QPainter& g, const QString& texte, const QFont& police, const QColor& couleur,
                       double x, double y);
    // Text turned 270 degrees (reading upwards) whose layout box has its
    // top-left corner at (x, y): it covers x .. x + height, y - width .. y.
    static void ECRIRE_VERTICAL(QPainter& g, const QString& texte, const QFont& police, const QColor& couleur,
                                double x, double y);
    // The boxes ECRIRE and ECRIRE_VERTICAL cover, measured on this picture.
    QRectF BOITE_TEXTE(const QString& texte, const QFont& police, double x, double y) const;
    QRectF BOITE_VERTICALE(const QString& texte, const QFont& police, double x, double y) const;
    // The same writing into the picture, the box kept in BoitesTextes.
    void POSER(const QString& texte, const QFont& police, const QColor& couleur, double x, double y);
    void POSER_VERTICAL(const QString& texte, const QFont& police, const QColor& couleur, double x, double y);
    // True when `boite` meets no text of the picture and not the read-out box.
    bool LIBRE(const QRectF& boite) const;
    // `boite` moved by steps of `pas` pixels (down when positive) until it is
    // free, staying inside `dans`; then the other way; `boite` itself when no
    // place is free.
    QRectF PLACE_LIBRE(const QRectF& boite, double pas, const QRectF& dans) const;
    // The plot rectangle.
    QRectF CADRE() const { return QRectF(DebutScrollX, DebutScrollY, ScrollX, ScrollY); }
    // Advance width and line height of a text in a font, on this bitmap.
    double LARGEUR_TEXTE(const QString& texte, const QFont& police) const;
    int HAUTEUR_LIGNE(const QFont& police) const;

private:
    void NouvelleImage(int largeur, int hauteur);
    void ChargerReticulePerso(QPainter& g);
    int16_t EtiquettesXY(uint8_t draw);
    int16_t EtiquettesTemps(uint8_t draw);
    void TracerLogiques(QPainter& g, const int* abscisses);

public:
    // ---- Measurements ----
    // Results of the measurements on the displayed window, drawn at the end of
    // the time display: one per slot of SavConf->TabCalcul (at most 10), as a
    // line in the channel's zone or, for Min and Max with PlacementMinMax, as a
    // flag at the extreme. Nothing when CalculValide is 0.
    void AFF_CALCUL();
    // Level analysis of slot k's channel (frequency, period, RMS need it).
    void CALCUL_MATH(int k);
    // Minimum (lequel 0) or maximum (1) of channel ch over the window; sets
    // PositionMinMax to the screen point of the first row that reaches it.
    float CALCUL_MINMAX(int ch, int lequel);
    // One result each, for channel ch.
    void AFF_MIN(int ch);
    void AFF_MAX(int ch);
    void AFF_PICPIC(int ch);
    void AFF_FREQ(int ch);
    void AFF_PERIODE(int ch);
    void AFF_MOYENNE(int ch);
    void AFF_RMS(int ch);
    // Label prefix of a result: name[tag] when avecNom is nonzero, then ":".
    void Recup_Label_Math(char* texte, size_t taille, int ch, int type, int avecNom) const;
    // Writes a result line under the previous ones of the channel's zone.
    void AFF_POSITION_Y(int ch, const char* texte);

    // ---- Names, bounds and annotations ----
    // Full name of channel ch: its name, " [", the prefix of its ExposantUnite,
    // its unit and "]" ("Pressure [Kbar]").
    void CALCUL_NOM_TOTAL(char* texte, size_t taille, int ch) const;
    template <size_t N> void CALCUL_NOM_TOTAL(char (&texte)[N], int ch) const {
        CALCUL_NOM_TOTAL(texte, N, ch);
    }
    // A physical value of channel ch with its prefix and unit (" 1.5000mV").
    void MESSAGE_COMPLET(char* texte, size_t taille, int ch, double valeur) const;
    template <size_t N> void MESSAGE_COMPLET(char (&texte)[N], int ch, double valeur) const {
        MESSAGE_COMPLET(texte, N, ch, valeur);
    }
    // Measures (draw = 0) or draws (draw = 1) the bounds column right of the
    // plot; returns its width.
    int16_t AFFICH_BORNE_TOTAL(uint8_t draw);
    // Bounds of one zone: one scale per distinct range, or one scale per zone.
    int16_t AFF_BORNE(int zone, uint8_t draw);
    int16_t AFF_BORNE_simple(int zone, uint8_t draw);
    // Full names of the channels of one zone, `decalage` right of the plot.
    int16_t AFF_NOM(int zone, uint8_t draw, int decalage);
    // Names of the logic inputs beside their lanes; the widest when measuring.
    int16_t AFFICHE_NOM_LOGIQUE(uint8_t draw);
    // Annotations of the recording inside the displayed window, both layouts.
    void AFF_ANNOT();
    void AFF_ANNOT_ANCIEN();
    void AFF_ANNOT_NOUVEAU();
    // The records drawn: the given ones (AnnotationsDonnees), else the open
    // recording's tables as far as their counts go.
    std::span<const tTabAnnotMem> ANCIENNES() const;
    std::span<const tTabAnnotMemNew> NOUVELLES() const;

    // ---- Cursors and read-outs ----
    // Read-out box, both time cursors with their value labels and the time
    // arrow, on g (a transparent layer, or the picture when printing).
    // c1, c2: fractions of the plot width; selected: the cursor the mouse holds.
    void TRACE_CURSEUR(QPainter& g, double c1, double c2, uint8_t selected);
    // The read-out box only.
    void AFF_CURSEUR(QPainter& g, double c1, double c2, uint8_t selected);
    void AFF_CURSEUR_AFFICHAGE(QPainter& g, double c1, double c2, uint8_t selected, uint8_t draw);
    // 1 when channel ch has a line in the read-out.
    uint8_t TST_VALID_VOIE_CURSEUR(int ch) const;
    // The displayed logic inputs of one logic word as digits, in groups of four.
    void AFF_VALEUR_LOG(QPainter& g, uint16_t mot, int x, int y);
    // The same at a fractional position, in a given font (drawn) measured as `mesure` (on the picture).
    void VALEURS_LOGIQUES(QPainter& g, uint16_t mot, double x, double y, const QFont& police,
                          const QFont& mesure);
    // Value of the followed channel under cursor c, as a flag.
    void VALEUR_SUIT_CURSEUR(QPainter& g, double c);
    // Both amplitude cursors with their value labels.
    void TRACE_CURSEUR_Y(QPainter& g);
    // Position of amplitude cursor Y1 (which = 2) or Y2 (which = 3) from a pixel ordinate.
    void CHANGE_CURSEUR_Y(int y, int which);
    // Both amplitude cursors 10 pixels inside the top and bottom of their zone
    // (when the amplitude cursors are switched on).
    void INIT_CURSEURS_Y();
    // Two-line flag anchored at (x, y) in the colour of channel ch: measurement
    // results and the value that follows a cursor.
    void AFF_RESULTAT_CALCUL(QPainter& g, int x, int y, const char* ligne1, const char* ligne2, int ch);
    // A transparent layer for the cursors: the picture's size and resolution,
    // the background colour with zero opacity.
    QImage COUCHE_CURSEUR() const;
};
