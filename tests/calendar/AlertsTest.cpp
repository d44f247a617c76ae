// Times read from reminder text, the alerts due at a moment, and the day's notification.
#include "Alerts.h"

#include "DateUtils.h"

#include <gtest/gtest.h>

namespace {
const TTimeConventions twentyFourHour{':', false};
const TTimeConventions twelveHour{':', true};
const TTimeConventions dotted{'.', false};

TEST(ReminderTimeTest, AcceptedFormsAndRefusals) {
    struct {
        const char* text;
        const TTimeConventions& conventions;
        int minute;
    } cases[] = {
        {"9:30 Dentist", twentyFourHour, 9 * 60 + 30},
        {"09:30 Dentist", twentyFourHour, 9 * 60 + 30},
        {"  14:00", twentyFourHour, 14 * 60},
        {"0:00 midnight", twentyFourHour, 0},
        {"23:59", twentyFourHour, 23 * 60 + 59},
        {"9:30-10:30 meeting", twentyFourHour, 9 * 60 + 30},
        {"9.30 swim", dotted, 9 * 60 + 30},
        {"9:30 swim", dotted, 9 * 60 + 30},
        {"9:30 am call", twelveHour, 9 * 60 + 30},
        {"9:30pm call", twelveHour, 21 * 60 + 30},
        {"12:00 am", twelveHour, 0},
        {"12:15 PM lunch", twelveHour, 12 * 60 + 15},
        {"7:05 p.m. train", twelveHour, 19 * 60 + 5},
        {"14:00 in a twelve-hour locale", twelveHour, 14 * 60},
        // Refused: plain text, never an alert at a wrong time.
        {"25:00 party", twentyFourHour, -1},
        {"9:75 something", twentyFourHour, -1},
        {"9:3 short minutes", twentyFourHour, -1},
        {"123:00", twentyFourHour, -1},
        {"12:00pm", twentyFourHour, -1},
        {"12:00 pm", twentyFourHour, -1},
        {"13:00 pm", twelveHour, -1},
        {"0:30 am", twelveHour, -1},
        {"9:30x", twentyFourHour, -1},
        {"9:305", twentyFourHour, -1},
        {"9.30 euro", twentyFourHour, -1},
        {"Dentist at 9:30", twentyFourHour, -1},
        {":30", twentyFourHour, -1},
        {"9:", twentyFourHour, -1},
        {"", twentyFourHour, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReminderTimeOfDay(c.text, c.conventions), c.minute) << '"' << c.text << '"';
}

TEST(ReminderAlertsTest, TimedRemindersOfItemTextWithTheirWholeText) {
    const double day = EncodeDate(2026, 12, 8);
    const std::string items = "Tuesday, December 8, 2026\r\n{255}9:30 Dentist\r\n|4{255}bring the "
                              "card\r\n{-1}Shopping\r\n"
                              "|3{-1}14:00 not a reminder of its own\r\n{65280}14:00 Call Anna";
    const std::vector<TReminderAlert> alerts = ReminderAlerts(day, items, twentyFourHour);
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_EQ(alerts[0].Text, "9:30 Dentist\nbring the card");
    EXPECT_EQ(alerts[0].Minute, 9 * 60 + 30);
    EXPECT_EQ(alerts[0].Day, day);
    EXPECT_EQ(alerts[1].Text, "14:00 Call Anna");
    EXPECT_NE(alerts[0].Key, alerts[1].Key);

    // An edited reminder is another alert; the same reminder read again is the same one.
    EXPECT_EQ(ReminderAlerts(day, items, twentyFourHour)[0].Key, alerts[0].Key);
    EXPECT_NE(
        ReminderAlerts(day, "8/12\r\n{255}9:30 Dentist\r\n|4{255}bring the cash", twentyFourHour)[0]
            .Key,
        alerts[0].Key);
    EXPECT_NE(
        ReminderAlerts(day, "8/12\r\n{255}9:45 Dentist\r\n|4{255}bring the card", twentyFourHour)[0]
            .Key,
        alerts[0].Key);
    EXPECT_NE(ReminderAlerts(day + 7, items, twentyFourHour)[0].Key, alerts[0].Key);
}

class DueAlertsTest : public testing::Test {
  protected:
    const double today = EncodeDate(2026, 12, 8);
    double At(double day, int hour, int minute) { return day + (hour * 60 + minute) / 1440.0; }
    std::vector<TReminderAlert> candidates =
        ReminderAlerts(today, "Heading\r\n{-1}9:30 Dentist\r\n{-1}14:00 Call", twentyFourHour);
    std::vector<std::string> Keys(const std::vector<TDueAlert>& due) {
        std::vector<std::string> texts;
        for (const TDueAlert& alert : due)
            texts.push_back(alert.Alert.Text + (alert.Late ? " (late)" : ""));
        return texts;
    }
};

TEST_F(DueAlertsTest, DueAtItsTimeLessTheLeadAndLateWhenMissed) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Keys(DueAlerts(candidates, At(today, 9, 29), 0, {}, {})), V{});
    EXPECT_EQ(Keys(DueAlerts(candidates, At(today, 9, 30), 0, {}, {})), V{"9:30 Dentist"});
    EXPECT_EQ(Keys(DueAlerts(candidates, At(today, 9, 15), 15, {}, {})), V{"9:30 Dentist"});
    // Started (or woken) in the afternoon: the morning's alert comes late, the other on time.
    EXPECT_EQ(Keys(DueAlerts(candidates, At(today, 14, 0), 0, {}, {})),
              (V{"9:30 Dentist (late)", "14:00 Call"}));
    // The next day, nothing of the day before.
    EXPECT_EQ(Keys(DueAlerts(candidates, At(today + 1, 8, 0), 0, {}, {})), V{});
    // A lead across midnight alerts on the evening before.
    const auto early = ReminderAlerts(today + 1, "Heading\r\n{-1}0:10 Flight", twentyFourHour);
    EXPECT_EQ(Keys(DueAlerts(early, At(today, 23, 40), 30, {}, {})), V{"0:10 Flight"});
}

TEST_F(DueAlertsTest, DismissedSnoozedAndOpenAlerts) {
    using V = std::vector<std::string>;
    TAlertState state;
    state.Dismissed.insert(candidates[0].Key);
    EXPECT_EQ(Keys(DueAlerts(candidates, At(today, 15, 0), 0, state, {})), V{"14:00 Call (late)"});
    // A clock set back after the dismissal brings nothing back.
    EXPECT_EQ(Keys(DueAlerts(candidates, At(today, 9, 31), 0, state, {})), V{});
    // Open alerts are not shown twice.
    EXPECT_EQ(Keys(DueAlerts(candidates, At(today, 15, 0), 0, state, {candidates[1].Key})), V{});

    TAlertState snoozed;
    snoozed.SnoozedUntil[candidates[0].Key] = At(today, 9, 40);
    EXPECT_EQ(Keys(DueAlerts(candidates, At(today, 9, 35), 0, snoozed, {})), V{});
    EXPECT_EQ(Keys(DueAlerts(candidates, At(today, 9, 40), 0, snoozed, {})), V{"9:30 Dentist"});

    // Yesterday's entries go, today's and later stay.
    TAlertState old;
    old.Dismissed = {ReminderAlerts(today - 1, "Heading\r\n{-1}9:30 X", twentyFourHour)[0].Key,
                     candidates[0].Key};
    old.SnoozedUntil[candidates[1].Key] = At(today, 15, 0);
    const TAlertState pruned = PrunedAlertState(old, today);
    EXPECT_EQ(pruned.Dismissed, std::set<std::string>{candidates[0].Key});
    EXPECT_EQ(pruned.SnoozedUntil.size(), 1u);
}

TEST(NotificationTest, ShownOncePerDayWhateverTheClockDoes) {
    const int32_t today = 46364;
    std::vector<int32_t> shown = ParseShownDays("");
    EXPECT_FALSE(NotificationDue(today, shown, false)) << "a day without reminders shows nothing";
    ASSERT_TRUE(NotificationDue(today, shown, true));
    shown = ParseShownDays(FormatShownDays(WithShownDay(shown, today)));
    EXPECT_FALSE(NotificationDue(today, shown, true)) << "a restart the same day";
    shown = WithShownDay(shown, today + 1);
    // The clock put back a day and forward again repeats neither day.
    EXPECT_FALSE(NotificationDue(today, shown, true));
    EXPECT_FALSE(NotificationDue(today + 1, shown, true));
    // A clock once set years ahead does not silence the days after it is put right.
    shown = WithShownDay(shown, today + 3650);
    EXPECT_TRUE(NotificationDue(today + 2, shown, true));
    EXPECT_EQ(WithShownDay(std::vector<int32_t>(30, 1), today).size(), 14u);
    EXPECT_EQ(ParseShownDays("46364,x,,46365"), (std::vector<int32_t>{46364, 46365}));
}

TEST(NotificationTest, TextInTypeOrderWithTomorrowAndCutAtAWholeLine) {
    const std::string today =
        "Monday 7\r\n{-1}Untyped\r\n{255}Dentist\r\n|2{255}more\r\n{65280}Holiday";
    EXPECT_EQ(NotificationText(today, "", {65280, 255}, 255), "Holiday\nDentist\nUntyped");
    EXPECT_EQ(NotificationText("Monday 7", "Tuesday 8\r\n{255}Cake", {255}, 255),
              "Tomorrow:\nCake");
    EXPECT_EQ(NotificationText("Monday 7", "", {}, 255), "");

    std::string many = "12:00 a heading is no reminder\r\n";
    for (int i = 0; i < 300; ++i)
        many += "{-1}Reminder number " + std::to_string(i) + "\r\n";
    const std::string text = NotificationText(many, "", {}, 255);
    EXPECT_LE(text.size(), 255u);
    EXPECT_EQ(text.substr(0, 18), "Reminder number 0\n");
    const size_t lastLine = text.rfind('\n');
    const int shownLines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    EXPECT_EQ(text.substr(lastLine + 1), "... " + std::to_string(300 - shownLines) + " more");
    // One overlong reminder is shortened, not dropped.
    const std::string longOne =
        NotificationText("Monday\r\n{-1}" + std::string(600, 'x'), "", {}, 255);
    EXPECT_EQ(longOne.size(), 255u);
    EXPECT_EQ(longOne.substr(252), "...");
}

TEST(AlertWindowCapacityTest, AScreenfulAndAtLeastOne) {
    EXPECT_EQ(AlertWindowCapacity(1040, 130), 8);
    EXPECT_EQ(AlertWindowCapacity(100, 130), 1);
    EXPECT_EQ(AlertWindowCapacity(1000, 0), 1);
}
} // namespace
