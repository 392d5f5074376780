// Batch use without a session's runtime folder (XDG_RUNTIME_DIR unset, as under cron or ssh):
// standard error holds the programs' own messages and nothing of the platform's.
// Runs the built programs found in the build folder (OMBRIX_BUILD_DIR).
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "recmaker/RecMaker.h"
#include "shell/AvertissementsPlateforme.h"

namespace {

class TerminalSilencieux : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Temp.isValid());
        Build = qEnvironmentVariable("OMBRIX_BUILD_DIR");
        ASSERT_FALSE(Build.isEmpty()) << "OMBRIX_BUILD_DIR is not set (run through ctest)";
        recmaker::Enregistrement e;
        e.Famille = FamilleTKAR;
        e.Modele = "TKAR 8";
        e.PeriodeUs = 1000.f;
        e.NombreScans = 2000;
        e.Checksum = true;
        e.Voies = {
            recmaker::Voie{.Numero = 0, .Nom = "Tension", .Unite = "V", .Donnees = recmaker::Rampe(0, 1)}};
        Recording = Temp.filePath(QStringLiteral("essai.rec"));
        ASSERT_TRUE(recmaker::Ecrire(e, Recording.toStdString()));
    }

    // Standard error of a run with no runtime folder, no display, every per-user folder here.
    QString Erreurs(const QString& programme, const QStringList& arguments, int codeAttendu = 0) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* nom : {"XDG_RUNTIME_DIR", "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(nom));
        const QString maison = Temp.filePath(QStringLiteral("maison"));
        env.insert(QStringLiteral("HOME"), maison);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), maison + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), maison + QStringLiteral("/data"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        QProcess p;
        p.setProcessEnvironment(env);
        p.setStandardOutputFile(QProcess::nullDevice());
        p.start(QDir(Build).filePath(programme), arguments);
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) {
            ADD_FAILURE() << programme.toStdString() << " did not run to its end";
            return {};
        }
        EXPECT_EQ(p.exitCode(), codeAttendu) << programme.toStdString();
        return QString::fromUtf8(p.readAllStandardError());
    }

    QTemporaryDir Temp;
    QString Build, Recording;
};

TEST_F(TerminalSilencieux, OnlyTheProgramsMessages) {
    EXPECT_EQ(Erreurs(QStringLiteral("ombrix"), {QStringLiteral("info"), Recording}), QString());
    EXPECT_EQ(Erreurs(QStringLiteral("ombrix"), {QStringLiteral("table"), Recording}),
              QStringLiteral("checksum: ok\n"));
    // The drawing command starts the platform's GUI side, which asks for the runtime folder.
    EXPECT_EQ(Erreurs(QStringLiteral("ombrix"), {QStringLiteral("render"), Recording, QStringLiteral("-o"),
                                                 Temp.filePath(QStringLiteral("essai.png"))}),
              QString());
    EXPECT_EQ(Erreurs(QStringLiteral("ombrix"),
                      {QStringLiteral("info"), Temp.filePath(QStringLiteral("absent.rec"))}, 1),
              QStringLiteral("Error: File error\nombrix info: the file cannot be opened\n"));
    if (!QFileInfo::exists(QDir(Build).filePath(QStringLiteral("ombrixviewer"))))
        GTEST_SKIP() << "the viewer is not part of a core-only build";
    const QString console = Erreurs(QStringLiteral("ombrixviewer"), {Recording, QStringLiteral("/c")});
    EXPECT_TRUE(console.startsWith(QStringLiteral("Export: "))) << console.toStdString();
    EXPECT_EQ(console.count(QLatin1Char('\n')), 1) << console.toStdString();
}

TEST(AvertissementsPlateforme, OnlyTheRuntimeFolderWarningIsDropped) {
    EXPECT_TRUE(AVERTISSEMENT_SANS_INTERET(
        QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-ana'")));
    EXPECT_FALSE(AVERTISSEMENT_SANS_INTERET(
        QStringLiteral("QStandardPaths: wrong permissions on runtime directory /run/user/1000")));
    EXPECT_FALSE(AVERTISSEMENT_SANS_INTERET(QStringLiteral("checksum: ok")));
}

} // namespace
