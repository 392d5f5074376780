// The texts of the picture are laid out apart: on the sample recordings, in
// the display settings users meet first, no two text boxes the picture draws
// meet, none meets the read-out box, and a negative label keeps its sign clear
// of the line it is written from.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "DessinTestUtil.h"

namespace graphe_test {
namespace {

struct tReglageDisposition {
    const char* Nom;
    std::function<void(tConfig&)> Modifier;
};

class DispositionTextes : public DessinTest {
protected:
    // Every pair of text boxes that meet, said with their rectangles.
    static std::string Rencontres(const grapheft& g) {
        std::string r;
        const auto& b = g.BoitesTextes;
        for (size_t i = 0; i < b.size(); ++i) {
            for (size_t j = i + 1; j < b.size(); ++j)
                if (b[i].intersects(b[j])) r += Texte(b[i]) + " meets " + Texte(b[j]) + "\n";
            if (!g.BoiteLecture.isEmpty() && g.BoiteLecture.intersects(b[i]))
                r += Texte(b[i]) + " under the read-out box\n";
        }
        return r;
    }
    static std::string Texte(const QRectF& r) {
        return "(" + std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) +
               "x" + std::to_string(r.height()) + ")";
    }
};

TEST_F(DispositionTextes, NoTwoTextsOfTheSamplesMeet) {
    const std::pair<const char*, recmaker::Enregistrement> exemples[] = {
        {"tkar", recmaker::ExempleTKAR()},
        {"tkos", recmaker::ExempleTKOS()},
        {"tkos_sup", recmaker::ExempleTKOSSup()},
        {"vel", recmaker::ExempleVEL()},
    };
    const tReglageDisposition reglages[] = {
        {"defaults", [](tConfig&) {}},
        {"recorder ranges", [](tConfig& c) { c.TypeCalibre = 1; }},
        {"one scale per zone", [](tConfig& c) { c.BorneUnique = 1; }},
        {"measurements as flags",
         [](tConfig& c) {
             c.CalculValide = 1;
             c.PlacementMinMax = 1;
             c.NombreCalcul = 2;
             c.TabCalcul[0][0] = 0;
             c.TabCalcul[0][1] = MesureMax;
             c.TabCalcul[1][0] = 0;
             c.TabCalcul[1][1] = MesureMin;
         }},
        {"measurement lines",
         [](tConfig& c) {
             c.CalculValide = 1;
             c.NombreCalcul = 3;
             for (int k = 0; k < 3; ++k) {
                 c.TabCalcul[k][0] = static_cast<uint8_t>(k);
                 c.TabCalcul[k][1] = static_cast<uint8_t>(MesureMoyenne + k);
             }
         }},
    };
    for (const auto& [nom, e] : exemples) {
        for (const tReglageDisposition& r : reglages) {
            for (const bool curseurs : {false, true}) {
                SCOPED_TRACE(testing::Message() << nom << ", " << r.Nom << (curseurs ? ", cursors" : ""));
                RESET_GLOBAL_CONFIG();
                INIT_CONFIG();
                r.Modifier(Config);
                COHERENCE_CONFIGURATION();
                ::Setup = {0.0, 1.0};
                Ouvrir(e);
                Graphe->ValiditeCurseur = curseurs ? 1 : 0;
                for (const QSize taille : {QSize(1400, 800), QSize(900, 600)}) {
                    Dessiner(taille.width(), taille.height());
                    EXPECT_EQ(Rencontres(*Graphe), "") << taille.width() << "x" << taille.height();
                }
            }
        }
    }
}

// A scale from -10 to 10: every label that starts with a minus has a column of
// background between the line it is written from and its first dark pixel.
TEST_F(DispositionTextes, NegativeLabelsKeepTheirSignClearOfTheLine) {
    recmaker::Voie v = VoieBrute(0, recmaker::Sinus(32768, 30000, 400));
    v.Etendue = 20.f;
    v.Centre = 0.f;
    v.Gain = 20.f / 65536.f;
    v.Decalage = 32768.f;
    recmaker::Voie w = VoieBrute(1, recmaker::Sinus(32768, 30000, 300));
    w.Etendue = 200.f;
    w.Centre = 0.f;
    w.Gain = 200.f / 65536.f;
    w.Decalage = 32768.f;
    Config.TypeCalibre = 1;
    COHERENCE_CONFIGURATION();
    Ouvrir(TKARDessin({v, w}));
    const QImage& image = Dessiner(900, 600);
    const QRgb fond = QColor::fromRgba(static_cast<QRgb>(Config.CouleurFond)).rgb();
    const int xr = Graphe->DebutScrollX + Graphe->ScrollX;
    int signes = 0;
    for (const QRectF& b : Graphe->BoitesTextes) {
        if (b.left() < xr || b.top() < Graphe->DebutScrollY) continue; // the scales right of the plot
        // The line a label is written from (the names right of the scales have none).
        const int trait = static_cast<int>(b.left()) - EcartTexteTrait;
        const int milieu = static_cast<int>(b.center().y());
        if ((image.pixel(trait, milieu) & 0xFFFFFF) == (fond & 0xFFFFFF)) continue;
        for (int x = trait + 1; x < static_cast<int>(b.left()); ++x)
            for (int y = static_cast<int>(b.top()); y < static_cast<int>(b.bottom()); ++y)
                ASSERT_EQ(image.pixel(x, y) & 0xFFFFFF, fond & 0xFFFFFF) << x << "," << y;
        ++signes;
    }
    EXPECT_GE(signes, 2 * 11); // two scales of eleven labels, half of them negative
}

} // namespace
} // namespace graphe_test
