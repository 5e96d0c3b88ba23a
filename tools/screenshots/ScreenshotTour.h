// The screenshot tour of scripts/screenshots.sh: writes PNGs of the program's windows and ends.
//
// Each step prepares what is to be seen, waits for the window system to paint it, grabs the
// screen area and tidies up.
#pragma once

#include <QObject>
#include <QRect>
#include <QString>

#include <functional>
#include <string>
#include <vector>

struct TavrelWindows;

class ScreenshotTour : public QObject {
    Q_OBJECT
public:
    struct Step {
        QString fileName;              // written into the output folder
        std::function<void()> prepare; // shows what is to be seen
        std::function<QRect()> area;   // screen area to grab
        std::function<void()> finish;  // hides it again
    };

    ScreenshotTour(const QString& outputFolder, QObject* parent = nullptr);

    void AddStep(Step step) { steps_.push_back(std::move(step)); }
    // Runs the steps one after another, then ends the program (exit status 1 if a PNG failed).
    void Start();

    // The main window's steps: the window with projectFile loaded (none when empty), its File
    // menu open, the about window, the progress window.
    void AddMainWindowSteps(const TavrelWindows& windows, const std::string& projectFile);

private:
    void RunStep(size_t index);
    bool Grab(const QRect& area, const QString& fileName);

    QString outputFolder_;
    std::vector<Step> steps_;
    bool failed_ = false;
};
