// SIGINT, SIGTERM and SIGHUP (Ctrl+C, a kill, a closed terminal or session) as a request to stop:
// the handler only notes the signal and wakes the event loop, which then tells whoever listens.
// SIGXFSZ (a file grown past the size limit, ulimit -f) is ignored meanwhile: the write fails
// (EFBIG) and fails that file alone, instead of ending the program and the whole run.
#pragma once

#include <QObject>

class QSocketNotifier;

class StopSignals : public QObject {
    Q_OBJECT
public:
    // Catches the three signals (and ignores SIGXFSZ) for as long as it lives, one instance at a
    // time; the handlers there were before come back afterwards. Needs the application object.
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // True once one of the signals has come while an instance lived; may be asked anywhere.
    static bool Caught();

signals:
    // From the event loop (nested loops too), once for each signal that came.
    void Received(int signal);

private:
    void Drain();

    QSocketNotifier* notifier_ = nullptr;
};
