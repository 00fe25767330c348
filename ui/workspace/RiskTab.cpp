#include "ui/workspace/RiskTab.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "format/Format.h"
#include "model/Investment.h"
#include "model/Scales.h"
#include "ui/workspace/RiskCharts.h"

namespace {

QString Label(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr int kPollMs = 100;
constexpr int kQuietMs = 500; // runs shorter than this show no progress

QString PercentileLine(const char* name, const RiskResults::Figure& f, const char* format) {
    QStringList values;
    for (double v : f.at)
        values << (IsNoValue(v) ? QStringLiteral("no rate") : QString::fromStdString(FormatValue(v, format)));
    return QStringLiteral("<tr><td>%1</td><td align=right>%2</td></tr>")
        .arg(QString::fromUtf8(name), values.join(QStringLiteral("</td><td align=right>")));
}

} // namespace

RiskTab::RiskTab(const Investment& doc, const Scales& scales, QWidget* parent)
    : QWidget(parent), doc_(doc), scales_(scales) {}

RiskTab::~RiskTab() { Stop(); }

void RiskTab::Build() {
    if (sentences_) return;
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 4);

    // The parameters, in a column that scrolls when the window is short.
    auto* form = new QWidget;
    auto* fields = new QFormLayout(form);
    fields->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    for (const RiskParameterInfo& info : kRiskParameters) {
        if (info.unit == RiskUnit::Switch) {
            vacancy_ = new QCheckBox(Label(info.label), form);
            fields->addRow(vacancy_);
            connect(vacancy_, &QCheckBox::toggled, this, [this] {
                if (!showing_) ReadControls();
            });
            continue;
        }
        auto* edit = new QDoubleSpinBox(form);
        edit->setRange(info.min, info.max);
        edit->setDecimals(info.unit == RiskUnit::Money ? 0 : 2);
        edit->setSingleStep(info.unit == RiskUnit::Share ? 0.05 : info.unit == RiskUnit::Money ? 10 : 0.5);
        edit->setKeyboardTracking(false);
        edit->setObjectName(Label(info.key));
        if (info.unit == RiskUnit::Percent) edit->setSuffix(QStringLiteral(" %"));
        if (info.unit == RiskUnit::Money) edit->setPrefix(QStringLiteral("$"));
        fields->addRow(Label(info.label), edit);
        connect(edit, &QDoubleSpinBox::valueChanged, this, [this] {
            if (!showing_) ReadControls();
        });
        edits_.push_back(edit);
    }
    pathsEdit_ = new QSpinBox(form);
    pathsEdit_->setRange(100, static_cast<int>(kMaxRiskPaths));
    pathsEdit_->setSingleStep(1000);
    pathsEdit_->setKeyboardTracking(false);
    pathsEdit_->setObjectName(QStringLiteral("paths"));
    fields->addRow(QStringLiteral("Futures (paths)"), pathsEdit_);
    seedEdit_ = new QSpinBox(form);
    seedEdit_->setRange(0, 2147483647);
    seedEdit_->setKeyboardTracking(false);
    seedEdit_->setObjectName(QStringLiteral("seed"));
    seedEdit_->setToolTip(QStringLiteral("The same seed gives the same futures"));
    fields->addRow(QStringLiteral("Seed"), seedEdit_);
    for (QSpinBox* box : {pathsEdit_, seedEdit_})
        connect(box, &QSpinBox::valueChanged, this, [this] {
            if (!showing_) ReadControls();
        });
    auto* defaults = new QPushButton(QStringLiteral("Built-in values"), form);
    connect(defaults, &QPushButton::clicked, this,
            [this] { SetParameters(RiskParameters{}, kDefaultRiskPaths, 1); });
    fields->addRow(defaults);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(form);
    scroll->setWidgetResizable(true);
    scroll->setMinimumWidth(form->sizeHint().width() + 24);
    scroll->setMaximumWidth(form->sizeHint().width() + 24);
    layout->addWidget(scroll);

    // The results.
    auto* results = new QVBoxLayout;
    sentences_ = new QLabel(this);
    sentences_->setWordWrap(true);
    sentences_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    sentences_->setObjectName(QStringLiteral("RiskSentences"));
    percentiles_ = new QLabel(this);
    percentiles_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    fan_ = new RiskFanChart(this);
    histogram_ = new RiskHistogram(this);
    results->addWidget(sentences_);
    results->addWidget(percentiles_);
    results->addWidget(fan_, 3);
    results->addWidget(histogram_, 2);
    auto* statusLine = new QHBoxLayout;
    status_ = new QLabel(this);
    progressBar_ = new QProgressBar(this);
    progressBar_->setRange(0, 1000);
    progressBar_->setVisible(false);
    runButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    runButton_->setVisible(false);
    connect(runButton_, &QPushButton::clicked, this, [this] {
        if (Running()) Cancel();
        else Start();
    });
    statusLine->addWidget(status_, 1);
    statusLine->addWidget(progressBar_, 1);
    statusLine->addWidget(runButton_);
    results->addLayout(statusLine);
    layout->addLayout(results, 1);

    poll_ = new QTimer(this);
    poll_->setInterval(kPollMs);
    connect(poll_, &QTimer::timeout, this, &RiskTab::Poll);
    ShowParameters();
}

void RiskTab::ShowParameters() {
    showing_ = true;
    std::size_t next = 0;
    for (const RiskParameterInfo& info : kRiskParameters) {
        if (info.unit == RiskUnit::Switch) vacancy_->setChecked(parameters_.*info.field != 0);
        else edits_[next++]->setValue(parameters_.*info.field);
    }
    pathsEdit_->setValue(static_cast<int>(paths_));
    seedEdit_->setValue(static_cast<int>(seed_));
    showing_ = false;
}

void RiskTab::ReadControls() {
    std::size_t next = 0;
    for (const RiskParameterInfo& info : kRiskParameters) {
        const double value = info.unit == RiskUnit::Switch ? (vacancy_->isChecked() ? 1.0 : 0.0)
                                                           : edits_[next++]->value();
        SetParameter(parameters_, info, value); // the controls keep to the ranges
    }
    paths_ = pathsEdit_->value();
    seed_ = static_cast<std::uint64_t>(seedEdit_->value());
    if (store_) StoreRiskSetup(*store_, Setup());
    Start();
}

void RiskTab::SetParameters(const RiskParameters& p, std::int64_t paths, std::uint64_t seed) {
    parameters_ = p;
    paths_ = std::clamp<std::int64_t>(paths, 1, kMaxRiskPaths);
    seed_ = seed;
    if (store_) StoreRiskSetup(*store_, Setup());
    Build();
    ShowParameters();
    Start();
}

void RiskTab::RememberIn(SettingsStore& store) {
    const RiskSetup setup = ReadRiskSetup(store);
    parameters_ = setup.parameters;
    paths_ = setup.paths;
    seed_ = setup.seed;
    store_ = &store;
    if (!edits_.empty()) ShowParameters();
}

void RiskTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Build();
    if (stale_) Start();
}

void RiskTab::Refresh() {
    stale_ = true;
    if (isVisible()) Start();
    else Stop();
}

// The run in flight, if any, is told to stop and waited for: it looks at its cancel mark every
// 64 paths, so this takes a millisecond or two.
void RiskTab::Stop() {
    if (progress_) progress_->cancel = true;
    if (worker_.joinable()) worker_.join();
    progress_.reset();
    if (poll_) poll_->stop();
}

void RiskTab::Start() {
    Build();
    Stop();
    stale_ = false;
    // The run works on its own copy of the record and scales, made here on the window's thread.
    auto run = std::make_shared<const RiskRun>(doc_, scales_, parameters_);
    auto progress = std::make_shared<RiskProgress>();
    progress_ = progress;
    runPaths_ = paths_;
    const std::uint64_t generation = ++generation_;
    const std::int64_t paths = paths_;
    const std::uint64_t seed = seed_;
    worker_ = std::jthread([this, run, progress, generation, paths, seed] {
        RiskResults results = run->Run(paths, seed, DefaultRiskThreads(), progress.get());
        // Delivered on the window's thread; the destructor waits for this thread first.
        QMetaObject::invokeMethod(
            this, [this, generation, r = std::move(results)]() mutable { Finished(generation, std::move(r)); },
            Qt::QueuedConnection);
    });
    started_.start();
    status_->setText(QStringLiteral("Working out %1 futures...").arg(paths_));
    poll_->start();
}

void RiskTab::Cancel() {
    Stop();
    progressBar_->setVisible(false);
    runButton_->setText(QStringLiteral("Run"));
    runButton_->setVisible(true);
    status_->setText(QStringLiteral("Cancelled: the figures shown are from the last run that finished."));
    emit RunEnded();
}

void RiskTab::Poll() {
    if (!progress_) return;
    if (started_.elapsed() < kQuietMs) return;
    const double done = static_cast<double>(progress_->done.load()) / static_cast<double>(std::max<std::int64_t>(runPaths_, 1));
    progressBar_->setValue(static_cast<int>(done * 1000));
    progressBar_->setVisible(true);
    runButton_->setText(QStringLiteral("Cancel"));
    runButton_->setVisible(true);
}

void RiskTab::Finished(std::uint64_t generation, RiskResults results) {
    // A run that was overtaken by a newer edit, or cancelled, shows nothing.
    if (generation != generation_ || !progress_ || results.cancelled) return;
    if (worker_.joinable()) worker_.join();
    progress_.reset();
    poll_->stop();
    results_ = std::move(results);
    progressBar_->setVisible(false);
    runButton_->setVisible(false);
    status_->setText(QStringLiteral("%1 futures, seed %2, in %3 s.")
                         .arg(results_->paths)
                         .arg(results_->seed)
                         .arg(static_cast<double>(started_.elapsed()) / 1000.0, 0, 'f', 2));
    ShowResults();
    emit RunEnded();
}

void RiskTab::ShowResults() {
    const RiskResults& r = *results_;
    QStringList lines;
    for (const std::string& s : RiskSentences(r)) lines << QString::fromStdString(s).toHtmlEscaped();
    sentences_->setText(lines.join(QStringLiteral("<br>")));
    percentiles_->setText(QStringLiteral("<table cellspacing=6><tr><th></th><th>5 of 100</th><th>25</th>"
                                         "<th>median</th><th>75</th><th>95</th></tr>") +
                          PercentileLine("IRR after sale", r.irrAfterSale, "%0.00") +
                          PercentileLine("Index fund's IRR", r.fundIrr, "%0.00") +
                          PercentileLine("Bank's IRR", r.bankIrr, "%0.00") +
                          PercentileLine("NPV after sale", r.npvAfterSale, "$0,m(") +
                          QStringLiteral("</table>"));
    fan_->SetResults(&*results_);
    histogram_->SetResults(&*results_);
}

QString RiskTab::SentencesText() const { return sentences_ ? sentences_->text() : QString(); }
