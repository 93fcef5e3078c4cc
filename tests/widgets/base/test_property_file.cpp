// SPDX-License-Identifier: GPL-3.0-or-later
// The property file: round trip, nested names, skipped names, bad input.

#include "widgets/base/component.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class PropertyProbe : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(TColor BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(TiBevelStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(TFont* Font READ Font)
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Count READ Count WRITE SetCount)

public:
    PropertyProbe() { connect(&font_, &TFont::Changed, this, [this] { BackGroundChange(); }); }

    TFont* Font() { return &font_; }
    double Value() const { return value_; }
    void SetValue(double v) { SetProperty(v, value_, ickInvalidate); }
    QString Caption() const { return caption_; }
    void SetCaption(const QString& v) { SetProperty(v, caption_, ickBackGround); }
    int Count() const { return count_; }
    void SetCount(int v) { SetProperty(v, count_, ickBackGround); }

    int repaintRequests = 0;
    void RepaintNow() override
    {
        ++repaintRequests;
        TiCustomComponent::RepaintNow();
    }

protected:
    void PaintContent(TCanvas&) override {}

private:
    TFont font_;
    double value_ = 0;
    QString caption_;
    int count_ = 0;
};

QStringList ReadLines(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

std::string LoadError(PropertyProbe& w, const QString& path)
{
    try {
        w.LoadPropertiesFromFile(path);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "no error";
}

TEST(PropertyFile, SaveWritesTheDocumentedLinesAndLoadRestoresThem)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("probe.txt"));
    PropertyProbe saved;
    saved.SetBackGroundColor(clBtnFace);
    saved.SetBorderStyle(ibsLowered);
    saved.Font()->SetHeight(-11);
    saved.Font()->SetBold(true);
    saved.SetValue(12.5);
    saved.SetCaption(QStringLiteral("two\r\nlines"));
    saved.SetCount(-7);
    saved.SetUpdateFrameRate(25);
    saved.SavePropertiesToFile(path);

    const QStringList lines = ReadLines(path);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.first(), QStringLiteral("File Type = PropertyProbe"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Font.Height = -11")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Font.Bold = 1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Value = 12.5")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Caption = two#13#10lines")));
    EXPECT_TRUE(lines.contains(QStringLiteral("BorderStyle = 2")));
    EXPECT_TRUE(lines.contains(QStringLiteral("BackGroundColor = 4278190095")));
    EXPECT_TRUE(lines.contains(QStringLiteral("UpdateFrameRate = 25")));
    EXPECT_FALSE(lines.contains(QStringLiteral("Font.Size = 8")));  // not stored
    EXPECT_LT(lines.indexOf(QStringLiteral("UpdateFrameRate = 25")), lines.indexOf(QStringLiteral("Value = 12.5")));
    for (const QString& line : lines)
        for (const char* standard : {"Left =", "Top =", "Width =", "Height =", "Tag =", "Visible =", "Enabled ="})
            EXPECT_FALSE(line.startsWith(QLatin1String(standard))) << line.toStdString();

    PropertyProbe loaded;
    loaded.LoadPropertiesFromFile(path);
    EXPECT_EQ(loaded.BackGroundColor(), clBtnFace);
    EXPECT_EQ(loaded.BorderStyle(), ibsLowered);
    EXPECT_EQ(loaded.Font()->Height(), -11);
    EXPECT_TRUE(loaded.Font()->Bold());
    EXPECT_EQ(loaded.Value(), 12.5);
    EXPECT_EQ(loaded.Caption(), QStringLiteral("two\r\nlines"));
    EXPECT_EQ(loaded.Count(), -7);
    EXPECT_EQ(loaded.UpdateFrameRate(), 25);
    // The whole file is one update bracket: one repaint request.
    EXPECT_EQ(loaded.repaintRequests, 1);

    saved.SetOptionSaveAllProperties(true);
    saved.SetTag(9);
    saved.SavePropertiesToFile(path);
    EXPECT_TRUE(ReadLines(path).contains(QStringLiteral("Tag = 9")));
    EXPECT_TRUE(ReadLines(path).contains(QStringLiteral("Width = %1").arg(saved.Width())));
}

TEST(PropertyFile, LoadAcceptsNestedNamesCommasAndSkipsUnknownLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.txt"));
    QByteArray text = "File Type = Something Else\n"
                      "font.height = -11\n"
                      "NoSuchProperty = 5\n"
                      "Font.NoSuchInner = 5\n"
                      "Font = 3\n"
                      "just some words\n"
                      "= 4\n"
                      "  Value  =  3,25  \n"
                      "Caption = a#13#10b = c\n"
                      "BackGroundColor = -16777201\n"
                      "Count=12\r\n";
    text += "\x01\x02\xff\xfe garbage \x00 bytes\n";
    text += QByteArray(1 << 20, 'x') + " = 1\n";
    WriteFile(path, text);
    PropertyProbe w;
    w.Font()->SetHeight(-20);
    w.LoadPropertiesFromFile(path);
    EXPECT_EQ(w.Font()->Height(), -11);
    EXPECT_EQ(w.Value(), 3.25);
    EXPECT_EQ(w.Caption(), QStringLiteral("a\r\nb = c"));
    EXPECT_EQ(w.BackGroundColor(), clBtnFace);
    EXPECT_EQ(w.Count(), 12);
    EXPECT_FALSE(w.IsUpdateBracketOpen());
}

TEST(PropertyFile, FailuresGiveTheErrorMessagesAndKeepEarlierValues)
{
    QTemporaryDir dir;
    PropertyProbe w;
    const std::string missing = LoadError(w, dir.filePath(QStringLiteral("missing.txt")));
    EXPECT_EQ(missing.rfind("Error Loading Properties - ", 0), 0u) << missing;

    const QString bad = dir.filePath(QStringLiteral("bad.txt"));
    WriteFile(bad, "Count = 4\nValue = abc\nCaption = never\n");
    const std::string badValue = LoadError(w, bad);
    EXPECT_EQ(badValue, "Error Loading Properties - 'abc' is not a valid floating point value");
    EXPECT_EQ(w.Count(), 4);
    EXPECT_TRUE(w.Caption().isEmpty());
    EXPECT_FALSE(w.IsUpdateBracketOpen());

    for (const char* line : {"BorderStyle = 7\n", "Count = 99999999999\n", "Value = nan\n", "Count = 1.5\n",
                             "BackGroundColor = 5000000000\n", "Value = \n"}) {
        WriteFile(bad, line);
        EXPECT_EQ(LoadError(w, bad).rfind("Error Loading Properties - ", 0), 0u) << line;
    }
    EXPECT_EQ(w.BorderStyle(), ibsNone);
    EXPECT_EQ(w.Count(), 4);

    try {
        w.SavePropertiesToFile(QStringLiteral("/nonexistent-folder/sub/probe.txt"));
        ADD_FAILURE() << "saving into a missing folder succeeded";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Error Saving Properties - ", 0), 0u) << e.what();
    }
}

}  // namespace

#include "test_property_file.moc"
