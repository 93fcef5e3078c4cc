// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Base of every widget that shows or sets one value on a range: Position,
// PositionMin, PositionMax, the running CurrentMin/CurrentMax, and the event
// protocol that tells program changes from user changes.
//
// A widget applying a user's change wraps it in a UserChangeScope, so
// OnPositionChangeUser fires and publishing waits for DoPositionChangeFinished().

#include "widgets/base/component.h"
#include "widgets/base/gauge_pointer.h"

#include <memory>
#include <vector>

// A limit band; nothing in the console adds limits.
struct TiLimit {
    double UpperValue = 0;  // upper bound of the band
    double LowerValue = 0;  // lower bound of the band
    TColor PointerColor = clRed;  // colour of the band's pointer
    int PointerSize = 8;  // size of the band's pointer in pixels
};

// A widget that shows or sets one value, Position, on the range PositionMin..PositionMax, and keeps the running minimum and maximum.
class TiPositionComponent : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(double Position READ GetPosition WRITE SetPosition)
    Q_PROPERTY(double PositionMax READ GetPositionMax WRITE SetPositionMax)
    Q_PROPERTY(double PositionMin READ GetPositionMin WRITE SetPositionMin)
    Q_PROPERTY(double CurrentMax READ GetCurrentMax WRITE SetCurrentMax)
    Q_PROPERTY(double CurrentMin READ GetCurrentMin WRITE SetCurrentMin)
    Q_PROPERTY(bool MinMaxFixed READ MinMaxFixed WRITE SetMinMaxFixed)

public:
    explicit TiPositionComponent(QWidget* parent = nullptr);  // creates it with the range 0..100 and Position 0
    ~TiPositionComponent() override;

    TNotifyEvent OnPositionChange;  // Position changed (by the program or the user)
    TNotifyEvent OnPositionChangeUser;  // Position changed by the user
    TNotifyEvent OnPositionChangeFinished;  // a user's change ended (the drag or key released)
    TNotifyEvent OnCurrentMaxChange;  // CurrentMax changed
    TNotifyEvent OnCurrentMinChange;  // CurrentMin changed
    TNotifyEvent OnPositionOverMax;  // Position went above CurrentMax
    TNotifyEvent OnPositionUnderMin;  // Position went below CurrentMin
    TIndexEvent OnPositionOverLimit;  // Position went above the limit band Index
    TIndexEvent OnPositionUnderLimit;  // Position went below the limit band Index

    // The value shown, within PositionMin..PositionMax; a change repaints only and fires OnPositionChange.
    virtual double GetPosition() const { return position_; }
    virtual void SetPosition(double value);  // clamped to the range (NaN gives PositionMin); raw while loading
    virtual double GetPositionMax() const { return positionMax_; }  // upper end of the range; a change clamps Position and rebuilds the cached picture
    virtual void SetPositionMax(double value);  // a bound that is not finite is ignored
    virtual double GetPositionMin() const { return positionMin_; }  // lower end of the range; a change clamps Position and rebuilds the cached picture
    virtual void SetPositionMin(double value);  // a bound that is not finite is ignored
    double GetCurrentMax() const { return maxPointer_->Position(); }  // the highest Position seen (the maximum marker); kept within the range
    void SetCurrentMax(double value);  // clamped to the range; repaints when the marker is shown
    double GetCurrentMin() const { return minPointer_->Position(); }  // the lowest Position seen (the minimum marker); kept within the range
    void SetCurrentMin(double value);  // clamped to the range; repaints when the marker is shown
    bool MinMaxFixed() const { return minMaxFixed_; }  // whether CurrentMin and CurrentMax stay where they are instead of following Position
    void SetMinMaxFixed(bool value);  // repaints only

    // Whether the maximum marker (CurrentMax) is drawn. Published by the subclasses that
    // draw pointers. Showing a pointer may move the rest of the picture (the thermometer
    // centres tube, pointers and scale together), so it rebuilds the static layer.
    bool ShowMaxPointer() const { return showMaxPointer_; }
    void SetShowMaxPointer(bool value) { SetProperty(value, showMaxPointer_, ickBackGround); }  // rebuilds the cached picture
    bool ShowMinPointer() const { return showMinPointer_; }  // whether the minimum marker (CurrentMin) is drawn; a change rebuilds the cached picture
    void SetShowMinPointer(bool value) { SetProperty(value, showMinPointer_, ickBackGround); }  // rebuilds the cached picture
    int MinMaxPointerSize() const { return minMaxPointerSize_; }  // size of the minimum and maximum markers in pixels; a change rebuilds the cached picture
    void SetMinMaxPointerSize(int value) { SetProperty(value, minMaxPointerSize_, ickBackGround); }  // rebuilds the cached picture
    int MinMaxPointerMargin() const { return minMaxPointerMargin_; }  // pixels between the markers and the tube or bar; a change rebuilds the cached picture
    void SetMinMaxPointerMargin(int value) { SetProperty(value, minMaxPointerMargin_, ickBackGround); }  // rebuilds the cached picture
    TColor MaxPointerColor() const { return maxPointerColor_; }  // colour of the maximum marker; a change repaints only
    void SetMaxPointerColor(TColor value) { SetProperty(value, maxPointerColor_, ickInvalidate); }  // repaints only
    TColor MinPointerColor() const { return minPointerColor_; }  // colour of the minimum marker; a change repaints only
    void SetMinPointerColor(TColor value) { SetProperty(value, minPointerColor_, ickInvalidate); }  // repaints only
    bool MinMaxUserCanMove() const { return minMaxUserCanMove_; }  // whether the user may drag the minimum and maximum markers
    void SetMinMaxUserCanMove(bool value) { SetProperty(value, minMaxUserCanMove_, ickStoreOnly); }  // stored only

    TiGaugePointer& MaxPointer() { return *maxPointer_; }  // the maximum marker
    TiGaugePointer& MinPointer() { return *minPointer_; }  // the minimum marker

    // 0..1: 1 above PositionMax, the linear fraction between the bounds, else 0.
    double PositionFraction(double value) const;

    // Limits; an index out of range throws std::out_of_range("Limit Index out of bounds").
    int LimitCount() const { return static_cast<int>(limits_.size()); }  // number of limit bands (0 in the console)
    const TiLimit& GetLimit(int index) const;  // the limit band at `index`
    double GetLimitUpperValue(int index) const { return GetLimit(index).UpperValue; }  // the band's upper bound
    double GetLimitLowerValue(int index) const { return GetLimit(index).LowerValue; }  // the band's lower bound

    bool IsUserChange() const { return userChange_; }  // whether the change being applied is the user's
    bool IsPositionChanged() const { return positionChanged_; }  // whether a change of Position is not reported as finished yet
    // Position after its range.
    QStringList PropertiesLoadedLast() const override;

protected:
    // Marks the changes applied inside it as made by the user.
    class UserChangeScope : private ScopedFlag {
    public:
        explicit UserChangeScope(TiPositionComponent& c) : ScopedFlag(c.userChange_) {}  // marks the changes as the user's until the scope ends
    };

    // Publishes the value to a data link; empty here.
    virtual void PublishPositionValue() {}
    // Tells the change hook and fires OnPositionChange (and OnPositionChangeUser for a user's change).
    virtual void DoPositionChange();
    // Publishes a user's change and fires OnPositionChangeFinished once it ended.
    void DoPositionChangeFinished();
    // Forgets an unreported change without reporting or publishing it (a new
    // drag reports only what it changes itself).
    void ClearPositionChanged() { positionChanged_ = false; }
    // Brings Position into PositionMin..PositionMax through SetPosition.
    virtual void ClampPosition();
    // Stores both bounds (no ordering enforced), re-clamps and rebuilds the picture.
    void SetRange(double min, double max);
    void SetUserChange(bool value) { userChange_ = value; }  // marks the following changes as the user's or not

private:
    void UpdateRunningMinMax(double value);
    bool StoreRunningLimit(TiGaugePointer& pointer, bool shown, double value);

    double position_ = 0;
    double positionMax_ = 100;
    double positionMin_ = 0;
    std::unique_ptr<TiGaugePointer> maxPointer_;
    std::unique_ptr<TiGaugePointer> minPointer_;
    bool minMaxFixed_ = false;
    bool showMaxPointer_ = false;
    bool showMinPointer_ = false;
    int minMaxPointerSize_ = 8;
    int minMaxPointerMargin_ = 0;
    TColor maxPointerColor_ = 0xFFFF00;
    TColor minPointerColor_ = 0x00FFFF;
    bool minMaxUserCanMove_ = false;
    std::vector<TiLimit> limits_;
    bool positionChanged_ = false;
    bool userChange_ = false;
};
