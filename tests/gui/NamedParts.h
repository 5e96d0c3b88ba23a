// Finds a window's controls, menus and actions by the object names the window gives them, as
// tests and accessibility tools see them.
#pragma once

#include <QDialog>
#include <QObject>
#include <QString>

// The part of window named name, of type Part. A part of a window of its own inside it (the
// preferences window inside the main window) is not the window's own part. A missing part ends
// the test program with its name: no test can go on without it.
template <typename Part = QObject> Part* Find(const QObject& window, const char* name) {
    for (Part* part : window.findChildren<Part*>(QString::fromLatin1(name))) {
        const QObject* owner = part->parent();
        while (owner && owner != &window && !qobject_cast<const QDialog*>(owner))
            owner = owner->parent();
        if (owner == &window)
            return part;
    }
    qFatal("%s has no %s named %s", qPrintable(window.objectName()), Part::staticMetaObject.className(),
           name);
}
