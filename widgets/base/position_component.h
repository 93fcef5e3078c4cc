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
    double UpperValue = 0;
    double LowerValue = 0;
    TColor PointerColor = clRed;
    int PointerSize = 8;
};

class TiPositionComponent : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(double Position READ GetPosition WRITE SetPosition)
    Q_PROPERTY(double PositionMax READ GetPositionMax WRITE SetPositionMax)
    Q_PROPERTY(double PositionMin READ GetPositionMin WRITE SetPositionMin)
    Q_PROPERTY(double CurrentMax READ GetCurrentMax WRITE SetCurrentMax)
    Q_PROPERTY(double CurrentMin READ GetCurrentMin WRITE SetCurrentMin)
    Q_PROPERTY(bool MinMaxFixed READ MinMaxFixed WRITE SetMinMaxFixed)

public:
    explicit TiPositionComponent(QWidget* parent = nullptr);
    ~TiPositionComponent() override;

    TNotifyEvent OnPositionChange;
    TNotifyEvent OnPositionChangeUser;
    TNotifyEvent OnPositionChangeFinished;
    TNotifyEvent OnCurrentMaxChange;
    TNotifyEvent OnCurrentMinChange;
    TNotifyEvent OnPositionOverMax;
    TNotifyEvent OnPositionUnderMin;
    TIndexEvent OnPositionOverLimit;
    TIndexEvent OnPositionUnderLimit;

    virtual double GetPosition() const { return position_; }
    virtual void SetPosition(double value);
    virtual double GetPositionMax() const { return positionMax_; }
    virtual void SetPositionMax(double value);
    virtual double GetPositionMin() const { return positionMin_; }
    virtual void SetPositionMin(double value);
    double GetCurrentMax() const { return maxPointer_->Position(); }
    void SetCurrentMax(double value);
    double GetCurrentMin() const { return minPointer_->Position(); }
    void SetCurrentMin(double value);
    bool MinMaxFixed() const { return minMaxFixed_; }
    void SetMinMaxFixed(bool value);

    // Published by the subclasses that draw pointers. Showing a pointer may move the
    // rest of the picture (the thermometer centres tube, pointers and scale together),
    // so it rebuilds the static layer.
    bool ShowMaxPointer() const { return showMaxPointer_; }
    void SetShowMaxPointer(bool value) { SetProperty(value, showMaxPointer_, ickBackGround); }
    bool ShowMinPointer() const { return showMinPointer_; }
    void SetShowMinPointer(bool value) { SetProperty(value, showMinPointer_, ickBackGround); }
    int MinMaxPointerSize() const { return minMaxPointerSize_; }
    void SetMinMaxPointerSize(int value) { SetProperty(value, minMaxPointerSize_, ickBackGround); }
    int MinMaxPointerMargin() const { return minMaxPointerMargin_; }
    void SetMinMaxPointerMargin(int value) { SetProperty(value, minMaxPointerMargin_, ickBackGround); }
    TColor MaxPointerColor() const { return maxPointerColor_; }
    void SetMaxPointerColor(TColor value) { SetProperty(value, maxPointerColor_, ickInvalidate); }
    TColor MinPointerColor() const { return minPointerColor_; }
    void SetMinPointerColor(TColor value) { SetProperty(value, minPointerColor_, ickInvalidate); }
    bool MinMaxUserCanMove() const { return minMaxUserCanMove_; }
    void SetMinMaxUserCanMove(bool value) { SetProperty(value, minMaxUserCanMove_, ickStoreOnly); }

    TiGaugePointer& MaxPointer() { return *maxPointer_; }
    TiGaugePointer& MinPointer() { return *minPointer_; }

    // 0..1: 1 above PositionMax, the linear fraction between the bounds, else 0.
    double PositionFraction(double value) const;

    // Limits; an index out of range throws std::out_of_range("Limit Index out of bounds").
    int LimitCount() const { return static_cast<int>(limits_.size()); }
    const TiLimit& GetLimit(int index) const;
    double GetLimitUpperValue(int index) const { return GetLimit(index).UpperValue; }
    double GetLimitLowerValue(int index) const { return GetLimit(index).LowerValue; }

    bool IsUserChange() const { return userChange_; }
    bool IsPositionChanged() const { return positionChanged_; }
    // Position after its range.
    QStringList PropertiesLoadedLast() const override;

protected:
    // Marks the changes applied inside it as made by the user.
    class UserChangeScope : private ScopedFlag {
    public:
        explicit UserChangeScope(TiPositionComponent& c) : ScopedFlag(c.userChange_) {}
    };

    // Publishes the value to a data link; empty here.
    virtual void PublishPositionValue() {}
    virtual void DoPositionChange();
    void DoPositionChangeFinished();
    // Forgets an unreported change without reporting or publishing it (a new
    // drag reports only what it changes itself).
    void ClearPositionChanged() { positionChanged_ = false; }
    // Brings Position into PositionMin..PositionMax through SetPosition.
    virtual void ClampPosition();
    // Stores both bounds (no ordering enforced), re-clamps and rebuilds the picture.
    void SetRange(double min, double max);
    void SetUserChange(bool value) { userChange_ = value; }

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
