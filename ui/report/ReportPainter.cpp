#include "ui/report/ReportPainter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <optional>

#include "persist/WholeFile.h"
#include "format/Format.h"
#include "format/Text.h"
#include "model/Investment.h"
#include "persist/Settings.h"
#include "ui/charts/ChartDrawing.h"
#include "ui/charts/ChartScale.h"
#include "ui/charts/ChartSeries.h"
#include "ui/charts/ChartKind.h"
#include "ui/shell/QPainterSurface.h"
#include "export/SummaryText.h"

namespace {

// The charts in the order of the workspace's tabs.
constexpr int kChartCommands[kReportCharts] = {ChartValueDebt, ChartCashFlows, ChartWhoPays,
                                               ChartBankComparison, ChartRateOfReturn};
// The charts are drawn at this width in the charts' pixels with these fonts, then scaled onto
// their place: the bars of 25 to 40 years then fill most of the page's width.
constexpr int kChartPixels = 400;
const FontSpec kChartFonts[2] = {{"Arial", 10, 400}, {"Arial", 10, 700}};

// The summary's lines as the summary shows them: its captions, its number texts, its bold rows.
ReportSection SummarySection(const Investment& doc) {
    const auto lines = SummaryLines(doc);
    ReportSection section{"Summary", {}};
    // The address is the report's title.
    for (int row = ItemProperty + 1; row < kSummaryRows; ++row) {
        const SummaryLine& summary = lines[static_cast<std::size_t>(row)];
        const SummaryRowStyle& style = kSummaryRowStyles[static_cast<std::size_t>(row)];
        const bool hidden = IsTitleRow(row);
        ReportLine line;
        line.label = PlainLabel(doc, row, summary.label);
        // "Click here" points a finger at the screen; on paper the line stays empty.
        line.text = hidden || summary.clickHere ? std::string() : summary.value;
        line.strong = style.labelBold || (!hidden && style.valueBold);
        line.redText = !hidden && (ParseFormat(style.format) & FmtNumeric) &&
                       summary.value.find_first_of("-(") != std::string::npos;
        section.lines.push_back(std::move(line));
    }
    return section;
}

QFont TextFont(const ReportText& text, double size) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleStrategy(QFont::PreferMatch);
    font.setPointSizeF(size);
    font.setBold(text.bold);
    return font;
}

void PaintText(QPainter& painter, const ReportText& text, double f) {
    const QRectF box(text.box.left * f, text.box.top * f, text.box.width() * f, text.box.height() * f);
    QString shown = QString::fromStdString(text.text);
    // Too wide: a little smaller first, then shortened.
    double size = text.size;
    QFont font = TextFont(text, size);
    while (size > text.size * 0.75 && QFontMetricsF(font, painter.device()).horizontalAdvance(shown) > box.width()) {
        size -= 0.25;
        font = TextFont(text, size);
    }
    const QFontMetricsF metrics(font, painter.device());
    shown = metrics.elidedText(shown, Qt::ElideRight, box.width());
    painter.setFont(font);
    painter.setPen(ToQColor(text.colour));
    const Qt::Alignment align = text.align == 2   ? Qt::AlignRight
                                : text.align == 1 ? Qt::AlignHCenter
                                                  : Qt::AlignLeft;
    painter.drawText(box, static_cast<int>(align | Qt::AlignTop) | Qt::TextSingleLine, shown);
}

void PaintChart(QPainter& painter, const ReportChart& place, const Investment& doc,
                const Scales& scales, double f) {
    const std::optional<ChartData> data =
        BuildChart(doc, scales, kChartCommands[place.chart % kReportCharts], CurrentColours);
    if (!data) return;
    ChartRequest request = data->Request(kChartFonts);
    request.fillWidth = true; // across the page for every projection length
    const ChartScale scale = WithLossesShown(request, ComputeChartScale(request));
    const int height = static_cast<int>(kChartPixels * place.box.height() / place.box.width());
    painter.save();
    painter.translate(place.box.left * f, place.box.top * f);
    painter.scale(place.box.width() * f / kChartPixels, place.box.height() * f / height);
    painter.setClipRect(QRect(0, 0, kChartPixels, height));
    {
        QPainterSurface surface(painter);
        DrawChart(surface, request, scale, kChartPixels, height, CurrentChartColours());
    }
    painter.restore();
}

} // namespace

ReportDocument MakeReport(const Investment& doc, const Scales& scales, const std::string& fileName,
                          const GridSetup& whatIf, const RiskSetup& risk) {
    ReportInfo info;
    info.fileName = fileName;
    info.date = TodayText();
    info.summary = SummarySection(doc);
    info.whatIf = whatIf;
    info.risk = risk;
    return BuildReport(doc, scales, info);
}

void PaintReportPage(QPainter& painter, const ReportPage& page, const Investment& doc,
                     const Scales& scales, double f) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const ReportFill& fill : page.fills)
        painter.fillRect(QRectF(fill.box.left * f, fill.box.top * f, fill.box.width() * f,
                                fill.box.height() * f),
                         ToQColor(fill.colour));
    for (const ReportRule& rule : page.rules) {
        painter.setPen(QPen(ToQColor(rule.colour), 0.5 * f));
        painter.drawLine(QPointF(rule.box.left * f, rule.box.top * f),
                         QPointF(rule.box.right * f, rule.box.bottom * f));
    }
    for (const ReportText& text : page.texts) PaintText(painter, text, f);
    for (const ReportChart& chart : page.charts) PaintChart(painter, chart, doc, scales, f);
    painter.restore();
}

void PrintReport(QPrinter& printer, const ReportDocument& report, const Investment& doc,
                 const Scales& scales) {
    QPainter painter(&printer);
    const double f = printer.resolution() / 72.0;
    for (std::size_t i = 0; i < report.pages.size(); ++i) {
        if (i > 0) printer.newPage();
        PaintReportPage(painter, report.pages[i], doc, scales, f);
    }
}

std::string ReportPdf(const ReportDocument& report, const Investment& doc, const Scales& scales,
                      const std::string& title) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Portrait);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(QString::fromStdString(title));
        writer.setCreator(QStringLiteral("Pocket VEL"));
        QPainter painter(&writer);
        const double f = writer.resolution() / 72.0;
        for (std::size_t i = 0; i < report.pages.size(); ++i) {
            if (i > 0) writer.newPage();
            PaintReportPage(painter, report.pages[i], doc, scales, f);
        }
    }
    return buffer.data().toStdString();
}

bool WriteReportPdf(const Investment& doc, const Scales& scales, const std::string& fileName, const std::string& path,
                    std::string& reason, const GridSetup& whatIf, const RiskSetup& risk) {
    const ReportDocument report = MakeReport(doc, scales, fileName, whatIf, risk);
    const std::string address = ToUtf8(doc.Address);
    return WriteFileAtomically(path, ReportPdf(report, doc, scales, address.empty() ? fileName : address), reason);
}
