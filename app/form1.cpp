// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"

#include "app/caption_room.h"
#include "app/combo_current_item.h"
#include "app/console_look.h"
#include "app/console_song_face.h"
#include "app/extra_windows_menu.h"
#include "app/diagnostics/port_open_reason.h"
#include "app/frame_format.h"
#include "app/lamp_images.h"
#include "device/lenient_str_to_int.h"
#include "platform/serial/serial_port_list.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <QTimer>

QString TForm1::OpenCaption()
{
    return tr("打开串口");
}

QString TForm1::CloseCaption()
{
    return tr("关闭串口");
}

namespace {

const QString DefaultPort = QStringLiteral("COM4");

QLabel* MakeImage(QWidget* parent, int left, int top, const QPixmap& picture)
{
    auto* image = new QLabel(parent);
    image->setGeometry(left, top, 33, 33);
    image->setPixmap(picture);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return image;
}

QLabel* MakeLabel(QWidget* parent, const QString& caption, const QRect& bounds, const QFont& font)
{
    auto* label = new QLabel(caption, parent);
    label->setGeometry(bounds);
    label->setFont(font);
    return label;
}

// The window's controls are flat; the address combo alone has the 3D look.
enum class ComboLook { Flat, ThreeD };

QComboBox* MakeCombo(QWidget* parent, const QRect& bounds, const QStringList& items, const QString& text,
                     ComboLook look = ComboLook::Flat)
{
    auto* combo = new QComboBox(parent);
    combo->setGeometry(bounds);
    combo->setEditable(true);
    combo->setFrame(look == ComboLook::ThreeD);
    SetFieldColor(combo, clWindow);  // a combo's own colour, not its panel's
    // The edit field fills its own background, so the caret blinking in a focused combo
    // repaints the field alone rather than the combo and the panel behind it as well.
    combo->lineEdit()->setAutoFillBackground(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    KeepCurrentItemOnText(combo);
    combo->setEditText(text);
    return combo;
}

QStringList NumberItems(int first, int last)
{
    QStringList items;
    for (int n = first; n <= last; ++n)
        items << QString::number(n);
    return items;
}

}  // namespace

TForm1::TForm1(const QString& initialPort, QWidget* parent)
    : QWidget(parent), link_(*this)
{
    ShowMessage = [this](const QString& text) {
        QMessageBox box(QMessageBox::NoIcon, windowTitle(), text, QMessageBox::Ok, this);
        box.exec();
    };
    ShowDetailedMessage = [this](const QString& text, const QString& detail) {
        QMessageBox box(QMessageBox::NoIcon, windowTitle(), text, QMessageBox::Ok, this);
        box.setInformativeText(detail);
        box.exec();
    };
    InstallConsoleSongFace();
    BuildFrame();
    BuildPortPanel();
    BuildCommunicationPanel();
    BuildMemos();
    BuildInstrumentPanel();
    MakeRoomForCaptions();
    NameInstrumentsAfterCaptions();
    SetUpComm1(initialPort);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    Timer2 = new QTimer(this);
    Timer2->setInterval(500);

    ConnectHandlers();
    ConnectInstrumentHandlers();
    FormCreate();
    Timer1->start();
    Timer2->start();
}

TForm1::~TForm1()
{
    // Close the port before the controls its handlers touch go away.
    Comm1->ClosePort();
    // The extra windows and what watches the link go while this window and its link are
    // still whole: they use its link and controls.
    qDeleteAll(findChildren<ExtraWindowsMenu*>(Qt::FindDirectChildrenOnly));
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isWindow()) delete child;
}

void TForm1::BuildFrame()
{
    setWindowTitle(QStringLiteral("ZQ_Modbus RTU"));
    setFont(ConsoleFont(FontMsSansSerif, -11));
    move(194, 192);
    setFixedSize(ConsoleClientSize);
    SetBackground(this, clAppWorkSpace);

    //: The title bar across the window; "Y5" is the device series, two blanks follow it.
    Label1 = new QLabel(tr("Y5  控制界面"), this);
    Label1->setGeometry(0, 0, ConsoleClientSize.width(), 24);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont headerFont = ConsoleFont(FontMsSansSerif, -20, true);
    headerFont.setItalic(true);
    Label1->setFont(headerFont);
    SetBackground(Label1, clHotLight);
    SetTextColor(Label1, clWhite);

    Panel2 = MakePanel(this, QRect(0, 24, 801, 521), PanelBevel::Raised);
    SetBackground(Panel2, cl3DLight);
}

void TForm1::BuildPortPanel()
{
    Panel3 = MakePanel(Panel2, QRect(512, -3, 297, 140), PanelBevel::LoweredTwice);
    SetBackground(Panel3, clScrollBar);
    Panel3->setFont(ConsoleFont(FontMsSansSerif, -11, true));

    const QFont labelFont = ConsoleFont(FontSong, -16, true);
    Label23 = MakeLabel(Panel3, tr("端口: "), QRect(58, 10, 52, 16), labelFont);
    QStringList ports;
    for (int n = 1; n <= 9; ++n)
        ports << QStringLiteral("COM%1").arg(n);
    ComboBox4 = MakeCombo(Panel3, QRect(106, 2, 97, 21), ports, DefaultPort);
    for (const SerialPortEntry& entry : ListSerialPorts())
        ComboBox4->addItem(QString::fromStdString(SerialPortDisplayText(entry)),
                           QString::fromStdString(entry.devicePath));

    Label25 = MakeLabel(Panel3, tr("波特率:   "), QRect(42, 34, 87, 16), labelFont);
    ComboBox5 = MakeCombo(Panel3, QRect(106, 34, 97, 21), {"4800", "9600", "19200", "38400"},
                          QStringLiteral("19200"));
    //: The frame format: data bits, parity, stop bits ("8_N_2").
    Label26 = MakeLabel(Panel3, tr("位元: "), QRect(58, 66, 52, 16), labelFont);
    ComboBox6 = MakeCombo(Panel3, QRect(106, 66, 97, 21), {"8_N_2", "8_E_1", "8_O_1"},
                          QStringLiteral("8_N_2"));

    BitBtn7 = new QPushButton(OpenCaption(), Panel3);
    BitBtn7->setGeometry(58, 96, 65, 35);
    Image9 = MakeImage(Panel3, 136, 96, UnlitLampPicture());
    Image20 = MakeImage(Panel3, 136, 96, LitLampPicture());
    Image20->raise();
}

void TForm1::BuildCommunicationPanel()
{
    Panel5 = MakePanel(Panel2, QRect(-8, -1, 521, 41), PanelBevel::LoweredTwice);
    SetBackground(Panel5, clScrollBar);

    //: Check box "communication": while it is ticked the console polls the device.
    CheckBox2 = new QCheckBox(tr("通讯"), Panel5);
    CheckBox2->setGeometry(24, 8, 49, 25);
    SetTextColor(CheckBox2, clMaroon);
    Image7 = MakeImage(Panel5, 88, 8, UnlitLampPicture());
    Image14 = MakeImage(Panel5, 88, 8, LitLampPicture());
    Image14->raise();

    //: The device's station address on the line, 1 to 255.
    Label9 = MakeLabel(Panel5, tr("地址:   "), QRect(160, 8, 78, 19), ConsoleFont(FontSong, -19));
    ComboBox1 = MakeCombo(Panel5, QRect(208, 8, 49, 21), NumberItems(1, 255), QStringLiteral("1"),
                          ComboLook::ThreeD);
}

void TForm1::BuildMemos()
{
    auto makeMemo = [this](const QRect& bounds) {
        auto* memo = new QPlainTextEdit(QStringLiteral("0"), Panel2);
        memo->setGeometry(bounds);
        memo->setFont(ConsoleFont(FontSong, -19, true));
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setLineWrapMode(QPlainTextEdit::NoWrap);
        SetBackground(memo->viewport(), cl3DLight);
        SetRightAligned(memo);
        return memo;
    };
    Memo12 = makeMemo(QRect(520, 487, 73, 27));
    Memo13 = makeMemo(QRect(608, 487, 73, 27));
}

// The console's own captions fit as laid out and stay where they are; a translation's
// longer captions take room only where there is some (the instrument panel's captions:
// BuildInstrumentPanel).
void TForm1::MakeRoomForCaptions()
{
    const int panel3Inside = Panel3->contentsRect().left();
    RightAlignColumnBeforeFields({Label23, Label25, Label26}, ComboBox4->x(), panel3Inside);
    WidenButtonLeftwards(BitBtn7, {OpenCaption(), CloseCaption()}, panel3Inside);
    WidenCheckBoxRightwards(CheckBox2, Image7->x());
    RightAlignColumnBeforeFields({Label9}, ComboBox1->x(), Image7->geometry().right() + 1 + CaptionGap);
}

void TForm1::SetUpComm1(const QString& initialPort)
{
    Comm1 = new TComm(this);
    if (!initialPort.isEmpty())
        ComboBox4->setEditText(initialPort);
    Comm1->SetCommName(PortNameFromCombo().toStdString());
    Comm1->SetBaudRate(19200);
    Comm1->SetOutx_XonXoffFlow(false);
    Comm1->SetInx_XonXoffFlow(false);
    Comm1->SetRtsControl(TRtsControl::RtsDisable);
    // The format combo's initial "8_N_2" is what the line gets at the first opening.
    ComboBox6Change();
    Comm1->OnReceiveData = [this](TComm* sender, const void* buffer, std::uint16_t length) {
        Comm1ReceiveData(sender, buffer, length);
    };
    Comm1->OnRequestHangup = [this](TComm* sender) { Comm1RequestHangup(sender); };
}

void TForm1::ConnectHandlers()
{
    // editTextChanged fires for the operator's typing and choices and for setEditText alike:
    // the --port option's text and the tests reach the handlers through it.
    connect(ComboBox4, &QComboBox::editTextChanged, this, [this] { ComboBox4Change(); });
    connect(ComboBox5, &QComboBox::editTextChanged, this, [this] { ComboBox5Change(); });
    connect(ComboBox6, &QComboBox::editTextChanged, this, [this] { ComboBox6Change(); });
    connect(BitBtn7, &QPushButton::clicked, this, [this] { BitBtn7Click(); });
    connect(CheckBox2, &QCheckBox::clicked, this, [this] { CheckBox2Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
}

void TForm1::FormCreate()
{
    Image14->hide();
    Image7->show();
    Image20->hide();
}

QString TForm1::PortNameFromCombo() const
{
    // A listed device is shown with its by-id name; the port itself is its /dev path.
    const QString text = ComboBox4->currentText();
    const int index = ComboBox4->findText(text);
    if (index >= 0 && ComboBox4->itemData(index).isValid())
        return ComboBox4->itemData(index).toString();
    return text;
}

void TForm1::ComboBox4Change()
{
    Comm1->SetCommName(PortNameFromCombo().toStdString());
}

void TForm1::ComboBox5Change()
{
    // Negative readings wrap like the platform's unsigned baud field; TComm refuses rates
    // the driver does not take and keeps the line as it was.
    const std::int32_t baud = LenientStrToInt(ComboBox5->currentText().toStdString());
    Comm1->SetBaudRate(static_cast<std::uint32_t>(baud));
}

void TForm1::ComboBox6Change()
{
    // The format is stored now and reaches the line whole at the next opening: while the
    // port is open, parity, stop bits and data bits all wait, so a baud change meanwhile
    // reconfigures the open line with the format it already has.
    const auto format = FrameFormatFromText(ComboBox6->currentText().toStdString());
    if (!format)
        return;
    pendingFormat_ = *format;
    if (!Comm1->IsOpen())
        ApplyPendingFormat();
}

void TForm1::ApplyPendingFormat()
{
    if (!pendingFormat_)
        return;
    Comm1->SetByteSize(pendingFormat_->byteSize);
    Comm1->SetStopBits(pendingFormat_->stopBits);
    Comm1->SetParity(pendingFormat_->parity);
    pendingFormat_.reset();
}

void TForm1::BitBtn7Click()
{
    if (BitBtn7->text() != OpenCaption()) {
        Comm1->ClosePort();
        ShowPortClosed();
        return;
    }
    ApplyPendingFormat();
    try {
        Comm1->OpenPort();
    } catch (const ECommsError& error) {
        // A failed opening leaves the port closed, and the controls say so.
        ShowPortClosed();
        const auto& why = error.OpenFailure();
        ShowDetailedMessage(tr("打开串口错误"),
                            why ? PortOpenReasonText(*why, ListSerialPorts()) : PortStartFailureText());
        return;
    } catch (...) {
        ShowPortClosed();
        ShowDetailedMessage(tr("打开串口错误"), PortStartFailureText());
        return;
    }
    ShowPortOpen();
    emit PortOpened();
}

void TForm1::ShowPortOpen()
{
    BitBtn7->setText(CloseCaption());
    // The port lamp shows its lit picture alone; the unlit ring would show around the
    // smaller red disc.
    Image9->hide();
    Image20->show();
}

void TForm1::ShowPortClosed()
{
    BitBtn7->setText(OpenCaption());
    Image20->hide();
    Image9->show();
}

void TForm1::CheckBox2Click()
{
    // Enables the poll timer, which runs all the time anyway; the ticked state itself is
    // read at every poll. QTimer::start() would restart a running timer and push the next
    // poll back with every click, so a running timer is left alone.
    if (!Timer1->isActive())
        Timer1->start();
}

void TForm1::Timer1Timer()
{
    link_.Timer1Timer();
}

void TForm1::Comm1ReceiveData(TComm*, const void* Buffer, std::uint16_t BufferLength)
{
    link_.Comm1ReceiveData(Buffer, BufferLength);
}

void TForm1::Comm1RequestHangup(TComm*)
{
    // The device went away (unplugged adapter, failed read or write): close the port and
    // show it closed, so nothing looks live; the operator can open it again.
    Comm1->ClosePort();
    ShowPortClosed();
    SetCommunicationLamp(false);
}

bool TForm1::CommunicationTicked() const
{
    return CheckBox2->isChecked();
}

std::string TForm1::StationAddressText() const
{
    return ComboBox1->currentText().toStdString();
}

bool TForm1::SendData(const std::uint8_t* data, std::uint16_t length)
{
    return Comm1->SendData(data, length);
}

void TForm1::Pause(int milliseconds)
{
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void TForm1::SetCommunicationLamp(bool lit)
{
    Image14->setVisible(lit);
    Image7->show();
}

// The memos are rewritten with every matching reply or command; an equal text is left
// alone, so the memo is not laid out and repainted again for nothing.
void TForm1::SetMemo12Text(const std::string& text)
{
    ShowMemoText(Memo12, QString::fromStdString(text));
}

void TForm1::SetMemo13Text(const std::string& text)
{
    ShowMemoText(Memo13, QString::fromStdString(text));
}

void TForm1::ShowMemoText(QPlainTextEdit* memo, const QString& text)
{
    if (memo->toPlainText() == text)
        return;
    memo->setPlainText(text);
    SetRightAligned(memo);
}
