#include "widgets/MFStringGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

// A grid laid out like the sale screen's: Item and Quantity editable, Tab
// steered from Item to Quantity and from Quantity to the next Item.
class TestMFStringGrid : public QObject
{
    Q_OBJECT

    std::unique_ptr<TMFStringGrid> makeGrid()
    {
        auto grid = std::make_unique<TMFStringGrid>();
        grid->setColumnTitles({QStringLiteral("Item"), QStringLiteral("Description"),
                               QStringLiteral("Quantity"), QStringLiteral("Price")});
        grid->setEditableColumns({0, 2});
        grid->setTabSteering({{0, 1}, {2, 3}});
        grid->setRowCount(3);
        grid->show();
        return grid;
    }

    static QLineEdit *editor(TMFStringGrid &grid)
    {
        // Closed editors linger until deleted; the open one is the visible one.
        const QList<QLineEdit *> editors = grid.viewport()->findChildren<QLineEdit *>();
        for (QLineEdit *open : editors) {
            if (open->isVisible())
                return open;
        }
        return nullptr;
    }

private slots:
    void tabMovesItemToQuantityToNextItem_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("toRow");
        QTest::addColumn<int>("toColumn");
        QTest::newRow("item to quantity") << 0 << 0 << 0 << 2;
        QTest::newRow("quantity to next item") << 0 << 2 << 1 << 0;
        QTest::newRow("last quantity to first item") << 2 << 2 << 0 << 0;
        QTest::newRow("description to quantity") << 1 << 1 << 1 << 2;
    }

    void tabMovesItemToQuantityToNextItem()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, toRow);
        QFETCH(int, toColumn);
        auto grid = makeGrid();
        grid->setCurrentCell(row, column);
        QTest::keyClick(grid.get(), Qt::Key_Tab);
        QCOMPARE(grid->currentRow(), toRow);
        QCOMPARE(grid->currentColumn(), toColumn);
    }

    void completionRunsBeforeTheMoveWithTheEditedText()
    {
        auto grid = makeGrid();
        QStringList seen;
        connect(grid.get(), &TMFStringGrid::rowCompletionRequested, this,
                [&](int row, int column) {
                    seen.append(QStringLiteral("%1,%2:%3").arg(row).arg(column).arg(grid->cellText(row, column)));
                });
        grid->setCurrentCell(0, 0);
        QVERIFY(editor(*grid));
        QTest::keyClicks(editor(*grid), QStringLiteral("P100"));
        QTest::keyClick(editor(*grid), Qt::Key_Tab);
        QCOMPARE(seen, QStringList{QStringLiteral("0,0:P100")});
        QCOMPARE(grid->cellText(0, 0), QStringLiteral("P100"));
        QCOMPARE(grid->currentColumn(), 2);
    }

    // A scanner types the code and presses Enter: the line is completed and
    // the cursor waits in the next line's Item cell, added when needed.
    void scansFollowEachOther()
    {
        auto grid = makeGrid();
        int completions = 0;
        connect(grid.get(), &TMFStringGrid::rowCompletionRequested, this, [&] { ++completions; });
        grid->setCurrentCell(0, 0);
        for (int line = 0; line < 4; ++line) {
            QTest::keyClicks(editor(*grid), QStringLiteral("07012345678%1").arg(line));
            QTest::keyClick(editor(*grid), Qt::Key_Return);
        }
        QCOMPARE(completions, 4);
        QCOMPARE(grid->rowCount(), 5);
        QCOMPARE(grid->currentRow(), 4);
        QCOMPARE(grid->currentColumn(), 0);
        QCOMPARE(grid->cellText(3, 0), QStringLiteral("070123456783"));
    }

    // A window activated after its cell editor opened must not leave the
    // focus on the grid, where the first scan would be lost.
    void activatingTheWindowFocusesTheOpenEditor()
    {
        auto grid = makeGrid();
        grid->goToCell(0, 0);
        QLineEdit *open = editor(*grid);
        QVERIFY(open);
        grid->setFocus(Qt::OtherFocusReason);
        QFocusEvent activated(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(grid.get(), &activated);
        QCOMPARE(grid->window()->focusWidget(), open);
    }

    void downOnTheLastRowAddsARowOnlyWhenItHoldsText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("toRow");
        QTest::newRow("text") << QStringLiteral("P1") << 4 << 3;
        QTest::newRow("empty") << QString() << 3 << 2;
    }

    void downOnTheLastRowAddsARowOnlyWhenItHoldsText()
    {
        QFETCH(QString, text);
        QFETCH(int, rows);
        QFETCH(int, toRow);
        auto grid = makeGrid();
        grid->setCellText(2, 1, text);
        grid->setCurrentCell(2, 1);
        QTest::keyClick(grid.get(), Qt::Key_Down);
        QCOMPARE(grid->rowCount(), rows);
        QCOMPARE(grid->currentRow(), toRow);
    }

    void onlyChosenColumnsAreEditable()
    {
        auto grid = makeGrid();
        grid->setRowCount(4);
        QVERIFY(grid->item(3, 0)->flags() & Qt::ItemIsEditable);
        QVERIFY(!(grid->item(3, 1)->flags() & Qt::ItemIsEditable));
        QVERIFY(grid->item(3, 2)->flags() & Qt::ItemIsEditable);
        QVERIFY(!(grid->item(3, 3)->flags() & Qt::ItemIsEditable));
        grid->setCurrentCell(1, 3);
        QVERIFY(!editor(*grid));
    }

    void lineBreaksBecomeBlanks()
    {
        auto grid = makeGrid();
        grid->setCurrentCell(0, 0);
        editor(*grid)->setText(QStringLiteral("A\r\nB"));
        QTest::keyClick(editor(*grid), Qt::Key_Tab);
        QCOMPARE(grid->cellText(0, 0), QStringLiteral("A B"));
    }

    void titleClicksSortIgnoringCaseAndAlternate()
    {
        auto grid = makeGrid();
        const QStringList items{QStringLiteral("beta"), QStringLiteral("Alpha"), QStringLiteral("gamma")};
        for (int row = 0; row < 3; ++row) {
            grid->setCellText(row, 0, items.at(row));
            grid->setCellText(row, 2, QString::number(row));
        }
        QHeaderView *titles = grid->horizontalHeader();
        emit titles->sectionClicked(0);
        QCOMPARE(grid->cellText(0, 0), QStringLiteral("Alpha"));
        QCOMPARE(grid->cellText(0, 2), QStringLiteral("1"));
        QCOMPARE(grid->cellText(2, 0), QStringLiteral("gamma"));
        emit titles->sectionClicked(0);
        QCOMPARE(grid->cellText(0, 0), QStringLiteral("gamma"));
        QCOMPARE(grid->cellText(2, 0), QStringLiteral("Alpha"));
    }

    void ctrlTabLeavesTheGridAfterCompletingTheLine()
    {
        QWidget window;
        auto *grid = new TMFStringGrid(&window);
        grid->setColumnTitles({QStringLiteral("Item"), QStringLiteral("Quantity")});
        grid->setEditableColumns({0, 1});
        grid->setRowCount(2);
        auto *after = new QLineEdit(&window);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        int completions = 0;
        connect(grid, &TMFStringGrid::rowCompletionRequested, this, [&] { ++completions; });
        grid->goToCell(0, 0);
        QTest::keyClicks(editor(*grid), QStringLiteral("P1"));
        QTest::keyClick(editor(*grid), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(completions, 1);
        QCOMPARE(grid->cellText(0, 0), QStringLiteral("P1"));
        QVERIFY(after->hasFocus());
    }

    void clearCellsKeepsTheRows()
    {
        auto grid = makeGrid();
        grid->setCellText(1, 1, QStringLiteral("x"));
        grid->clearCells();
        QCOMPARE(grid->rowCount(), 3);
        QVERIFY(!grid->rowHasText(1));
    }
};

QTEST_MAIN(TestMFStringGrid)
#include "tst_mfstringgrid.moc"
