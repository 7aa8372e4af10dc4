#include "widgets/ColumnComboBox.h"
#include "widgets/CompletingComboBox.h"
#include "widgets/RadioGroup.h"

#include <QLineEdit>
#include <QRadioButton>
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
        box.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        box.setFocus();
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
        box.addRow({QStringLiteral("1"), QStringLiteral("Old")});
        box.fillRows({{QStringLiteral("7"), QStringLiteral("Ashdown"), QString(), QStringLiteral("Mira")},
                      {QStringLiteral("9"), QStringLiteral("Brill"), QString(), QStringLiteral("Olek")}});
        QCOMPARE(box.rowCountOfItems(), 2);
        box.setCurrentIndex(1);
        QCOMPARE(box.selectedColumnText(0), QStringLiteral("9"));
        QCOMPARE(box.selectedColumnText(3), QStringLiteral("Olek"));
        QCOMPARE(box.currentText(), QStringLiteral("9"));
        box.setCurrentIndex(-1);
        QCOMPARE(box.selectedColumnText(1), QString());
    }

    void radioGroupChoosesOneOrNone()
    {
        TRadioGroup group(QStringLiteral("Payment method"));
        group.setItems({QStringLiteral("Cash"), QStringLiteral("Visa")});
        QCOMPARE(group.itemIndex(), -1);
        QSignalSpy clicks(&group, &TRadioGroup::clicked);
        group.findChildren<QRadioButton *>().at(1)->click();
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(group.itemIndex(), 1);
        QCOMPARE(group.chosenText(), QStringLiteral("Visa"));
        group.setItemIndex(-1);
        QCOMPARE(group.itemIndex(), -1);
        QCOMPARE(group.chosenText(), QString());
        group.setItems({QStringLiteral("Cash & Carry")});
        QCOMPARE(group.items(), QStringList{QStringLiteral("Cash & Carry")});
        // An ampersand in a name is shown, not taken as a shortcut mark.
        QCOMPARE(group.findChildren<QRadioButton *>().at(0)->text(), QStringLiteral("Cash && Carry"));
        group.findChildren<QRadioButton *>().at(0)->click();
        QCOMPARE(group.chosenText(), QStringLiteral("Cash & Carry"));
    }
};

QTEST_MAIN(TestComboBoxes)
#include "tst_comboboxes.moc"
