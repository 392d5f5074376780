// The progress window shown while split recordings are joined.
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QtTest>

#include "ui/bargraphe.h"

using VIEW::bargraphe;

class TestBargraphe : public QObject {
    Q_OBJECT

private slots:
    void montreLeNomEtLaProgression();
    void progressionGardeeDansLesBornes_data();
    void progressionGardeeDansLesBornes();
    void pourcentageDUnePosition_data();
    void pourcentageDUnePosition();
    void fenetreSansBoutonsNiBarreDesTaches();
    void centreeSurLEcran();
};

void TestBargraphe::montreLeNomEtLaProgression() {
    bargraphe b;
    QCOMPARE(b.label1->objectName(), QStringLiteral("label1"));
    QCOMPARE(b.progressBar2->objectName(), QStringLiteral("progressBar2"));
    QCOMPARE(b.progressBar2->minimum(), 0);
    QCOMPARE(b.progressBar2->maximum(), 100);
    QCOMPARE(b.progressBar2->value(), 0);
    b.show();
    b.AFFICHE_NOM(QStringLiteral("/tmp/essai.rec0"));
    b.AFFICHE_PROGRESSION(42);
    QCOMPARE(b.label1->text(), QStringLiteral("/tmp/essai.rec0"));
    QCOMPARE(b.progressBar2->value(), 42);
}

void TestBargraphe::progressionGardeeDansLesBornes_data() {
    QTest::addColumn<int>("demande");
    QTest::addColumn<int>("montre");
    QTest::newRow("negative") << -5 << 0;
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("full") << 100 << 100;
    QTest::newRow("beyond") << 250 << 100;
}

void TestBargraphe::progressionGardeeDansLesBornes() {
    QFETCH(int, demande);
    QFETCH(int, montre);
    bargraphe b;
    b.AFFICHE_PROGRESSION(50);
    b.AFFICHE_PROGRESSION(demande);
    QCOMPARE(b.progressBar2->value(), montre);
}

void TestBargraphe::pourcentageDUnePosition_data() {
    QTest::addColumn<qint64>("position");
    QTest::addColumn<qint64>("longueur");
    QTest::addColumn<int>("montre");
    QTest::newRow("start") << qint64(0) << qint64(30000) << 0;
    QTest::newRow("truncated") << qint64(10000) << qint64(30000) << 33;
    QTest::newRow("end") << qint64(30000) << qint64(30000) << 100;
    QTest::newRow("empty file") << qint64(0) << qint64(0) << 0;
    QTest::newRow("past an empty file") << qint64(10000) << qint64(0) << 0;
    QTest::newRow("past the end") << qint64(40000) << qint64(30000) << 100;
    QTest::newRow("one byte file") << qint64(1) << qint64(1) << 100;
    QTest::newRow("5 TB half read") << qint64(2500000000000) << qint64(5000000000000) << 50;
}

void TestBargraphe::pourcentageDUnePosition() {
    QFETCH(qint64, position);
    QFETCH(qint64, longueur);
    QFETCH(int, montre);
    bargraphe b;
    b.AFFICHE_PROGRESSION(77);
    b.AFFICHE_POSITION(position, longueur);
    QCOMPARE(b.progressBar2->value(), montre);
}

void TestBargraphe::fenetreSansBoutonsNiBarreDesTaches() {
    bargraphe b;
    const Qt::WindowFlags f = b.windowFlags();
    QCOMPARE(f & Qt::WindowType_Mask, Qt::Tool); // no taskbar entry
    QVERIFY(f.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!f.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!f.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!f.testFlag(Qt::WindowMinMaxButtonsHint));
    QCOMPARE(b.minimumSize(), b.maximumSize()); // no size grip
}

void TestBargraphe::centreeSurLEcran() {
    bargraphe b;
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    const QRect ecran = b.screen()->availableGeometry();
    const QPoint ecart = b.frameGeometry().center() - ecran.center();
    QVERIFY2(qAbs(ecart.x()) <= 1 && qAbs(ecart.y()) <= 1, "the window is not centred on its screen");
}

QTEST_MAIN(TestBargraphe)
#include "tst_bargraphe.moc"
