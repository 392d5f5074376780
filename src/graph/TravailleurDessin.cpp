#include "graph/TravailleurDessin.h"

#include <algorithm>
#include <cstring>

#include "config/OnOff.h"
#include "config/Reticule.h"
#include "recording/Conversion.h"

void PREPARER_CONFIGURATION_DESSIN(tConfig& conf) {
    if (conf.ModeXY != 0) RESET_RETICULE(&conf.ReticEcran);
    for (int ch = 0; ch < NombreVoiesConfig; ++ch)
        if (TST_B_ONOFF(conf.VoiesAffichees, ch)) CALCUL_FLOAT(conf, ch);
}

std::unique_ptr<tCommandeDessin> COMMANDE_DESSIN(const grapheft& modele, const DonneesGraphe* table,
                                                 int32_t largeur, int32_t hauteur,
                                                 const t_EnteteREC_GlobalTotal* entete) {
    auto c = std::make_unique<tCommandeDessin>();
    c->Entete =
        std::make_unique<t_EnteteREC_GlobalTotal>(entete != nullptr ? *entete : *modele.EnteteFichier);
    c->Conf = *modele.SavConf;
    c->Vue = *modele.SetupGraphe;
    const auto anciennes = modele.ANCIENNES();
    const auto nouvelles = modele.NOUVELLES();
    c->Anciennes.assign(anciennes.begin(), anciennes.end());
    c->Nouvelles.assign(nouvelles.begin(), nouvelles.end());
    c->Valeurs = modele.Valeurs ? *modele.Valeurs : CONTEXTE_VALEURS();
    c->Valeurs.Entete = c->Entete.get();
    if (table != nullptr && table->CalculTerminer.load(std::memory_order_acquire) == CalculFini &&
        table->PointeurCyclique.load(std::memory_order_acquire) == NombreColonnesAffichage) {
        const size_t mots = static_cast<size_t>(NombreColonnesTable) * NombreSlotsColonne;
        c->Table = std::make_unique<uint16_t[]>(mots);
        std::memcpy(c->Table.get(), table->TabCyclique.get(), mots * sizeof(uint16_t));
    }
    c->NomFichierAvecRepertoire = modele.NomFichierAvecRepertoire;
    std::memcpy(c->TitreGraphique, modele.TitreGraphique, sizeof c->TitreGraphique);
    std::memcpy(c->TitreGraphique2, modele.TitreGraphique2, sizeof c->TitreGraphique2);
    c->Complet = modele.Complet;
    c->ValiditeCurseur = modele.ValiditeCurseur;
    c->DateTrigger = modele.DateTrigger;
    c->Largeur = largeur;
    c->Hauteur = hauteur;
    c->RapportPixels = modele.RapportPixels;
    c->VisuPrecedent = modele.NombreVoieCurseurVisu;
    c->ManiereTrace = modele.ManiereTrace;
    return c;
}

std::unique_ptr<grapheft> DESSINER_COMMANDE(tCommandeDessin& c, const std::atomic<bool>* arret) {
    auto g = std::make_unique<grapheft>(c.Entete.get(), &c.Vue);
    g->SavConf = &c.Conf;
    g->NomFichierAvecRepertoire = c.NomFichierAvecRepertoire;
    std::memcpy(g->TitreGraphique, c.TitreGraphique, sizeof g->TitreGraphique);
    std::memcpy(g->TitreGraphique2, c.TitreGraphique2, sizeof g->TitreGraphique2);
    g->Complet = c.Complet;
    g->ValiditeCurseur = c.ValiditeCurseur;
    g->DateTrigger = c.DateTrigger;
    g->ManiereTrace = c.ManiereTrace;
    g->Valeurs = c.Valeurs;
    g->AnnotationsAnciennes = c.Anciennes;
    g->AnnotationsNouvelles = c.Nouvelles;
    g->AnnotationsDonnees = true;
    g->SignalerErreurs = false;
    g->Arret = arret;
    g->Initialisation();
    if (c.Table) {
        const size_t mots = static_cast<size_t>(NombreColonnesTable) * NombreSlotsColonne;
        std::memcpy(g->Donnees.TabCyclique.get(), c.Table.get(), mots * sizeof(uint16_t));
        g->Donnees.PointeurCyclique.store(NombreColonnesAffichage, std::memory_order_release);
        g->Donnees.CalculTerminer.store(CalculFini, std::memory_order_release);
    }
    g->NombreVoieCurseurVisu = c.VisuPrecedent;
    g->LargeurImage = c.Largeur;
    g->HauteurImage = c.Hauteur;
    g->RapportPixels = c.RapportPixels;
    g->RESIZE_GRAPHE();
    // The picture is done: its drawing context ends here, on the thread that
    // made it.
    g->FINIR_PEINTURE();
    g->Arret = nullptr;
    if (arret != nullptr && arret->load(std::memory_order_acquire)) return nullptr;
    return g;
}

TravailleurDessin::TravailleurDessin() : Fil_([this] { Boucle(); }) {}

TravailleurDessin::~TravailleurDessin() {
    {
        const std::lock_guard<std::mutex> verrou(Verrou_);
        Fin_ = true;
        Attente_.reset();
    }
    Arret_.store(true, std::memory_order_release);
    Reveil_.notify_all();
    Fil_.join();
}

uint64_t TravailleurDessin::DEMANDER(std::unique_ptr<tCommandeDessin> commande) {
    uint64_t numero = 0;
    {
        const std::lock_guard<std::mutex> verrou(Verrou_);
        numero = ++Numero_;
        Attente_ = std::move(commande);
        Fini_.reset();
        // The drawing in progress is of an older command: it stops.
        if (EnCours_ != 0) Arret_.store(true, std::memory_order_release);
    }
    Reveil_.notify_all();
    return numero;
}

void TravailleurDessin::ARRETER() {
    std::unique_lock<std::mutex> verrou(Verrou_);
    Attente_.reset();
    Fini_.reset();
    if (EnCours_ != 0) Arret_.store(true, std::memory_order_release);
    Repos_.wait(verrou, [this] { return EnCours_ == 0; });
}

void TravailleurDessin::ABANDONNER() {
    const std::lock_guard<std::mutex> verrou(Verrou_);
    Attente_.reset();
    Fini_.reset();
    // The drawing in progress no longer has the latest number: it ends unused.
    ++Numero_;
    if (EnCours_ != 0) Arret_.store(true, std::memory_order_release);
}

std::unique_ptr<tDessinFini> TravailleurDessin::PRENDRE() {
    const std::lock_guard<std::mutex> verrou(Verrou_);
    return std::move(Fini_);
}

bool TravailleurDessin::OCCUPE() const {
    const std::lock_guard<std::mutex> verrou(Verrou_);
    return Attente_ || EnCours_ != 0 || Fini_;
}

void TravailleurDessin::Boucle() {
    std::unique_lock<std::mutex> verrou(Verrou_);
    for (;;) {
        Reveil_.wait(verrou, [this] { return Fin_ || Attente_ != nullptr; });
        if (Fin_) return;
        std::unique_ptr<tCommandeDessin> commande = std::move(Attente_);
        const uint64_t numero = Numero_;
        EnCours_ = numero;
        // Cleared under the lock: a command handed over from here on sets it
        // again, and this drawing then stops.
        Arret_.store(false, std::memory_order_release);
        verrou.unlock();
        std::unique_ptr<grapheft> graphe = DESSINER_COMMANDE(*commande, &Arret_);
        verrou.lock();
        EnCours_ = 0;
        if (graphe && numero == Numero_ && !Fin_) {
            auto fini = std::make_unique<tDessinFini>();
            fini->Numero = numero;
            fini->Commande = std::move(commande);
            fini->Graphe = std::move(graphe);
            Fini_ = std::move(fini);
            Finis_.fetch_add(1, std::memory_order_acq_rel);
        }
        // Whatever ends unused is freed outside the lock.
        verrou.unlock();
        commande.reset();
        graphe.reset();
        verrou.lock();
        Repos_.notify_all();
    }
}
