// The progress window: its look, the percent text a run of three files shows, the file in work
// and its Stop.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include "NamedParts.h"
#include "TFormProgressBarPercent.h"

class TestProgressBarPercent : public QObject {
    Q_OBJECT
private slots:
    void startsHiddenWithItsCaptionAndSize() {
        TFormProgressBarPercent form;
        QVERIFY(!form.isVisible());
        QCOMPARE(form.windowTitle(), QString("Processing..."));
        QCOMPARE(form.size(), QSize(366, 143));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QVERIFY(!(form.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!form.isModal());
        QCOMPARE(Find<QLabel>(form, "LabelPercent")->text(), QString("%0"));
        QCOMPARE(Find<QProgressBar>(form, "ProgressBarPercent")->minimum(), 0);
        QCOMPARE(Find<QProgressBar>(form, "ProgressBarPercent")->maximum(), 100);
        QCOMPARE(Find<QProgressBar>(form, "ProgressBarPercent")->value(), 0);
    }

    void showsThePercentOfFilesHandled_data() {
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QList<int>>("handled");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("three files") << 3 << QList<int>{1, 2, 3} << QStringList{"%33", "%66", "%100"};
        QTest::newRow("a failed file is counted by the next")
            << 3 << QList<int>{2, 3} << QStringList{"%66", "%100"};
        QTest::newRow("one file") << 1 << QList<int>{1} << QStringList{"%100"};
        QTest::newRow("seven files") << 7 << QList<int>{1, 4, 7} << QStringList{"%14", "%57", "%100"};
    }
    void showsThePercentOfFilesHandled() {
        QFETCH(int, maximum);
        QFETCH(QList<int>, handled);
        QFETCH(QStringList, texts);
        TFormProgressBarPercent form;
        form.StartRun(maximum);
        QCOMPARE(Find<QProgressBar>(form, "ProgressBarPercent")->maximum(), maximum);
        for (int i = 0; i < handled.size(); ++i) {
            form.SetFilesHandled(handled[i]);
            QCOMPARE(Find<QProgressBar>(form, "ProgressBarPercent")->value(), handled[i]);
            QCOMPARE(Find<QLabel>(form, "LabelPercent")->text(), texts[i]);
        }
    }

    void aSecondRunStartsFromZero() {
        TFormProgressBarPercent form;
        form.StartRun(2);
        form.SetFilesHandled(2);
        form.StartRun(5);
        QCOMPARE(Find<QProgressBar>(form, "ProgressBarPercent")->value(), 0);
        QCOMPARE(Find<QProgressBar>(form, "ProgressBarPercent")->maximum(), 5);
        QCOMPARE(Find<QLabel>(form, "LabelPercent")->text(), QString("%0"));
    }

    void namesTheFileInWorkAndAsksToStop() {
        TFormProgressBarPercent form;
        form.show();
        form.SetFileInWork("/sounds/a long name.wav");
        QCOMPARE(Find<QLabel>(form, "LabelFile")->text(), QString("Converting: a long name.wav"));
        QCOMPARE(Find<QLabel>(form, "LabelFile")->toolTip(), QString("/sounds/a long name.wav"));
        QSignalSpy stop(&form, &TFormProgressBarPercent::stopClicked);
        Find<QPushButton>(form, "ButtonStop")->click();
        QCOMPARE(stop.count(), 1);
        form.SetFileInWork(QString());
        QCOMPARE(Find<QLabel>(form, "LabelFile")->text(), QString());
    }

    void closingOnlyHides() {
        TFormProgressBarPercent form;
        form.show();
        form.StartRun(3);
        form.SetFilesHandled(1);
        QVERIFY(form.close());
        QVERIFY(!form.isVisible());
        form.SetFilesHandled(2);
        QCOMPARE(Find<QLabel>(form, "LabelPercent")->text(), QString("%66"));
    }
};

QTEST_MAIN(TestProgressBarPercent)
#include "test_progressbarpercent.moc"
