#include "app/Application.h"

#include <QDate>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <utility>

#include "persist/Settings.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "ui/shell/Platform.h"
#include "ui/shell/QPainterSurface.h"
#include "ui/shell/QtSettingsStore.h"
#include "ui/shell/RecentFileList.h"
#include "ui/shell/SummaryView.h"

QString DialogStyleSheet(ColourValue background) {
    if (background == kAutomaticColour) return {};
    const QString colour = ToQColor(background).name();
    // Style sheets do not pass colours on to child widgets, so the texts are named too;
    // disabled texts stay grey.
    return QStringLiteral(
               "QDialog { background-color: %1; color: black; }\n"
               // The pages of a property sheet are dialogs of their own.
               "QDialog QTabWidget::pane { background-color: %1; border: 1px solid #a0a0a0;"
               " top: -1px; }\n"
               "QDialog QLabel, QDialog QCheckBox, QDialog QRadioButton, QDialog QGroupBox"
               " { color: black; }\n"
               "QDialog QLabel:disabled, QDialog QCheckBox:disabled,"
               " QDialog QRadioButton:disabled, QDialog QGroupBox:disabled { color: gray; }\n")
        .arg(colour);
}

namespace {

// Hands the dialogs' style sheet to every dialog window as it is first polished, before it is
// laid out and shown. A sheet on the application would do the same for the dialogs, but it
// puts every widget of the main window through the style sheet engine as well: the start-up
// and every repaint of the summary, the table and the charts would pay for rules that can only
// ever match inside a dialog.
class DialogColours : public QObject {
public:
    explicit DialogColours(QString sheet) : sheet_(std::move(sheet)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Polish) {
            // The pages of a property sheet are dialogs inside a dialog: they take the sheet
            // from the window they are in.
            auto* dialog = qobject_cast<QDialog*>(watched);
            if (dialog && dialog->isWindow() && dialog->styleSheet().isEmpty())
                dialog->setStyleSheet(sheet_);
        }
        return false;
    }

private:
    QString sheet_;
};

// Calls `then` once `watched` has been painted for the first time (after that paint), and
// removes itself.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget* watched, std::function<void()> then)
        : QObject(watched), then_(std::move(then)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, std::move(then_));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> then_;
};

} // namespace

Application::Application()
    : ownStore_(std::make_unique<QtSettingsStore>()), ownUi_(std::make_unique<QtDocumentUi>()),
      store_(ownStore_.get()), ui_(ownUi_.get()) {}

Application::Application(SettingsStore& store, DocumentUi& ui) : store_(&store), ui_(&ui) {}

Application::~Application() = default;

bool Application::InitInstance(const QStringList& arguments) {
    QCoreApplication::setOrganizationName(QStringLiteral("Orvane"));
    QCoreApplication::setApplicationName(QStringLiteral("VELPPC"));

    // Start-up reads some sixty settings: one look at the file serves them all. Its one write,
    // the file on the command line put first among the recent files, waits until the window
    // has been painted (or a second has passed): a write is a new file, made safe on disk
    // (two flushes to the disk) before it replaces the old one, and nobody waits for it.
    startup_ = std::make_unique<SettingsBatch>(*store_);

    RecentFileList recent;
    recent.Load(*store_);

    CurrentColours = ReadColours(*store_);

    // Dialogs keep this colour for the whole run, even when the preferences change it.
    const QString sheet = DialogStyleSheet(CurrentColours.BG1Color);
    if (!sheet.isEmpty()) {
        dialogColours_ = std::make_unique<DialogColours>(sheet);
        QCoreApplication::instance()->installEventFilter(dialogColours_.get());
    }

    frame_ = std::make_unique<MainWindow>(*store_, *ui_, std::move(recent));
    frame_->setAttribute(Qt::WA_DeleteOnClose, false);
    const QDate today = QDate::currentDate();
    frame_->SetFirstStartMonth(today.year(), today.month());
    const QString file = arguments.isEmpty() ? QString() : arguments.first();
    if (!frame_->StartWith(file)) {
        frame_.reset();
        startup_.reset();
        return false;
    }

    frame_->show();
    frame_->repaint();
    // The window icon waits as well: nothing shows it before the window is painted. A call
    // that comes after the application object is gone finds its frame gone too.
    auto endStartup = [frame = QPointer<QObject>(frame_.get()), this] {
        if (!frame || !startup_) return;
        startup_.reset();
        InstallWindowIcon();
    };
    new AfterFirstPaint(frame_->View()->viewport(), endStartup);
    QTimer::singleShot(1000, frame_.get(), endStartup);
    return true;
}
