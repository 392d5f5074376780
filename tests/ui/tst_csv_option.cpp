// The CSV options dialog over "csv.conf": detection, the two lists, saving on toggle and "Valid",
// nothing saved on "Abort".
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "export/OptionsCSV.h"
#include "shell/Messages.h"
#include "ui/CSVOption.h"

using VIEW::CSVOption;

namespace {

QByteArray Contenu() {
    QFile f(CHEMIN_CSV_CONF());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

void Ecrire(const QByteArray& octets) {
    QFile f(CHEMIN_CSV_CONF());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(octets);
}

void Cliquer(QAbstractButton* b) {
    QVERIFY(b != nullptr);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

int Ligne(QListWidget* l) {
    return l->currentRow();
}

} // namespace

class TestCSVOption : public QObject {
    Q_OBJECT

    QTemporaryDir Dossier;
    QLocale Culture;

private slots:
    void initTestCase() {
        QVERIFY(Dossier.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(Dossier.path()));
        Culture = QLocale();
    }
    void init() {
        RESET_LANGUE();
        Langue = 1;
        RESET_OPTIONS_CSV();
        QLocale::setDefault(QLocale::c());
        QFile::remove(CHEMIN_CSV_CONF());
    }
    void cleanup() {
        QLocale::setDefault(Culture);
        RESET_OPTIONS_CSV();
    }

    void controlsAndTexts() {
        CSVOption d;
        QCOMPARE(d.checkBoxAuto->text(), QStringLiteral("Auto-Detect"));
        QCOMPARE(d.groupBoxDelimiter->title(), QStringLiteral("CSV Delimiter"));
        QCOMPARE(d.groupBoxSeparator->title(), QStringLiteral("CSV Separator"));
        QCOMPARE(d.buttonAbort->text(), QStringLiteral("Abort"));
        QCOMPARE(d.buttonValid->text(), QStringLiteral("Valid"));
        QCOMPARE(d.listBoxDelimiter->count(), 2);
        QCOMPARE(d.listBoxDelimiter->item(0)->text(), QStringLiteral("."));
        QCOMPARE(d.listBoxDelimiter->item(1)->text(), QStringLiteral(","));
        QCOMPARE(d.listBoxSeparator->count(), 2);
        QCOMPARE(d.listBoxSeparator->item(0)->text(), QStringLiteral(","));
        QCOMPARE(d.listBoxSeparator->item(1)->text(), QStringLiteral(";"));
        QCOMPARE(d.findChild<QCheckBox*>(QStringLiteral("checkBoxAuto")), d.checkBoxAuto);
    }

    // A first run creates the file with detection on; the detected choices follow the culture.
    // Each list shows its two marks whole, with no scrolling, large (a "." and a "," of the
    // dialog's size are specks) on rows with room around them.
    void listsShowEveryRow() {
        CSVOption d;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        const int ligneDialogue = d.fontMetrics().height();
        for (QListWidget* l : {d.listBoxDelimiter, d.listBoxSeparator}) {
            QVERIFY(l->font().pointSizeF() > d.font().pointSizeF());
            const QRect vue = l->viewport()->rect();
            for (int k = 0; k < l->count(); ++k) {
                const QRect ligne = l->visualItemRect(l->item(k));
                QVERIFY2(vue.contains(ligne), qPrintable(l->objectName() + QString::number(k)));
                QVERIFY(ligne.height() >= ligneDialogue * 3 / 2);
            }
        }
    }

    void firstRunDetects_data() {
        QTest::addColumn<QLocale>("culture");
        QTest::addColumn<int>("delimiteur");
        QTest::addColumn<int>("separateur");
        QTest::newRow("decimal point") << QLocale::c() << 0 << 0;                              // "." and ","
        QTest::newRow("decimal comma") << QLocale(QLocale::French, QLocale::France) << 1 << 1; // "," and ";"
    }
    void firstRunDetects() {
        QFETCH(QLocale, culture);
        QFETCH(int, delimiteur);
        QFETCH(int, separateur);
        QLocale::setDefault(culture);
        CSVOption d;
        QCOMPARE(Contenu(), QByteArray("1\n.\n,"));
        QVERIFY(d.checkBoxAuto->isChecked());
        QVERIFY(!d.listBoxDelimiter->isEnabled());
        QVERIFY(!d.listBoxSeparator->isEnabled());
        QCOMPARE(Ligne(d.listBoxDelimiter), delimiteur);
        QCOMPARE(Ligne(d.listBoxSeparator), separateur);
        QCOMPARE(CSV_Delimiter, delimiteur == 0 ? '.' : ',');
        QCOMPARE(CSV_Separator, separateur == 0 ? ',' : ';');
    }

    void storedChoicesShownWhenDetectionIsOff() {
        Ecrire("0\n;\n,");
        CSVOption d;
        QVERIFY(!d.checkBoxAuto->isChecked());
        QVERIFY(d.listBoxDelimiter->isEnabled());
        QVERIFY(d.listBoxSeparator->isEnabled());
        QCOMPARE(Ligne(d.listBoxDelimiter), 1);
        QCOMPARE(Ligne(d.listBoxSeparator), 1);
    }

    void togglingSavesAtOnce() {
        CSVOption d;
        d.show();
        Cliquer(d.checkBoxAuto);
        QVERIFY(!d.checkBoxAuto->isChecked());
        QCOMPARE(Contenu(), QByteArray("0\n,\n.")); // the detected choices, now stored
        QVERIFY(d.listBoxDelimiter->isEnabled());
        QVERIFY(d.listBoxSeparator->isEnabled());
        Cliquer(d.checkBoxAuto);
        QVERIFY(d.checkBoxAuto->isChecked());
        QCOMPARE(Contenu(), QByteArray("1\n,\n."));
        QVERIFY(!d.listBoxDelimiter->isEnabled());
    }

    void validSavesTheListsAbortDoesNot_data() {
        QTest::addColumn<bool>("valider");
        QTest::newRow("Valid") << true;
        QTest::newRow("Abort") << false;
    }
    void validSavesTheListsAbortDoesNot() {
        QFETCH(bool, valider);
        Ecrire("0\n,\n.");
        CSVOption d;
        d.show();
        d.listBoxDelimiter->setCurrentRow(1);
        d.listBoxSeparator->setCurrentRow(1);
        QCOMPARE(CSV_Delimiter, ',');
        QCOMPARE(CSV_Separator, ';');
        QTest::mouseClick(valider ? d.buttonValid : d.buttonAbort, Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), valider ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(Contenu(), valider ? QByteArray("0\n;\n,") : QByteArray("0\n,\n."));
    }

    void listsIgnoredWhileDetecting() {
        CSVOption d;
        const char delimiteur = CSV_Delimiter, separateur = CSV_Separator;
        d.listBoxDelimiter->setCurrentRow(1);
        d.listBoxSeparator->setCurrentRow(1);
        QCOMPARE(CSV_Delimiter, delimiteur);
        QCOMPARE(CSV_Separator, separateur);
    }
};

QTEST_MAIN(TestCSVOption)
#include "tst_csv_option.moc"
