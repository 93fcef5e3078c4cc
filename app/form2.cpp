// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form2.h"

#include "app/caption_room.h"
#include "app/console_look.h"
#include "app/console_song_face.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLabel* MakeCaption(QWidget* parent, const QString& text, const QRect& bounds)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(bounds);
    label->setFont(ConsoleFont(FontMsSansSerif, -11));
    SetTextColor(label, clMaroon);
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, int left, int top)
{
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(left, top, 41, 21);
    SetBackground(edit, clScrollBar);
    return edit;
}

}  // namespace

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Window)
{
    InstallConsoleSongFace();
    setWindowTitle(tr("修改参数"));
    setFont(ConsoleFont(FontMsSansSerif, -11));
    move(730, 394);
    setFixedSize(386, 193);
    SetBackground(this, clBtnFace);

    Panel1 = MakePanel(this, QRect(0, 0, 385, 193), PanelBevel::Raised);
    SetBackground(Panel1, ColorSkyBlue);

    Label1 = MakeCaption(Panel1, tr("小数点: "), QRect(24, 24, 42, 13));
    Edit1 = MakeEdit(Panel1, 72, 16);
    //: With the next caption: the time after which the device's menu closes by itself.
    Label3 = MakeCaption(Panel1, tr("菜单自动 "), QRect(8, 56, 57, 13));
    Label4 = MakeCaption(Panel1, tr("退出时间: "), QRect(8, 72, 57, 13));
    Edit2 = MakeEdit(Panel1, 72, 64);
    Label2 = MakeCaption(Panel1, tr("输入信号: "), QRect(8, 112, 54, 13));
    Edit3 = MakeEdit(Panel1, 72, 104);
    Label5 = MakeCaption(Panel1, tr("下限值:"), QRect(152, 24, 39, 13));
    Edit4 = MakeEdit(Panel1, 200, 16);
    Label6 = MakeCaption(Panel1, tr("上限值:"), QRect(152, 72, 39, 13));
    Edit5 = MakeEdit(Panel1, 200, 64);
    //: The hysteresis of the device's limit alarms.
    Label7 = MakeCaption(Panel1, tr("迂回值:"), QRect(152, 112, 39, 13));
    Edit6 = MakeEdit(Panel1, 200, 104);

    BitBtn1 = new QPushButton(tr("确定"), Panel1);
    BitBtn1->setGeometry(96, 144, 89, 25);
    SetTextColor(BitBtn1, clBlue);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });

    // A translation's longer captions: each column right-aligned before its fields.
    RightAlignColumnBeforeFields({Label1, Label3, Label4, Label2}, Edit1->x(), Panel1->contentsRect().left());
    RightAlignColumnBeforeFields({Label5, Label6, Label7}, Edit4->x(), Edit1->geometry().right() + 1 + CaptionGap);

    // Tab order as the dialog was laid out: the left column, the button, the right column.
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, BitBtn1);
    setTabOrder(BitBtn1, Edit4);
    setTabOrder(Edit4, Edit5);
    setTabOrder(Edit5, Edit6);
}

void TForm2::BitBtn1Click()
{
    hide();
}
