// Help: the help file of the program opened with the desktop's viewer for it,
// and the about window with the name, the version and the maker's web address.
#pragma once

#include <functional>

#include <QDialog>
#include <QString>
#include <QUrl>

class QLabel;
class QPushButton;

namespace VIEW {

// The help file next to the program: "HelpOmbrixViewer_fra.chm" in French
// (language 0), "HelpOmbrixViewer_eng.chm" in every other language.
QString CHEMIN_AIDE(const QString& dossierProgramme, int langue);

// Opens the help file with `ouvrir` (the desktop's associated program). A help
// file that is missing or that nothing opens gives the box "Error Reading help
// file " (title "Error", exclamation). True when it was opened.
bool APPEL_CHM(const QString& dossierProgramme, int langue, const std::function<bool(const QUrl&)>& ouvrir);

// The version the about window shows.
inline constexpr const char* VersionAffichee = "3.11";

class HelpForm : public QDialog {
    Q_OBJECT
public:
    explicit HelpForm(QWidget* parent = nullptr);
    // Texts in the current language.
    void init();
    // Opens the web address (failures are ignored).
    void APPEL_SITE();
    std::function<bool(const QUrl&)> Ouvrir;

    QLabel* pictureBox1 = nullptr;
    QLabel* labelNom = nullptr;
    QLabel* labelVersion = nullptr;
    QLabel* linkLabel1 = nullptr;
    QPushButton* button1 = nullptr;
};

} // namespace VIEW
