#include "tests/monkey/Monkey.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "format/Format.h"
#include "model/Assumptions.h"
#include "model/Investment.h"
#include "persist/DefaultInputs.h"
#include "model/Scales.h"
#include "persist/InvestmentFile.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/charts/Charts.h"
#include "ui/colours/ColourPreferences.h"
#include "ui/workspace/CompareWindow.h"
#include "ui/dialogs/EditItem.h"
#include "ui/charts/ChartKind.h"
#include "app/MainWindow.h"
#include "ui/shell/SummaryLayout.h"
#include "ui/shell/SummaryView.h"
#include "ui/workspace/Workspace.h"

namespace {

// The commands a user reaches from the menus and the tool bar; the exports and printing
// leave the program (their own tests cover them), Exit ends it.
// "RecentFile" opens one of the recent files.
const char* const kCommands[] = {
    "FileNew",     "FileOpen",    "FileSave",        "FileSaveAs",     "RecentFile",
    "BankComparison", "RateOfReturn", "CashFlows",   "ValueDebt",      "WhoPays",
    "Preferences", "Projections", "LinkedVariables", "StampDuty",      "TaxScales",
    "SaveSettings", "DeleteSettings", "Undo",        "Redo",           "Copy",
    "ZoomIn",      "ZoomOut",     "ActualSize",      "ProjectionPane", "About",
    "Assumptions", "Undo",        "Redo",            "Compare"};

const char* const kHostile[] = {
    "", "?????", "+++++", "-", "$", "%", ".", ",", "1e308", "-1e308", "1e5", "0", "-0",
    "99999999999999999999999999999999999999", "-99999999999", "nan", "inf", "(1,234)",
    "12,5,6.7.8", "0.000001", "2147483648", "-2147483649", "32768", "-32769", "100%",
    "$1,234,567.89", "1.5m", "abc", "\xc3\xbc\xe2\x82\xac\xc2\xa3", " 12 ", "1/0", "5O000",
    "999999999", "-5", "40", "41", "100", "101", "0.5", "8,50"};

std::string SaveToBytes(const Investment& doc, const Scales& scales) {
    std::ostringstream out;
    SaveInvestment(doc, scales, out);
    return out.str();
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// The largest figure the record holds, results and table included.
double LargestFigure(const Investment& doc) {
    double largest = 0;
    for (double v : doc.table) largest = std::max(largest, v);
    for (double v : {doc.MarketValue, doc.PurchaseCosts, doc.CashDeposit, doc.Depreciation,
                     doc.LoanAmount, doc.RateInterest, doc.IRR, doc.NPV, doc.AvgCashFlowWeek,
                     doc.Rent, doc.AnnualRent, doc.Expenses, doc.LoanCosts, doc.TotalCost})
        largest = std::max(largest, v);
    return largest;
}

// The inputs in which two records differ, named as in the settings, with both values.
template <class Inputs>
void DescribeDifferences(const Inputs& inputs, const Investment& a, const Investment& b,
                         std::string& out) {
    for (const auto& input : inputs) {
        const double x = input.intField ? a.*input.intField : a.*input.doubleField;
        const double y = input.intField ? b.*input.intField : b.*input.doubleField;
        if (x != y && !(std::isnan(x) && std::isnan(y)))
            out += " " + std::string(input.name) + "=" + std::to_string(x) + " (limited " +
                   std::to_string(y) + ")";
    }
}

// Where two byte strings first differ, for the report of a failure.
std::string FirstDifference(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    return " (first difference at byte " + std::to_string(i) + " of " + std::to_string(a.size()) +
           " and " + std::to_string(b.size()) + ")";
}

// Two states are the same: the bytes they save to (a value read from a damaged file that is
// no number compares equal to itself there), the table bit for bit, and the scales.
bool SameState(const RecordState& a, const RecordState& b) {
    return SaveToBytes(a.record, a.scales) == SaveToBytes(b.record, b.scales) && a.SameScales(b) &&
           std::memcmp(a.record.table.data(), b.record.table.data(), sizeof a.record.table) == 0;
}

// With VEL_MONKEY_DUMP naming a folder, a replay leaves there the two files that should have
// been the same, to compare field by field (velcalc reads them).
void Dump(const std::string& first, const std::string& second) {
    if (!qEnvironmentVariableIsSet("VEL_MONKEY_DUMP")) return;
    const QString folder = qEnvironmentVariable("VEL_MONKEY_DUMP");
    for (const auto& [name, data] : {std::pair{"first.vel", &first}, {"second.vel", &second}}) {
        QFile file(folder + QLatin1Char('/') + QLatin1String(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(data->data(), static_cast<qint64>(data->size()));
    }
}

// What differs between two states that should be the same.
std::string Difference(const RecordState& a, const RecordState& b) {
    const std::string x = SaveToBytes(a.record, a.scales), y = SaveToBytes(b.record, b.scales);
    Dump(x, y);
    if (x != y) return ": the saved bytes" + FirstDifference(x, y);
    if (!a.SameScales(b)) return ": the scales";
    return ": the table";
}

Monkey* gMonkey = nullptr;

} // namespace

// Answers the program's questions as a user might: files of the monkey's own folder (now
// and then a damaged one, or none), and any answer to the save question.
class Monkey::MonkeyUi : public DocumentUi {
public:
    explicit MonkeyUi(Monkey& m) : m_(m) {}
    QString forcedOpen, forcedSave;

    QString AskOpenFileName(QWidget*) override {
        if (!forcedOpen.isEmpty()) return std::exchange(forcedOpen, QString());
        return m_.OpenPath();
    }
    QString AskSaveFileName(QWidget*, const QString&) override {
        if (!forcedSave.isEmpty()) return std::exchange(forcedSave, QString());
        return m_.Chance(10) ? QString() : m_.SavePath();
    }
    SaveAnswer AskSaveChanges(QWidget*, const QString&) override {
        static const SaveAnswer answers[] = {SaveAnswer::Yes, SaveAnswer::No, SaveAnswer::Cancel,
                                             SaveAnswer::SaveAs};
        return answers[m_.Below(4)];
    }
    void ShowMessage(QWidget*, const QString&) override {}

private:
    Monkey& m_;
};

Monkey::Monkey(std::uint64_t seed)
    : rng_(seed), ui_(std::make_unique<MonkeyUi>(*this)),
      trace_(qEnvironmentVariableIsSet("VEL_MONKEY_TRACE")) {
    gMonkey = this;
    frame_ = std::make_unique<MainWindow>(store_, *ui_);
    frame_->StartWith({});
    frame_->show();
    QApplication::setActiveWindow(frame_.get());
    NoteSaved();
    auto watcher = std::make_unique<QTimer>();
    QObject::connect(watcher.get(), &QTimer::timeout, [this] { Watch(); });
    watcher->start(0);
    watchers_.push_back(std::move(watcher));
}

Monkey::~Monkey() {
    watchers_.clear();
    frame_.reset();
    gMonkey = nullptr;
}

std::optional<std::string> Monkey::Run(long events) {
    for (event_ = 0; event_ < events; ++event_) {
        if (event_ > 0 && event_ % 10000 == 0) {
            std::printf("monkey: %ld steps\n", event_);
            std::fflush(stdout);
        }
        Step();
        QApplication::processEvents();
        if (failure_.empty()) failure_ = Check();
        if (!failure_.empty()) return failure_;
    }
    return std::nullopt;
}

void Monkey::Trace(const QString& what) const {
    if (trace_) std::printf("step %ld: %s\n", event_, qPrintable(what));
}

void Monkey::Step() {
    const int what = Below(100);
    if (what < 30) {
        const auto item = static_cast<unsigned>(Below(kItemTypeCount));
        Trace(QStringLiteral("edit item %1").arg(item));
        emit frame_->View()->itemActivated(item);
    } else if (what < 36) {
        Trace(QStringLiteral("click on the summary"));
        ClickSummary();
    } else if (what < 64) {
        const QString command = QString::fromUtf8(kCommands[Below(std::size(kCommands))]);
        Trace(QStringLiteral("command %1").arg(command));
        RunCommand(command);
    } else if (what < 76) {
        Trace(QStringLiteral("workspace"));
        PokeWorkspace();
    } else if (what < 82) {
        Trace(QStringLiteral("menu"));
        OpenMenu();
    } else if (what < 92) {
        Trace(QStringLiteral("undo to the saved state"));
        failure_ = UndoToSaved();
    } else {
        Trace(QStringLiteral("save, open, save"));
        failure_ = RoundTripFiles();
    }
}

void Monkey::RunCommand(const QString& command) {
    if (command == QStringLiteral("RecentFile")) {
        const int count = static_cast<int>(frame_->RecentFiles().Size());
        if (count > 0) frame_->OpenRecentFile(Below(count));
    } else {
        frame_->Action(command)->trigger();
    }
    if (command.startsWith(QStringLiteral("File")) || command == QStringLiteral("RecentFile")) {
        NoteSaved();
    } else if (command == QStringLiteral("Compare")) {
        // Files of its own folder beside the record, some removed again, now and then closed.
        if (auto* compare = frame_->findChild<CompareWindow*>(QStringLiteral("CompareWindow"))) {
            for (int i = Below(3); i > 0; --i) compare->AddFile();
            if (Chance(30)) compare->Remove(Below(kMaxCompared));
            if (Chance(30)) compare->close();
        }
    }
}

// A press of the mouse somewhere on the summary, as on a row to edit it.
void Monkey::ClickSummary() {
    QWidget* target = frame_->View()->viewport();
    const QPoint at(Below(std::max(1, target->width())), Below(std::max(1, target->height())));
    QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

void Monkey::PokeWorkspace() {
    Workspace* pane = frame_->Pane();
    if (Chance(50)) pane->tabBar()->setCurrentIndex(Below(pane->count()));
    for (int i = Below(4); i >= 0; --i) Poke(pane);
    if (Chance(20)) frame_->Action("Copy")->trigger();
}

// Opens a menu of the menu bar and chooses one of its entries, or closes it again.
void Monkey::OpenMenu() {
    const QList<QAction*> menus = frame_->menuBar()->actions();
    if (menus.isEmpty()) return;
    QMenu* menu = menus[Below(menus.size())]->menu();
    if (!menu) return;
    menu->popup(frame_->mapToGlobal(QPoint(10, 10)));
    QApplication::processEvents();
    SendKey(menu, Qt::Key_Down, {});
    if (Chance(40)) {
        SendKey(menu, Qt::Key_Escape, {});
        return;
    }
    menu->hide();
    // The entry chosen, unless it leaves the program.
    QList<QAction*> entries;
    for (QAction* a : menu->actions())
        if (a->isEnabled() && !a->isSeparator() && !a->menu()) entries << a;
    if (entries.isEmpty()) return;
    QAction* chosen = entries[Below(entries.size())];
    for (const char* command : {"Exit", "ExportReport", "ExportWorkbook", "ExportProjection",
                                "Print", "PrintPreview", "Help"})
        if (chosen == frame_->Action(QString::fromUtf8(command))) return;
    chosen->trigger();
    NoteSaved();
}

// The state the history counts as saved, after New, Open and Save.
void Monkey::NoteSaved() {
    const Investment& doc = frame_->Document();
    const Scales& scales = frame_->InvestmentScales();
    if (!frame_->History().isClean()) return;
    saved_ = RecordState::Capture(doc, scales);
    const QString path = frame_->PathName();
    if (path.isEmpty() || std::find(files_.begin(), files_.end(), path) == files_.end()) return;
    if (FileBytes(path).toStdString() != SaveToBytes(doc, scales))
        failure_ = "the file on disk is not what the record saves to: " + path.toStdString();
}

// Undo back to the saved state gives that state exactly; redo returns to where it was.
std::string Monkey::UndoToSaved() {
    if (!saved_) return {};
    const QUndoStack& history = frame_->History();
    Investment& doc = frame_->Document();
    const Scales& scales = frame_->InvestmentScales();
    const RecordState now = RecordState::Capture(doc, scales);
    int undone = 0;
    while (!history.isClean() && history.canUndo()) {
        frame_->Action("Undo")->trigger();
        ++undone;
    }
    if (history.isClean()) {
        ++undoChecks;
        if (!SameState(RecordState::Capture(doc, scales), *saved_))
            return "undo back to the saved state gave another record (" +
                   std::to_string(undone) + " steps)" +
                   Difference(RecordState::Capture(doc, scales), *saved_);
    }
    for (int i = 0; i < undone; ++i) frame_->Action("Redo")->trigger();
    if (!SameState(RecordState::Capture(doc, scales), now))
        return "redo after undo gave another record (" + std::to_string(undone) + " steps)" +
               Difference(RecordState::Capture(doc, scales), now);
    return {};
}

// Save As, Open of that file and Save As again write the same bytes.
std::string Monkey::RoundTripFiles() {
    const QString first = SavePath();
    ui_->forcedSave = first;
    if (!frame_->FileSaveAs()) return {};
    NoteSaved();
    const QByteArray written = FileBytes(first);
    if (written.toStdString() != SaveToBytes(frame_->Document(), frame_->InvestmentScales()))
        return "Save As wrote other bytes than the record saves to";
    ui_->forcedOpen = first;
    if (!frame_->FileOpen()) return "a file just saved did not open: " + first.toStdString();
    NoteSaved();
    const QString second = SavePath();
    ui_->forcedSave = second;
    if (!frame_->FileSaveAs()) return "Save As failed after Open";
    NoteSaved();
    if (FileBytes(second) != written)
        return "Save As, Open and Save As gave other bytes" +
               FirstDifference(written.toStdString(), FileBytes(second).toStdString());
    ++roundTrips;
    return {};
}

QString Monkey::SavePath() {
    // A few names, used again, so that saves replace files as well.
    const QString path = dir_.filePath(QStringLiteral("f%1.vel").arg(nextFile_++ % 12));
    if (std::find(files_.begin(), files_.end(), path) == files_.end()) files_.push_back(path);
    return path;
}

QString Monkey::OpenPath() {
    if (files_.empty() || Chance(8)) return {};
    if (Chance(8)) {
        // A damaged copy of one of the files: cut short, or a byte changed.
        QByteArray bytes = FileBytes(files_[Below(static_cast<int>(files_.size()))]);
        if (!bytes.isEmpty()) {
            if (Chance(50)) bytes.truncate(Below(bytes.size()));
            else bytes[Below(bytes.size())] = static_cast<char>(Below(256));
        }
        const QString path = dir_.filePath(QStringLiteral("damaged.vel"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
        return path;
    }
    return files_[Below(static_cast<int>(files_.size()))];
}

QString Monkey::HostileText() {
    const int kind = Below(10);
    if (kind < 5) return QString::fromUtf8(kHostile[Below(std::size(kHostile))]);
    QString text;
    if (kind < 8) {
        // A number of some length, with signs, points and commas where they may or may not go.
        static const char kNumberish[] = "0123456789012345678901234567890.,-$%()e ";
        for (int n = 1 + Below(kind == 7 ? 40 : 12); n > 0; --n)
            text += QChar(kNumberish[Below(sizeof kNumberish - 1)]);
        return text;
    }
    // Pasted junk: any printable characters, now and then a long run.
    for (int n = 1 + Below(Chance(10) ? 200 : 30); n > 0; --n)
        text += QChar(static_cast<char16_t>(32 + Below(95)));
    return text;
}

// `length` characters of running text, lines and all.
QString Monkey::LongText(int length) {
    QString text;
    text.reserve(length);
    static const char16_t kWords[] = u"Rates, insurance and repairs\n\u00e9\u20ac\t<b>&amp; ";
    while (text.size() < length) text += QChar(kWords[Below(std::size(kWords) - 1)]);
    return text;
}

// Acts on the top dialog whose event loop runs, unless it is already being driven further up
// the stack; a popup (a colour picker, a menu) is closed or clicked into.
void Monkey::Watch() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    for (const QPointer<QWidget>& d : driving_)
        if (d == modal) return;
    driving_.emplace_back(modal);
    while (watchers_.size() <= driving_.size()) {
        auto watcher = std::make_unique<QTimer>();
        QObject::connect(watcher.get(), &QTimer::timeout, [this] { Watch(); });
        watcher->start(0);
        watchers_.push_back(std::move(watcher));
    }
    DriveModal(modal);
    driving_.pop_back();
}

void Monkey::DriveModal(QWidget* widget) {
    QPointer<QWidget> dialog(widget);
    ++dialogs;
    Trace(QStringLiteral("  dialog \"%1\"").arg(dialog->windowTitle()));
    dialogTitles.insert(dialog->windowTitle());
    dialog->activateWindow();
    QApplication::setActiveWindow(dialog);
    for (int acts = Below(14); acts > 0 && dialog && dialog->isVisible(); --acts)
        if (!Poke(dialog)) break;
    for (int tries = 0; tries < 4 && dialog && dialog->isVisible(); ++tries) {
        auto* box = dialog->findChild<QDialogButtonBox*>();
        switch (Below(5)) {
        case 0:
        case 1:
            if (box && box->button(QDialogButtonBox::Ok)) box->button(QDialogButtonBox::Ok)->click();
            else if (box && !box->buttons().isEmpty()) box->buttons()[Below(box->buttons().size())]->click();
            break;
        case 2:
            if (box && box->button(QDialogButtonBox::Cancel)) box->button(QDialogButtonBox::Cancel)->click();
            break;
        case 3: {
            QWidget* focus = QApplication::focusWidget();
            SendKey(focus && dialog->isAncestorOf(focus) ? focus : dialog.data(), Qt::Key_Escape, {});
            break;
        }
        default: dialog->close(); break;
        }
    }
    Trace(QStringLiteral("  closed \"%1\"").arg(dialog ? dialog->windowTitle() : QString()));
    if (dialog && dialog->isVisible()) {
        if (auto* d = qobject_cast<QDialog*>(dialog.data())) d->reject();
        else dialog->close();
    }
}

bool Monkey::Poke(QWidget* root) {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        if (Chance(50)) popup->close();
        else root = popup;
    }
    QList<QWidget*> targets;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->isEnabled()) continue;
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
            qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractButton*>(w) ||
            qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QTabBar*>(w) ||
            qobject_cast<QAbstractItemView*>(w))
            targets << w;
    }
    if (targets.isEmpty()) return false;
    QWidget* w = targets[Below(targets.size())];
    ++pokes;
    Trace(QStringLiteral("    %1 %2 \"%3\"")
              .arg(QLatin1String(w->metaObject()->className()), w->objectName(),
                   qobject_cast<QAbstractButton*>(w) ? qobject_cast<QAbstractButton*>(w)->text()
                                                     : QString()));
    auto keyToFocus = [&](Qt::Key key, const QString& text,
                          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        // The widget with the focus, as long as it is in the same window and shown (a menu
        // closed offscreen can keep the focus, where no user could type into it).
        QWidget* focus = QApplication::focusWidget();
        if (!focus || !focus->isVisible() || focus->window() != w->window()) focus = w;
        SendKey(focus, key, text, modifiers);
    };
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        switch (Below(6)) {
        case 0:
        case 1:
        case 2: Retype(edit, HostileText()); break;
        case 3:
            // Pasted over the field's text, now and then longer than a file holds.
            QApplication::clipboard()->setText(Chance(10) ? LongText(50000) : HostileText());
            edit->setFocus(Qt::MouseFocusReason);
            if (Chance(70)) edit->selectAll();
            SendKey(edit, Qt::Key_V, {}, Qt::ControlModifier);
            break;
        case 4:
            edit->setFocus(Qt::MouseFocusReason);
            TypeKeys(edit, HostileText());
            break;
        default: {
            static const Qt::Key keys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Home,
                                           Qt::Key_End, Qt::Key_Return, Qt::Key_Tab,
                                           Qt::Key_Escape};
            edit->setFocus(Qt::TabFocusReason);
            const Qt::Key key = keys[Below(std::size(keys))];
            keyToFocus(key, key == Qt::Key_Backspace ? QStringLiteral("\b") : QString());
        }
        }
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
        text->setFocus(Qt::MouseFocusReason);
        if (Chance(30)) text->selectAll();
        if (Chance(20)) {
            // Pasted at length: past what a file holds, now and then.
            QApplication::clipboard()->setText(LongText(Chance(50) ? 50000 : 1 + Below(40000)));
            SendKey(text, Qt::Key_V, {}, Qt::ControlModifier);
        } else {
            TypeKeys(text, Chance(10) ? LongText(300 + Below(1000)) : HostileText());
        }
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setFocus(Qt::MouseFocusReason);
        SendKey(combo, Chance(50) ? Qt::Key_Down : Qt::Key_Up, {});
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
        spin->setFocus(Qt::MouseFocusReason);
        static const Qt::Key keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown};
        SendKey(spin, keys[Below(std::size(keys))], {});
    } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
        tabs->setCurrentIndex(Below(std::max(1, tabs->count())));
    } else if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
        QAbstractItemModel* model = view->model();
        if (!model || model->rowCount() == 0 || model->columnCount() == 0) return true;
        view->setFocus(Qt::MouseFocusReason);
        view->setCurrentIndex(model->index(Below(model->rowCount()), Below(model->columnCount())));
        if (Chance(60)) {
            // Typed into the cell: the first key opens its editor, which takes the rest.
            const QString typed = HostileText();
            for (QChar c : typed) keyToFocus(KeyOf(c), QString(c));
            keyToFocus(Chance(80) ? Qt::Key_Return : Qt::Key_Escape, {});
        } else {
            keyToFocus(Chance(50) ? Qt::Key_Delete : Qt::Key_C, {},
                       Chance(50) ? Qt::ControlModifier : Qt::NoModifier);
        }
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        ClickLikeUser(button);
    }
    return true;
}

std::string Monkey::Check() {
    const Investment& doc = frame_->Document();
    // What the program works out (a damaged file may bring inputs that are no number; they
    // stay as read, and what is worked out from them is "no value").
    const std::pair<const char*, double> figures[] = {
        {"PurchaseCosts", doc.PurchaseCosts}, {"TotalCost", doc.TotalCost},
        {"LoanAmount", doc.LoanAmount}, {"AnnualRent", doc.AnnualRent},
        {"GrossYield", doc.GrossYield}, {"NetYield", doc.NetYield},
        {"Depreciation", doc.Depreciation}, {"DepFittRemaining", doc.DepFittRemaining},
        {"DepBuildRemaining", doc.DepBuildRemaining}, {"AvgCashFlowWeek", doc.AvgCashFlowWeek},
        {"IRR", doc.IRR}, {"NPV", doc.NPV}, {"SalePrice", doc.SalePrice},
        {"SaleCosts", doc.SaleCosts}, {"CostBase", doc.CostBase},
        {"CapitalGain", doc.CapitalGain}, {"TaxableGain", doc.TaxableGain},
        {"SaleTax", doc.SaleTax}, {"ValueAfterSale", doc.ValueAfterSale},
        {"IRRAfterSale", doc.IRRAfterSale}, {"NPVAfterSale", doc.NPVAfterSale}};
    for (const auto& [name, v] : figures)
        if (!std::isfinite(v))
            return std::string(name) + " holds " + std::to_string(v);
    for (int c = 0; c < kTableColumns; ++c)
        for (double v : {doc.TaxableHimByYear[c], doc.TaxableHerByYear[c], doc.CarriedLossByYear[c]})
            if (!std::isfinite(v))
                return "a yearly income or loss of year " + std::to_string(c + 1) +
                       " is not finite (TaxableHim " + std::to_string(doc.TaxableHim) +
                       ", TaxableHer " + std::to_string(doc.TaxableHer) + ", RateInfl " +
                       std::to_string(doc.RateInfl) + ")";
    // Every text fits the file whole: the edits take no more.
    for (const std::u16string* text : {&doc.Address, &doc.Description, &doc.Notes})
        if (text->size() > static_cast<std::size_t>(kMaxTextLength))
            return "a text of " + std::to_string(text->size()) + " characters, more than a file holds";
    const Scales& scales = frame_->InvestmentScales();
    Investment limited = doc;
    limited.LimitInputs();
    if (SaveToBytes(limited, scales) != SaveToBytes(doc, scales)) {
        std::string which;
        DescribeDifferences(kDefaultInputs, doc, limited, which);
        DescribeDifferences(kAssumptionInputs, doc, limited, which);
        return "the record is outside its limits:" + which;
    }
    if (scales.duty.Count < 0 || scales.duty.Count > kScaleRows ||
        scales.tax.Count < 0 || scales.tax.Count > kScaleRows)
        return "a scale in force has a row count outside 0..10";
    for (int i = 0; i < kTableRows * kTableColumns; ++i) {
        const double v = doc.table[static_cast<std::size_t>(i)];
        if (!std::isfinite(v))
            return "table cell " + std::to_string(i) + " holds " + std::to_string(v);
    }

    const SummaryLayout& summary = frame_->View()->Summary();
    for (int row = 0; row < kSummaryRows; ++row) {
        if (row == ItemProperty || row == ItemInvestor) continue; // the user's own text
        const std::string& text = summary.values[row].text;
        if (text.find("nan") != std::string::npos || text.find("inf") != std::string::npos)
            return "summary row " + std::to_string(row) + " shows " + text;
        if (text == "+++++" && LargestFigure(doc) < kOverflowLimit)
            return "summary row " + std::to_string(row) + " shows +++++ for a figure below 1e20 (" +
                   std::to_string(LargestFigure(doc)) + ")";
    }

    // Whatever changes the record is a step of Undo: while none has been taken since the
    // last save, the record is the one saved.
    const RecordState before = RecordState::Capture(doc, scales);
    if (saved_ && frame_->History().isClean() && !SameState(before, *saved_))
        return "the record changed without a step of Undo" + Difference(before, *saved_);

    // Save, open and save again give the same bytes; the scales in force stay as they were.
    const std::string bytes = SaveToBytes(doc, scales);
    Investment again;
    std::istringstream in(bytes);
    Scales againScales = scales;
    const bool read = LoadInvestment(again, againScales, in, nullptr);
    const std::string second = read ? SaveToBytes(again, againScales) : std::string();
    if (!read) return "the record's own bytes did not read";
    if (second != bytes) Dump(bytes, second);
    if (second != bytes)
        return "save, open and save again gave other bytes" + FirstDifference(bytes, second);
    return {};
}
