// Runs a program from a test and gives its exit code and its output.
//
// Started with fork and exec rather than QProcess: Qt starts its children with
// vfork semantics, the child running in the test's memory until it execs, and
// the thread checker's interceptors then run in the child on the test's own
// bookkeeping and report races between the test's threads that are not there.
// A forked child has a copy of its own.
#pragma once

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QString>
#include <QStringList>

extern char** environ;

namespace programme_test {

struct tResultat {
    bool Fini = false;  // ended by itself within the time allowed
    int Code = -1;      // its exit code when it ended normally
    QByteArray Sortie;  // standard output
    QByteArray Erreurs; // standard error, or why it could not start
};

// `programme` is looked up in PATH when it has no slash; the variables named in
// `retirees` are left out of its environment.
inline tResultat LANCER(const QString& programme, const QStringList& arguments,
                        std::chrono::milliseconds delai, const QStringList& retirees = {}) {
    tResultat r;
    std::vector<std::string> mots{programme.toStdString()};
    for (const QString& a : arguments) mots.push_back(a.toStdString());
    std::vector<char*> argv;
    for (std::string& m : mots) argv.push_back(m.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (char** v = environ; *v != nullptr; ++v) {
        bool garder = true;
        for (const QString& nom : retirees) {
            const std::string prefixe = nom.toStdString() + "=";
            if (std::strncmp(*v, prefixe.c_str(), prefixe.size()) == 0) garder = false;
        }
        if (garder) envp.push_back(*v);
    }
    envp.push_back(nullptr);

    int sortie[2], erreurs[2];
    if (pipe2(sortie, O_CLOEXEC) != 0) return r;
    if (pipe2(erreurs, O_CLOEXEC) != 0) {
        close(sortie[0]);
        close(sortie[1]);
        return r;
    }
    const int entree = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const pid_t pid = fork();
    if (pid == 0) {
        // Only async-signal-safe calls until exec: the test has other threads.
        if (entree >= 0) dup2(entree, STDIN_FILENO);
        dup2(sortie[1], STDOUT_FILENO);
        dup2(erreurs[1], STDERR_FILENO);
        execvpe(argv[0], argv.data(), envp.data());
        const char message[] = "the program could not be started\n";
        (void)!write(STDERR_FILENO, message, sizeof message - 1);
        _exit(127);
    }
    if (entree >= 0) close(entree);
    close(sortie[1]);
    close(erreurs[1]);
    if (pid < 0) {
        close(sortie[0]);
        close(erreurs[0]);
        r.Erreurs = "fork failed";
        return r;
    }

    const auto limite = std::chrono::steady_clock::now() + delai;
    pollfd fds[2] = {{sortie[0], POLLIN, 0}, {erreurs[0], POLLIN, 0}};
    QByteArray* tampons[2] = {&r.Sortie, &r.Erreurs};
    int ouverts = 2;
    bool depasse = false;
    while (ouverts > 0) {
        const auto reste =
            std::chrono::duration_cast<std::chrono::milliseconds>(limite - std::chrono::steady_clock::now());
        if (reste.count() <= 0) {
            depasse = true;
            break;
        }
        if (poll(fds, 2, static_cast<int>(reste.count())) < 0) continue; // interrupted
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char tampon[65536];
            const ssize_t n = read(fds[i].fd, tampon, sizeof tampon);
            if (n > 0) {
                tampons[i]->append(tampon, static_cast<qsizetype>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --ouverts;
            }
        }
    }
    for (const pollfd& f : fds)
        if (f.fd >= 0) close(f.fd);
    if (depasse) kill(pid, SIGKILL);
    int statut = 0;
    pid_t fin;
    do fin = waitpid(pid, &statut, 0);
    while (fin < 0 && errno == EINTR);
    r.Fini = fin == pid && !depasse && WIFEXITED(statut);
    if (r.Fini) r.Code = WEXITSTATUS(statut);
    return r;
}

} // namespace programme_test
