#include "app/ScreenTable.h"
#include "app/fMain.h"
#include "config/Config.h"
#include "selling/fSale.h"
#include "widgets/AmountEdit.h"
#include "widgets/CompletingComboBox.h"
#include "widgets/MFStringGrid.h"
#include "widgets/RadioGroup.h"

#include "SaleFixture.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QPointer>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {
// A store with a small catalogue, three payment types and the list files.
class SaleStoreFixture : public SaleFixture
{
public:
    SaleStoreFixture()
    {
        addProduct(u"P1"_s, u"Tape"_s, u"070123456789"_s, 3.10);
        addProduct(u"P2"_s, u"Glue"_s, u"4006381333931"_s, 4.99);
        addProduct(u"P3"_s, u"Twine"_s, u"070123456796"_s, 13.37);
        addPaymentTypes({u"Cash"_s, u"Visa"_s, u"Debit"_s});
        writeListFiles();
    }
};

// The sale screen as the control panel opens it for a quick sale.
class Screen
{
public:
    Screen()
    {
        sale.QuickSale = true;
        sale.FormShow();
        sale.show();
    }

    template <typename Widget = QWidget>
    Widget *child(const QString &name)
    {
        Widget *widget = sale.findChild<Widget *>(name);
        if (!widget)
            qFatal("no child %s", qPrintable(name));
        return widget;
    }

    TMFStringGrid *grid() { return child<TMFStringGrid>(u"AdvStringGrid1"_s); }
    QString text(const QString &name)
    {
        if (auto *combo = sale.findChild<QComboBox *>(name))
            return combo->currentText();
        return child<QLineEdit>(name)->text();
    }
    void setText(const QString &name, const QString &text)
    {
        if (auto *combo = sale.findChild<QComboBox *>(name))
            combo->setEditText(text);
        else
            child<QLineEdit>(name)->setText(text);
    }

    QLineEdit *openEditor()
    {
        const QList<QLineEdit *> editors = grid()->viewport()->findChildren<QLineEdit *>();
        for (QLineEdit *editor : editors) {
            if (editor->isVisible())
                return editor;
        }
        qFatal("no cell editor open");
    }

    // Types into the current cell and ends with a key, as a cashier or a scanner does.
    void type(const QString &text, Qt::Key key = Qt::Key_Return)
    {
        QLineEdit *editor = openEditor();
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, key);
    }

    void typeAt(int row, int column, const QString &text, Qt::Key key = Qt::Key_Tab)
    {
        grid()->goToCell(row, column);
        type(text, key);
    }

    QStringList line(int row)
    {
        QStringList cells;
        for (int column = 0; column < 4; ++column)
            cells.append(grid()->cellText(row, column));
        return cells;
    }

    QStringList totals() { return {text(u"edtSubTotal"_s), text(u"edtTax"_s), text(u"edtGrandTotal"_s)}; }

    void choosePayment(int index)
    {
        child<TRadioGroup>(u"rgPaymentMethod"_s)->findChildren<QRadioButton *>().at(index)->click();
    }

    void tender(const QString &cash)
    {
        setText(u"edtCashTendered"_s, cash);
        sale.edtCashTenderedExit();
    }

    void print() { child<QToolButton>(u"btnPrint"_s)->click(); }

    TfrmSale sale;
};
}

class TestFrmSale : public QObject
{
    Q_OBJECT

private slots:
    void opensReadyForTheFirstItem()
    {
        SaleStoreFixture store;
        Screen screen;
        QCOMPARE(screen.sale.windowTitle(), u"Sale Screen"_s);
        QCOMPARE(screen.text(u"edtInvoice"_s), u"2403000001"_s);
        QVERIFY(!screen.child(u"edtInvoice"_s)->isEnabled());
        TMFStringGrid *grid = screen.grid();
        QVERIFY(grid->isEnabled());
        QCOMPARE(grid->rowCount(), 5);
        QCOMPARE(grid->columnCount(), 4);
        const QStringList titles{u"Item"_s, u"Description"_s, u"Quantity"_s, u"Price"_s};
        const QList<int> widths{105, 321, 64, 64};
        for (int column = 0; column < 4; ++column) {
            QCOMPARE(grid->horizontalHeaderItem(column)->text(), titles[column]);
            QCOMPARE(grid->columnWidth(column), widths[column]);
        }
        QCOMPARE(grid->currentRow(), 0);
        QCOMPARE(grid->currentColumn(), 0);
        QCOMPARE(screen.child<TRadioGroup>(u"rgPaymentMethod"_s)->items(),
                 (QStringList{u"Cash"_s, u"Visa"_s, u"Debit"_s}));
        QCOMPARE(screen.child<TRadioGroup>(u"rgPaymentMethod"_s)->itemIndex(), -1);
        QCOMPARE(screen.child<QComboBox>(u"cboDiscount"_s)->itemText(1), u"10%"_s);
        QCOMPARE(screen.child<QComboBox>(u"cboDiscountType"_s)->itemText(1), u"Staff"_s);
        QCOMPARE(screen.child<QComboBox>(u"cboCoupon"_s)->count(), 3);
        QCOMPARE(screen.text(u"cboDiscount"_s), u"0%"_s);
        QCOMPARE(screen.text(u"cboDiscountType"_s), QString());
        QCOMPARE(screen.text(u"cboCoupon"_s), u"0"_s);
        for (const QString &box : {u"edtSubTotal"_s, u"edtTax"_s, u"edtGrandTotal"_s, u"edtChange"_s}) {
            QCOMPARE(screen.text(box), u"0"_s);
            QVERIFY(screen.child<QLineEdit>(box)->isReadOnly());
            QVERIFY(screen.child<QLineEdit>(box)->alignment() & Qt::AlignRight);
        }
        QVERIFY(!screen.child(u"edtCashTendered"_s)->isEnabled());
        QVERIFY(!screen.child(u"edtChange"_s)->isEnabled());
        const QList<QPair<QString, QString>> hints{{u"ToolButton1"_s, u"New sale"_s},
                                                   {u"btnCancel"_s, u"Cancel sale"_s},
                                                   {u"btnPrint"_s, u"Print reciept"_s},
                                                   {u"btnHome"_s, u"Return to control panel"_s}};
        for (const auto &[name, hint] : hints)
            QCOMPARE(screen.child<QToolButton>(name)->toolTip(), hint);
        QCOMPARE(screen.child<QLabel>(u"lblCashTendered"_s)->text(), u"Cash tendered:"_s);
        QVERIFY(!screen.sale.ReceiptPrinted);
    }

    void quickSaleOnTheControlPanelOpensThisScreen()
    {
        SaleStoreFixture store;
        const TfrmMain panel(ProgramScreens());
        QPointer<TfrmSale> shown;
        bool quickSale = false;
        QTimer::singleShot(0, [&] {
            shown = qobject_cast<TfrmSale *>(QApplication::activeModalWidget());
            if (shown) {
                quickSale = shown->QuickSale;
                shown->reject();
            }
        });
        panel.findChild<QToolButton *>(u"btnQuickSale"_s)->click();
        QVERIFY(quickSale);
        QVERIFY(shown.isNull());
        QVERIFY(store.env().dialogs().shown.isEmpty());
    }

    void aMissingListFileKeepsTheScreenClosed()
    {
        SaleStoreFixture store;
        QFile::remove(store.env().dataFolder() + u"coupons.txt"_s);
        TfrmSale sale;
        sale.QuickSale = true;
        QCOMPARE(sale.exec(), int(QDialog::Rejected));
        QCOMPARE(store.env().dialogs().shownTexts(),
                 QStringList{u"Cannot open file "_s + store.env().dataFolder() + u"coupons.txt"_s});
    }

    // Two of P1 (scanned) and one of P2, 10% off, coupon 1, tax 7%.
    void theWorkedExampleFromTheKeyboard()
    {
        SaleStoreFixture store;
        Screen screen;
        screen.type(u"070123456789"_s);
        QCOMPARE(screen.line(0), (QStringList{u"P1"_s, u"Tape"_s, u"1"_s, u"3.10"_s}));
        QCOMPARE(screen.grid()->currentRow(), 1);
        QCOMPARE(screen.grid()->currentColumn(), 0);
        screen.type(u"P2"_s, Qt::Key_Tab);
        QCOMPARE(screen.grid()->currentColumn(), 2);
        screen.typeAt(0, 2, u"2"_s);
        QCOMPARE(screen.totals(), (QStringList{u"11.19"_s, u"0.78"_s, u"11.97"_s}));
        screen.setText(u"cboDiscount"_s, u"10%"_s);
        screen.setText(u"cboCoupon"_s, u"1"_s);
        screen.sale.cboDiscountExit();
        QCOMPARE(screen.totals(), (QStringList{u"11.19"_s, u"0.63"_s, u"9.70"_s}));
    }

    void completingAgainResetsTheQuantity()
    {
        SaleStoreFixture store;
        Screen screen;
        screen.type(u"P1"_s);
        screen.typeAt(0, 2, u"4"_s);
        QCOMPARE(screen.text(u"edtSubTotal"_s), u"12.40"_s);
        screen.grid()->goToCell(0, 0);
        QTest::keyClick(screen.openEditor(), Qt::Key_Down);
        QCOMPARE(screen.line(0).at(2), u"1"_s);
        QCOMPARE(screen.text(u"edtSubTotal"_s), u"3.10"_s);
    }

    void clickingAnItemLooksItUpAgain()
    {
        SaleStoreFixture store;
        Screen screen;
        screen.type(u"P1"_s);
        screen.typeAt(0, 2, u"4"_s);
        TMFStringGrid *grid = screen.grid();
        grid->goToCell(1, 1);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 0)).center());
        QCOMPARE(screen.line(0), (QStringList{u"P1"_s, u"Tape"_s, u"1"_s, u"3.10"_s}));
        QCOMPARE(screen.text(u"edtSubTotal"_s), u"3.10"_s);
    }

    void anUnknownBarCodeEmptiesTheItem()
    {
        SaleStoreFixture store;
        Screen screen;
        screen.type(u"P1"_s);
        screen.type(u"999999999999"_s);
        QCOMPARE(screen.line(1), (QStringList{QString(), QString(), u"1"_s, u"0.00"_s}));
        QCOMPARE(screen.text(u"edtSubTotal"_s), u"3.10"_s);
    }

    void aQuantityThatIsNoNumberStopsTheTotals()
    {
        SaleStoreFixture store;
        Screen screen;
        screen.type(u"P1"_s);
        screen.typeAt(0, 2, u"abc"_s);
        QCOMPARE(store.env().dialogs().lastText(), u"'abc' is not a valid floating point value"_s);
        QCOMPARE(screen.text(u"edtSubTotal"_s), u"3.10"_s);
    }

    void changeAndThePaymentMethodRule()
    {
        SaleStoreFixture store;
        Screen screen;
        screen.type(u"P3"_s);
        screen.choosePayment(0);
        QVERIFY(screen.child(u"edtCashTendered"_s)->isEnabled());
        QVERIFY(screen.child(u"edtChange"_s)->isEnabled());
        screen.tender(u"20"_s);
        QCOMPARE(screen.text(u"edtGrandTotal"_s), u"14.31"_s);
        QCOMPARE(screen.text(u"edtChange"_s), u"5.69"_s);
        screen.choosePayment(1);
        QVERIFY(!screen.child(u"edtCashTendered"_s)->isEnabled());
        QCOMPARE(screen.text(u"edtCashTendered"_s), u"20"_s);
    }

    void newSaleClearsTheScreen()
    {
        SaleStoreFixture store;
        Screen screen;
        screen.type(u"P1"_s);
        screen.type(u"P2"_s);
        screen.setText(u"cboDiscount"_s, u"10%"_s);
        screen.setText(u"cboDiscountType"_s, u"Staff"_s);
        screen.choosePayment(0);
        screen.tender(u"50"_s);
        screen.child<QToolButton>(u"ToolButton1"_s)->click();
        QCOMPARE(screen.grid()->rowCount(), 5);
        for (int row = 0; row < 5; ++row)
            QVERIFY(!screen.grid()->rowHasText(row));
        QCOMPARE(screen.text(u"cboDiscount"_s), u"0%"_s);
        QCOMPARE(screen.text(u"cboDiscountType"_s), QString());
        for (const QString &box : {u"edtSubTotal"_s, u"edtTax"_s, u"edtGrandTotal"_s, u"edtCashTendered"_s,
                                   u"edtChange"_s})
            QCOMPARE(screen.text(box), u"0"_s);
        QCOMPARE(screen.child<TRadioGroup>(u"rgPaymentMethod"_s)->itemIndex(), -1);
        QVERIFY(!screen.child(u"edtCashTendered"_s)->isEnabled());
        QCOMPARE(screen.text(u"edtInvoice"_s), u"2403000001"_s);
    }

    // The tool bar takes no focus, so Print and New sale find the cell being
    // typed into still open.
    void theToolBarActsOnWhatTheOpenCellShows()
    {
        SaleStoreFixture store;
        Screen screen;
        screen.type(u"P1"_s);
        screen.grid()->goToCell(0, 2);
        screen.openEditor()->selectAll();
        QTest::keyClicks(screen.openEditor(), u"3"_s);
        screen.choosePayment(1);
        screen.print();
        QVERIFY(screen.sale.ReceiptPrinted);
        QCOMPARE(store.scalar(u"SELECT Quantity FROM SaleItems"_s).toInt(), 3);

        screen.grid()->goToCell(1, 0);
        QTest::keyClicks(screen.openEditor(), u"P2"_s);
        screen.child<QToolButton>(u"ToolButton1"_s)->click();
        QCOMPARE(screen.openEditor()->text(), QString());
        QTest::keyClick(screen.openEditor(), Qt::Key_Tab);
        for (int row = 0; row < 5; ++row)
            QVERIFY(!screen.grid()->rowHasText(row));
    }

    void escapeKeepsTheSale()
    {
        SaleStoreFixture store;
        Screen screen;
        screen.type(u"P1"_s);
        QTest::keyClick(screen.openEditor(), Qt::Key_Escape);
        QTest::keyClick(screen.grid(), Qt::Key_Escape);
        QTest::keyClick(screen.child(u"cboCoupon"_s), Qt::Key_Escape);
        QVERIFY(screen.sale.isVisible());
        QCOMPARE(screen.line(0).at(0), u"P1"_s);
    }

    void helpOpensTopic140()
    {
        SaleStoreFixture store;
        Screen screen;
        screen.child<QToolButton>(u"ToolButton2"_s)->click();
        QCOMPARE(store.env().shell().help.size(), 1);
        QCOMPARE(store.env().shell().help.first().topic, 140);
    }

    void completionChecksInOrder_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<int>("payment");
        QTest::addColumn<QString>("tendered");
        QTest::addColumn<QString>("message");
        QTest::newRow("no printer") << QString() << 0 << u"0"_s
                                    << u"You do not have a default printer defined.\n\n"
                                       "Please select a printer before running a report."_s;
        QTest::newRow("no payment") << u"Receipt"_s << -1 << u"0"_s << u"You must choose a payment type."_s;
        QTest::newRow("short cash") << u"Receipt"_s << 0 << u"3"_s << u"You must enter the amount of cash tendered."_s;
    }

    void completionChecksInOrder()
    {
        QFETCH(QString, printer);
        QFETCH(int, payment);
        QFETCH(QString, tendered);
        SaleStoreFixture store;
        store.env().printing().printer = printer;
        Screen screen;
        screen.type(u"P1"_s);
        if (payment >= 0)
            screen.choosePayment(payment);
        screen.tender(tendered);
        screen.print();
        QTEST(store.env().dialogs().lastText(), "message");
        QCOMPARE(store.count(u"Sales"_s), 0);
        QCOMPARE(store.count(u"SaleItems"_s), 0);
        QCOMPARE(screen.line(0).at(0), u"P1"_s);
        QVERIFY(store.env().printing().previewed.isEmpty());
    }

    void aCompletedSaleIsStoredWithItsReceipt()
    {
        SaleStoreFixture store;
        store.config().UseInventoryTracking = true;
        store.config().StoreName = u"Harbour Street Cycles"_s;
        store.config().StoreLocation = u"Port Alder"_s;
        store.addBatch(u"S1"_s, u"P1"_s, QDate(2024, 1, 10), 3);
        store.addBatch(u"S1"_s, u"P1"_s, QDate(2024, 3, 5), 5);
        Screen screen;
        screen.type(u"070123456789"_s);
        screen.type(u"P2"_s);
        screen.type(u"070123456789"_s);
        screen.typeAt(2, 2, u"3"_s);
        screen.setText(u"cboDiscount"_s, u"10%"_s);
        screen.setText(u"cboDiscountType"_s, u"Staff"_s);
        screen.setText(u"cboCoupon"_s, u"1"_s);
        screen.sale.cboDiscountExit();
        QCOMPARE(screen.totals(), (QStringList{u"17.39"_s, u"1.03"_s, u"15.68"_s}));
        screen.choosePayment(0);
        screen.tender(u"15.68"_s);
        screen.print();
        QVERIFY2(store.env().dialogs().shown.isEmpty(), qPrintable(store.env().dialogs().lastText()));
        QVERIFY(screen.sale.ReceiptPrinted);
        QCOMPARE(store.env().printing().previewed.size(), 1);
        const QString receipt = store.env().printing().previewed.first().toPlainText();
        for (const QString &shown : {u"Harbour Street Cycles"_s, u"Port Alder"_s, u"2403000001"_s, u"Tape"_s,
                                     u"Glue"_s, u"17.39"_s, u"1.03"_s, u"Cash"_s})
            QVERIFY2(receipt.contains(shown), qPrintable(receipt));

        QCOMPARE(store.scalar(u"SELECT Invoice || '|' || CustID || '|' || DateTime || '|' || Coupon || '|' || "
                              "Discount || '|' || DiscountType || '|' || Tax || '|' || NetSale || '|' || PaymentType "
                              "|| '|' || WorkInProgress || '|' || Printed || '|' || Modified || '|' || StoreID "
                              "FROM Sales"_s)
                     .toString(),
                 u"2403000001|0|2024-03-15 10:30:00|1|0.1|Staff|1.03|17.39|1|0|1|1|S1"_s);
        QCOMPARE(store.scalar(u"SELECT group_concat(ProductID || ':' || Quantity || ':' || StoreID, ' ') FROM "
                              "(SELECT * FROM SaleItems ORDER BY rowid)"_s)
                     .toString(),
                 u"P1:4:S1 P2:1:S1"_s);
        QCOMPARE(store.batchQuantities(u"S1"_s, u"P1"_s), (QList<int>{0, 4}));
        QCOMPARE(store.errorLog(), QStringList{u"Inventory error: P2 at S1 not found but 1 pieces sold."_s});

        screen.print();
        QCOMPARE(store.env().dialogs().lastText(), u"This receipt has already been printed."_s);
        QCOMPARE(store.count(u"SaleItems"_s), 2);
        QCOMPARE(store.env().printing().previewed.size(), 1);

        screen.child<QToolButton>(u"btnCancel"_s)->click();
        QCOMPARE(screen.text(u"edtInvoice"_s), u"2403000002"_s);
        QVERIFY(!screen.sale.ReceiptPrinted);
    }

    void aSaleWithoutItemsStoresOnlyItsSalesRow()
    {
        SaleStoreFixture store;
        Screen screen;
        screen.choosePayment(1);
        screen.print();
        QVERIFY(screen.sale.ReceiptPrinted);
        QCOMPARE(store.count(u"SaleItems"_s), 0);
        QCOMPARE(store.scalar(u"SELECT NetSale || '|' || Tax || '|' || Coupon FROM Sales"_s).toString(), u"0.0|0.0|0"_s);
        QCOMPARE(store.env().printing().previewed.size(), 1);
    }

    void withoutPreviewTheReceiptIsPrinted()
    {
        SaleStoreFixture store;
        store.config().PrintPreview = false;
        Screen screen;
        screen.type(u"P1"_s);
        screen.choosePayment(2);
        screen.print();
        QVERIFY(screen.sale.ReceiptPrinted);
        QVERIFY(store.env().printing().previewed.isEmpty());
        QCOMPARE(store.env().printing().printed.size(), 1);
        QVERIFY(store.env().printing().printed.first().toPlainText().contains(u"Debit"_s));
        QCOMPARE(store.scalar(u"SELECT PaymentType FROM Sales"_s).toInt(), 3);
    }

    // Scanner and keyboard only: Ctrl+Tab leaves the grid, Tab walks on to
    // the payment method and the cash, Enter shows the change, Ctrl+P prints.
    void aSaleRungUpWithTheKeyboardAlone()
    {
        SaleStoreFixture store;
        Screen screen;
        screen.sale.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&screen.sale));
        screen.type(u"070123456789"_s);
        screen.type(u"P2"_s);
        QTest::keyClick(screen.openEditor(), Qt::Key_Tab, Qt::ControlModifier);
        QWidget *discount = screen.child(u"cboDiscount"_s);
        QVERIFY(discount->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), u"10%"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(screen.child(u"cboCoupon"_s)->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(screen.child<TRadioGroup>(u"rgPaymentMethod"_s)->itemIndex(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(screen.child(u"edtCashTendered"_s)->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), u"20"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
        QVERIFY2(screen.sale.ReceiptPrinted, qPrintable(store.env().dialogs().lastText()));
        QCOMPARE(screen.totals(), (QStringList{u"8.09"_s, u"0.51"_s, u"7.79"_s}));
        QCOMPARE(screen.text(u"edtChange"_s), u"12.21"_s);
        QCOMPARE(store.count(u"SaleItems"_s), 2);
    }

    void aFailedCompletionStoresNothingAndSaysWhy_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("coupon");
        QTest::addColumn<QString>("message");
        QTest::newRow("quantity") << u"2.9"_s << u"0"_s
                                  << u"The sale was not stored. The quantity '2.9' of item P2 is not a whole number."_s;
        QTest::newRow("coupon") << u"1"_s << u"5 off"_s
                                << u"The sale was not stored. The coupon '5 off' is not a whole amount."_s;
    }

    void aFailedCompletionStoresNothingAndSaysWhy()
    {
        QFETCH(QString, quantity);
        QFETCH(QString, coupon);
        SaleStoreFixture store;
        store.config().UseInventoryTracking = true;
        store.addBatch(u"S1"_s, u"P1"_s, QDate(2024, 1, 10), 3);
        Screen screen;
        screen.type(u"P1"_s);
        screen.type(u"P2"_s);
        screen.typeAt(1, 2, quantity);
        screen.setText(u"cboCoupon"_s, coupon);
        screen.choosePayment(1);
        screen.print();
        QTEST(store.env().dialogs().lastText(), "message");
        QCOMPARE(store.count(u"Sales"_s), 0);
        QCOMPARE(store.count(u"SaleItems"_s), 0);
        QCOMPARE(store.batchQuantities(u"S1"_s, u"P1"_s), QList<int>{3});
        QCOMPARE(store.batchQuantities(u"S1"_s, u"P2"_s), QList<int>{});
        // Stock problems met before the failure stay in the log.
        QCOMPARE(store.errorLog(), QStringList{u"Inventory error: P2 at S1 not found but %1 pieces sold."_s.arg(
                                                   quantity.left(1))});
        QVERIFY(!screen.sale.ReceiptPrinted);
        QCOMPARE(screen.line(1).at(2), quantity);

        // Corrected, the same sale goes through.
        screen.typeAt(1, 2, u"2"_s);
        screen.setText(u"cboCoupon"_s, u"1"_s);
        screen.print();
        QVERIFY(screen.sale.ReceiptPrinted);
        QCOMPARE(store.count(u"Sales"_s), 1);
        QCOMPARE(store.count(u"SaleItems"_s), 2);
    }

    // The lines after one that cannot be stored do not reach the stock.
    void aFailingLineEndsTheStockWalk()
    {
        SaleStoreFixture store;
        store.config().UseInventoryTracking = true;
        Screen screen;
        screen.type(u"P1"_s);
        screen.type(u"P2"_s);
        screen.typeAt(0, 2, u"2.9"_s);
        screen.choosePayment(1);
        screen.print();
        QVERIFY(!screen.sale.ReceiptPrinted);
        QCOMPARE(store.errorLog(), QStringList{u"Inventory error: P1 at S1 not found but 2 pieces sold."_s});
    }

    // Another till stored a sale under the same number first.
    void anInvoiceNumberTakenMeanwhileFailsTheSale()
    {
        SaleStoreFixture store;
        Screen screen;
        screen.type(u"P1"_s);
        screen.choosePayment(1);
        store.exec(u"INSERT INTO Sales (Invoice, CustID) VALUES ('2403000001', 0)"_s);
        screen.print();
        QVERIFY(store.env().dialogs().lastText().startsWith(u"The sale was not stored. "_s));
        QCOMPARE(store.count(u"Sales"_s), 1);
        QCOMPARE(store.count(u"SaleItems"_s), 0);
        QVERIFY(!screen.sale.ReceiptPrinted);
    }
};

QTEST_MAIN(TestFrmSale)
#include "tst_fsale.moc"
