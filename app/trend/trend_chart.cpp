// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/trend/trend_chart.h"

#include <QChart>
#include <QCursor>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QKeyEvent>
#include <QLegend>
#include <QLineSeries>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr int MaxPointsPerSeries = 1600;   // beyond this a series keeps each column's lowest and highest
constexpr double OutputAxisTop = 115.0;    // room above 100 % for the markers
constexpr double CommandRow = 111.0;
constexpr double RunStateRow = 107.0;
constexpr double AlarmRow = 103.0;

using Quantity = std::function<double(const TrendSample&)>;

double OutputPercent(const TrendSample& s) { return s.outputTenths / 10.0; }
double CurrentAmps(const TrendSample& s) { return s.currentTenths / 10.0; }
double TemperatureC(const TrendSample& s) { return s.temperatureC; }

// The points of one quantity, at most MaxPointsPerSeries: many samples in the window are
// cut into columns, each drawn by its lowest and highest value in time order.
QList<QPointF> Points(const std::vector<TrendSample>& samples, const Quantity& value,
                      const std::function<double(std::int64_t)>& x)
{
    QList<QPointF> points;
    if (samples.size() <= static_cast<std::size_t>(MaxPointsPerSeries)) {
        points.reserve(static_cast<qsizetype>(samples.size()));
        for (const TrendSample& s : samples) points.append({x(s.atMs), value(s)});
        return points;
    }
    const std::size_t columns = MaxPointsPerSeries / 2;
    const std::size_t per = (samples.size() + columns - 1) / columns;
    for (std::size_t first = 0; first < samples.size(); first += per) {
        const std::size_t last = std::min(samples.size(), first + per);
        const auto [low, high] = std::minmax_element(samples.begin() + static_cast<std::ptrdiff_t>(first),
                                                     samples.begin() + static_cast<std::ptrdiff_t>(last),
                                                     [&](const TrendSample& a, const TrendSample& b) { return value(a) < value(b); });
        const auto& early = low->atMs <= high->atMs ? *low : *high;
        const auto& late = low->atMs <= high->atMs ? *high : *low;
        points.append({x(early.atMs), value(early)});
        if (&early != &late) points.append({x(late.atMs), value(late)});
    }
    return points;
}

// An axis top at 1, 2 or 5 times a power of ten, at least `floor`.
double NiceTop(double highest, double floor)
{
    if (highest <= floor) return floor;
    const double power = std::pow(10.0, std::floor(std::log10(highest)));
    for (double step : {1.0, 2.0, 5.0, 10.0})
        if (step * power >= highest) return step * power;
    return 10.0 * power;
}

QLineSeries* Line(const QString& name, const QColor& color, Qt::PenStyle style)
{
    auto* series = new QLineSeries;
    series->setName(name);
    QPen pen(color, style == Qt::SolidLine ? 2.0 : 1.5, style);
    series->setPen(pen);
    return series;
}

QScatterSeries* Mark(const QString& name, const QColor& color, QScatterSeries::MarkerShape shape)
{
    auto* series = new QScatterSeries;
    series->setName(name);
    series->setColor(color);
    series->setBorderColor(color.darker(140));
    series->setMarkerShape(shape);
    series->setMarkerSize(9.0);
    return series;
}

} // namespace

TrendChart::TrendChart(const TrendSession& session, QWidget* parent) : QChartView(parent), session_(session)
{
    setRenderHint(QPainter::Antialiasing, false);
    setFocusPolicy(Qt::StrongFocus);
    BuildSeries();
    Refresh();
}

void TrendChart::BuildSeries()
{
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    setChart(chart);

    timeAxis_ = new QDateTimeAxis;
    timeAxis_->setFormat(QStringLiteral("HH:mm:ss"));
    timeAxis_->setTickCount(7);
    outputAxis_ = new QValueAxis;
    outputAxis_->setTitleText(tr("输出 (%)"));
    outputAxis_->setRange(0, OutputAxisTop);
    outputAxis_->setLabelFormat(QStringLiteral("%.0f"));
    outputAxis_->setTickType(QValueAxis::TicksDynamic);
    outputAxis_->setTickAnchor(0);
    outputAxis_->setTickInterval(25);
    currentAxis_ = new QValueAxis;
    currentAxis_->setTitleText(tr("电流 (A)"));
    currentAxis_->setLabelFormat(QStringLiteral("%.0f"));
    temperatureAxis_ = new QValueAxis;
    temperatureAxis_->setTitleText(tr("温度 (°C)"));
    temperatureAxis_->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(timeAxis_, Qt::AlignBottom);
    chart->addAxis(outputAxis_, Qt::AlignLeft);
    chart->addAxis(currentAxis_, Qt::AlignRight);
    chart->addAxis(temperatureAxis_, Qt::AlignRight);

    output_ = Line(tr("输出"), QColor(0, 110, 200), Qt::SolidLine);
    current_ = Line(tr("电流"), QColor(200, 40, 40), Qt::SolidLine);
    temperature_ = Line(tr("温度"), QColor(220, 140, 0), Qt::SolidLine);
    overlayOutput_ = Line(tr("对比记录 输出"), QColor(0, 110, 200), Qt::DashLine);
    overlayCurrent_ = Line(tr("对比记录 电流"), QColor(200, 40, 40), Qt::DashLine);
    overlayTemperature_ = Line(tr("对比记录 温度"), QColor(220, 140, 0), Qt::DashLine);
    runCommands_ = Mark(tr("运行命令"), QColor(0, 160, 0), QScatterSeries::MarkerShapeTriangle);
    stopCommands_ = Mark(tr("停止命令"), QColor(200, 0, 0), QScatterSeries::MarkerShapeRectangle);
    runChanges_ = Mark(tr("运行状态改变"), QColor(60, 60, 160), QScatterSeries::MarkerShapeCircle);
    alarms_ = Mark(tr("警报升起"), QColor(255, 120, 0), QScatterSeries::MarkerShapeStar);

    const auto add = [&](QXYSeries* series, QValueAxis* axis) {
        chart->addSeries(series);
        series->attachAxis(timeAxis_);
        series->attachAxis(axis);
    };
    add(output_, outputAxis_);
    add(current_, currentAxis_);
    add(temperature_, temperatureAxis_);
    add(overlayOutput_, outputAxis_);
    add(overlayCurrent_, currentAxis_);
    add(overlayTemperature_, temperatureAxis_);
    for (QScatterSeries* marks : {runCommands_, stopCommands_, runChanges_, alarms_}) {
        add(marks, outputAxis_);
        connect(marks, &QScatterSeries::hovered, this, [this](const QPointF& point, bool entered) { ShowMarkerTip(point, entered); });
    }
    ApplyFont();
    for (QLineSeries* overlay : {overlayOutput_, overlayCurrent_, overlayTemperature_}) overlay->setVisible(false);
}

std::int64_t TrendChart::EndMs() const
{
    if (!live_) return fixedEndMs_;
    const auto& samples = session_.History().Samples();
    return samples.empty() ? session_.Clock().monotonicMs + spanMs_ : samples.back().atMs + 1;
}

double TrendChart::ToAxis(std::int64_t monotonicMs) const
{
    return static_cast<double>(session_.Clock().EpochMsOf(monotonicMs));
}

void TrendChart::Refresh()
{
    const std::int64_t to = EndMs();
    const std::int64_t from = to - spanMs_;
    FillQuantities(from, to);
    FillMarkers(from, to);
    FillOverlay(from, to);
    ScaleValueAxes();
    timeAxis_->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(ToAxis(from))),
                        QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(ToAxis(to))));
}

void TrendChart::FillQuantities(std::int64_t fromMs, std::int64_t toMs)
{
    const auto x = [this](std::int64_t t) { return ToAxis(t); };
    const std::vector<TrendSample> shown = session_.History().Between(fromMs, toMs);
    output_->replace(Points(shown, OutputPercent, x));
    current_->replace(Points(shown, CurrentAmps, x));
    temperature_->replace(Points(shown, TemperatureC, x));
}

void TrendChart::FillMarkers(std::int64_t fromMs, std::int64_t toMs)
{
    QList<QPointF> run, stop, changes, alarms;
    const auto& markers = session_.History().Markers();
    const auto first = std::lower_bound(markers.begin(), markers.end(), fromMs,
                                        [](const TrendMarker& m, std::int64_t t) { return m.atMs < t; });
    for (auto it = first; it != markers.end() && it->atMs < toMs; ++it) {
        const double x = ToAxis(it->atMs);
        switch (it->kind) {
        case TrendMarkerKind::RunCommand: run.append({x, CommandRow}); break;
        case TrendMarkerKind::StopCommand: stop.append({x, CommandRow}); break;
        case TrendMarkerKind::MotorStarted:
        case TrendMarkerKind::MotorStopped: changes.append({x, RunStateRow}); break;
        case TrendMarkerKind::AlarmRose: alarms.append({x, AlarmRow}); break;
        }
    }
    runCommands_->replace(run);
    stopCommands_->replace(stop);
    runChanges_->replace(changes);
    alarms_->replace(alarms);
}

void TrendChart::FillOverlay(std::int64_t fromMs, std::int64_t toMs)
{
    const bool shown = overlay_.has_value();
    for (QLineSeries* series : {overlayOutput_, overlayCurrent_, overlayTemperature_}) series->setVisible(shown);
    if (!shown) return;
    // Laid on the latest start: the one being recorded, else the last one kept.
    const StartRecorder& recorder = session_.Recorder();
    std::int64_t alignTo = overlay_->startMs;
    if (recorder.Current()) alignTo = recorder.Current()->startMs;
    else if (!recorder.Records().empty()) alignTo = recorder.Records().back().startMs;
    const std::int64_t shift = alignTo - overlay_->startMs;
    std::vector<TrendSample> samples;
    for (const TrendSample& s : overlay_->samples)
        if (s.atMs + shift >= fromMs && s.atMs + shift < toMs) samples.push_back(s);
    const auto x = [this, shift](std::int64_t t) { return ToAxis(t + shift); };
    overlayOutput_->replace(Points(samples, OutputPercent, x));
    overlayCurrent_->replace(Points(samples, CurrentAmps, x));
    overlayTemperature_->replace(Points(samples, TemperatureC, x));
}

void TrendChart::ScaleValueAxes()
{
    double amps = 0, degrees = 0;
    for (QLineSeries* series : {current_, overlayCurrent_})
        for (const QPointF& p : series->points()) amps = std::max(amps, p.y());
    for (QLineSeries* series : {temperature_, overlayTemperature_})
        for (const QPointF& p : series->points()) degrees = std::max(degrees, p.y());
    currentAxis_->setRange(0, NiceTop(amps * 1.1, 10.0));
    temperatureAxis_->setRange(0, NiceTop(degrees * 1.1, 100.0));
}

int TrendChart::PointsDrawn() const
{
    return static_cast<int>(output_->count());
}

void TrendChart::FixWindow(std::int64_t endMs)
{
    fixedEndMs_ = endMs;
    live_ = false;
}

void TrendChart::ZoomBy(double factor)
{
    const std::int64_t middle = EndMs() - spanMs_ / 2;
    spanMs_ = std::clamp(static_cast<std::int64_t>(static_cast<double>(spanMs_) * factor), ShortestSpanMs, LongestSpanMs);
    if (!live_) FixWindow(middle + spanMs_ / 2);
    Refresh();
}

void TrendChart::PanBy(double fractionOfSpan)
{
    FixWindow(EndMs() + static_cast<std::int64_t>(static_cast<double>(spanMs_) * fractionOfSpan));
    Refresh();
}

void TrendChart::ShowLive()
{
    live_ = true;
    Refresh();
}

void TrendChart::ShowAll()
{
    const auto& samples = session_.History().Samples();
    if (samples.empty()) return ShowLive();
    spanMs_ = std::clamp(samples.back().atMs + 1 - samples.front().atMs, ShortestSpanMs, LongestSpanMs);
    live_ = true;
    Refresh();
}

void TrendChart::SetOverlay(const std::optional<StartRecord>& record)
{
    overlay_ = record;
    Refresh();
}

void TrendChart::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0) return;
    // Zoom around the time under the pointer: it stays where it is on the screen.
    const QRectF plot = chart()->plotArea();
    const double at = plot.width() > 0 ? std::clamp((event->position().x() - plot.left()) / plot.width(), 0.0, 1.0) : 1.0;
    const std::int64_t pointer = FromMs() + static_cast<std::int64_t>(at * static_cast<double>(spanMs_));
    spanMs_ = std::clamp(static_cast<std::int64_t>(static_cast<double>(spanMs_) * std::pow(0.8, steps)), ShortestSpanMs,
                         LongestSpanMs);
    if (!live_ || at < 0.98) FixWindow(pointer + static_cast<std::int64_t>((1.0 - at) * static_cast<double>(spanMs_)));
    Refresh();
    event->accept();
}

void TrendChart::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QChartView::mousePressEvent(event);
    dragFrom_ = event->position().toPoint();
    dragEndMs_ = EndMs();
    event->accept();
}

void TrendChart::mouseMoveEvent(QMouseEvent* event)
{
    const double width = chart()->plotArea().width();
    if (!dragFrom_ || width <= 0) return QChartView::mouseMoveEvent(event);
    const double moved = (event->position().x() - dragFrom_->x()) / width;
    if (std::fabs(event->position().x() - dragFrom_->x()) < 3 && live_) return;
    FixWindow(dragEndMs_ - static_cast<std::int64_t>(moved * static_cast<double>(spanMs_)));
    Refresh();
    event->accept();
}

void TrendChart::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QChartView::mouseReleaseEvent(event);
    dragFrom_.reset();
    event->accept();
}

void TrendChart::changeEvent(QEvent* event)
{
    QChartView::changeEvent(event);
    if (event->type() == QEvent::FontChange) ApplyFont();
}

// The chart's texts in the window's font (the console's, with its built-in Song face).
void TrendChart::ApplyFont()
{
    QFont titles = font();
    titles.setBold(true);
    chart()->legend()->setFont(font());
    for (QAbstractAxis* axis : chart()->axes()) {
        axis->setLabelsFont(font());
        axis->setTitleFont(titles);
    }
}

// What the markers under the pointer stand for, with their time.
void TrendChart::ShowMarkerTip(const QPointF& point, bool entered)
{
    if (!entered) {
        QToolTip::hideText();
        return;
    }
    QStringList lines;
    for (const TrendMarker& marker : session_.History().Markers()) {
        if (std::fabs(ToAxis(marker.atMs) - point.x()) > 0.5) continue;
        const QString at = QString::fromStdString(session_.Clock().Iso8601(marker.atMs)).mid(11, 12);
        switch (marker.kind) {
        case TrendMarkerKind::RunCommand: lines << tr("%1 运行命令").arg(at); break;
        case TrendMarkerKind::StopCommand: lines << tr("%1 停止命令").arg(at); break;
        case TrendMarkerKind::MotorStarted: lines << tr("%1 电机运行").arg(at); break;
        case TrendMarkerKind::MotorStopped: lines << tr("%1 电机停止").arg(at); break;
        case TrendMarkerKind::AlarmRose: lines << tr("%1 警报位 %2 升起").arg(at).arg(marker.alarmBit); break;
        }
    }
    if (!lines.isEmpty()) QToolTip::showText(QCursor::pos(), lines.join(QLatin1Char('\n')), this);
}

void TrendChart::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal: ZoomBy(0.5); break;
    case Qt::Key_Minus: ZoomBy(2.0); break;
    case Qt::Key_Left: PanBy(-0.25); break;
    case Qt::Key_Right: PanBy(0.25); break;
    case Qt::Key_End: ShowLive(); break;
    default: return QChartView::keyPressEvent(event);
    }
    event->accept();
}
