// Traces drawn in overlapping pieces set exactly the pixels one drawPolyline
// call sets with the same pen: on traces of every shape the display table
// gives (dense zigzags, smooth curves, steps, repeated points, a single
// point, crossing XY paths), at every trace thickness of the settings, and on
// whole pictures of recordings.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include <QImage>
#include <QPainter>

#include "DessinTestUtil.h"
#include "graph/GeometrieGraphe.h"
#include "graph/TracePolyligne.h"

namespace graphe_test {
namespace {

QImage Trace(const std::vector<QPoint>& points, const QPen& pen, tTracePolyligne maniere) {
    QImage image(640, 320, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter g(&image);
    g.translate(0.5, 0.5); // as the traces of the graph are drawn
    TRACER_POLYLIGNE(g, points.data(), static_cast<int>(points.size()), pen, maniere);
    return image;
}

int Differences(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

struct tForme {
    const char* Nom;
    std::vector<QPoint> (*Points)(std::mt19937& hasard);
};

// A thousand columns over a plot narrower than they are, as a full view gives.
int Abscisse(int colonne, int largeur = 600) {
    return 10 + largeur * colonne / 1000;
}

const tForme Formes[] = {
    {"DenseZigzag",
     [](std::mt19937&) {
         std::vector<QPoint> p;
         // The reference takes long on these: a third of a full view is enough.
         for (int c = 0; c < 300; ++c) p.emplace_back(Abscisse(c), c % 2 ? 20 : 300);
         return p;
     }},
    {"Sine",
     [](std::mt19937&) {
         std::vector<QPoint> p;
         for (int c = 0; c < 1000; ++c)
             p.emplace_back(Abscisse(c), 160 + static_cast<int>(120 * std::sin(c / 40.0)));
         return p;
     }},
    {"Noise",
     [](std::mt19937& h) {
         std::vector<QPoint> p;
         for (int c = 0; c < 400; ++c) p.emplace_back(Abscisse(c), 10 + static_cast<int>(h() % 300));
         return p;
     }},
    {"StepsWithRepeatedPoints",
     [](std::mt19937& h) {
         std::vector<QPoint> p;
         int y = 150;
         for (int c = 0; c < 1000; ++c) {
             if (h() % 40 == 0) y = 10 + static_cast<int>(h() % 300);
             p.emplace_back(Abscisse(c, 300), y);
         }
         return p;
     }},
    {"FlatLine",
     [](std::mt19937&) {
         std::vector<QPoint> p;
         for (int c = 0; c < 1000; ++c) p.emplace_back(Abscisse(c), 160);
         return p;
     }},
    {"OnePointRepeated", [](std::mt19937&) { return std::vector<QPoint>(1000, QPoint(300, 150)); }},
    {"TwoPoints",
     [](std::mt19937&) {
         return std::vector<QPoint>{QPoint(20, 30), QPoint(500, 250)};
     }},
    {"CrossingXYPath",
     [](std::mt19937& h) {
         std::vector<QPoint> p;
         for (int c = 0; c < 1000; ++c)
             p.emplace_back(10 + static_cast<int>(h() % 600), 10 + static_cast<int>(h() % 300));
         return p;
     }},
    {"WiderThanTheColumns",
     [](std::mt19937& h) {
         std::vector<QPoint> p;
         for (int c = 0; c < 200; ++c) p.emplace_back(10 + 3 * c, 10 + static_cast<int>(h() % 300));
         return p;
     }},
};

class TracePolyligne : public ::testing::TestWithParam<tForme> {
protected:
    void SetUp() override { APPLICATION_GUI(); }
};

TEST_P(TracePolyligne, SamePixelsAsOnePolylineAtEveryThickness) {
    std::mt19937 hasard(20261211);
    const std::vector<QPoint> points = GetParam().Points(hasard);
    for (int epaisseur = 0; epaisseur <= 15; ++epaisseur) {
        for (const Qt::PenCapStyle bout : {Qt::SquareCap, Qt::FlatCap}) {
            SCOPED_TRACE(testing::Message() << "thickness " << epaisseur << ", cap " << bout);
            QPen pen(QColor(200, 20, 90));
            pen.setWidthF(EPAISSEUR_TRACE(static_cast<uint8_t>(epaisseur)));
            pen.setCapStyle(bout);
            const QImage directe = Trace(points, pen, tTracePolyligne::Directe);
            const QImage morceaux = Trace(points, pen, tTracePolyligne::Morceaux);
            EXPECT_EQ(Differences(directe, morceaux), 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formes, TracePolyligne, ::testing::ValuesIn(Formes),
                         [](const ::testing::TestParamInfo<tForme>& i) { return i.param.Nom; });

// Whole pictures of recordings, traces of every thickness, zoomed or not, in
// the time display and in XY: the same picture either way.
class PictureBothWays : public DessinTest {};

TEST_F(PictureBothWays, SamplesAndADenseRecordingDrawTheSame) {
    const std::pair<const char*, recmaker::Enregistrement> enregistrements[] = {
        {"tkar", recmaker::ExempleTKAR()},
        {"tkos", recmaker::ExempleTKOS()},
        {"tkos_sup", recmaker::ExempleTKOSSup()},
        {"vel", recmaker::ExempleVEL()},
        {"dense",
         TKARDessin({VoieBrute(0, recmaker::Sinus(32768, 30000, 7.3)),
                     VoieBrute(1, recmaker::Carre(1000, 60000, 3)), VoieBrute(2, recmaker::Rampe(0, 977))},
                    true, [](int64_t s) { return static_cast<uint16_t>(s * 7); })},
    };
    for (const auto& [nom, e] : enregistrements) {
        for (const bool xy : {false, true}) {
            for (const double largeur : {1.0, 0.01}) {
                SCOPED_TRACE(testing::Message() << nom << (xy ? " XY" : "") << " width " << largeur);
                RESET_GLOBAL_CONFIG();
                INIT_CONFIG();
                Config.ModeXY = xy ? 1 : 0;
                for (int ch = 0; ch < NombreVoiesConfig; ++ch)
                    Config.EpaisseurVoie[ch] = static_cast<uint8_t>(ch % 8);
                COHERENCE_CONFIGURATION();
                ::Setup = {0.0, largeur};
                Ouvrir(e);
                Graphe->ManiereTrace = tTracePolyligne::Directe;
                const QImage directe = Dessiner(900, 600).copy();
                Graphe->ManiereTrace = tTracePolyligne::Morceaux;
                const QImage morceaux = Dessiner(900, 600).copy();
                EXPECT_EQ(Differences(directe, morceaux), 0);
            }
        }
    }
}

// On a screen of twice the density: the same layout, the picture drawn with
// twice the pixels each way, and the pieces still the one polyline's pixels.
TEST_F(PictureBothWays, TwiceTheDensitySameLayout) {
    Ouvrir(recmaker::ExempleVEL());
    Dessiner(800, 500);
    const int16_t scrollX = Graphe->ScrollX, scrollY = Graphe->ScrollY, borne = Graphe->LongueurBorne;
    const int32_t x0 = Graphe->DebutScrollX, y0 = Graphe->DebutScrollY;
    Graphe->RapportPixels = 2.0;
    Graphe->ManiereTrace = tTracePolyligne::Directe;
    const QImage directe = Dessiner(800, 500).copy();
    EXPECT_EQ(directe.size(), QSize(1600, 1000));
    EXPECT_EQ(directe.devicePixelRatio(), 2.0);
    EXPECT_EQ(Graphe->ScrollX, scrollX);
    EXPECT_EQ(Graphe->ScrollY, scrollY);
    EXPECT_EQ(Graphe->LongueurBorne, borne);
    EXPECT_EQ(Graphe->DebutScrollX, x0);
    EXPECT_EQ(Graphe->DebutScrollY, y0);
    Graphe->ManiereTrace = tTracePolyligne::Morceaux;
    EXPECT_EQ(Differences(directe, Dessiner(800, 500)), 0);
    EXPECT_EQ(Graphe->COUCHE_CURSEUR().devicePixelRatio(), 2.0);
}

} // namespace
} // namespace graphe_test
