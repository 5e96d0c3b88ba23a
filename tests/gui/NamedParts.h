// Finds a window's controls, menus and actions by the object names the window gives them.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QString>
#include <QStringList>

// The part of window named name, of type Part; not one of a window inside it (the preferences
// window inside the main window). A missing part ends the test program: no test goes on without it.
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

// The quality, mode and bitrate boxes, named alike in every window that has them.
inline const char* const kSettingBoxes[] = {"ComboBoxQuality", "ComboBoxMode", "ComboBoxBitrate"};

// The texts those boxes show.
inline QStringList SettingTexts(const QWidget& window) {
    QStringList texts;
    for (const char* box : kSettingBoxes)
        texts << Find<QComboBox>(window, box)->currentText();
    return texts;
}
