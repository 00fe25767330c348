// The workspace's "Risk" tab: the investment's possible futures (analysis/Risk.h) with every
// parameter editable, the fan of the equity, the histogram of the IRR after sale and the
// chances in words. Each edit, of the record or of a parameter, starts a new run on a worker
// thread and cancels the one before: the newest edit wins and the window never waits. A run
// that takes over half a second shows its progress and a Cancel button.
#pragma once

#include <QElapsedTimer>
#include <QWidget>

#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "analysis/Risk.h"
#include "export/RiskReport.h"

class Investment;
struct Scales;
class QAbstractSpinBox;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;
class RiskFanChart;
class RiskHistogram;
class SettingsStore;

class RiskTab : public QWidget {
    Q_OBJECT
public:
    // The controls are made, and the first run started, when the tab first shows.
    RiskTab(const Investment& doc, const Scales& scales, QWidget* parent = nullptr);
    ~RiskTab() override;

    // The record changed: a new run at once when shown, else when the tab next shows.
    void Refresh();

    const RiskParameters& Parameters() const { return parameters_; }
    // What the report and the workbook work out: the tab's parameters, paths and seed.
    RiskSetup Setup() const { return {parameters_, paths_, seed_}; }
    // Sets the controls and starts a new run.
    void SetParameters(const RiskParameters& p, std::int64_t paths, std::uint64_t seed);
    // Takes the setup last left in `store` and writes every later change of it there.
    void RememberIn(SettingsStore& store);
    bool Running() const { return static_cast<bool>(progress_); }
    void Cancel();
    // The results shown, when a run has finished.
    const std::optional<RiskResults>& Results() const { return results_; }
    QString SentencesText() const;
    QProgressBar* Progress() const { return progressBar_; }

signals:
    // A run ended: finished, or cancelled.
    void RunEnded();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Build();
    void ShowParameters();
    void ReadControls();
    void Start();
    void Stop();
    void Finished(std::uint64_t generation, RiskResults results);
    void Poll();
    void ShowResults();

    const Investment& doc_;
    const Scales& scales_;
    RiskParameters parameters_;
    std::int64_t paths_ = kDefaultRiskPaths;
    std::uint64_t seed_ = 1;
    bool stale_ = true;
    SettingsStore* store_ = nullptr;
    bool showing_ = false;

    std::optional<RiskResults> results_;
    std::shared_ptr<RiskProgress> progress_; // of the run in flight
    std::int64_t runPaths_ = 0;
    std::uint64_t generation_ = 0;
    std::jthread worker_;
    QElapsedTimer started_;
    QTimer* poll_ = nullptr;

    std::vector<QDoubleSpinBox*> edits_; // one per kRiskParameters entry but the switch
    QCheckBox* vacancy_ = nullptr;
    QSpinBox* pathsEdit_ = nullptr;
    QSpinBox* seedEdit_ = nullptr;
    QLabel* sentences_ = nullptr;
    QLabel* percentiles_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* runButton_ = nullptr;
    RiskFanChart* fan_ = nullptr;
    RiskHistogram* histogram_ = nullptr;
};
