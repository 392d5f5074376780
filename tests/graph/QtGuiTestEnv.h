// The GUI application the drawing tests need (fonts, text measurement), on the
// offscreen platform: no display. Created on first use and kept until exit.
#pragma once

#include <QGuiApplication>

namespace graphe_test {

inline QGuiApplication& APPLICATION_GUI() {
    static int argc = 1;
    static char nom[] = "test_graph";
    static char* argv[] = {nom, nullptr};
    static QGuiApplication* application = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static QGuiApplication a(argc, argv);
        return &a;
    }();
    return *application;
}

} // namespace graphe_test
