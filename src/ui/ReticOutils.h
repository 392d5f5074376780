// Small helpers shared by the pages of the display settings dialog.
#pragma once

#include <cstdint>

#include <QString>

class QObject;
class QPushButton;
class QSpinBox;
class QWidget;

namespace VIEW {

// Gives a control its object name (tests find controls by it).
template <typename T> T* Nommer(T* objet, const char* nom) {
    objet->setObjectName(QString::fromLatin1(nom));
    return objet;
}

// Marks the controls as being filled for the lifetime of the object, then puts
// the previous mark back (fillings nest: the channel page is also filled alone).
class Remplissage {
public:
    explicit Remplissage(uint8_t& drapeau) : Drapeau_(drapeau), Avant_(drapeau) { Drapeau_ = 1; }
    ~Remplissage() { Drapeau_ = Avant_; }
    Remplissage(const Remplissage&) = delete;
    Remplissage& operator=(const Remplissage&) = delete;

private:
    uint8_t& Drapeau_;
    uint8_t Avant_;
};

// Display name of a channel of the open recording.
QString NOM_VOIE(int n);

// A whole-number box that reports its value on Enter, on leaving it and on its
// arrows, not on every key typed.
QSpinBox* NOMBRE_RETIC(QWidget* parent, const char* nom, int minimum, int maximum);

// A colour button shows its colour as a swatch with a border.
void MONTRER_COULEUR(QPushButton* bouton, int32_t argb);

} // namespace VIEW
