#include "ui/Mnemoniques.h"

#include <algorithm>

#include <QAction>
#include <QList>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

namespace {

// The mnemonic of a text ('&' before a letter, "&&" being a plain '&'), or 0.
QChar Mnemonique(const QString& texte) {
    for (qsizetype i = 0; i + 1 < texte.size(); ++i) {
        if (texte[i] != QLatin1Char('&')) continue;
        if (texte[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return texte[i + 1].toLower();
    }
    return QChar();
}

// The letters a text may take its mnemonic from, in order.
QList<QChar> Lettres(const QString& texte) {
    QList<QChar> lettres;
    for (const QChar c : texte)
        if (c.isLetterOrNumber() && !lettres.contains(c.toLower())) lettres.append(c.toLower());
    return lettres;
}

void Donner(const QList<QAction*>& actions) {
    QSet<QChar> prises;
    QList<QAction*> sans;
    for (QAction* a : actions) {
        if (const QChar m = Mnemonique(a->text()); !m.isNull())
            prises.insert(m);
        else if (!a->isSeparator() && !a->text().isEmpty())
            sans.append(a);
    }
    // The texts with fewest letters choose first: a short one keeps a letter
    // a long one could do without.
    std::stable_sort(sans.begin(), sans.end(), [](const QAction* x, const QAction* y) {
        return Lettres(x->text()).size() < Lettres(y->text()).size();
    });
    for (QAction* a : sans) {
        QString texte = a->text();
        texte.replace(QLatin1Char('&'), QStringLiteral("&&"));
        for (qsizetype i = 0; i < texte.size(); ++i) {
            const QChar c = texte[i].toLower();
            if (!c.isLetterOrNumber() || prises.contains(c) || (i > 0 && texte[i - 1] == QLatin1Char('&')))
                continue;
            prises.insert(c);
            texte.insert(i, QLatin1Char('&'));
            a->setText(texte);
            break;
        }
    }
    for (QAction* a : actions)
        if (QMenu* sous = a->menu()) MNEMONIQUES(sous);
}

} // namespace

void MNEMONIQUES(QMenu* menu) {
    if (menu != nullptr) Donner(menu->actions());
}

void MNEMONIQUES(QMenuBar* barre) {
    if (barre != nullptr) Donner(barre->actions());
}
