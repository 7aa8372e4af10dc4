#include "widgets/ColumnComboBox.h"
#include "widgets/CompletingComboBox.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

class TestComboBoxes : public QObject
{
    Q_OBJECT

private slots:
    void completesTypingFromItemsAndAcceptsAnyText()
    {
        TCompletingComboBox box;
        box.setEntries({QStringLiteral("Senior"), QStringLiteral("Staff")});
        box.show();
        QTest::keyClicks(box.lineEdit(), QStringLiteral("se"));
        QCOMPARE(box.currentText(), QStringLiteral("senior"));
        box.setEditText(QStringLiteral("Friend"));
        QCOMPARE(box.currentText(), QStringLiteral("Friend"));
        QCOMPARE(box.count(), 2);
    }

    void refillingKeepsTheShownText()
    {
        TCompletingComboBox box;
        box.setEditText(QStringLiteral("0%"));
        box.setEntries({QStringLiteral("10%"), QStringLiteral("20%")});
        QCOMPARE(box.currentText(), QStringLiteral("0%"));
        QCOMPARE(box.itemText(1), QStringLiteral("20%"));
    }

    void columnComboGivesEveryColumnOfTheChosenRow()
    {
        TColumnComboBox box(4);
        box.beginUpdate();
        box.clearRows();
        box.addRow({QStringLiteral("7"), QStringLiteral("Ashdown"), QString(), QStringLiteral("Mira")});
        box.addRow({QStringLiteral("9"), QStringLiteral("Brill"), QString(), QStringLiteral("Olek")});
        box.endUpdate();
        QCOMPARE(box.rowCountOfItems(), 2);
        box.setCurrentIndex(1);
        QCOMPARE(box.selectedColumnText(0), QStringLiteral("9"));
        QCOMPARE(box.selectedColumnText(3), QStringLiteral("Olek"));
        QCOMPARE(box.currentText(), QStringLiteral("9"));
        box.setCurrentIndex(-1);
        QCOMPARE(box.selectedColumnText(1), QString());
    }
};

QTEST_MAIN(TestComboBoxes)
#include "tst_comboboxes.moc"
