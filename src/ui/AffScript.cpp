#include "ui/AffScript.h"

#include <cstring>

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "math/TexteScript.h"
#include "recording/ScriptsREC.h"
#include "shell/OutilsTexte.h"
#include "shell/Texte8.h"

namespace VIEW {

QString TITRE_AFF_SCRIPT(int voie, const ScriptsREC& scripts) {
    if (voie < 0 || voie >= NombreVoiesTable || scripts.EnteteFichier == nullptr) return {};
    const tCalibVoie& v = scripts.EnteteFichier->CalibVoie[voie];
    char nom[sizeof v.NomVoie + 1]{};
    std::memcpy(nom, v.NomVoie, strnlen(v.NomVoie, sizeof v.NomVoie));
    ELIM_BLANC(nom);
    return DepuisCp1252(nom);
}

QString TEXTE_AFF_SCRIPT(int voie, const ScriptsREC& scripts) {
    if (scripts.EnteteFichier == nullptr) return {};
    const int slot = SLOT_SCRIPT_VOIE(*scripts.EnteteFichier, voie);
    if (slot < 0) return {};
    QString texte;
    for (int l = 0; l < NombreLignesScript; ++l) {
        texte += DepuisCp1252(scripts.Ligne(slot, l).c_str());
        texte += QLatin1Char('\n');
    }
    return texte;
}

AffScript::AffScript(int voie, const ScriptsREC& scripts, QWidget* parent) : QDialog(parent) {
    setWindowTitle(TITRE_AFF_SCRIPT(voie, scripts));
    textBoxScript = new QPlainTextEdit(this);
    textBoxScript->setObjectName(QStringLiteral("textBoxScript"));
    textBoxScript->setReadOnly(true);
    textBoxScript->setLineWrapMode(QPlainTextEdit::NoWrap);
    textBoxScript->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textBoxScript->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette couleurs = textBoxScript->palette();
    couleurs.setColor(QPalette::Base, Qt::white);
    couleurs.setColor(QPalette::Text, Qt::black);
    textBoxScript->setPalette(couleurs);
    textBoxScript->setPlainText(TEXTE_AFF_SCRIPT(voie, scripts));
    auto* page = new QVBoxLayout(this);
    page->addWidget(textBoxScript);
    resize(560, 300);
}

} // namespace VIEW
