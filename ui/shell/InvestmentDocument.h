// The open investment: its record, the duty and tax scales it is worked out under, the file it
// came from and its undo stack. Every change goes through it; it emits `changed` once after
// each, and every view of the investment listens to that one signal.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUndoStack>

#include <functional>

#include "model/Investment.h"
#include "model/RecordHistory.h"
#include "model/Scales.h"

class MessageSink;

class InvestmentDocument : public QObject {
    Q_OBJECT
public:
    explicit InvestmentDocument(QObject* parent = nullptr);

    Investment& Record() { return record_; }
    const Investment& Record() const { return record_; }
    Scales& InvestmentScales() { return scales_; }
    const Scales& InvestmentScales() const { return scales_; }
    QUndoStack& UndoStack() { return undo_; }

    // Whether the investment holds changes not saved: the undo stack is away from the state
    // that was opened or saved last.
    bool IsModified() const { return !undo_.isClean(); }

    // Runs `change` on the record and the scales. When the record or the scales changed, that
    // is one undo step, named by `nameOf`.
    using StepName = std::function<QString(const RecordState& before, const RecordState& after)>;
    void Change(const std::function<void()>& change, const StepName& nameOf);
    void Change(const QString& name, const std::function<void()>& change);
    // The record or the scales were replaced wholesale (New, a first start): no undo steps,
    // nothing to save.
    void Replaced();
    // Tells the views that the record was worked out again outside a change.
    void NotifyChanged() { emit changed(); }

    // --- the file ---
    // Empty before the first save; else absolute.
    const QString& Path() const { return path_; }
    void SetPath(const QString& path);
    // Reads the investment file `path` in place of this investment; on failure nothing
    // changes and `failure` says why, or is empty when the file's contents were refused
    // (`messages` heard the reason, if the reader gave one).
    bool Read(const QString& path, MessageSink& messages, QString& failure);
    // Writes the investment to `path` whole or not at all; the old file stays on failure.
    bool Write(const QString& path, QString& failure);
    // Whether the file of the investment was changed by another program since it was read or
    // saved here (false for another path, or a file removed meanwhile).
    bool ChangedOnDisk(const QString& path) const;

signals:
    // After every change, New, Open, undo and redo.
    void changed();

private:
    friend class RecordStep;
    void Restore(const RecordState& state);

    Investment record_;
    Scales scales_;
    QUndoStack undo_;
    QString path_;
    // The digest of the file's bytes as read or saved here; empty without a file.
    QByteArray diskDigest_;
    bool replacing_ = false;
};
