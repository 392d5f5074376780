// Shared set-up of the picture tests: fresh globals with the default
// configuration, recordings made by the recording maker and opened as the
// viewer opens them (no dialog), and a graph object drawn at a given size.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <QColor>
#include <QImage>
#include <QTemporaryDir>

#include "QtGuiTestEnv.h"
#include "config/Coherence.h"
#include "config/Config.h"
#include "config/Defauts.h"
#include "graph/GlobauxCurseurs.h"
#include "graph/GlobauxGraphe.h"
#include "graph/grapheft.h"
#include "recmaker/RecMaker.h"
#include "recording/Annotations.h"
#include "recording/Conversion.h"
#include "recording/EnteteREC.h"
#include "recording/OuvreREC.h"
#include "recording/SousEchantillonnage.h"
#include "recording/TexteValeur.h"
#include "shell/Messages.h"

namespace graphe_test {

// A TKAR channel whose physical value is its raw word (no offset, gain 1, no law).
inline recmaker::Voie VoieBrute(int n, recmaker::Signal donnees) {
    recmaker::Voie v;
    v.Numero = n;
    v.Nom = "V" + std::to_string(n);
    v.Decalage = 0.f;
    v.Gain = 1.f;
    v.Donnees = std::move(donnees);
    return v;
}

inline recmaker::Enregistrement TKARDessin(std::vector<recmaker::Voie> voies, bool logique = false,
                                           recmaker::Signal logiques = recmaker::Constant(0)) {
    recmaker::Enregistrement e;
    e.Famille = FamilleTKAR;
    e.PeriodeUs = 100.f;
    e.NombreScans = 4000;
    e.Voies = std::move(voies);
    e.Logique = logique;
    e.DonneesLogiques = std::move(logiques);
    return e;
}

inline bool MemeCouleur(QRgb pixel, int32_t argb) {
    return (pixel & 0xFFFFFFu) == (static_cast<uint32_t>(argb) & 0xFFFFFFu);
}

class DessinTest : public ::testing::Test {
protected:
    void SetUp() override {
        APPLICATION_GUI();
        RESET_ENTETE();
        RESET_GLOBAUX_GRAPHE();
        RESET_GLOBAUX_CURSEURS();
        RESET_SOUS_ECHANTILLONNAGE();
        RESET_ANNOTATIONS();
        RESET_CONVERSION();
        RESET_TEXTE_VALEUR();
        RESET_GLOBAL_CONFIG();
        RESET_GLOBAL_SETUP();
        Langue = 1;
        INIT_CONFIG();
        COHERENCE_CONFIGURATION();
        ::Setup = {0.0, 1.0};
        ASSERT_TRUE(Dossier.isValid());
    }
    void TearDown() override {
        Graphe.reset();
        Ouvreur.reset();
        RESET_ENTETE();
        RESET_ANNOTATIONS();
        RESET_GLOBAL_CONFIG();
        RESET_LANGUE();
    }

    // Writes and opens a recording as the viewer does without its dialog, then
    // runs the display pass of a new graph object.
    void Ouvrir(const recmaker::Enregistrement& e) {
        const std::string chemin = Dossier.filePath(QStringLiteral("dessin.rec")).toStdString();
        ASSERT_TRUE(recmaker::Ecrire(e, chemin));
        Ouvreur = std::make_unique<OuvreREC>(&EnteteF);
        Ouvreur->VraiNomFichier = Ouvreur->NomFichier = QString::fromStdString(chemin);
        ASSERT_EQ(Ouvreur->OUVRIR_REC(1), LectureOK) << Ouvreur->CauseErreur;
        Graphe = std::make_unique<grapheft>(&EnteteF, &::Setup);
        Graphe->NomFichierAvecRepertoire = Graphe->Donnees.CheminDonnees = Ouvreur->VraiNomFichier;
        Graphe->DateTrigger = Ouvreur->DateTrigger;
        Graphe->Donnees.CALCUL_GRAPH_FT_MEM();
        ASSERT_EQ(Graphe->Donnees.PointeurCyclique.load(), NombreColonnesAffichage);
    }

    // A graph object without a recording: a header describing a one-second
    // window of internal clock, nothing to draw but frame, graticule and labels.
    void SansEnregistrement(double duree = 1000000.0) {
        EnteteF.DureeTotale = duree;
        EnteteF.TempsDebut = 0.0;
        EnteteF.BaseDeTempsInterne = 1;
        EnteteF.PeriodeEchantillon = 100.f;
        EnteteF.MillisecondesTrigger = -1;
        Graphe = std::make_unique<grapheft>(&EnteteF, &::Setup);
    }

    // Full redraw as the owner does it.
    const QImage& Dessiner(int largeur, int hauteur) {
        grapheft& g = *Graphe;
        g.SavConf = &Config;
        g.Complet = 1;
        g.Initialisation();
        g.LargeurImage = largeur;
        g.HauteurImage = hauteur;
        g.RESIZE_GRAPHE();
        return g.NewBitmap;
    }

    QTemporaryDir Dossier;
    std::unique_ptr<OuvreREC> Ouvreur;
    std::unique_ptr<grapheft> Graphe;
};

} // namespace graphe_test
