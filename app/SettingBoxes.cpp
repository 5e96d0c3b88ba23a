// Captions for controls and the quality, mode and bitrate boxes, shared by the windows.
#include "SettingBoxes.h"

#include <QComboBox>
#include <QLabel>

#include "NativeText.h"
#include "ProjectControls.h"

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
