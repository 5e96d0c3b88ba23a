// Captions for controls and the quality, mode and bitrate boxes, shared by the windows.
#include "SettingBoxes.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>

#include "project/ProjectControls.h"
#include "text/NativeText.h"

namespace {
QStringList ItemTexts(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}
} // namespace

QLabel* LabelFor(const QString& text, QWidget* buddy, const QString& objectName) {
    auto* label = new QLabel(text, buddy->parentWidget());
    if (!objectName.isEmpty())
        label->setObjectName(objectName);
    label->setBuddy(buddy);
    QString name = QString(text).remove(QLatin1Char('&')).trimmed();
    while (name.endsWith(QLatin1Char(':')))
        name = name.chopped(1).trimmed();
    buddy->setAccessibleName(name);
    return label;
}

void FillSettingBoxes(QComboBox* quality, QComboBox* mode, QComboBox* bitrate) {
    quality->addItems(QualityItems());
    mode->addItems(ModeItems());
    bitrate->addItems(BitrateItems());
}

void SelectSettingValues(QComboBox* quality, QComboBox* mode, QComboBox* bitrate,
                         const std::vector<std::string>& values) {
    if (values.size() > 0)
        SelectIfFound(quality, IndexOfQualityValue(ItemTexts(quality), TextFromBytes(values[0])));
    if (values.size() > 1)
        SelectIfFound(mode, IndexOfModeValue(ItemTexts(mode), TextFromBytes(values[1])));
    if (values.size() > 2)
        SelectIfFound(bitrate, IndexOfBitrateValue(ItemTexts(bitrate), TextFromBytes(values[2])));
}

void SelectIfFound(QComboBox* box, int index) {
    if (index >= 0)
        box->setCurrentIndex(index);
}

QString MissingSettingValue(QComboBox* quality, QComboBox* mode, QComboBox* bitrate) {
    const std::pair<QComboBox*, const char*> boxes[] = {
        {quality, QT_TRANSLATE_NOOP("SettingBoxes", "Please Choose a Conversion Quality!")},
        {mode, QT_TRANSLATE_NOOP("SettingBoxes", "Please Choose a Mode!")},
        {bitrate, QT_TRANSLATE_NOOP("SettingBoxes", "Please Choose a Bitrate!")},
    };
    for (const auto& [box, message] : boxes) {
        if (box->currentIndex() < 0 || box->currentText().isEmpty()) {
            box->setFocus();
            return QCoreApplication::translate("SettingBoxes", message);
        }
    }
    return QString();
}
