// How the desktop knows the program: its icon, its desktop entry and its window class.
#include "ProgramIdentity.h"

#include <QGuiApplication>
#include <QString>

QIcon ProgramIcon() {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(kDesktopFileName)));
}

void SetDesktopIdentity() {
    // The window class is the application's name; window titles and message boxes name the
    // program themselves.
    QGuiApplication::setApplicationName(QLatin1String(kWindowClass));
    QGuiApplication::setDesktopFileName(QLatin1String(kDesktopFileName));
    QGuiApplication::setWindowIcon(ProgramIcon());
}
