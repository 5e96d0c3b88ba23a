// Pieces the main window and the preferences dialogs share: captions for controls and the
// quality, mode and bitrate boxes.
#pragma once

#include <QString>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QWidget;

// A caption for a control; clicking it focuses the control, and the control is named after it for
// screen readers (without its colon), whatever kind of control it is.
QLabel* LabelFor(const QString& text, QWidget* buddy, const QString& objectName = QString());

// Gives the three boxes their fixed items ("1".."9", "stereo"..., "16 kbps"...).
void FillSettingBoxes(QComboBox* quality, QComboBox* mode, QComboBox* bitrate);

// Selects in each box the item that shows values[0], [1], [2] (quality, mode letter, bitrate
// digits). A missing value, or one no item shows, keeps that box's selection.
void SelectSettingValues(QComboBox* quality, QComboBox* mode, QComboBox* bitrate,
                         const std::vector<std::string>& values);

// Selects the item at index; -1 keeps the box's selection.
void SelectIfFound(QComboBox* box, int index);

// What stops the three boxes' values from being stored as a preset: the message naming the first
// box with nothing chosen, which then gets the focus; empty when each has a value.
QString MissingSettingValue(QComboBox* quality, QComboBox* mode, QComboBox* bitrate);
