// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Base classes of every instrument widget: TiComponent -> TiVCLComponent ->
// TiCustomComponent (every widget derives from TiCustomComponent).
//
// How to write a widget
// ---------------------
// 1. Derive from TiCustomComponent (or TiPositionComponent / TiScaleComponent)
//    and implement PaintContent(TCanvas&). Draw in logical pixels; the canvas
//    belongs to an off-screen bitmap that the base copies to the window.
//    The contract:
//      if (CachedDrawing()) {
//          if (IsBackGroundChanged()) {
//              TCanvas& cache = GetCacheBitmap().Canvas();  // created/sized on demand
//              DrawBackground(cache, BackGroundColor());      // clears the flag
//              ...static elements (face, scale) on `cache`...
//              ClearBackGroundChanged();
//          }
//          DrawCacheBitmap(canvas);
//      } else {
//          DrawBackground(canvas, BackGroundColor());
//          ...static elements on `canvas`...
//      }
//      ...dynamic elements (pointer, value text, focus frame) on `canvas`...
//    A std::exception thrown from PaintContent is shown in the widget as white
//    text on black; it does not escape the paint.
// 2. Property setters: use the set-helper, e.g.
//      void SetActiveColor(TColor v) { SetProperty(v, FActiveColor, ickBackGround); }
//    They do nothing for an equal value (doubles compared exactly) and otherwise
//    store and request a repaint: ickInvalidate -> InvalidateChange() (dynamic
//    layer only; the cache stays valid), ickBackGround -> BackGroundChange()
//    (static layer rebuilt at the next paint), ickStoreOnly -> no repaint.
//    Use BackGroundChange for anything kept in the cache bitmap (background,
//    border, scale, face) and InvalidateChange for values drawn on top.
// 3. Published properties: declare Q_PROPERTY in the order the widget
//    publishes them. Properties of the base that the widget publishes (e.g.
//    BackGroundColor, BorderStyle, CachedDrawing, Transparent, OffsetX,
//    ShowDisabledState, Error*) are re-declared in the widget class with the
//    base's getter and setter:
//      Q_PROPERTY(TColorProperty BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
//    The property file writes them in meta-object order (base classes first).
//    A font property is a TFont* owned by the widget with READ only:
//      Q_PROPERTY(TFont* Font READ Font)
//    and its inner properties appear as "Font.Height", "Font.Color", ...; wire
//    its Changed() signal to InvalidateChange or BackGroundChange. Enumerations
//    are declared in widgets/base/types.h (Q_DECLARE_METATYPE) or with Q_ENUM, and
//    are written as decimal integers. Events are never Q_PROPERTYs.
// 4. Events: public std::function members (types in widgets/base/types.h):
//      TNotifyEvent OnChange;   // called as OnChange(this) when assigned
//    Fire no value event while IsLoading(). Value events follow: veto hook
//    (AskVetoHook("Position")), store, NotifyChangeHook("Position"), OnChange,
//    then the ...User variant only for user-made changes.
// 5. Input: override the User* hooks (UserMouseDown, UserMouseUp,
//    UserMouseMove, UserDoubleClick, UserKeyDown, UserKeyUp, UserKeyPress,
//    UserMouseWheel) and DoGotFocus/DoLostFocus (call the base version first).
//    Do not override Qt's mouse/key event handlers. IsUserInteraction() is true
//    while a hook runs. A widget that wants the focus on a click calls
//    setFocus() in its UserMouseDown. Exceptions thrown from mouse-button and
//    key hooks or the OnMouseDown/OnMouseUp/OnClick/OnKeyDown... handlers are
//    discarded. Mouse coordinates are logical widget pixels.
// 6. Set-up without events: wrap a widget's initial configuration in a
//    loading bracket (TiLoadingBracket or BeginLoading()/EndLoading()); inside
//    it IsLoading() is true and setters store raw values without events;
//    EndLoading() calls Loaded().
// 7. Constructor: set the widget's own defaults (resize(w, h), colours ...)
//    directly; the background-changed flag is already set, so the first paint
//    builds the static layer.

#include "platform/canvas/bitmap.h"
#include "platform/canvas/canvas.h"
#include "widgets/base/scoped_flag.h"
#include "widgets/base/types.h"
#include "widgets/base/update_object.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <type_traits>
#include <vector>

class TiComponent : public QWidget, public TiUpdateClient {
    Q_OBJECT
    // Published after Name (never written to the property file).
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int HelpContext READ HelpContext WRITE SetHelpContext)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool OptionSaveAllProperties READ OptionSaveAllProperties WRITE SetOptionSaveAllProperties)
    Q_PROPERTY(bool AutoFrameRate READ AutoFrameRate WRITE SetAutoFrameRate)
    Q_PROPERTY(int UpdateFrameRate READ UpdateFrameRate WRITE SetUpdateFrameRate)

public:
    explicit TiComponent(QWidget* parent = nullptr);
    ~TiComponent() override;

    // --- Events of the platform control ---
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // --- Internal hooks (no published property; for a data link) ---
    std::function<void(TObject* Sender, const QString& PropertyName)> ChangeHook;
    std::function<void(TObject* Sender, const QString& PropertyName, bool& Allow)> VetoHook;
    std::function<void(TObject* Sender, bool& Designing)> DesignStateHook;
    std::function<void(TObject* Sender, TCanvas& Canvas)> AfterPaintHook;

    // --- Platform control properties ---
    int Tag() const { return tag_; }
    void SetTag(int value) { tag_ = value; }
    int Left() const { return x(); }
    void SetLeft(int value) { SetBounds(value, Top(), Width(), Height()); }
    int Top() const { return y(); }
    void SetTop(int value) { SetBounds(Left(), value, Width(), Height()); }
    int Width() const { return width(); }
    void SetWidth(int value) { SetBounds(Left(), Top(), value, Height()); }
    int Height() const { return height(); }
    void SetHeight(int value) { SetBounds(Left(), Top(), Width(), value); }
    QString Hint() const { return toolTip(); }
    void SetHint(const QString& value) { setToolTip(value); }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }
    bool Visible() const { return !isHidden(); }
    void SetVisible(bool value) { setVisible(value); }
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool value) { setEnabled(value); }  // a change rebuilds the static layer
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }
    // Whether Tab moves the keyboard focus to the widget (off by default).
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool value) { setFocusPolicy(value ? Qt::TabFocus : Qt::NoFocus); }
    // Place in the Tab order among the parent's child widgets that take the focus
    // (-1 without a parent, or when the widget takes no focus).
    // Setting it moves the widget there (past the end: to the last place); a widget
    // without a parent keeps the place and takes it when it is placed.
    int TabOrder() const;
    void SetTabOrder(int value);
    // Moves and resizes; nothing happens when all four are unchanged.
    virtual void SetBounds(int left, int top, int width, int height);

    // --- Base state ---
    TColor BackGroundColor() const { return backGroundColor_; }
    virtual void SetBackGroundColor(TColor value);
    TBitmap* BackGroundPicture() const { return backGroundPicture_.get(); }
    void SetBackGroundPicture(const TBitmap* picture);  // copies; needs CreateBackGroundPicture()
    TiBevelStyle BorderStyle() const { return borderStyle_; }
    virtual void SetBorderStyle(TiBevelStyle value);
    bool CachedDrawing() const { return cachedDrawing_; }
    virtual void SetCachedDrawing(bool value);
    int UpdateFrameRate() const { return updateFrameRate_; }
    void SetUpdateFrameRate(int value);
    bool AutoFrameRate() const { return autoFrameRate_; }
    void SetAutoFrameRate(bool value);
    int OffsetX() const { return offsetX_; }
    void SetOffsetX(int value);
    int OffsetY() const { return offsetY_; }
    void SetOffsetY(int value);
    bool ShowDisabledState() const { return showDisabledState_; }
    void SetShowDisabledState(bool value);
    bool ErrorActive() const { return errorActive_; }
    void SetErrorActive(bool value);
    QString ErrorText() const { return errorText_; }
    void SetErrorText(const QString& value);
    TFont* ErrorFont() const { return errorFont_.get(); }
    void SetErrorFont(const TFont* value);  // copies the attributes
    TColor ErrorBackGroundColor() const { return errorBackGroundColor_; }
    void SetErrorBackGroundColor(TColor value);
    bool OptionSaveAllProperties() const { return optionSaveAllProperties_; }
    void SetOptionSaveAllProperties(bool value) { optionSaveAllProperties_ = value; }

    // --- Virtual operations ---
    virtual TPoint GetCenterPoint(TCanvas& canvas);
    virtual void DrawBackground(TCanvas& canvas, TColor color);
    virtual void DrawBorder(TCanvas& canvas);
    virtual bool IsRepeatTimerRunning() const = 0;
    virtual void StartRepeatTimer(int initialDelay, int repeatInterval) = 0;
    virtual void StopRepeatTimer() = 0;
    virtual bool OutputPropertyValue(const QString& propertyName, const QVariant& value);
    virtual void FullRepaint();
    virtual void BeginUpdate();
    virtual void EndUpdate();
    virtual void LockPaint() = 0;
    virtual void UnlockPaint() = 0;
    // Errors are thrown as std::runtime_error with the message
    // "Error Saving Properties - ..." / "Error Loading Properties - ...".
    virtual void SavePropertiesToFile(const QString& fileName);
    virtual void LoadPropertiesFromFile(const QString& fileName);
    // Properties that loading applies after all the other lines of a file: values
    // that depend on others (a position on its range, the size on an orientation).
    virtual QStringList PropertiesLoadedLast() const;

    // --- Repaint requests ---
    void InvalidateChange();
    void BackGroundChange();
    void RepaintNow() override;

    // --- Loading bracket ---
    void BeginLoading();
    void EndLoading();  // the outermost one calls Loaded()
    bool IsLoading() const { return loadingDepth_ > 0 || holdingBack_; }
    void SetHoldingBack(bool value) { holdingBack_ = value; }
    bool IsDesigning() const;

    // --- State readable by descendants and tests ---
    bool IsUserInteraction() const { return userInteraction_; }
    bool Focused() const { return focused_; }
    bool IsBackGroundChanged() const { return backGroundChanged_; }
    bool IsUpdateBracketOpen() const override { return updating_; }
    bool IsRepaintPending() const override { return repaintPending_; }
    int GetUpdateFrameRate() const override { return updateFrameRate_; }
    double GetLastRepaintTime() const override { return lastRepaintTime_; }
    TBitmap* CacheBitmapIfAny() const { return cacheBitmap_.get(); }

    TPoint PolarToScreenPoint(TPoint center, double angleDegrees, double radius) const;

protected:
    // --- Hooks for descendants ---
    virtual void DoGotFocus();
    virtual void DoLostFocus();
    // Set `result` to claim a key that dialog navigation would take: the arrow
    // keys, and Tab and Backtab, which otherwise move the focus on.
    virtual void DoWantSpecialKey(int& charCode, bool& result);
    virtual void UserKeyUp(int& key, TShiftState shift);
    virtual void UserKeyDown(int& key, TShiftState shift);
    virtual void UserKeyPress(QChar& key);
    virtual void UserMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void UserMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void UserMouseMove(TShiftState shift, int x, int y);
    virtual void UserDoubleClick();
    virtual bool UserMouseWheel(int wheelDelta, TShiftState shift, TPoint mousePos);
    // Ends a press or drag whose release was cut short (its OnClick raised), without
    // the release's own handling and events: nothing may stay pressed or dragging.
    virtual void CancelMouseInteraction() {}
    virtual void PaintContent(TCanvas& canvas) = 0;
    // Called by the outermost EndLoading().
    virtual void Loaded() {}

    // --- Set-helper: returns true when the value changed ---
    template <typename T> bool SetProperty(const std::type_identity_t<T>& value, T& field, int changeKind)
    {
        if (field == value)
            return false;
        field = value;
        RepaintAfterChange(changeKind);
        return true;
    }

    // --- Cache bitmap ---
    void EnsureCacheBitmap();
    TBitmap& GetCacheBitmap();
    void DrawCacheBitmap(TCanvas& canvas);
    void ClearBackGroundChanged() { backGroundChanged_ = false; }
    // Marks the static layer stale without requesting a repaint.
    void MarkBackGroundChanged() { backGroundChanged_ = true; }
    // Called at the start of every paint, before PaintContent.
    virtual void PrepareForPaint() {}
    void CreateBackGroundPicture();

    // --- Value-event helpers ---
    bool AskVetoHook(const QString& propertyName);  // true when allowed
    // Tells the change hook, then assistive technology (NotifyAccessibleChange).
    void NotifyChangeHook(const QString& propertyName);
    // Tells assistive technology that the shown property changed: a number as a value
    // change, a boolean as a change of the checked state, the caption as a change of the
    // name (unless the window named the widget). Nothing is done while none is active,
    // nor while the widget is loading.
    void NotifyAccessibleChange(const QString& propertyName);

    // Throttled repaint (AutoFrameRate) used by requests and EndUpdate.
    void ThrottledRepaint();

    // --- Qt integration ---
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool event(QEvent* event) override;

    // Called on resize and move (TiVCLComponent requests a transparency capture).
    virtual void BoundsChanged(bool resized);
    // Paints the whole widget into `target` (logical size Width x Height).
    void PaintPipeline(QImage& target);

    // Marks what runs inside it as the user's interaction.
    class UserInteractionScope : private ScopedFlag {
    public:
        explicit UserInteractionScope(TiComponent& c) : ScopedFlag(c.userInteraction_) {}
    };

private:
    void RepaintAfterChange(int changeKind);
    // Whether DoWantSpecialKey claims `key` for the widget.
    bool WantsKey(int key);
    void ApplyTabOrder();
    void DispatchMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void DispatchMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    void FireClick();
    void DispatchKeyDown(int& key, TShiftState shift);
    void DispatchKeyUp(int& key, TShiftState shift);
    void DispatchKeyPress(QChar& key);
    void ShowPaintError(TCanvas& canvas, const QString& message);
    void RequestRepaint();

    int tag_ = 0;
    int helpContext_ = 0;
    int requestedTabOrder_ = -1;
    bool showHint_ = false;
    TColor backGroundColor_;
    std::unique_ptr<TBitmap> backGroundPicture_;
    TiBevelStyle borderStyle_ = ibsNone;
    bool cachedDrawing_ = true;
    int updateFrameRate_ = 60;
    bool autoFrameRate_ = false;
    int offsetX_ = 0;
    int offsetY_ = 0;
    bool showDisabledState_ = false;
    bool errorActive_ = false;
    QString errorText_;
    std::unique_ptr<TFont> errorFont_;
    TColor errorBackGroundColor_ = clBlack;
    bool optionSaveAllProperties_ = false;
    bool backGroundChanged_ = true;
    bool repaintPending_ = false;
    bool updating_ = false;
    double lastRepaintTime_ = 0;
    bool userInteraction_ = false;
    bool focused_ = false;
    bool holdingBack_ = false;
    int loadingDepth_ = 0;
    bool clicked_ = false;
    std::unique_ptr<TBitmap> cacheBitmap_;
};

class TiVCLComponent : public TiComponent {
    Q_OBJECT

public:
    explicit TiVCLComponent(QWidget* parent = nullptr);
    ~TiVCLComponent() override;

    // OPC interface points (no OPC library behind them in this build).
    TIndexEvent OnNewOPCData;
    TOPCBeforeDataEvent OnBeforeNewOPCData;
    // Internal, unpublished.
    TNotifyEvent OnRepeatTimer;

    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);

    bool IsRepeatTimerRunning() const override;
    void StartRepeatTimer(int initialDelay, int repeatInterval) override;
    void StopRepeatTimer() override;
    void LockPaint() override;
    void UnlockPaint() override;
    void FullRepaint() override;
    void DrawBackground(TCanvas& canvas, TColor color) override;
    bool OutputPropertyValue(const QString& propertyName, const QVariant& value) override;

    // Incoming data for the item `itemIndex` bound to `propertyName`: runs
    // OnBeforeNewOPCData, ApplyOPCValue or the generic property assignment (when
    // the item is enabled), then OnNewOPCData.
    void ReceiveOPCData(int itemIndex, const QString& propertyName, QVariant data, bool itemEnabled = true);
    int OPCItemCount() const { return 0; }
    // Names of the widget's special OPC properties (FillOPCPropertyNames).
    const QStringList& OPCPropertyNames() const;

    bool IsCaptureNeeded() const { return captureNeeded_; }
    TBitmap* TransparencyBitmap() const { return transparencyBitmap_.get(); }

protected:
    virtual bool ApplyOPCValue(const QString& propertyName, QVariant& data);
    virtual void FillOPCPropertyNames(QStringList& names);
    void RequestCapture();
    void BoundsChanged(bool resized) override;
    // A capture that failed is retried: the static layer is rebuilt.
    void PrepareForPaint() override;

private:
    void CaptureParent();
    bool IsPointUncovered(QPoint point) const;
    void RepeatTimerTick();

    bool transparent_ = false;
    std::unique_ptr<TBitmap> transparencyBitmap_;
    bool captureNeeded_ = false;
    std::recursive_mutex paintLock_;
    bool destroying_ = false;
    QStringList opcPropertyNames_;
    QStringList opcWritablePropertyNames_;
    bool opcApplyInProgress_ = false;
    QTimer repeatTimer_;
    int repeatTimerId_ = 0;
    int repeatInterval_ = 0;
    bool firstShot_ = false;
};

class TiCustomComponent : public TiVCLComponent {
    Q_OBJECT

public:
    explicit TiCustomComponent(QWidget* parent = nullptr) : TiVCLComponent(parent) {}
};

// Loading bracket for a form's set-up: BeginLoading() on each widget now,
// EndLoading() (and so Loaded()) on each when it ends.
class TiLoadingBracket {
public:
    TiLoadingBracket(std::initializer_list<TiComponent*> widgets);
    explicit TiLoadingBracket(std::vector<TiComponent*> widgets);
    ~TiLoadingBracket();
    TiLoadingBracket(const TiLoadingBracket&) = delete;
    TiLoadingBracket& operator=(const TiLoadingBracket&) = delete;

private:
    std::vector<QPointer<TiComponent>> widgets_;
};
