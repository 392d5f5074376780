// Lifecycle of the graph object, its fonts and its text primitives.
#include "graph/grapheft.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <QFontMetricsF>

#include "config/Reticule.h"
#include "shell/Texte8.h"

namespace {

// Pictures are laid out at 96 dots per inch, so a 10-point font is 13.3 pixels
// high whatever screen the program runs on (or none).
constexpr int PointsParMetre96 = 3780;
// Above this size a font is taken as one that cannot be made.
constexpr float TailleMaxPoints = 1000.0f;

const char* const PoliceSecours = "Microsoft Sans Serif";

// The fallback face is not installed outside its home platform: use its metric
// twin. Once per process; the substitution table is Qt's own.
void SubstitutionsPolices() {
    static const bool faite = [] {
        if (QFont::substitutes(QString::fromLatin1(PoliceSecours)).isEmpty())
            QFont::insertSubstitution(QString::fromLatin1(PoliceSecours), QStringLiteral("Liberation Sans"));
        return true;
    }();
    (void)faite;
}

// The font of a font record, or nothing when the record cannot make one (no
// face name, a size that is not a positive finite number of points, or one too
// large to draw).
std::optional<QFont> PoliceDepuis(const tPoliceConfig& p) {
    const QString nom = DepuisCp1252(p.Nom, static_cast<int>(sizeof p.Nom)).trimmed();
    if (nom.isEmpty() || !std::isfinite(p.Taille) || !(p.Taille > 0.0f) || p.Taille > TailleMaxPoints)
        return std::nullopt;
    QFont police(nom);
    police.setPointSizeF(p.Taille);
    police.setBold((p.Style & StyleGras) != 0);
    police.setItalic((p.Style & StyleItalique) != 0);
    police.setUnderline((p.Style & StyleSouligne) != 0);
    police.setStrikeOut((p.Style & StyleBarre) != 0);
    return police;
}

QFont PoliceDeSecours(double points) {
    QFont police(QString::fromLatin1(PoliceSecours));
    police.setPointSizeF(points);
    return police;
}

// A font that measures a trial text to a positive finite width can draw.
bool PoliceUtilisable(const QFont& police, const QImage& surface, const char* essai) {
    const QFontMetricsF m(police, &surface);
    const double w = m.horizontalAdvance(QString::fromLatin1(essai));
    return std::isfinite(w) && w > 0.0 && m.height() > 0.0;
}

} // namespace

grapheft::grapheft(t_EnteteREC_GlobalTotal* entete, tSetup* setup)
    : Donnees(entete, setup), EnteteFichier(entete), SetupGraphe(setup) {}

grapheft::~grapheft() {
    Dispose();
}

void grapheft::ECHANGER_DESSIN(grapheft& autre) {
    // A painter is bound to the image object it began on, not to its pixels:
    // handed over with the picture it would paint on the other side's object
    // and outlive it. Both end before the pictures change hands and each side
    // begins again on the picture it now holds.
    FINIR_PEINTURE();
    autre.FINIR_PEINTURE();
    std::swap(static_cast<tEtatDessin&>(*this), static_cast<tEtatDessin&>(autre));
    COMMENCER_PEINTURE();
    autre.COMMENCER_PEINTURE();
    std::swap(Donnees.TabCyclique, autre.Donnees.TabCyclique);
    std::swap(Donnees.TabFlottant, autre.Donnees.TabFlottant);
    const auto echanger = [](auto& a, auto& b) {
        const auto va = a.load(std::memory_order_acquire);
        a.store(b.load(std::memory_order_acquire), std::memory_order_release);
        b.store(va, std::memory_order_release);
    };
    echanger(Donnees.PointeurCyclique, autre.Donnees.PointeurCyclique);
    echanger(Donnees.CalculTerminer, autre.Donnees.CalculTerminer);
}

void grapheft::REPRENDRE_TABLE(const DonneesGraphe& source) {
    const size_t mots = static_cast<size_t>(NombreColonnesTable) * NombreSlotsColonne;
    std::memcpy(Donnees.TabCyclique.get(), source.TabCyclique.get(), mots * sizeof(uint16_t));
    Donnees.PointeurCyclique.store(NombreColonnesAffichage, std::memory_order_release);
    Donnees.CalculTerminer.store(CalculFini, std::memory_order_release);
}

bool grapheft::TABLE_COMPLETE() const {
    return Donnees.CalculTerminer.load(std::memory_order_acquire) == CalculFini &&
           Donnees.PointeurCyclique.load(std::memory_order_acquire) == NombreColonnesAffichage;
}

double grapheft::VALEUR_TABLE(int c, int ch) const {
    c = std::clamp(c, 0, NombreColonnesAffichage - 1);
    ch = std::clamp(ch, 0, NombreSlotsColonne - 1);
    return Donnees.TabFlottant[static_cast<size_t>(c) * NombreSlotsColonne + ch];
}

uint16_t grapheft::MOT_LOGIQUE(int c) const {
    return Donnees.Mot(std::clamp(c, 0, NombreColonnesAffichage - 1), SlotLogique);
}

void grapheft::FINIR_PEINTURE() {
    PeintreImage.reset();
    gp = nullptr;
}

void grapheft::COMMENCER_PEINTURE() {
    if (PeintreExterne != nullptr) {
        gp = PeintreExterne;
        return;
    }
    if (NewBitmap.isNull()) return;
    PeintreImage = std::make_unique<QPainter>(&NewBitmap);
    gp = PeintreImage.get();
}

void grapheft::NouvelleImage(int largeur, int hauteur) {
    FINIR_PEINTURE(); // the context ends before its bitmap goes
    if (PeintreExterne != nullptr) {
        // Texts are still measured on a picture of the layout's resolution.
        NewBitmap = QImage(1, 1, QImage::Format_RGB32);
        NewBitmap.setDotsPerMeterX(PointsParMetre96);
        NewBitmap.setDotsPerMeterY(PointsParMetre96);
        gp = PeintreExterne;
        return;
    }
    const double r = RapportPixels >= 1.0 && RapportPixels <= 8.0 ? RapportPixels : 1.0;
    NewBitmap = QImage(static_cast<int>(std::ceil(largeur * r)), static_cast<int>(std::ceil(hauteur * r)),
                       QImage::Format_RGB32);
    if (NewBitmap.isNull()) return; // too large to allocate: nothing is drawn
    NewBitmap.setDevicePixelRatio(r);
    NewBitmap.setDotsPerMeterX(PointsParMetre96);
    NewBitmap.setDotsPerMeterY(PointsParMetre96);
    NewBitmap.fill(QColor::fromRgba(static_cast<QRgb>(SavConf->CouleurFond)).rgb());
    COMMENCER_PEINTURE();
}

void grapheft::Initialisation() {
    SubstitutionsPolices();
    NouvelleImage(200, 200);
    SB = QColor(Qt::black);

    FontNomFichier = PoliceDepuis(SavConf->PoliceNom);
    if (!FontNomFichier || !PoliceUtilisable(*FontNomFichier, NewBitmap, "Test Num0"))
        FontNomFichier = PoliceDeSecours(16.0);
    FontBaseDetemps = PoliceDepuis(SavConf->PoliceBaseDeTemps);
    if (!FontBaseDetemps || !PoliceUtilisable(*FontBaseDetemps, NewBitmap, "Test Num 1"))
        FontBaseDetemps = PoliceDeSecours(8.0);
    HauteurCarac = HAUTEUR_LIGNE(*FontBaseDetemps);

    DebutTemps = 0.0;
    TempsTotal = 1000000.0;
    if (SavConf->ModeXY == 0) CALCUL_DIV_TEMPS();
}

void grapheft::RESIZE_GRAPHE() {
    if (LargeurImage <= 0 || HauteurImage <= 0) return;
    NouvelleImage(LargeurImage, HauteurImage);
    if (!gp) return;
    ReticulePersoIllisible = false;
    BoitesTextes.clear();
    BoitesNoms.clear();
    BoiteLecture = QRectF();
    if (SavConf->ModeXY != 0) RESET_RETICULE(&SavConf->ReticEcran);
    INIT_RETIC();
    Fond_Reticule();
    AFFICH_BORNE_TOTAL(1);
    if (ARRETE()) return;
    CALCUL_ET_AFFICHE_VECTEUR();
    if (ARRETE()) return;
    AFFICHAGE_NOM();
}

void grapheft::CALCUL_ET_AFFICHE_VECTEUR() {
    if (SavConf->ModeXY != 0) RESET_RETICULE(&SavConf->ReticEcran);
    TempsTotal = SetupGraphe->LargeurFenetre * EnteteFichier->DureeTotale;
    DebutTemps = EnteteFichier->DureeTotale * SetupGraphe->DebutFenetre + EnteteFichier->TempsDebut;
    CALCUL_DIV_TEMPS();
    Fond_Reticule();
    AFF_TIME_BASE(SavConf->AffichageBornes);
    AFFICH_BORNE_TOTAL(SavConf->AffichageBornes);
    AFFICH_VECTEUR();
}

void grapheft::ARRET_GRAPHE() {
    FINIR_PEINTURE();
    NewBitmap = QImage();
}

void grapheft::Dispose() {
    ARRET_GRAPHE();
}

// ---- Texts ------------------------------------------------------------------

double grapheft::LARGEUR_TEXTE(const QString& texte, const QFont& police) const {
    if (texte.isEmpty()) return 0.0;
    if (NewBitmap.isNull()) return QFontMetricsF(police).horizontalAdvance(texte);
    return QFontMetricsF(police, &NewBitmap).horizontalAdvance(texte);
}

int grapheft::HAUTEUR_LIGNE(const QFont& police) const {
    const double h = NewBitmap.isNull() ? QFontMetricsF(police).lineSpacing()
                                        : QFontMetricsF(police, &NewBitmap).lineSpacing();
    return std::isfinite(h) ? static_cast<int>(std::ceil(h)) : 0;
}

int grapheft::LongMessX(const QString& texte) const {
    if (!FontBaseDetemps) return 0;
    return static_cast<int>(LARGEUR_TEXTE(texte, *FontBaseDetemps));
}

int grapheft::LongMessX(const char* texte) const {
    return LongMessX(DepuisCp1252(texte));
}

float grapheft::MeasureDisplayStringWidth(const QString& texte, const QFont& police) const {
    return static_cast<float>(LARGEUR_TEXTE(texte, police));
}

void grapheft::ECRIRE(QPainter& g, const QString& texte, const QFont& police, const QColor& couleur, double x,
                      double y) {
    if (texte.isEmpty()) return;
    // Laid out at 96 dots per inch: on a device of another resolution (a
    // printer, its page scaled to the layout), a size in points is made to
    // cover the same part of the layout.
    QFont f = police;
    if (const QPaintDevice* d = g.device(); d != nullptr && police.pointSizeF() > 0) {
        const int dpi = d->logicalDpiY();
        if (dpi > 0 && dpi != 96) f.setPointSizeF(police.pointSizeF() * 96.0 / dpi);
    }
    g.setFont(f);
    g.setPen(couleur);
    const QFontMetricsF m(f, g.device());
    g.drawText(QPointF(x, y + m.ascent()), texte);
}

void grapheft::ECRIRE_VERTICAL(QPainter& g, const QString& texte, const QFont& police, const QColor& couleur,
                               double x, double y) {
    if (texte.isEmpty()) return;
    g.save();
    g.translate(x, y);
    g.rotate(270.0);
    ECRIRE(g, texte, police, couleur, 0.0, 0.0);
    g.restore();
}

QRectF grapheft::BOITE_TEXTE(const QString& texte, const QFont& police, double x, double y) const {
    if (texte.isEmpty()) return {};
    return QRectF(x, y, LARGEUR_TEXTE(texte, police), HAUTEUR_LIGNE(police));
}

QRectF grapheft::BOITE_VERTICALE(const QString& texte, const QFont& police, double x, double y) const {
    if (texte.isEmpty()) return {};
    const double w = LARGEUR_TEXTE(texte, police);
    return QRectF(x, y - w, HAUTEUR_LIGNE(police), w);
}

void grapheft::POSER(const QString& texte, const QFont& police, const QColor& couleur, double x, double y) {
    if (!gp || texte.isEmpty()) return;
    BoitesTextes.push_back(BOITE_TEXTE(texte, police, x, y));
    ECRIRE(*gp, texte, police, couleur, x, y);
}

void grapheft::POSER_VERTICAL(const QString& texte, const QFont& police, const QColor& couleur, double x,
                              double y) {
    if (!gp || texte.isEmpty()) return;
    BoitesTextes.push_back(BOITE_VERTICALE(texte, police, x, y));
    ECRIRE_VERTICAL(*gp, texte, police, couleur, x, y);
}

bool grapheft::LIBRE(const QRectF& boite) const {
    if (boite.isEmpty()) return true;
    if (!BoiteLecture.isEmpty() && BoiteLecture.intersects(boite)) return false;
    return std::none_of(BoitesTextes.begin(), BoitesTextes.end(),
                        [&](const QRectF& b) { return b.intersects(boite); });
}

QRectF grapheft::PLACE_LIBRE(const QRectF& boite, double pas, const QRectF& dans) const {
    if (LIBRE(boite) || !(pas != 0.0)) return boite;
    for (const double sens : {pas, -pas}) {
        QRectF b = boite;
        for (int k = 0; k < 1000; ++k) {
            b.translate(0.0, sens);
            if (b.top() < dans.top() || b.bottom() > dans.bottom()) break;
            if (LIBRE(b)) return b;
        }
    }
    return boite;
}

void grapheft::ECR_TEXTE(const char* texte) {
    if (!gp || !FontBaseDetemps) return;
    ECRIRE(*gp, DepuisCp1252(texte), *FontBaseDetemps, SB, CurseurX, CurseurY);
}
