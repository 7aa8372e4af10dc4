#include "selling/fSale.h"

#include "config/Config.h"
#include "platform/Dialogs.h"
#include "platform/Guarded.h"
#include "platform/Shell.h"
#include "report/ReportRunning.h"
#include "selling/SaleCompletion.h"
#include "selling/SaleLists.h"
#include "selling/SaleStore.h"
#include "store/Lookups.h"
#include "widgets/AmountEdit.h"
#include "widgets/CompletingComboBox.h"
#include "widgets/MFStringGrid.h"
#include "widgets/RadioGroup.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
enum Column { ItemColumn = 0, DescriptionColumn = 1, QuantityColumn = 2, PriceColumn = 3 };
constexpr int ItemRows = 5;
constexpr int HelpTopic = 140;

template <typename Widget>
Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

TAmountEdit *amountBox(const char *name, bool readOnly, QWidget *parent)
{
    auto *box = named(new TAmountEdit(parent), name);
    box->setReadOnly(readOnly);
    // Boxes that only show a result are not stops on the keyboard's way.
    if (readOnly)
        box->setFocusPolicy(Qt::ClickFocus);
    box->setText(QStringLiteral("0"));
    return box;
}

TCompletingComboBox *listBox(const char *name, const QString &text, QWidget *parent)
{
    auto *box = named(new TCompletingComboBox(parent), name);
    box->setEditText(text);
    return box;
}
}

TfrmSale::TfrmSale(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSale"));
    setWindowTitle(QStringLiteral("Sale Screen"));
    auto *layout = new QVBoxLayout(this);
    buildToolBar();
    auto *invoiceRow = new QHBoxLayout;
    edtInvoice = named(new QLineEdit(this), "edtInvoice");
    edtInvoice->setEnabled(false);
    auto *invoiceLabel = named(new QLabel(QStringLiteral("Invoice number:"), this), "lblInvoice");
    invoiceLabel->setBuddy(edtInvoice);
    invoiceRow->addWidget(invoiceLabel);
    invoiceRow->addWidget(edtInvoice);
    invoiceRow->addStretch();
    layout->addLayout(invoiceRow);
    buildSalesDetails();
    // Keys for a cashier who never leaves the keyboard; they work even when
    // a narrow window folds the tool bar's buttons away.
    new QShortcut(QKeySequence::New, this, this, &TfrmSale::btnCancelClick);
    new QShortcut(QKeySequence::Print, this, this, &TfrmSale::btnPrintClick);
    new QShortcut(QKeySequence::HelpContents, this, this, &TfrmSale::ToolButton2Click);
}

QToolButton *TfrmSale::addToolButton(QToolBar *bar, const QString &name, const QString &hint, int icon)
{
    auto *button = new QToolButton(bar);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setText(hint);
    button->setIcon(style()->standardIcon(QStyle::StandardPixmap(icon)));
    button->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(button);
    return button;
}

void TfrmSale::buildToolBar()
{
    auto *bar = named(new QToolBar(this), "ToolBar1");
    layout()->addWidget(bar);
    QToolButton *newSale = addToolButton(bar, QStringLiteral("ToolButton1"), QStringLiteral("New sale"), QStyle::SP_FileIcon);
    QToolButton *cancel = addToolButton(bar, QStringLiteral("btnCancel"), QStringLiteral("Cancel sale"), QStyle::SP_DialogCancelButton);
    QToolButton *print = addToolButton(bar, QStringLiteral("btnPrint"), QStringLiteral("Print reciept"), QStyle::SP_DialogSaveButton);
    bar->addSeparator();
    QToolButton *home = addToolButton(bar, QStringLiteral("btnHome"), QStringLiteral("Return to control panel"), QStyle::SP_DirHomeIcon);
    bar->addSeparator();
    QToolButton *help = addToolButton(bar, QStringLiteral("ToolButton2"), QStringLiteral("Help"), QStyle::SP_DialogHelpButton);
    connect(newSale, &QToolButton::clicked, this, &TfrmSale::btnCancelClick);
    connect(cancel, &QToolButton::clicked, this, &TfrmSale::btnCancelClick);
    connect(print, &QToolButton::clicked, this, &TfrmSale::btnPrintClick);
    connect(home, &QToolButton::clicked, this, &TfrmSale::btnHomeClick);
    connect(help, &QToolButton::clicked, this, &TfrmSale::ToolButton2Click);
}

void TfrmSale::buildSalesDetails()
{
    auto *details = named(new QGroupBox(QStringLiteral("Sales details"), this), "grpSalesDetails");
    layout()->addWidget(details);
    auto *grid = new QGridLayout(details);

    AdvStringGrid1 = named(new TMFStringGrid(details), "AdvStringGrid1");
    AdvStringGrid1->setColumnTitles({QStringLiteral("Item"), QStringLiteral("Description"),
                                     QStringLiteral("Quantity"), QStringLiteral("Price")});
    AdvStringGrid1->setEditableColumns({ItemColumn, QuantityColumn});
    AdvStringGrid1->setTabSteering({{ItemColumn, DescriptionColumn}, {QuantityColumn, PriceColumn}});
    AdvStringGrid1->setRowCount(ItemRows);
    const int widths[] = {105, 321, 64, 64};
    for (int column = 0; column < 4; ++column)
        AdvStringGrid1->setColumnWidth(column, widths[column]);
    AdvStringGrid1->setMinimumWidth(105 + 321 + 64 + 64 + 24);
    grid->addWidget(AdvStringGrid1, 0, 0, 1, 5);

    edtSubTotal = amountBox("edtSubTotal", true, details);
    cboDiscount = listBox("cboDiscount", QStringLiteral("0%"), details);
    cboDiscountType = listBox("cboDiscountType", QString(), details);
    cboCoupon = listBox("cboCoupon", QStringLiteral("0"), details);
    edtTax = amountBox("edtTax", true, details);
    edtGrandTotal = amountBox("edtGrandTotal", true, details);
    edtCashTendered = amountBox("edtCashTendered", false, details);
    edtChange = amountBox("edtChange", true, details);
    edtCashTendered->setEnabled(false);
    edtChange->setEnabled(false);

    const struct {
        const char *label;
        const char *name;
        QWidget *box;
        int row;
        int column;
    } fields[] = {
        {"Sub Total:", "lblSubTotal", edtSubTotal, 1, 0},
        {"Discount:", "lblDiscount", cboDiscount, 2, 0},
        {"Discount type:", "lblDiscountType", cboDiscountType, 3, 0},
        {"Coupon:", "lblCoupon", cboCoupon, 4, 0},
        {"Tax:", "lblTax", edtTax, 1, 2},
        {"Grand Total:", "lblGrandTotal", edtGrandTotal, 2, 2},
        {"Cash tendered:", "lblCashTendered", edtCashTendered, 3, 2},
        {"Change:", "lblChange", edtChange, 4, 2},
    };
    for (const auto &field : fields) {
        auto *label = named(new QLabel(QString::fromLatin1(field.label), details), field.name);
        label->setBuddy(field.box);
        grid->addWidget(label, field.row, field.column);
        grid->addWidget(field.box, field.row, field.column + 1);
    }
    rgPaymentMethod = named(new TRadioGroup(QStringLiteral("Payment method"), details), "rgPaymentMethod");
    grid->addWidget(rgPaymentMethod, 1, 4, 4, 1);

    connect(AdvStringGrid1, &TMFStringGrid::rowCompletionRequested, this, &TfrmSale::AdvStringGrid1CompleteRow);
    connect(cboDiscount, &TCompletingComboBox::left, this, &TfrmSale::cboDiscountExit);
    connect(cboCoupon, &TCompletingComboBox::left, this, &TfrmSale::cboDiscountExit);
    connect(edtCashTendered, &TAmountEdit::left, this, &TfrmSale::edtCashTenderedExit);
    // Enter shows the change too, for a cashier who goes on to print with Ctrl+P.
    connect(edtCashTendered, &QLineEdit::returnPressed, this, &TfrmSale::edtCashTenderedExit);
    connect(rgPaymentMethod, &TRadioGroup::clicked, this, &TfrmSale::rgPaymentMethodClick);
}

int TfrmSale::exec()
{
    if (!guarded([this] { FormShow(); }))
        return QDialog::Rejected;
    return QDialog::exec();
}

void TfrmSale::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    raise();
    activateWindow();
    AdvStringGrid1->goToCell(0, ItemColumn);
}

// Escape is pressed to leave a cell or a list; it must not close the screen
// and throw away the sale being rung up. Return to control panel does that.
void TfrmSale::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        event->accept();
    else
        QDialog::keyPressEvent(event);
}

void TfrmSale::FormShow()
{
    if (QuickSale)
        edtInvoice->setText(NextInvoiceNumber());
    edtInvoice->setEnabled(!QuickSale);
    AdvStringGrid1->setEnabled(QuickSale);
    for (TAmountEdit *box : {edtSubTotal, edtTax, edtGrandTotal, edtChange})
        box->applyAmountMask();
    QStringList paymentTypes;
    FillPaymentTypeList(paymentTypes);
    rgPaymentMethod->setItems(paymentTypes);
    const SaleListEntries lists = LoadSaleLists(TConfig::instance().DataPath);
    cboDiscount->setEntries(lists.discounts);
    cboDiscountType->setEntries(lists.discountTypes);
    cboCoupon->setEntries(lists.coupons);
    setKeyboardOrder();
    ReceiptPrinted = false;
}

// The keyboard's way through a sale: the items, then discount, discount
// type and coupon, the payment method, and the cash tendered.
void TfrmSale::setKeyboardOrder()
{
    QList<QWidget *> order{AdvStringGrid1, cboDiscount, cboDiscountType, cboCoupon};
    const QList<QAbstractButton *> methods = rgPaymentMethod->buttons();
    for (QAbstractButton *method : methods)
        order.append(method);
    order.append(edtCashTendered);
    for (qsizetype at = 1; at < order.size(); ++at)
        setTabOrder(order[at - 1], order[at]);
}

void TfrmSale::AdvStringGrid1CompleteRow(int row, int column)
{
    guarded([this, row, column] {
        if (column == ItemColumn) {
            if (AdvStringGrid1->cellText(row, ItemColumn).isEmpty())
                return;
            completeRow(row);
        }
        if (column == ItemColumn || column == QuantityColumn)
            runTotals();
    });
}

void TfrmSale::completeRow(int row)
{
    StoreCatalogue catalogue;
    const std::optional<CompletedLine> line = CompleteLine(AdvStringGrid1->cellText(row, ItemColumn), catalogue);
    if (!line)
        return;
    AdvStringGrid1->setCellText(row, ItemColumn, line->item);
    AdvStringGrid1->setCellText(row, DescriptionColumn, line->description);
    AdvStringGrid1->setCellText(row, QuantityColumn, line->quantity);
    AdvStringGrid1->setCellText(row, PriceColumn, line->price);
}

void TfrmSale::runTotals()
{
    const SaleTotals totals = ComputeSaleTotals(gridLines(), cboDiscount->currentText(), cboCoupon->currentText(),
                                                TConfig::instance().TaxRate);
    edtSubTotal->setText(totals.subTotal);
    edtTax->setText(totals.tax);
    edtGrandTotal->setText(totals.grandTotal);
}

void TfrmSale::cboDiscountExit()
{
    guarded([this] { runTotals(); });
}

void TfrmSale::edtCashTenderedExit()
{
    edtChange->setText(ChangeText(edtCashTendered->text(), edtGrandTotal->text()));
}

void TfrmSale::rgPaymentMethodClick()
{
    applyPaymentMethodRule();
}

void TfrmSale::applyPaymentMethodRule()
{
    const bool cash = CashBoxesEnabled(rgPaymentMethod->itemIndex());
    edtCashTendered->setEnabled(cash);
    edtChange->setEnabled(cash);
}

void TfrmSale::btnCancelClick()
{
    guarded([this] {
        edtInvoice->clear();
        AdvStringGrid1->clearCells();
        cboDiscount->setEditText(QStringLiteral("0%"));
        cboDiscountType->setEditText(QString());
        cboCoupon->setEditText(QStringLiteral("0"));
        for (TAmountEdit *box : {edtSubTotal, edtTax, edtGrandTotal, edtCashTendered, edtChange})
            box->setText(QStringLiteral("0"));
        rgPaymentMethod->setItemIndex(-1);
        applyPaymentMethodRule();
        if (QuickSale)
            edtInvoice->setText(NextInvoiceNumber());
        ReceiptPrinted = false;
        AdvStringGrid1->goToCell(0, ItemColumn);
    });
}

void TfrmSale::btnHomeClick()
{
    done(QDialog::Accepted);
}

void TfrmSale::ToolButton2Click()
{
    // The program's help file is the folder of topic pages beside it.
    Shell::instance().showHelpTopic(TConfig::instance().ProgramPath + QStringLiteral("help/"), HelpTopic);
}

void TfrmSale::btnPrintClick()
{
    guarded([this] {
        // The tool bar and Ctrl+P leave a cell being typed into open; the
        // sale stored is the one the grid shows.
        AdvStringGrid1->commitOpenEditor();
        if (!CheckDefaultPrinter())
            return;
        const QString refusal = CompletionRefusal(
            {rgPaymentMethod->itemIndex(), edtGrandTotal->text(), edtCashTendered->text(), ReceiptPrinted});
        if (!refusal.isEmpty()) {
            Dialogs::instance().message(refusal);
            return;
        }
        storeSaleAndRunReceipt();
    });
}

// A sale that could not be stored leaves nothing behind and the screen as
// it was, and the cashier is told why, so that it can be corrected and
// printed again.
void TfrmSale::storeSaleAndRunReceipt()
{
    const SaleRecord sale = saleOnScreen();
    try {
        StoreSale(sale, [&sale] { RunSaleReceipt(sale.invoice); });
        ReceiptPrinted = true;
    } catch (...) {
        Dialogs::instance().message(SaleNotStoredMessage(currentExceptionText()));
    }
}

QList<SaleLine> TfrmSale::gridLines() const
{
    QList<SaleLine> lines;
    for (int row = 0; row < AdvStringGrid1->rowCount(); ++row) {
        lines.append({AdvStringGrid1->cellText(row, ItemColumn), AdvStringGrid1->cellText(row, DescriptionColumn),
                      AdvStringGrid1->cellText(row, QuantityColumn), AdvStringGrid1->cellText(row, PriceColumn)});
    }
    return lines;
}

SaleRecord TfrmSale::saleOnScreen() const
{
    const TConfig &config = TConfig::instance();
    SaleRecord sale;
    sale.invoice = edtInvoice->text();
    sale.lines = gridLines();
    sale.subTotal = edtSubTotal->text();
    sale.tax = edtTax->text();
    sale.discount = cboDiscount->currentText();
    sale.discountType = cboDiscountType->currentText();
    sale.coupon = cboCoupon->currentText();
    sale.paymentTypeName = rgPaymentMethod->chosenText();
    sale.storeID = config.StoreID;
    sale.depleteStock = QuickSale && config.UseInventoryTracking;
    return sale;
}
