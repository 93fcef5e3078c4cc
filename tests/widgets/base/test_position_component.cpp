// SPDX-License-Identifier: GPL-3.0-or-later
// The position model: clamp rule, event order, running min and max, limits.

#include "widgets/base/position_component.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

class PositionProbe : public TiPositionComponent {
public:
    PositionProbe()
    {
        OnPositionChange = Recorder("Change");
        OnPositionChangeUser = Recorder("ChangeUser");
        OnPositionChangeFinished = Recorder("Finished");
        OnCurrentMaxChange = Recorder("CurrentMaxChange");
        OnCurrentMinChange = Recorder("CurrentMinChange");
        OnPositionOverMax = Recorder("OverMax");
        OnPositionUnderMin = Recorder("UnderMin");
    }

    Log log;
    int published = 0;

    // A change made by the user (as a drag or key press would apply it).
    void UserSets(double value)
    {
        UserChangeScope scope(*this);
        SetPosition(value);
    }
    void UserFinishes() { DoPositionChangeFinished(); }

protected:
    void PaintContent(TCanvas&) override {}
    void PublishPositionValue() override
    {
        ++published;
        log.push_back("Publish");
    }

private:
    TNotifyEvent Recorder(const char* name)
    {
        return [this, name](TObject* sender) {
            EXPECT_EQ(sender, this);
            log.push_back(name);
        };
    }
};

TEST(PositionModel, ClampAndRepeatedValues)
{
    PositionProbe w;
    w.SetPosition(0);
    EXPECT_TRUE(w.log.empty());
    w.SetMinMaxFixed(true);
    w.SetPosition(150);
    EXPECT_EQ(w.GetPosition(), 100);
    EXPECT_EQ(w.log, (Log{"Publish", "Change"}));
    w.SetPosition(150);
    w.SetPosition(100);
    EXPECT_EQ(w.log.size(), 2u);
    w.SetPosition(std::nan(""));
    EXPECT_EQ(w.GetPosition(), 0);

    // Crossed bounds: the maximum is applied first for Position, last for CurrentMax.
    PositionProbe crossed;
    crossed.SetPositionMax(5);
    crossed.SetPositionMin(10);
    EXPECT_EQ(crossed.GetPositionMin(), 10);
    crossed.SetPosition(7);
    EXPECT_EQ(crossed.GetPosition(), 10);
    crossed.SetCurrentMax(7);
    EXPECT_EQ(crossed.GetCurrentMax(), 5);
    crossed.SetCurrentMin(7);
    EXPECT_EQ(crossed.GetCurrentMin(), 5);
    // A fresh widget whose minimum is raised above its maximum.
    PositionProbe raised;
    raised.SetPositionMin(150);
    EXPECT_EQ(raised.GetPosition(), 150);
    EXPECT_EQ(raised.GetCurrentMin(), 100);
    EXPECT_EQ(raised.GetCurrentMax(), 100);
}

TEST(PositionModel, RangeChangesMovePositionAsProgramChanges)
{
    PositionProbe w;
    w.SetPosition(20);
    w.log.clear();
    w.SetPositionMin(30);
    EXPECT_EQ(w.GetPosition(), 30);
    EXPECT_EQ(w.GetCurrentMin(), 30);
    EXPECT_EQ(std::count(w.log.begin(), w.log.end(), "Change"), 1);
    EXPECT_EQ(std::count(w.log.begin(), w.log.end(), "ChangeUser"), 0);
    EXPECT_TRUE(w.IsBackGroundChanged());

    w.SetPositionMax(25);  // below PositionMin: stored as it is, Position follows the max-then-min rule
    EXPECT_EQ(w.GetPositionMax(), 25);
    EXPECT_EQ(w.GetPosition(), 30);
    w.log.clear();
    w.SetPositionMax(std::nan(""));
    EXPECT_EQ(w.GetPositionMax(), 25);
    EXPECT_TRUE(w.log.empty());
}

TEST(PositionModel, RunningMinimumAndMaximum)
{
    PositionProbe w;
    w.SetPosition(25);
    EXPECT_EQ(w.log, (Log{"CurrentMaxChange", "OverMax", "Publish", "Change"}));
    EXPECT_EQ(w.GetCurrentMax(), 25);
    EXPECT_EQ(w.GetCurrentMin(), 0);
    w.log.clear();
    w.SetPosition(10);
    EXPECT_EQ(w.log, (Log{"Publish", "Change"}));

    w.log.clear();
    w.SetCurrentMax(5);  // below Position: reported as over the maximum
    EXPECT_EQ(w.log, (Log{"CurrentMaxChange", "OverMax"}));
    w.log.clear();
    w.SetCurrentMin(50);
    EXPECT_EQ(w.log, (Log{"CurrentMinChange", "UnderMin"}));
    w.log.clear();
    w.SetCurrentMin(500);
    EXPECT_EQ(w.GetCurrentMin(), 100);

    PositionProbe fixed;
    fixed.SetMinMaxFixed(true);
    fixed.SetPosition(60);
    EXPECT_EQ(fixed.GetCurrentMax(), 0);
    EXPECT_EQ(fixed.log, (Log{"Publish", "Change"}));
}

TEST(PositionModel, UserChangesPublishWhenFinishedAndHooksRun)
{
    PositionProbe w;
    w.SetMinMaxFixed(true);
    std::vector<std::string> hooks;
    w.ChangeHook = [&hooks](TObject*, const QString& name) { hooks.push_back("changed " + name.toStdString()); };
    w.UserSets(40);
    EXPECT_EQ(w.log, (Log{"Change", "ChangeUser"}));
    EXPECT_EQ(hooks, (std::vector<std::string>{"changed Position"}));
    EXPECT_TRUE(w.IsPositionChanged());
    w.UserSets(45);
    w.log.clear();
    w.UserFinishes();
    EXPECT_EQ(w.log, (Log{"Publish", "Finished"}));
    w.log.clear();
    w.UserFinishes();
    EXPECT_TRUE(w.log.empty());

    w.VetoHook = [](TObject*, const QString& name, bool& allow) { allow = name != QStringLiteral("Position"); };
    w.SetPosition(70);
    EXPECT_EQ(w.GetPosition(), 45);
    EXPECT_TRUE(w.log.empty());
}

TEST(PositionModel, LoadingStoresRawValuesWithoutEvents)
{
    PositionProbe w;
    {
        TiLoadingBracket loading{&w};
        w.SetPosition(300);
        w.SetCurrentMax(400);
        w.SetPositionMin(-5);
    }
    EXPECT_EQ(w.GetPosition(), 300);
    EXPECT_EQ(w.GetCurrentMax(), 400);
    EXPECT_EQ(w.GetPositionMin(), -5);
    EXPECT_TRUE(w.log.empty());
}

TEST(PositionModel, FractionAndLimits)
{
    PositionProbe w;
    w.SetPositionMin(20);
    w.SetPositionMax(70);
    EXPECT_EQ(w.PositionFraction(20), 0);
    EXPECT_EQ(w.PositionFraction(45), 0.5);
    EXPECT_EQ(w.PositionFraction(10), 0);
    EXPECT_EQ(w.PositionFraction(71), 1);
    w.SetPositionMin(70);
    EXPECT_EQ(w.PositionFraction(70), 0);
    EXPECT_EQ(w.PositionFraction(-1e9), 0);
    EXPECT_EQ(w.PositionFraction(70.001), 1);

    EXPECT_EQ(w.LimitCount(), 0);
    for (int index : {0, -1, 3}) {
        try {
            w.GetLimitUpperValue(index);
            ADD_FAILURE() << "index " << index << " accepted";
        } catch (const std::out_of_range& e) {
            EXPECT_STREQ(e.what(), "Limit Index out of bounds");
        }
    }
}

}  // namespace
