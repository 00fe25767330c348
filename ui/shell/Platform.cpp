#include "ui/shell/Platform.h"

#include <QApplication>
#include <QFileDialog>
#include <QFile>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace {

// Message boxes show their text as plain text, always: a file name, or a text read from a file
// or the settings, may hold what would otherwise be taken for markup or a link.
int ExecPlain(QMessageBox& box) {
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

QMessageBox::StandardButton ShowPlain(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                      QMessageBox::StandardButtons buttons,
                                      QMessageBox::StandardButton byDefault) {
    QMessageBox box(icon, QString::fromUtf8(kAppTitle), text, buttons, parent);
    box.setDefaultButton(byDefault);
    return static_cast<QMessageBox::StandardButton>(ExecPlain(box));
}

} // namespace

void ShowMessageBox(QWidget* parent, std::string_view utf8) {
    ShowPlain(parent, QMessageBox::Information,
              QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())), QMessageBox::Ok,
              QMessageBox::Ok);
}

void Beep() { QApplication::beep(); }

QString QtDocumentUi::AskOpenFileName(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(),
                                        QString::fromUtf8(kFileFilter));
}

QString QtDocumentUi::AskSaveFileName(QWidget* parent, const QString& proposed) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save As"), proposed,
                                        QString::fromUtf8(kFileFilter));
}

DocumentUi::SaveAnswer QtDocumentUi::AskSaveChanges(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kAppTitle), question,
                    QMessageBox::NoButton, parent);
    // One role for all four: the box orders buttons of different roles by the desktop's
    // convention, and the question's buttons stand in this order.
    QPushButton* yes = box.addButton(QStringLiteral("Yes"), QMessageBox::ActionRole);
    QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::ActionRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::ActionRole);
    QPushButton* saveAs = box.addButton(QStringLiteral("Save As..."), QMessageBox::ActionRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    ExecPlain(box);
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == yes) return SaveAnswer::Yes;
    if (clicked == no) return SaveAnswer::No;
    if (clicked == saveAs) return SaveAnswer::SaveAs;
    return SaveAnswer::Cancel;
}

void QtDocumentUi::ShowMessage(QWidget* parent, const QString& text) {
    ShowPlain(parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtDocumentUi::AskYesNo(QWidget* parent, const QString& question) {
    // "No" is the default: a key pressed by habit keeps what is on disk.
    return ShowPlain(parent, QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No,
                     QMessageBox::No) == QMessageBox::Yes;
}

namespace {

QPixmap ReadPngPixmap(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

class PngIconEngine : public QIconEngine {
public:
    explicit PngIconEngine(std::vector<std::pair<int, QString>> files)
        : files_(std::move(files)), read_(files_.size(), false) {}
    QIconEngine* clone() const override { return new PngIconEngine(*this); }
    QString key() const override { return QStringLiteral("PngIconEngine"); }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return For(size).actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return For(size).pixmap(size, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        For(rect.size() * ratio).paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const auto& file : files_) sizes.append(QSize(file.first, file.first));
        return sizes;
    }
    bool isNull() override { return files_.empty(); }

private:
    // The icon holding, among the pictures read so far, the one this size is drawn from; QIcon
    // then picks that one, as it would among all of them.
    QIcon& For(const QSize& size) {
        if (files_.empty()) return icon_;
        const int wanted = std::max(size.width(), size.height());
        std::size_t i = 0;
        while (i + 1 < files_.size() && files_[i].first < wanted) ++i;
        if (!read_[i]) {
            read_[i] = true;
            const QPixmap picture = ReadPngPixmap(files_[i].second);
            if (!picture.isNull()) icon_.addPixmap(picture);
        }
        return icon_;
    }

    std::vector<std::pair<int, QString>> files_;
    std::vector<bool> read_;
    QIcon icon_;
};

} // namespace

QIcon PngIcon(std::vector<std::pair<int, QString>> files) {
    return QIcon(new PngIconEngine(std::move(files)));
}

QIcon CommandIcon(const QStyle& style, QStyle::StandardPixmap which, const char* themeName,
                  const char* file) {
    if (QGuiApplication::desktopSettingsAware() && !QIcon::themeName().isEmpty() &&
        QIcon::hasThemeIcon(QLatin1String(themeName)))
        return style.standardIcon(which);
    std::vector<std::pair<int, QString>> files;
    for (int size : {16, 32, 128}) {
        QString path = QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1-%2.png")
                           .arg(QLatin1String(file))
                           .arg(size);
        // Not where this version of Qt keeps them: the style's icon, read the usual way.
        if (!QFile::exists(path)) return style.standardIcon(which);
        files.emplace_back(size, std::move(path));
    }
    return PngIcon(std::move(files));
}
