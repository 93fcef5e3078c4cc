// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trend's chart (Qt Charts): output (%), current (A) and temperature (°C) against
// wall-clock time, the markers above them, and optionally one start record drawn over the
// live trend, its start laid on the latest record's start. It shows a time window: live
// (the last span up to the newest sample) or fixed where the operator zoomed or panned to.
// The wheel zooms the time axis around the pointer, dragging pans it; + and - zoom, the
// arrow keys pan, End goes back to live.

#include "app/trend/start_record.h"
#include "app/trend/trend_session.h"

#include <QChartView>

#include <cstdint>
#include <optional>

class QDateTimeAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

class TrendChart : public QChartView {
    Q_OBJECT

public:
    static constexpr std::int64_t DefaultSpanMs = 120'000;
    static constexpr std::int64_t ShortestSpanMs = 5'000;
    static constexpr std::int64_t LongestSpanMs = 24 * 3'600'000LL;

    explicit TrendChart(const TrendSession& session, QWidget* parent = nullptr);

    // Draws the samples and markers of the window shown now.
    void Refresh();

    void ZoomBy(double factor);              // < 1 zooms in, around the window's middle
    void PanBy(double fractionOfSpan);       // > 0 later
    void ShowLive();
    void ShowAll();
    bool Live() const { return live_; }
    // The window shown, in the link's monotonic milliseconds.
    std::int64_t FromMs() const { return EndMs() - spanMs_; }
    std::int64_t EndMs() const;

    // Draws this record (a copy) over the trend; empty removes it.
    void SetOverlay(const std::optional<StartRecord>& record);
    const std::optional<StartRecord>& Overlay() const { return overlay_; }

    // Points drawn by each of the three quantities (tests).
    int PointsDrawn() const;

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ApplyFont();
    void ShowMarkerTip(const QPointF& point, bool entered);
    void BuildSeries();
    void FixWindow(std::int64_t endMs);
    void FillQuantities(std::int64_t fromMs, std::int64_t toMs);
    void FillMarkers(std::int64_t fromMs, std::int64_t toMs);
    void FillOverlay(std::int64_t fromMs, std::int64_t toMs);
    void ScaleValueAxes();
    double ToAxis(std::int64_t monotonicMs) const;

    const TrendSession& session_;
    bool live_ = true;
    std::int64_t spanMs_ = DefaultSpanMs;
    std::int64_t fixedEndMs_ = 0;
    std::optional<StartRecord> overlay_;
    std::optional<QPoint> dragFrom_;
    std::int64_t dragEndMs_ = 0;

    QDateTimeAxis* timeAxis_ = nullptr;
    QValueAxis* outputAxis_ = nullptr;
    QValueAxis* currentAxis_ = nullptr;
    QValueAxis* temperatureAxis_ = nullptr;
    QLineSeries* output_ = nullptr;
    QLineSeries* current_ = nullptr;
    QLineSeries* temperature_ = nullptr;
    QLineSeries* overlayOutput_ = nullptr;
    QLineSeries* overlayCurrent_ = nullptr;
    QLineSeries* overlayTemperature_ = nullptr;
    QScatterSeries* runCommands_ = nullptr;
    QScatterSeries* stopCommands_ = nullptr;
    QScatterSeries* runChanges_ = nullptr;
    QScatterSeries* alarms_ = nullptr;
};
