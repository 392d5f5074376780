// The worker that draws the picture of the display table: the conversion of the
// table to physical values (every script slot included), the traces, the texts
// and their layout, off the user-interface thread.
//
// The window describes a picture in a command (COMMANDE_DESSIN: copies of the
// header, the configuration, the view window, the annotation records and the
// display table, taken on its own thread), hands it over, and goes on; the
// worker draws it into a graph object of its own and hands that over whole
// once it is finished. A new command stops a drawing still running (it is
// dropped), so only the latest one is ever drawn to its end.
//
// The worker touches nothing but its command, its own graph object and, to
// run the scripts, the recording's script holder (which serialises its runs).
// The window stops the worker (ARRETER) before the holder goes, before the
// language changes, and before it is destroyed.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "graph/grapheft.h"

// Everything one picture is drawn from.
struct tCommandeDessin {
    std::unique_ptr<t_EnteteREC_GlobalTotal> Entete;
    tConfig Conf{};
    tSetup Vue{};
    std::vector<tTabAnnotMem> Anciennes;
    std::vector<tTabAnnotMemNew> Nouvelles;
    tContexteValeurs Valeurs; // its header is Entete
    // The display table (raw words, NombreColonnesTable columns); empty: the
    // picture without traces (no pass has finished for it yet).
    std::unique_ptr<uint16_t[]> Table;
    // Inputs of the graph object.
    QString NomFichierAvecRepertoire;
    char TitreGraphique[TailleTitreGraphique]{};
    char TitreGraphique2[TailleTitreGraphique]{};
    uint8_t Complet = 1;
    uint8_t ValiditeCurseur = 0;
    QDateTime DateTrigger;
    int32_t Largeur = 0, Hauteur = 0;
    double RapportPixels = 1.0; // device pixels per pixel of the layout
    int16_t VisuPrecedent = 0;  // NombreVoieCurseurVisu of the picture shown
    tTracePolyligne ManiereTrace = tTracePolyligne::Morceaux;
};

// A command for a picture like `modele` (its inputs), `largeur` x `hauteur`,
// of the table of `table` when it is complete, with the program's records as
// they are now and the header `entete` (none: the model's). Call it on the
// thread that changes those records, while no pass writes into that header.
std::unique_ptr<tCommandeDessin> COMMANDE_DESSIN(const grapheft& modele, const DonneesGraphe* table,
                                                 int32_t largeur, int32_t hauteur,
                                                 const t_EnteteREC_GlobalTotal* entete = nullptr);
// What a picture's drawing changes in the configuration, done beforehand on
// the program's own (the drawing of a command changes only its copy): the
// screens of the XY display, the value formats of the displayed channels.
void PREPARER_CONFIGURATION_DESSIN(tConfig& conf);

// A finished picture: the graph object that drew it, and the command whose
// copies its links point to.
struct tDessinFini {
    uint64_t Numero = 0;
    std::unique_ptr<tCommandeDessin> Commande;
    std::unique_ptr<grapheft> Graphe;
};

// Draws a command into a new graph object on the calling thread; null when
// `arret` was set meanwhile.
std::unique_ptr<grapheft> DESSINER_COMMANDE(tCommandeDessin& commande, const std::atomic<bool>* arret);

class TravailleurDessin {
public:
    TravailleurDessin();
    // Stops a running drawing and joins the thread.
    ~TravailleurDessin();
    TravailleurDessin(const TravailleurDessin&) = delete;
    TravailleurDessin& operator=(const TravailleurDessin&) = delete;

    // Hands a command over; it replaces one still waiting and stops the one
    // being drawn. Returns its number (counting from 1).
    uint64_t DEMANDER(std::unique_ptr<tCommandeDessin> commande);
    // Drops the waiting command and the finished picture not taken yet, stops
    // the running drawing and waits until the worker is idle.
    void ARRETER();
    // The same without waiting: what is being drawn ends unused.
    void ABANDONNER();
    // The picture of the latest command, once it is finished; null before,
    // and after it was taken.
    std::unique_ptr<tDessinFini> PRENDRE();
    // A command waits, is being drawn, or its picture waits to be taken.
    bool OCCUPE() const;

    // Drawings finished since construction, taken or not (tests).
    int64_t DessinsFinis() const { return Finis_.load(std::memory_order_acquire); }

private:
    void Boucle();

    mutable std::mutex Verrou_;
    std::condition_variable Reveil_;           // a command, or the end
    std::condition_variable Repos_;            // the worker went idle
    std::unique_ptr<tCommandeDessin> Attente_; // under Verrou_
    std::unique_ptr<tDessinFini> Fini_;        // under Verrou_
    uint64_t Numero_ = 0;                      // last command handed over, under Verrou_
    uint64_t EnCours_ = 0;                     // command being drawn (0: none), under Verrou_
    bool Fin_ = false;                         // under Verrou_
    std::atomic<bool> Arret_{false};           // stops the drawing in progress
    std::atomic<int64_t> Finis_{0};
    std::thread Fil_; // last: started once everything above exists
};
