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
    // Creates the widget with the static layer marked stale, so the first paint builds it.
    explicit TiComponent(QWidget* parent = nullptr);
    ~TiComponent() override;

    // --- Events of the platform control ---
    TNotifyEvent OnClick;  // called after a click
    TNotifyEvent OnDblClick;  // called after a double click
    TMouseEvent OnMouseDown;  // called when a mouse button is pressed (logical pixels)
    TMouseMoveEvent OnMouseMove;  // called when the mouse moves over the widget
    TMouseEvent OnMouseUp;  // called when a mouse button is released
    TKeyEvent OnKeyDown;  // called when a key is pressed while the widget has the focus
    TKeyPressEvent OnKeyPress;  // called with the character a key press types
    TKeyEvent OnKeyUp;  // called when a key is released
    TNotifyEvent OnEnter;  // called when the widget gets the keyboard focus
    TNotifyEvent OnExit;  // called when the widget loses the keyboard focus

    // --- Internal hooks (no published property; for a data link) ---
    std::function<void(TObject* Sender, const QString& PropertyName)> ChangeHook;  // told the name of a value property after it changed
    std::function<void(TObject* Sender, const QString& PropertyName, bool& Allow)> VetoHook;  // asked before a value property changes; clearing Allow refuses the change
    std::function<void(TObject* Sender, bool& Designing)> DesignStateHook;  // answers IsDesigning()
    std::function<void(TObject* Sender, TCanvas& Canvas)> AfterPaintHook;  // called at the end of every paint with the widget's canvas

    // --- Platform control properties ---
    int Tag() const { return tag_; }  // a number free for the program's own use; not drawn
    void SetTag(int value) { tag_ = value; }  // stored only
    // Position and size in logical pixels, relative to the parent; setting one moves or
    // resizes the widget.
    int Left() const { return x(); }
    void SetLeft(int value) { SetBounds(value, Top(), Width(), Height()); }  // moves the widget
    int Top() const { return y(); }  // top edge in the parent, logical pixels
    void SetTop(int value) { SetBounds(Left(), value, Width(), Height()); }  // moves the widget
    int Width() const { return width(); }  // width in logical pixels
    void SetWidth(int value) { SetBounds(Left(), Top(), value, Height()); }  // resizes the widget
    int Height() const { return height(); }  // height in logical pixels
    void SetHeight(int value) { SetBounds(Left(), Top(), Width(), value); }  // resizes the widget
    // The tool tip text.
    QString Hint() const { return toolTip(); }
    void SetHint(const QString& value) { setToolTip(value); }  // sets the tool tip
    int HelpContext() const { return helpContext_; }  // a help topic number for the program's own use; not drawn
    void SetHelpContext(int value) { helpContext_ = value; }  // stored only
    bool Visible() const { return !isHidden(); }  // whether the widget is shown (not hidden)
    void SetVisible(bool value) { setVisible(value); }  // shows or hides the widget
    bool Enabled() const { return isEnabled(); }  // whether the widget takes input; ShowDisabledState decides whether a disabled widget looks different
    void SetEnabled(bool value) { setEnabled(value); }  // a change rebuilds the static layer
    bool ShowHint() const { return showHint_; }  // stored for the program's use; the tool tip shows whenever Hint is set
    void SetShowHint(bool value) { showHint_ = value; }  // stored only
    // Whether Tab moves the keyboard focus to the widget (off in the base; the widgets that
    // take input turn it on).
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool value) { setFocusPolicy(value ? Qt::TabFocus : Qt::NoFocus); }  // sets the focus policy (Tab focus or none)
    // Place in the Tab order among the parent's child widgets that take the focus
    // (-1 without a parent, or when the widget takes no focus).
    // Setting it moves the widget there (past the end: to the last place); a widget
    // without a parent keeps the place and takes it when it is placed.
    int TabOrder() const;
    void SetTabOrder(int value);  // moves the widget in the Tab order
    // Moves and resizes; nothing happens when all four are unchanged.
    virtual void SetBounds(int left, int top, int width, int height);

    // --- Base state ---
    // Colour of the background behind the drawing (unless Transparent); a change rebuilds the cached picture.
    TColor BackGroundColor() const { return backGroundColor_; }
    virtual void SetBackGroundColor(TColor value);  // rebuilds the cached picture
    // A picture stretched over the whole widget in place of BackGroundColor while it is not
    // empty; nullptr until a descendant's CreateBackGroundPicture() or the setter made it.
    TBitmap* BackGroundPicture() const { return backGroundPicture_.get(); }
    void SetBackGroundPicture(const TBitmap* picture);  // copies; needs CreateBackGroundPicture()
    // The bevelled border drawn around the widget; a change rebuilds the cached picture.
    TiBevelStyle BorderStyle() const { return borderStyle_; }
    virtual void SetBorderStyle(TiBevelStyle value);  // rebuilds the cached picture
    // Whether the static layer is kept in a cache bitmap (on by default); off, every paint
    // draws everything and the cache is freed.
    bool CachedDrawing() const { return cachedDrawing_; }
    virtual void SetCachedDrawing(bool value);  // rebuilds the picture at the next paint
    // The most repaints per second while AutoFrameRate is on (0: no limit).
    int UpdateFrameRate() const { return updateFrameRate_; }
    void SetUpdateFrameRate(int value);  // a change rebuilds the cached picture
    // Whether repaint requests are throttled to UpdateFrameRate (off by default: every change repaints).
    bool AutoFrameRate() const { return autoFrameRate_; }
    void SetAutoFrameRate(bool value);  // turning it off paints what is pending
    // Horizontal shift in pixels of the drawing's centre (GetCenterPoint) and of the
    // thermometer's tube; a change rebuilds the cached picture.
    int OffsetX() const { return offsetX_; }
    void SetOffsetX(int value);  // rebuilds the cached picture
    // Vertical shift in pixels of the drawing's centre (GetCenterPoint); a change rebuilds
    // the cached picture.
    int OffsetY() const { return offsetY_; }
    void SetOffsetY(int value);  // rebuilds the cached picture
    // Whether a disabled widget is drawn greyed (off by default: it looks as when
    // enabled); a change rebuilds the cached picture.
    bool ShowDisabledState() const { return showDisabledState_; }
    void SetShowDisabledState(bool value);  // rebuilds the cached picture
    // Whether the widget shows ErrorText on ErrorBackGroundColor instead of its value
    // (the numeric display and field); a change rebuilds the cached picture.
    bool ErrorActive() const { return errorActive_; }
    void SetErrorActive(bool value);  // rebuilds the cached picture
    // The text shown while ErrorActive is on.
    QString ErrorText() const { return errorText_; }
    void SetErrorText(const QString& value);  // rebuilds the cached picture
    // Font of ErrorText, owned by the widget.
    TFont* ErrorFont() const { return errorFont_.get(); }
    void SetErrorFont(const TFont* value);  // copies the attributes
    // Background colour while ErrorActive is on (black by default).
    TColor ErrorBackGroundColor() const { return errorBackGroundColor_; }
    void SetErrorBackGroundColor(TColor value);  // rebuilds the cached picture
    // Whether the property file gets every property, not only those that differ from the defaults.
    bool OptionSaveAllProperties() const { return optionSaveAllProperties_; }
    void SetOptionSaveAllProperties(bool value) { optionSaveAllProperties_ = value; }  // stored only

    // --- Virtual operations ---
    // The widget's centre shifted by OffsetX and OffsetY.
    virtual TPoint GetCenterPoint(TCanvas& canvas);
    // Fills the widget with `color`, or stretches BackGroundPicture over it; a Transparent
    // widget shows its captured parent instead.
    virtual void DrawBackground(TCanvas& canvas, TColor color);
    // Draws the BorderStyle frame.
    virtual void DrawBorder(TCanvas& canvas);
    virtual bool IsRepeatTimerRunning() const = 0;  // whether the auto-repeat timer (held buttons, keys) runs
    virtual void StartRepeatTimer(int initialDelay, int repeatInterval) = 0;  // starts auto-repeat: first tick after initialDelay ms, then every repeatInterval ms
    virtual void StopRepeatTimer() = 0;  // stops auto-repeat
    // Sends a value the user changed to the data link bound to `propertyName`; false when none takes it.
    virtual bool OutputPropertyValue(const QString& propertyName, const QVariant& value);
    // Marks the static layer stale and requests a repaint (a transparent widget also
    // captures its parent again).
    virtual void FullRepaint();
    // Opens an update bracket: repaints requested inside it wait until the matching EndUpdate().
    virtual void BeginUpdate();
    virtual void EndUpdate();  // closes the bracket and paints what was requested in it
    virtual void LockPaint() = 0;  // holds painting back from other threads until UnlockPaint()
    virtual void UnlockPaint() = 0;  // releases LockPaint()
    // Errors are thrown as std::runtime_error with the message
    // "Error Saving Properties - ..." / "Error Loading Properties - ...".
    virtual void SavePropertiesToFile(const QString& fileName);
    // Reads a property file inside a loading bracket (see SavePropertiesToFile).
    virtual void LoadPropertiesFromFile(const QString& fileName);
    // Properties that loading applies after all the other lines of a file: values
    // that depend on others (a position on its range, the size on an orientation).
    virtual QStringList PropertiesLoadedLast() const;

    // --- Repaint requests ---
    // Requests a repaint of the dynamic layer; the cache stays valid.
    void InvalidateChange();
    // Marks the static layer stale and requests a repaint: the cache is rebuilt at the next paint.
    void BackGroundChange();
    void RepaintNow() override;  // schedules the pending paint now, without throttling

    // --- Loading bracket ---
    // Opens a loading bracket: setters store raw values and fire no events until the matching EndLoading().
    void BeginLoading();
    void EndLoading();  // the outermost one calls Loaded()
    // Whether a loading bracket is open (or the widget is held back).
    bool IsLoading() const { return loadingDepth_ > 0 || holdingBack_; }
    void SetHoldingBack(bool value) { holdingBack_ = value; }  // holds the widget in the loading state without a bracket
    bool IsDesigning() const;  // whether DesignStateHook reports a form designer

    // --- State readable by descendants and tests ---
    // Whether a user input hook is running (a change now is the user's).
    bool IsUserInteraction() const { return userInteraction_; }
    bool Focused() const { return focused_; }  // whether the widget has the keyboard focus
    bool IsBackGroundChanged() const { return backGroundChanged_; }  // whether the static layer must be rebuilt at the next paint
    bool IsUpdateBracketOpen() const override { return updating_; }  // whether BeginUpdate() is open
    bool IsRepaintPending() const override { return repaintPending_; }  // whether a requested repaint has not happened yet
    int GetUpdateFrameRate() const override { return updateFrameRate_; }  // UpdateFrameRate, for the update scheduler
    double GetLastRepaintTime() const override { return lastRepaintTime_; }  // time of the last paint, in days (the clock's unit)
    TBitmap* CacheBitmapIfAny() const { return cacheBitmap_.get(); }  // the cache bitmap, nullptr before the first cached paint

    // The point at `radius` pixels from `center` in the direction `angleDegrees` (0 right, counter-clockwise positive).
    TPoint PolarToScreenPoint(TPoint center, double angleDegrees, double radius) const;

protected:
    // --- Hooks for descendants ---
    // Called when the widget gets the keyboard focus.
    virtual void DoGotFocus();
    virtual void DoLostFocus();  // called when the widget loses the keyboard focus
    // Set `result` to claim a key that dialog navigation would take: the arrow
    // keys, and Tab and Backtab, which otherwise move the focus on.
    virtual void DoWantSpecialKey(int& charCode, bool& result);
    virtual void UserKeyUp(int& key, TShiftState shift);  // a key was released while the widget had the focus
    virtual void UserKeyDown(int& key, TShiftState shift);  // a key was pressed while the widget has the focus
    virtual void UserKeyPress(QChar& key);  // a character was typed
    virtual void UserMouseDown(TMouseButton button, TShiftState shift, int x, int y);  // a mouse button was pressed at (x, y)
    virtual void UserMouseUp(TMouseButton button, TShiftState shift, int x, int y);  // a mouse button was released at (x, y)
    virtual void UserMouseMove(TShiftState shift, int x, int y);  // the mouse moved to (x, y)
    virtual void UserDoubleClick();  // a double click
    virtual bool UserMouseWheel(int wheelDelta, TShiftState shift, TPoint mousePos);  // a wheel turn (120 a notch); true when handled
    // Ends a press or drag whose release was cut short (its OnClick raised), without
    // the release's own handling and events: nothing may stay pressed or dragging.
    virtual void CancelMouseInteraction() {}
    // Paints the widget: copies or rebuilds the static layer, then draws the dynamic layer.
    virtual void PaintContent(TCanvas& canvas) = 0;
    // Called by the outermost EndLoading().
    virtual void Loaded() {}

    // --- Set-helper: returns true when the value changed ---
    // Stores `value` in `field` unless it is equal and requests the repaint `changeKind`
    // names (ickInvalidate, ickBackGround or ickStoreOnly); true when the value changed.
    template <typename T> bool SetProperty(const std::type_identity_t<T>& value, T& field, int changeKind)
    {
        if (field == value)
            return false;
        field = value;
        RepaintAfterChange(changeKind);
        return true;
    }

    // --- Cache bitmap ---
    // Creates the cache bitmap or resizes it to the widget and the screen's pixel ratio.
    void EnsureCacheBitmap();
    TBitmap& GetCacheBitmap();  // the cache bitmap, created on demand
    void DrawCacheBitmap(TCanvas& canvas);  // copies the cache bitmap onto `canvas`
    void ClearBackGroundChanged() { backGroundChanged_ = false; }  // marks the static layer as rebuilt
    // Marks the static layer stale without requesting a repaint.
    void MarkBackGroundChanged() { backGroundChanged_ = true; }
    // Called at the start of every paint, before PaintContent.
    virtual void PrepareForPaint() {}
    void CreateBackGroundPicture();  // creates the empty BackGroundPicture

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
    void paintEvent(QPaintEvent* event) override;  // paints through PaintPipeline() and copies the picture to the window
    void mousePressEvent(QMouseEvent* event) override;  // routed to the hooks above
    void mouseReleaseEvent(QMouseEvent* event) override;  // routed to the hooks above
    void mouseMoveEvent(QMouseEvent* event) override;  // routed to the hooks above
    void mouseDoubleClickEvent(QMouseEvent* event) override;  // routed to the hooks above
    void keyPressEvent(QKeyEvent* event) override;  // routed to the hooks above
    void keyReleaseEvent(QKeyEvent* event) override;  // routed to the hooks above
    void wheelEvent(QWheelEvent* event) override;  // routed to the hooks above
    void focusInEvent(QFocusEvent* event) override;  // routed to the hooks above
    void focusOutEvent(QFocusEvent* event) override;  // routed to the hooks above
    void changeEvent(QEvent* event) override;  // rebuilds the picture when the enabled state, palette or style changes
    void resizeEvent(QResizeEvent* event) override;  // calls BoundsChanged(true)
    void moveEvent(QMoveEvent* event) override;  // calls BoundsChanged(false)
    bool event(QEvent* event) override;  // claims the keys DoWantSpecialKey wants

    // Called on resize and move (TiVCLComponent requests a transparency capture).
    virtual void BoundsChanged(bool resized);
    // Paints the whole widget into `target` (logical size Width x Height).
    void PaintPipeline(QImage& target);

    // Marks what runs inside it as the user's interaction.
    class UserInteractionScope : private ScopedFlag {
    public:
        explicit UserInteractionScope(TiComponent& c) : ScopedFlag(c.userInteraction_) {}  // marks the user's interaction until the scope ends
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

// Adds transparency (the parent captured behind the widget), the auto-repeat timer, painting locks and the points where a data link feeds values in.
class TiVCLComponent : public TiComponent {
    Q_OBJECT

public:
    explicit TiVCLComponent(QWidget* parent = nullptr);  // creates the widget, not transparent
    ~TiVCLComponent() override;

    // OPC interface points (no OPC library behind them in this build).
    TIndexEvent OnNewOPCData;  // called after incoming data was applied
    TOPCBeforeDataEvent OnBeforeNewOPCData;  // called before incoming data is applied
    // Internal, unpublished.
    TNotifyEvent OnRepeatTimer;

    // Whether the parent shows through the background (captured behind the widget) instead of BackGroundColor; a change rebuilds the cached picture.
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);  // captures the parent again and rebuilds the cached picture

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
    int OPCItemCount() const { return 0; }  // always 0 in this build
    // Names of the widget's special OPC properties (FillOPCPropertyNames).
    const QStringList& OPCPropertyNames() const;

    bool IsCaptureNeeded() const { return captureNeeded_; }  // whether the parent is captured again at the next paint
    TBitmap* TransparencyBitmap() const { return transparencyBitmap_.get(); }  // the captured parent while Transparent, else nullptr

protected:
    // Applies incoming data to a special property; false leaves it to the generic assignment.
    virtual bool ApplyOPCValue(const QString& propertyName, QVariant& data);
    virtual void FillOPCPropertyNames(QStringList& names);  // adds the names of the widget's special properties
    void RequestCapture();  // captures the parent again at the next paint (while Transparent)
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

// The class an instrument derives from (directly or through TiPositionComponent / TiScaleComponent).
class TiCustomComponent : public TiVCLComponent {
    Q_OBJECT

public:
    explicit TiCustomComponent(QWidget* parent = nullptr) : TiVCLComponent(parent) {}  // creates the widget
};

// Loading bracket for a form's set-up: BeginLoading() on each widget now,
// EndLoading() (and so Loaded()) on each when it ends.
class TiLoadingBracket {
public:
    TiLoadingBracket(std::initializer_list<TiComponent*> widgets);  // opens the bracket on each widget
    explicit TiLoadingBracket(std::vector<TiComponent*> widgets);  // opens the bracket on each widget
    ~TiLoadingBracket();  // closes it on each widget still alive
    TiLoadingBracket(const TiLoadingBracket&) = delete;
    TiLoadingBracket& operator=(const TiLoadingBracket&) = delete;

private:
    std::vector<QPointer<TiComponent>> widgets_;
};
