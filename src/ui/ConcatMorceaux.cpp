#include "ui/ConcatMorceaux.h"

#include <optional>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include "recording/MorceauxREC.h"
#include "ui/bargraphe.h"

namespace VIEW {

namespace {

// Lets the progress window appear before the copy takes the thread; user input
// waits meanwhile, so no command can start in the middle of a join.
void Pause(int millisecondes) {
    QEventLoop boucle;
    QTimer::singleShot(millisecondes, &boucle, &QEventLoop::quit);
    boucle.exec(QEventLoop::ExcludeUserInputEvents);
}

// The wait cursor for as long as the join runs, whatever way it ends.
class CurseurAttente {
public:
    void Montrer() {
        if (Montre) return;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        Montre = true;
    }
    void Retirer() {
        if (!Montre) return;
        QApplication::restoreOverrideCursor();
        Montre = false;
    }
    ~CurseurAttente() { Retirer(); }

private:
    bool Montre = false;
};

} // namespace

bool Concat(QWidget* parent, const QString& nom) {
    CurseurAttente curseur;
    std::optional<bargraphe> fenetre;
    int pourcent = -1;

    tSuiviConcat suivi;
    suivi.Debut = [&] {
        curseur.Montrer();
        fenetre.emplace(parent);
        fenetre->AFFICHE_NOM(QDir::toNativeSeparators(nom));
        fenetre->AFFICHE_PROGRESSION(0);
        fenetre->show();
        Pause(100);
    };
    suivi.Progres = [&](const QString& morceau, int64_t position, int64_t longueur) {
        if (!fenetre) return;
        if (position == 0) {
            fenetre->AFFICHE_NOM(QDir::toNativeSeparators(morceau));
            pourcent = -1;
        }
        // Each block would repaint the bar: only a new percentage does.
        const int p = longueur > 0 ? static_cast<int>(100.0 * static_cast<double>(position) / longueur) : 0;
        if (p == pourcent) return;
        pourcent = p;
        fenetre->AFFICHE_POSITION(position, longueur);
    };
    suivi.Fin = [&] {
        fenetre.reset();
        curseur.Retirer();
    };
    return ::Concat(nom, suivi);
}

tOuvertureExport OUVERTURE_AVEC_MORCEAUX(QWidget* parent) {
    return [fenetre = QPointer<QWidget>(parent)](OuvreREC& ouvre, const QString& chemin) {
        Concat(fenetre.data(), chemin);
        return OUVRIR_SANS_DIALOGUE(ouvre, chemin);
    };
}

} // namespace VIEW
