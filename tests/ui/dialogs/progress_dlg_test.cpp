#include "ui/dialogs/progress_dlg.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tollamar;

TEST(ProgressDlg, RunsTheJobOnceOnScreenAndClosesWhenItSetsOk) {
    TProgressDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("検索中です"));
    int calls = 0;
    bool onScreen = false, openAfterOk = false;
    dialog.OnRun = [&](TProgressDlg& d) {
        ++calls;
        onScreen = d.isVisible();
        d.Label1->setText(QStringLiteral("1/1"));
        EXPECT_FALSE(d.UserCancelled());
        d.SetModalResult(TModalResult::OK);
        openAfterOk = d.isVisible();  // closes once the job returns
    };
    EXPECT_EQ(dialog.Execute(), TModalResult::OK);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(onScreen);
    EXPECT_TRUE(openAfterOk);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(ProgressDlg, CancelButtonEscAndCloseBoxStopTheJobAtItsNextUnit) {
    const std::vector<std::function<void(TProgressDlg&)>> ways = {
        [](TProgressDlg& d) { QTest::mouseClick(d.CancelBtn, Qt::LeftButton); },
        [](TProgressDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](TProgressDlg& d) { d.close(); },  // what the close box does
    };
    for (size_t way = 0; way < ways.size(); ++way) {
        TProgressDlg dialog;
        int units = 0;
        bool openWhenSeen = false;
        dialog.OnRun = [&](TProgressDlg& d) {
            for (int i = 0; i < 100; ++i) {
                if (d.UserCancelled()) {
                    openWhenSeen = d.isVisible();
                    return;
                }
                if (++units == 3) QTimer::singleShot(0, &d, [&d, &ways, way] { ways[way](d); });
            }
            d.SetModalResult(TModalResult::OK);
        };
        EXPECT_EQ(dialog.Execute(), TModalResult::Cancel) << way;
        EXPECT_EQ(units, 3) << way;
        EXPECT_TRUE(openWhenSeen) << way;
        EXPECT_FALSE(dialog.isVisible()) << way;
    }
}

TEST(ProgressDlg, AJobThatEndsWithoutAResultLeavesTheDialogToTheUser) {
    TProgressDlg dialog;
    bool openAfterJob = false;
    dialog.OnRun = [&](TProgressDlg& d) {
        QTimer::singleShot(20, &d, [&d, &openAfterJob] {
            openAfterJob = d.isVisible();
            QTest::mouseClick(d.CancelBtn, Qt::LeftButton);
        });
    };
    EXPECT_EQ(dialog.Execute(), TModalResult::Cancel);
    EXPECT_TRUE(openAfterJob);
}
