// Shared bench of the overlay tests (bounds, names, annotations, cursors): a
// graph object with a known plot rectangle on a picture of its own, fonts from
// the default configuration, text antialiasing off so that every text pixel
// has the text's colour, and comparisons of a drawn text with the same text
// drawn alone by the graph object's own text primitive.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include "config/Config.h"
#include "config/Defauts.h"
#include "config/OnOff.h"
#include "graph/GlobauxCurseurs.h"
#include "graph/OutilsSurcouche.h"
#include "graph/QtGuiTestEnv.h"
#include "graph/grapheft.h"
#include "recording/Annotations.h"
#include "recording/Conversion.h"
#include "recording/EnteteREC.h"
#include "recording/TexteTemps.h"
#include "recording/TexteValeur.h"
#include "shell/Messages.h"

namespace surcouche_test {

inline constexpr int PointsParMetre96 = 3780;

// A picture of the given size for g to draw on, in place of the one its full
// redraw would make, filled with the background colour.
inline void Surface(grapheft& g, int largeur, int hauteur) {
    g.FINIR_PEINTURE();
    g.NewBitmap = QImage(largeur, hauteur, QImage::Format_RGB32);
    g.NewBitmap.setDotsPerMeterX(PointsParMetre96);
    g.NewBitmap.setDotsPerMeterY(PointsParMetre96);
    g.NewBitmap.fill(surcouche::Couleur(g.SavConf->CouleurFond).rgb());
    g.PeintreImage = std::make_unique<QPainter>(&g.NewBitmap);
    g.gp = g.PeintreImage.get();
    g.gp->setRenderHint(QPainter::TextAntialiasing, false);
    g.LargeurImage = largeur;
    g.HauteurImage = hauteur;
}

// A painter on a layer, with text antialiasing off like the picture's.
inline std::unique_ptr<QPainter> Peintre(QImage& image) {
    auto p = std::make_unique<QPainter>(&image);
    p->setRenderHint(QPainter::TextAntialiasing, false);
    return p;
}

inline void Nommer(int ch, const char* nom, const char* unite) {
    std::strncpy(EnteteF.Affichage[ch].NomAffiche, nom, sizeof EnteteF.Affichage[ch].NomAffiche - 1);
    std::strncpy(EnteteF.Affichage[ch].UniteAffichee, unite, sizeof EnteteF.Affichage[ch].UniteAffichee - 1);
}

inline void Plage(int ch, float min, float max) {
    Config.ParamVoie[ch].BorneMin = min;
    Config.ParamVoie[ch].BorneMax = max;
    CALCUL_FLOAT(ch);
}

// Colour of channel ch, distinct for the first channels so that each text can be told apart.
inline constexpr int32_t CouleursVoies[] = {
    static_cast<int32_t>(0xFF0000C0u), static_cast<int32_t>(0xFF00A000u), static_cast<int32_t>(0xFFC00000u),
    static_cast<int32_t>(0xFF8000C0u), static_cast<int32_t>(0xFF008080u), static_cast<int32_t>(0xFF808000u),
};

class BancSurcouche : public ::testing::Test {
protected:
    void SetUp() override {
        graphe_test::APPLICATION_GUI();
        RESET_ENTETE();
        RESET_GLOBAL_CONFIG();
        RESET_ANNOTATIONS();
        RESET_GLOBAUX_CURSEURS();
        RESET_TEXTE_VALEUR();
        RESET_TEXTE_TEMPS();
        Langue = 1;
        INIT_CONFIG();
        ::Setup.DebutFenetre = 0.0;
        ::Setup.LargeurFenetre = 1.0;
        Config.CouleurFond = static_cast<int32_t>(0xFFFFFFFFu);
        Config.CouleurReticule = static_cast<int32_t>(0xFF000000u);
        Config.CouleurCurseur = static_cast<int32_t>(0xFF804000u);
        for (int ch = 0; ch < static_cast<int>(std::size(CouleursVoies)); ++ch)
            Config.CouleurVoie[ch] = CouleursVoies[ch];
        EnteteF.BaseDeTempsInterne = 1;
        EnteteF.PeriodeEchantillon = 100.0f;
        EnteteF.NombreEntreesFiltre = 6;
        G = std::make_unique<grapheft>();
        G->Initialisation();
        Surface(*G, 640, 480);
        G->DebutScrollX = 5;
        G->DebutScrollY = 5;
        G->ScrollX = 400;
        G->ScrollY = 400;
        G->DebutTemps = 0.0;
        G->TempsTotal = 1000000.0;
        // The values the tests put in the table are those of the picture.
        G->Donnees.PointeurCyclique.store(NombreColonnesAffichage);
        G->Donnees.CalculTerminer.store(CalculFini);
    }
    void TearDown() override {
        G.reset();
        Langue = 0;
        RESET_GLOBAUX_CURSEURS();
        RESET_ANNOTATIONS();
        RESET_TEXTE_VALEUR();
        RESET_ENTETE();
        RESET_GLOBAL_CONFIG();
    }

    // Channels 0..n-1 displayed and present, named "Ch<k>" in volts, range -1..1.
    void Voies(int n) {
        for (int ch = 0; ch < n; ++ch) {
            AJOUT_ONOFF(Config.VoiesAffichees, ch);
            AJOUT_ONOFF(Config.VoiesPresentes, ch);
            const std::string nom = "Ch" + std::to_string(ch);
            Nommer(ch, nom.c_str(), "V");
            Plage(ch, -1.0f, 1.0f);
        }
    }

    void Valeur(int colonne, int ch, double v) {
        G->Donnees.TabFlottant[static_cast<size_t>(colonne) * NombreSlotsColonne + ch] = v;
    }
    void MotLogique(int colonne, uint16_t mot) {
        G->Donnees.TabCyclique[static_cast<size_t>(colonne) * NombreSlotsColonne + SlotLogique] = mot;
    }

    QFont Police() const { return surcouche::Normale(*G->FontBaseDetemps); }
    QFont PoliceGrasse() const { return surcouche::Grasse(Police()); }
    double Largeur(const QString& t, const QFont& f) const { return G->LARGEUR_TEXTE(t, f); }
    double Largeur(const QString& t) const { return Largeur(t, Police()); }
    int H() const { return G->HauteurCarac; }

    QString Complet(int ch, double v) const {
        char texte[200];
        G->MESSAGE_COMPLET(texte, ch, v);
        return DepuisCp1252(texte);
    }
    QString Nom(int ch) const {
        char texte[200];
        G->CALCUL_NOM_TOTAL(texte, ch);
        return DepuisCp1252(texte);
    }
    QString Temps(double t) const {
        char texte[64];
        CALCUL_TEMPS_TIME_BASE(texte, t, EnteteF.PeriodeEchantillon);
        return DepuisCp1252(texte);
    }

    std::unique_ptr<grapheft> G;
};

// The text t in font f and colour c, drawn by the graph object's text
// primitive with its layout box at (x, y) (vertical: turned to read upwards),
// covers in `image` exactly the pixels it covers when drawn alone over the
// background `fond`: same pixels inked with the same values, and no pixel of
// that ink elsewhere in the text's box (or in the part of it inside `dans`).
inline ::testing::AssertionResult TexteEn(const QImage& image, const QString& t, const QFont& f,
                                          const QColor& c, double x, double y, const QColor& fond,
                                          bool vertical = false, const QRect& dans = QRect()) {
    QImage ref(image.size(), QImage::Format_ARGB32_Premultiplied);
    ref.setDotsPerMeterX(image.dotsPerMeterX());
    ref.setDotsPerMeterY(image.dotsPerMeterY());
    ref.fill(fond);
    const QFontMetricsF m(f, &ref);
    const double w = m.horizontalAdvance(t), h = m.lineSpacing();
    {
        auto p = Peintre(ref);
        if (vertical)
            grapheft::ECRIRE_VERTICAL(*p, t, f, c, x, y);
        else
            grapheft::ECRIRE(*p, t, f, c, x, y);
    }
    const QRect boite =
        vertical
            ? QRect(static_cast<int>(x), static_cast<int>(y - w), static_cast<int>(h), static_cast<int>(w))
            : QRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(w), static_cast<int>(h));
    const QRect r = boite.intersected(dans.isValid() ? dans.intersected(image.rect()) : image.rect());
    const QRgb vide = fond.rgba();
    QRgb encre = 0;
    int encres = 0, manquants = 0, etrangers = 0;
    for (int py = r.top(); py <= r.bottom(); ++py)
        for (int px = r.left(); px <= r.right(); ++px)
            if (ref.pixel(px, py) != vide) {
                encre = ref.pixel(px, py);
                ++encres;
            }
    if (encres == 0)
        return ::testing::AssertionFailure() << "the text \"" << t.toStdString() << "\" has no ink";
    for (int py = r.top(); py <= r.bottom(); ++py)
        for (int px = r.left(); px <= r.right(); ++px) {
            const QRgb a = image.pixel(px, py), b = ref.pixel(px, py);
            if (b != vide && a != b) ++manquants;
            if (b == vide && a == encre) ++etrangers;
        }
    if (manquants == 0 && etrangers == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "\"" << t.toStdString() << "\" at (" << x << ", " << y << "): " << manquants << " of " << encres
           << " ink pixels differ, " << etrangers << " stray ink pixels";
}

// Bounding box of the pixels of `image` inside `zone` whose value is `couleur`.
inline QRect Encre(const QImage& image, const QRect& zone, QRgb couleur) {
    QRect b;
    const QRect r = zone.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixel(x, y) == couleur) b = b.united(QRect(x, y, 1, 1));
    return b;
}

// Bounding box of the pixels of `image` inside `zone` that differ from `fond`.
inline QRect Trace(const QImage& image, const QRect& zone, QRgb fond) {
    QRect b;
    const QRect r = zone.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixel(x, y) != fond) b = b.united(QRect(x, y, 1, 1));
    return b;
}

// Number of pixels of `image` that are not fully transparent, outside `hors`.
inline int Opaques(const QImage& image, const QRegion& hors = QRegion()) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0 && !hors.contains(QPoint(x, y))) ++n;
    return n;
}

} // namespace surcouche_test
