#include "ui/shell/InvestmentDocument.h"

#include <QDir>
#include <QFileInfo>
#include <QUndoCommand>

#include <sstream>

#include "persist/InvestmentFile.h"
#include "ui/shell/DocumentFile.h"

// One change as Undo takes it back: the record and the scales before and after it.
class RecordStep : public QUndoCommand {
public:
    RecordStep(InvestmentDocument& doc, const QString& name, KeptState before, KeptState after)
        : QUndoCommand(name), doc_(doc), before_(std::move(before)), after_(std::move(after)) {}
    void undo() override { doc_.Restore(before_.Full()); }
    void redo() override {
        // Pushed after the change was made: the first redo has nothing to do.
        if (pushed_) doc_.Restore(after_.Full());
        pushed_ = true;
    }
    const KeptState& After() const { return after_; }

private:
    InvestmentDocument& doc_;
    KeptState before_, after_;
    bool pushed_ = false;
};

InvestmentDocument::InvestmentDocument(QObject* parent) : QObject(parent) {
    undo_.setUndoLimit(static_cast<int>(kMaxUndoSteps));
    // Every step done, undone, redone or cleared is one notice to the views.
    connect(&undo_, &QUndoStack::indexChanged, this, [this] {
        if (replacing_) return;
        emit changed();
    });
}

void InvestmentDocument::Change(const std::function<void()>& change, const StepName& nameOf) {
    RecordState before = RecordState::Capture(record_, scales_);
    change();
    RecordState after = RecordState::Capture(record_, scales_);
    // An editor closed with OK but nothing changed is no step and leaves nothing to save.
    if (!(before == after)) {
        const QString name = nameOf(before, after);
        const QUndoCommand* last = undo_.index() > 0 ? undo_.command(undo_.index() - 1) : nullptr;
        const auto* previous = dynamic_cast<const RecordStep*>(last);
        KeptState keptBefore =
            KeptState::Keep(std::move(before), previous ? &previous->After() : nullptr);
        KeptState keptAfter = KeptState::Keep(std::move(after), &keptBefore);
        // The stack tells the views.
        undo_.push(new RecordStep(*this, name, std::move(keptBefore), std::move(keptAfter)));
        return;
    }
    emit changed();
}

void InvestmentDocument::Change(const QString& name, const std::function<void()>& change) {
    Change(change, [&name](const RecordState&, const RecordState&) { return name; });
}

void InvestmentDocument::Replaced() {
    // Clearing a stack that holds no step tells nobody: the views hear it here, once.
    replacing_ = true;
    undo_.clear();
    replacing_ = false;
    emit changed();
}

void InvestmentDocument::Restore(const RecordState& state) { state.Restore(record_, scales_); }

void InvestmentDocument::SetPath(const QString& path) {
    path_ = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (path_.isEmpty()) diskDigest_.clear();
}

bool InvestmentDocument::Read(const QString& path, MessageSink& messages, QString& failure) {
    const QString name = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    QByteArray bytes;
    if (!ReadDocumentBytes(path, bytes, failure)) return false;
    std::istringstream in(bytes.toStdString(), std::ios::binary);
    // The reader works on copies, so that a file that fails leaves the open investment as it
    // was, scales included.
    Investment loaded = record_;
    Scales loadedScales = scales_;
    if (!LoadInvestment(loaded, loadedScales, in, &messages, name.toStdString())) {
        failure.clear();
        return false;
    }
    record_ = std::move(loaded);
    scales_ = loadedScales;
    SetPath(path);
    // What the file holds now, so that a save can tell whether another program changed it.
    diskDigest_ = BytesDigest(bytes);
    Replaced();
    return true;
}

bool InvestmentDocument::Write(const QString& path, QString& failure) {
    std::ostringstream out(std::ios::binary);
    if (!SaveInvestment(record_, scales_, out)) {
        failure = QStringLiteral("The investment could not be written.");
        return false;
    }
    const QByteArray bytes = QByteArray::fromStdString(out.str());
    if (!WriteFileReplacing(path, bytes, failure)) return false;
    SetPath(path);
    diskDigest_ = BytesDigest(bytes);
    undo_.setClean();
    return true;
}

bool InvestmentDocument::ChangedOnDisk(const QString& path) const {
    if (diskDigest_.isEmpty() || QFileInfo(path).absoluteFilePath() != path_) return false;
    // A file removed meanwhile is simply written again.
    const QByteArray now = FileDigest(path);
    return !now.isEmpty() && now != diskDigest_;
}
